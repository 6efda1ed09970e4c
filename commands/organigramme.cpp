#include "commands/organigramme.h"

#include "analysis/programme.h"
#include "analysis/texte.h"
#include "base/codage.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "base/lignes.h"
#include "base/messages.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>

namespace {

// The window operations of a record analysed on the side: its editor holds
// one text, everything it would show is dropped.
class TfenetreTexte : public Tfenetre {
public:
    explicit TfenetreTexte(const std::string& texte) : texte(texte) {}
    std::string texteEditeur() override { return texte; }
    void remplacerTexteEditeur(const std::string&) override {}
    int32_t nombreLignesEditeur() override { return 0; }
    std::string ligneEditeur(int32_t) override { return {}; }
    void ajouterLigneEditeur(const std::string&) override {}
    bool editeurModifie() override { return false; }
    void effacerModificationEditeur() override {}
    void editeurLectureSeule(bool) override {}
    void selectionnerDansEditeur(int32_t, int32_t) override {}
    void ajouterAffichage(const std::string&) override {}
    void viderAffichage() override {}
    std::string texteAffichage() override { return {}; }
    void remplacerTexteAffichage(const std::string&) override {}
    void legendeFenetre(const std::string&) override {}
    void legendeAffichages(const std::string&) override {}
    void legendeProgramme(const std::string&) override {}
    std::string legendeProgrammeActuelle() override { return {}; }
    void legendeFenetreAvecChemin(const std::string&, const std::string&) override {}
    void legendeProgrammeAvecNom(const std::string&) override {}
    void afficherNote(const std::string&) override {}
    void activerPoursuivreArreter(bool) override {}
    bool poursuivreArreterActifs() override { return false; }
    void cocherInformations(bool) override {}
    void cocherResultat(bool) override {}
    void afficherMessage(const std::string&, const std::string&) override {}
    bool demanderConfirmation(const std::string&, const std::string&) override { return false; }
    void afficherErreur(const std::string&) override {}
    bool choisirFichierAOuvrir(std::string&) override { return false; }
    bool choisirFichierAEnregistrer(std::string&) override { return false; }
    Tlecture lireFichier(const std::string&, size_t, TfichierDecode&) override { return Tlecture::illisible; }
    bool ecrireFichier(const std::string&, const std::string&, std::string&) override { return false; }
    bool fichierExiste(const std::string&) override { return false; }

private:
    const std::string& texte;
};

// The chart under construction: a node per line that has one.
struct Tconstruction {
    const TdonneesCommunes& d;
    Torganigramme o;
    std::map<int32_t, int32_t> noeudLigne;   // line -> node
    int32_t debut = -1;
    int32_t fin = -1;
    int32_t declarations = -1;

    int32_t ajouter(TformeNoeud forme, int32_t ligne, std::string texte) {
        o.noeuds.push_back({forme, ligne, std::move(texte)});
        const auto n = static_cast<int32_t>(o.noeuds.size() - 1);
        if (ligne >= 0)
            noeudLigne[ligne] = n;
        return n;
    }
    void relier(int32_t de, int32_t vers, TsorteArete sorte) { o.aretes.push_back({de, vers, sorte}); }

