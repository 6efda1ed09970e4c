#include "tools/verifier/verification.h"

#include "base/codage.h"
#include "base/donnees.h"
#include "base/lecture_programme.h"
#include "base/lignes.h"
#include "base/messages.h"
#include "commands/session.h"
#include "execution/controle.h"
#include "tools/fenetre_memoire.h"
#include "tools/lecture_texte.h"

#include <memory>
#include <cstdint>
#include <new>

namespace {

// The window of a checked run: the program's output goes to the receiver;
// the reference text, the run reports and the commentary are dropped.
class TfenetreVerification : public TfenetreMemoire {
public:
    explicit TfenetreVerification(Trecepteur& recepteur) : recepteur_(recepteur) {}
    void ajouterAffichage(const std::string&) override {}
    void ajouterSortie(const std::string& texte) override { recepteur_.recevoir(texte); }

private:
    Trecepteur& recepteur_;
};

// Instructions run between two looks at the receiver: a program that writes
// without end is stopped soon after its output has grown too long.
constexpr int32_t pasParTour = 1024;

} // namespace

Tissue executerProgramme(const std::vector<std::string>& lignes, Trecepteur& recepteur, const Tparametres& p) {
    TfenetreVerification f(recepteur);
    auto d = std::make_unique<TdonneesCommunes>();
    d->fenetre = &f;
    demarrerSession(*d, p.graine);
    f.lignesEditeur = lignes;

    Tissue issue;
    if (!preparerExecution(*d, executionNormale)) {
        issue.fin = Tfin::erreurAnalyse;
        issue.code = d->codeErreur;
        issue.ligne = d->ligneErreur;
        return issue;
    }
    while (d->erreurExecution == 0 && d->ligneCourante != aucuneLigne && !recepteur.assez() &&
           issue.instructions < p.maxInstructions) {
        const uint64_t reste = p.maxInstructions - issue.instructions;
        const uint32_t avant = static_cast<uint32_t>(d->nbPas);
        executerAuPlus(*d, reste < static_cast<uint64_t>(pasParTour) ? static_cast<int32_t>(reste) : pasParTour);
        issue.instructions += static_cast<uint32_t>(static_cast<uint32_t>(d->nbPas) - avant);
    }
    if (d->erreurExecution != 0) {
        issue.fin = Tfin::erreurExecution;
        issue.code = d->erreurExecution;
        issue.ligne = d->ligneErreur;
    } else if (d->ligneCourante == aucuneLigne) {
        issue.fin = Tfin::terminee;
    } else if (recepteur.assez()) {
        issue.fin = Tfin::assez;
    } else {
        issue.fin = Tfin::tropLongue;
    }
    return issue;
}

std::string messageTropLong(uint64_t instructions) {
    return "Arrêté après " + std::to_string(instructions) + " instructions.";
}

namespace {

std::string raisonLecture(TlectureTexte lecture) {
    return lecture == TlectureTexte::tropVolumineux ? "Fichier trop volumineux" : "Impossible d'ouvrir le fichier";
}

void jugerSortie(Tverdict& v, const Tcomparaison& comparaison, const Tattendu& attendu) {
    v.nombreObtenues = comparaison.nombreRecues();
    v.interrompue = comparaison.debordee();
    const std::optional<size_t> difference = comparaison.difference();
    if (!difference) {
        v.statut = Tstatut::reussi;
        return;
    }
    v.statut = Tstatut::sortieDifferente;
    v.difference = *difference;
    v.ligne = static_cast<int32_t>(*difference < INT32_MAX ? *difference + 1 : INT32_MAX);
    const size_t k = *difference - comparaison.premiereGardee();
    std::optional<std::string_view> obtenue, attendue;
    if (k < comparaison.gardees().size())
        obtenue = comparaison.gardees()[k];
    if (*difference < attendu.lignes.size())
        attendue = attendu.lignes[*difference];
    v.detail = detailDifference(attendue, obtenue);
    if (v.interrompue)
        v.detail += " ; sortie interrompue après " + std::to_string(v.nombreObtenues) + " lignes";
}

Tverdict verifier(const Tprogramme& programme, const Tattendu& attendu, const Tparametres& p) {
    Tverdict v;
    v.fichier = programme.affiche;
    if (!programme.refus.empty()) {
        v.statut = Tstatut::illisible;
        v.detail = programme.refus;
        return v;
    }
    std::vector<std::string> lignes;
    std::string note;   // how the file was read, as the window and the runner say it
    {
        TfichierDecode lu;
        const TlectureTexte lecture = lireProgrammeTexte(programme.chemin, lu);
        if (lecture != TlectureTexte::lu) {
            v.statut = Tstatut::illisible;
            v.detail = raisonLecture(lecture);
            return v;
        }
        note = versUtf8(noteDecodage(lu));
        lignes = lignesAExecuter(lu.texte);
    }
    const auto ajouterNote = [&v, &note] {
        if (!note.empty())
            v.detail += v.detail.empty() ? note : " ; " + note;
    };
    Tcomparaison comparaison(attendu, p.ignorerBlancs);
    const Tissue issue = executerProgramme(lignes, comparaison, p);
    v.instructions = issue.instructions;
    switch (issue.fin) {
    case Tfin::erreurAnalyse:
        v.statut = Tstatut::erreurAnalyse;
        v.detail = versUtf8(messageAnalyse(issue.code));
        break;
    case Tfin::erreurExecution:
        v.statut = Tstatut::erreurExecution;
        v.detail = versUtf8(messageExecution(issue.code));
        break;
    case Tfin::tropLongue:
        v.statut = Tstatut::tropLong;
        v.detail = messageTropLong(issue.instructions);
        break;
    case Tfin::terminee:
    case Tfin::assez:
        comparaison.resserrer();
        jugerSortie(v, comparaison, attendu);
        v.premiereGardee = comparaison.premiereGardee();
        v.gardees.assign(comparaison.gardees().begin(), comparaison.gardees().end());
        ajouterNote();
        return v;
    }
    if (issue.ligne != aucuneLigne)
        v.ligne = issue.ligne + 1;
    ajouterNote();
    return v;
}

} // namespace

Tverdict verifierProgramme(const Tprogramme& programme, const Tattendu& attendu, const Tparametres& p) {
    try {
        return verifier(programme, attendu, p);
    } catch (const std::bad_alloc&) {
        Tverdict v;
        v.fichier = programme.affiche;
        v.statut = Tstatut::erreurExecution;
        v.detail = "Vérification impossible : mémoire insuffisante";
        return v;
    } catch (...) {
        Tverdict v;
        v.fichier = programme.affiche;
        v.statut = Tstatut::erreurExecution;
        v.detail = "Vérification impossible";
        return v;
    }
}

bool executerReference(const std::string& chemin, const Tparametres& p, TlignesGroupees& lignes,
                       std::string& raison) {
    TfichierDecode lu;
    const TlectureTexte lecture = lireProgrammeTexte(chemin, lu);
    if (lecture != TlectureTexte::lu) {
        raison = raisonLecture(lecture);
        return false;
    }
    const std::vector<std::string> programme = lignesAExecuter(lu.texte);
    Trecueil recueil;
    const Tissue issue = executerProgramme(programme, recueil, p);
    const std::string ligne = issue.ligne != aucuneLigne ? ", ligne " + std::to_string(issue.ligne + 1) : "";
    switch (issue.fin) {
    case Tfin::terminee:
        lignes = std::move(recueil.lignes);
        return true;
    case Tfin::erreurAnalyse:
        raison = "Erreur à l'analyse du programme" + ligne + " : " + versUtf8(messageAnalyse(issue.code));
        return false;
    case Tfin::erreurExecution:
        raison = "Erreur à l'exécution du programme" + ligne + " : " + versUtf8(messageExecution(issue.code));
        return false;
    case Tfin::tropLongue:
        raison = messageTropLong(issue.instructions);
        return false;
    case Tfin::assez:
        raison = "Sortie trop longue (plus de " + std::to_string(Trecueil::lignesMax) + " lignes ou " +
                 std::to_string(Trecueil::octetsMax >> 20) + " Mo).";
        return false;
    }
    return false;
}

bool lireAttendu(const std::string& chemin, TlignesGroupees& lignes, std::string& raison) {
    TfichierDecode lu;
    const TlectureTexte lecture = lireTexte(chemin, lu);
    if (lecture != TlectureTexte::lu) {
        raison = raisonLecture(lecture);
        return false;
    }
    lignes = TlignesGroupees(lu.texte);
    while (!lignes.empty() && lignes[lignes.size() - 1].empty())
        lignes.retirerDerniere();
    return true;
}