    // Where an arrow in sequence to the executable line `cible` (-1: the
    // end) comes in: at the first label of the lines just before it that run
    // nothing (falling through passes each of them), else at the line itself.
    int32_t entree(int32_t cible) const {
        const int32_t depuis = cible == aucuneLigne ? d.derniereLigne : cible - 1;
        int32_t premiere = cible == aucuneLigne ? fin : noeudLigne.at(cible);
        for (int32_t i = depuis; i >= 0 && !estExecutable(d.instructions[i]); --i)
            if (d.instructions[i].nature == natEtiquette)
                premiere = noeudLigne.at(i);
        return premiere;
    }
    // A branch comes in at the join point of the label it names.
    int32_t etiquette(const Tinstruction& I) const { return noeudLigne.at(I.ligneEtiquette); }
};

const std::string& motDebut() { static const std::string t = depuisUtf8("Début"); return t; }

// The condition of «Aller à [..] si C», as the diamond shows it: "C ?".
std::string texteCondition(const std::string& ligne) {
    const size_t si = ligne.rfind("] si ");
    return si == std::string::npos ? ligne : ligne.substr(si + 5) + " ?";
}

// The box that a comment on line `ligne` stands beside: the first line at
// or after it with a box (a declaration's is the note at the top).
int32_t porteur(const Tconstruction& c, int32_t ligne) {
    for (int32_t i = ligne; i <= c.d.derniereLigne; ++i) {
        if (c.d.instructions[i].nature == natDeclaration)
            return c.declarations;
        if (const auto n = c.noeudLigne.find(i); n != c.noeudLigne.end())
            return n->second;
    }
    return c.fin;
}

void ajouterCommentaires(Tconstruction& c, const std::vector<std::string>& source) {
    std::map<int32_t, std::pair<int32_t, std::string>> notes;   // bearer -> first line, texts
    const auto limite = std::min<size_t>(source.size(), static_cast<size_t>(c.d.derniereLigne) + 1);
    for (size_t i = 0; i < limite; ++i) {
        const size_t diese = source[i].find('#');
        if (diese == std::string::npos)
            continue;
        const std::string texte = sansBlancs(std::string_view(source[i]).substr(diese + 1));
        if (texte.empty())
            continue;
        const auto ligne = static_cast<int32_t>(i);
        const int32_t n = porteur(c, ligne);
        if (n < 0)
            continue;
        auto [note, nouvelle] = notes.try_emplace(n, ligne, texte);
        if (!nouvelle)
            note->second.second += "\r\n" + texte;
    }
    for (const auto& [n, note] : notes) {
        const int32_t commentaire = c.ajouter(TformeNoeud::commentaire, -1, note.second);
        c.o.noeuds[static_cast<size_t>(commentaire)].ligne = note.first;
        c.relier(n, commentaire, TsorteArete::note);
    }
}

} // namespace

Torganigramme construireOrganigramme(const TdonneesCommunes& d, const std::vector<std::string>& source,
                                     bool commentaires) {
    Tconstruction c{d, {}, {}};
    c.o.codeErreur = d.codeErreur;
    c.o.ligneErreur = d.ligneErreur;
    if (d.codeErreur != 0 || d.premiereInstruction == aucuneLigne)
        return std::move(c.o);

    std::string declarations;
    for (int32_t i = 0; i <= d.derniereLigne; ++i)
        if (d.instructions[i].nature == natDeclaration)
            declarations += (declarations.empty() ? "" : "\r\n") + d.copieDeTravail[i];
    if (!declarations.empty())
        c.declarations = c.ajouter(TformeNoeud::declarations, -1, declarations);
    c.debut = c.ajouter(TformeNoeud::debut, -1, motDebut());

    for (int32_t i = 0; i <= d.derniereLigne; ++i) {
        const Tinstruction& I = d.instructions[i];
        const std::string& texte = d.copieDeTravail[i];
        switch (I.nature) {
        case natEtiquette: c.ajouter(TformeNoeud::jonction, i, I.etiquette); break;
        case natAffectation:
        case natAffectationListe:
        case natAffectationTableau: c.ajouter(TformeNoeud::affectation, i, texte); break;
        case natAfficher: c.ajouter(TformeNoeud::affichage, i, texte); break;
        case natAllerSi: c.ajouter(TformeNoeud::condition, i, texteCondition(texte)); break;
        case natAller: c.ajouter(TformeNoeud::saut, i, texte); break;
        case natAllerEtRevenir: c.ajouter(TformeNoeud::appel, i, texte); break;
        case natRevenir: c.ajouter(TformeNoeud::retour, i, texte); break;
        default: break;
        }
    }
    c.fin = c.ajouter(TformeNoeud::fin, -1, "Fin");

    if (c.declarations >= 0)
        c.relier(c.declarations, c.debut, TsorteArete::note);
    c.relier(c.debut, c.entree(d.premiereInstruction), TsorteArete::suite);
    for (int32_t i = 0; i <= d.derniereLigne; ++i) {
        const Tinstruction& I = d.instructions[i];
        if (I.nature == natEtiquette) {
            // On to the next label, else where the lines after it lead.
            int32_t j = i + 1;
            while (j <= d.derniereLigne && !estExecutable(d.instructions[j]) &&
                   d.instructions[j].nature != natEtiquette)
                ++j;
            const int32_t vers = j > d.derniereLigne ? c.fin : c.noeudLigne.at(j);
            c.relier(c.noeudLigne.at(i), vers, TsorteArete::suite);
            continue;
        }
        if (!estExecutable(I) || I.nature == natRevenir)
            continue;
        const int32_t n = c.noeudLigne.at(i);
        switch (I.nature) {
        case natAllerSi:
            c.relier(n, c.etiquette(I), TsorteArete::oui);
            c.relier(n, c.entree(I.suivante), TsorteArete::non);
            break;
        case natAllerEtRevenir:
            c.relier(n, c.etiquette(I), TsorteArete::appel);
            c.relier(n, c.entree(I.suivante), TsorteArete::suite);
            break;
        case natAller: c.relier(n, c.etiquette(I), TsorteArete::saut); break;
        default: c.relier(n, c.entree(I.suivante), TsorteArete::suite); break;
        }
    }
    if (commentaires)
        ajouterCommentaires(c, source);
    return std::move(c.o);
}

Torganigramme organigrammeDuTexte(const std::string& texte, bool commentaires) {
    TfenetreTexte fenetre(texte);
    auto d = std::make_unique<TdonneesCommunes>();
    d->fenetre = &fenetre;
    analyserProgramme(*d);
    return construireOrganigramme(*d, decouperLignes(texte), commentaires);
}

int32_t noeudDeLigne(const Torganigramme& o, int32_t ligne) {
    for (size_t n = 0; n < o.noeuds.size(); ++n)
        if (o.noeuds[n].ligne == ligne && o.noeuds[n].forme != TformeNoeud::commentaire)
            return static_cast<int32_t>(n);
    return -1;
}

namespace {

// A text as DOT quotes it (UTF-8), long lines cut at a blank past 40
// characters (anywhere past 80), line ends as DOT's centred breaks.
std::string citer(const std::string& w1252) {
    constexpr size_t largeur = 40;
    std::string sortie = "\"";
    size_t colonne = 0;
    const std::string utf8 = versUtf8(w1252);
    for (size_t i = 0; i < utf8.size(); ++i) {
        const char o = utf8[i];
        if (o == '\r')
            continue;
        const bool debutCaractere = (static_cast<unsigned char>(o) & 0xC0) != 0x80;
        if (o == '\n' || (o == ' ' && colonne >= largeur) || (debutCaractere && colonne >= 2 * largeur)) {
            sortie += "\\n";
            colonne = 0;
            if (o == '\n' || o == ' ')
                continue;
        }
        if (o == '"' || o == '\\')
            sortie += '\\';
        sortie += o;
        if (debutCaractere)
            ++colonne;
    }
    return sortie + "\"";
}

// A text inside an HTML-like label.
std::string html(const std::string& w1252) {
    std::string sortie;
    for (const char o : versUtf8(w1252)) {
        switch (o) {
        case '&': sortie += "&amp;"; break;
        case '<': sortie += "&lt;"; break;
        case '>': sortie += "&gt;"; break;
        case '"': sortie += "&quot;"; break;
        default: sortie += o;
        }
    }
    return sortie;
}

// ORDRE: formes.
constexpr std::array<const char*, 11> attributsForme = {
    "shape=box, style=\"rounded,filled\", fillcolor=\"#e8f0ff\"",   // debut
    "shape=box, style=\"rounded,filled\", fillcolor=\"#e8f0ff\"",   // fin
    "shape=box",                                                     // affectation
    "shape=parallelogram",                                           // affichage
    "shape=diamond",                                                 // condition
    "shape=box, style=\"rounded,filled\", fontsize=9",              // saut
    "shape=plain",                                                   // appel
    "shape=box, style=\"rounded,filled\"",                          // retour
    "shape=circle, width=0.14, height=0.14, fixedsize=true, fillcolor=black", // jonction
    "shape=note, fillcolor=\"#f4f4f4\", fontsize=9",                 // declarations
    "shape=note, fillcolor=\"#fffbe0\", fontcolor=\"#555555\", fontsize=9", // commentaire
};
static_assert(attributsForme.size() == static_cast<size_t>(TformeNoeud::commentaire) + 1);

std::string identifiant(const TnoeudOrganigramme& noeud) {
    switch (noeud.forme) {
    case TformeNoeud::debut: return "debut";
    case TformeNoeud::fin: return "fin";
    case TformeNoeud::declarations: return "declarations";
    case TformeNoeud::commentaire: return "note" + std::to_string(noeud.ligne);
    default: return "ligne" + std::to_string(noeud.ligne);
    }
}

} // namespace

std::string texteDot(const Torganigramme& o) {
    std::string dot =
        "digraph organigramme {\n"
        "  graph [rankdir=TB, nodesep=0.3, ranksep=0.3, forcelabels=true, fontname=\"DejaVu Sans\"];\n"
        "  node [fontname=\"DejaVu Sans\", fontsize=10, style=filled, fillcolor=white, margin=\"0.12,0.04\", "
        "height=0.3];\n"
        "  edge [fontname=\"DejaVu Sans\", fontsize=9, arrowsize=0.7];\n";
    std::vector<std::pair<int32_t, int32_t>> cotes;   // a box and its side note, on one rank
    for (size_t n = 0; n < o.noeuds.size(); ++n) {
        const TnoeudOrganigramme& noeud = o.noeuds[n];
        dot += "  n" + std::to_string(n) + " [id=\"" + identifiant(noeud) + "\", " +
               attributsForme[static_cast<size_t>(noeud.forme)];
        if (noeud.forme == TformeNoeud::jonction)
            dot += ", label=\"\", xlabel=" + citer("[" + noeud.texte + "]");
        else if (noeud.forme == TformeNoeud::appel)
            dot += ", label=<<TABLE BORDER=\"0\" CELLBORDER=\"1\" CELLSPACING=\"0\" CELLPADDING=\"4\" "
                   "BGCOLOR=\"white\"><TR><TD WIDTH=\"4\"></TD><TD>" +
                   html(noeud.texte) + "</TD><TD WIDTH=\"4\"></TD></TR></TABLE>>";
        else
            dot += ", label=" + citer(noeud.texte);
        dot += "];\n";
    }
    for (const TareteOrganigramme& a : o.aretes) {
        dot += "  n" + std::to_string(a.de) + " -> n" + std::to_string(a.vers);
        switch (a.sorte) {
        case TsorteArete::suite: dot += " [weight=8]"; break;
        case TsorteArete::oui: dot += " [label=\"oui\", fontcolor=\"#006000\"]"; break;
        case TsorteArete::non: dot += " [label=\"non\", fontcolor=\"#a00000\", weight=8]"; break;
        case TsorteArete::saut: dot += " [weight=2]"; break;
        case TsorteArete::appel: dot += " [style=dashed, label=\"appel\"]"; break;
        case TsorteArete::note:
            if (o.noeuds[static_cast<size_t>(a.vers)].forme == TformeNoeud::commentaire) {
                dot += " [style=dashed, dir=none, color=\"#999999\"]";
                cotes.emplace_back(a.de, a.vers);
            } else {
                dot += " [style=invis]";
            }
            break;
        }
        dot += ";\n";
    }
    for (const auto& [boite, note] : cotes)
        dot += "  { rank=same; n" + std::to_string(boite) + "; n" + std::to_string(note) + "; }\n";
    return dot + "}\n";
}

std::string raisonSansOrganigramme(const Torganigramme& o) {
    std::string texte = messageErreur(o.codeErreur);
    if (o.ligneErreur >= 0)
        texte = "Ligne " + std::to_string(o.ligneErreur + 1) + " : " + texte;
    return texte;
}
