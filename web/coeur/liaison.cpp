// The session for JavaScript (embind): `new Session(graine)`, one method per
// command, each returning what changed since the previous one. Texts cross
// as JavaScript strings (decoded from Windows-1252), files as Uint8Array.
// build-web/trevane-session.mjs exports the module's factory; under Node it
// needs `locateFile` to find the .wasm (tests/web/session.mjs).
//
//   { affichage: { remplace, lignes },          the pane's new lines (all of them after remplace);
//                                               after formeLignes("octets"): { remplace, octets, fins }
//     editeur: { texte | null, lectureSeule, modifie },    the text ("\n" between lines) when the core changed it
//     selection: null | { ligne, debut, longueur },         the line the core selected last
//     legendes: { fenetre, affichages, programme }, note, fichier,   the program's path ("" for none)
//     menus: { poursuivre, arreter, informations, resultats,
//              jusquAuPointArret, pasPrecedent, raisonPasPrecedent },   the last: why no step back ("" if none)
//     boites: [{ genre, texte, legende }],       "message", "confirmation" (answered by repondre), "erreur"
//     fichiersEcrits: [{ chemin, octets }],      Windows-1252 with CR LF, as the file is
//     variables: { raisonVide, titres, lignes: [{ nom, type, valeur, change, elements: [...] }] },
//     suivi: { recommence, titres, lignes: [{ cellules, changes }], tronque },   rows new since the last read
//     marques: { executee, suivante, erreur, pointsArret: [] } }  the gutter's lines from 0, -1 for none
//
// `exporterSuivi()` answers that with `export: { nom, octets } | null`;
// `questionCopie(fichier, annee, mois, jour, heure, minute)` (no year: date
// unknown) is the question that offers a recovery copy back.
#include "base/codage.h"
#include "base/donnees.h"
#include "commands/recuperation.h"
#include "execution/historique.h"
#include "web/coeur/session_web.h"

#include <algorithm>

#include <emscripten/bind.h>
#include <emscripten/val.h>

using emscripten::val;

namespace {

constexpr const char* separateurLignes = "\xEF\xBF\xBF";

val texteJs(const std::string& w1252) { return val(versUtf8(w1252)); }

std::string octetsDe(const val& tableau) {
    const std::vector<uint8_t> octets = emscripten::convertJSArrayToNumberVector<uint8_t>(tableau);
    return std::string(octets.begin(), octets.end());
}

val octetsJs(const std::string& octets) {
    return val::global("Uint8Array").new_(emscripten::typed_memory_view(octets.size(), reinterpret_cast<const uint8_t*>(octets.data())));
}

val ligneVariable(const TlignesVariables& v, int32_t k, int32_t element) {
    val ligne = val::object();
    ligne.set("nom", texteJs(v.texte(k, element, TlignesVariables::colonneNom)));
    ligne.set("type", texteJs(v.texte(k, element, TlignesVariables::colonneType)));
    ligne.set("valeur", texteJs(v.texte(k, element, TlignesVariables::colonneValeur)));
    ligne.set("change", v.change(k, element));
    return ligne;
}

val variablesJs(const TsessionWeb& s) {
    val resultat = val::object();
    resultat.set("raisonVide", s.analyseReussie ? val("") : texteJs(raisonSuiviVide(s.analyseEchouee)));
    val titres = val::array();
    for (int32_t c = 0; c < TlignesVariables::nbColonnes; ++c)
        titres.call<void>("push", texteJs(TlignesVariables::titre(static_cast<TlignesVariables::Tcolonne>(c))));
    resultat.set("titres", titres);
    val lignes = val::array();
    for (int32_t k = 0; s.analyseReussie && k < s.variables.nbVariables(); ++k) {
        val ligne = ligneVariable(s.variables, k, TlignesVariables::ligneVariable);
        val elements = val::array();
        for (int32_t e = 0; e < s.variables.nbElements(k); ++e)
            elements.call<void>("push", ligneVariable(s.variables, k, e));
        ligne.set("elements", elements);
        lignes.call<void>("push", ligne);
    }
    resultat.set("lignes", lignes);
    return resultat;
}

val suiviJs(TsessionWeb& s) {
    val resultat = val::object();
    resultat.set("recommence", s.suiviRecommence);
    val titres = val::array();
    for (int32_t c = 0; c < s.suivi.nbColonnes(); ++c)
        titres.call<void>("push", texteJs(s.suivi.titre(c)));
    resultat.set("titres", titres);
    val lignes = val::array();
    for (int32_t i = s.suiviRecommence ? 0 : s.suiviLues; i < s.suivi.nombre(); ++i) {
        val cellules = val::array(), changes = val::array();
        for (int32_t c = 0; c < s.suivi.nbColonnes(); ++c) {
            cellules.call<void>("push", texteJs(s.suivi.texte(i, c)));
            changes.call<void>("push", s.suivi.change(i, c));
        }
        val ligne = val::object();
        ligne.set("cellules", cellules);
        ligne.set("changes", changes);
        lignes.call<void>("push", ligne);
    }
    resultat.set("lignes", lignes);
    resultat.set("tronque", s.suivi.tronque());
    s.suiviLues = s.suivi.nombre();
    s.suiviRecommence = false;
    return resultat;
}

// One string split once in JavaScript: a crossing per line would cost
// more. U+FFFF never comes out of Windows-1252.
val lignesEnTableau(const TfenetreWeb& f) {
    if (f.lignesLues >= f.affichage.nombre())
        return val::array();
    std::string texte;
    for (int64_t i = f.lignesLues; i < f.affichage.nombre(); ++i) {
        if (i > f.lignesLues)
            texte += separateurLignes;
        texte += versUtf8(f.affichage.ligne(i));
    }
    return val(texte).call<val>("split", val(std::string(separateurLignes)));
}

// The lines' UTF-8 bytes end to end (`octets`) and where each one ends
// (`fins`): two copies, whatever the number of lines.
void lignesEnOctets(const TfenetreWeb& f, val& affichage) {
    std::string octets;
    std::vector<uint32_t> fins;
    fins.reserve(static_cast<size_t>(f.affichage.nombre() - f.lignesLues));
    for (int64_t i = f.lignesLues; i < f.affichage.nombre(); ++i) {
        const std::string_view ligne = f.affichage.ligne(i);
        // Most lines are ASCII, the same bytes in both codes.
        if (std::all_of(ligne.begin(), ligne.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            octets += ligne;
        else
            octets += versUtf8(ligne);
        fins.push_back(static_cast<uint32_t>(octets.size()));
    }
    affichage.set("octets", octetsJs(octets));
    affichage.set("fins", val::global("Uint32Array").new_(emscripten::typed_memory_view(fins.size(), fins.data())));
}

// What changed since the last call; the counters move on.
val changements(TsessionWeb& s) {
    TfenetreWeb& f = s.fenetre;
    val resultat = val::object();

    val affichage = val::object();
    affichage.set("remplace", f.affichageRemplace);
    if (s.formeLignes == TsessionWeb::TformeLignes::octets)
        lignesEnOctets(f, affichage);
    else if (s.formeLignes == TsessionWeb::TformeLignes::tableau)
        affichage.set("lignes", lignesEnTableau(f));
    f.lignesLues = f.affichage.nombre();
    f.affichageRemplace = false;
    resultat.set("affichage", affichage);

    val editeur = val::object();
    if (f.editeurRemplace) {
        std::string texte;
        for (const std::string& ligne : f.lignesEditeur)
            texte += versUtf8(ligne) + "\n";
        if (!f.sautFinal && !texte.empty())
            texte.pop_back();
        editeur.set("texte", texte);
    } else {
        editeur.set("texte", val::null());
    }
    f.editeurRemplace = false;
    editeur.set("lectureSeule", f.lectureSeule);
    editeur.set("modifie", f.modifie);
    resultat.set("editeur", editeur);

    val selection = val::null();
    if (f.selection) {
        selection = val::object();
        selection.set("ligne", f.ligneALaPosition(f.selection->first));
        selection.set("debut", f.selection->first);
        selection.set("longueur", f.selection->second);
    }
    f.selection.reset();
    resultat.set("selection", selection);

    val legendes = val::object();
    legendes.set("fenetre", texteJs(f.fenetre));
    legendes.set("affichages", texteJs(f.affichages));
    legendes.set("programme", texteJs(f.programme));
    resultat.set("legendes", legendes);
    resultat.set("note", texteJs(f.note));
    resultat.set("fichier", val(s.donnees().nomFichier));

    val menus = val::object();
    menus.set("poursuivre", f.poursuivreActif);
    menus.set("arreter", f.poursuivreActif);
    menus.set("informations", f.informationsCochee);
    menus.set("resultats", f.resultatCoche);
    // Only a commented run goes step by step to a breakpoint, or back.
    const bool commentee = f.poursuivreActif && s.donnees().modeExecution == executionCommentee;
    menus.set("jusquAuPointArret", commentee);
    menus.set("pasPrecedent", commentee && pasPrecedentPossible(s.donnees()));
    menus.set("raisonPasPrecedent", texteJs(raisonPasPrecedent(s.donnees())));
    resultat.set("menus", menus);

    val boites = val::array();
    for (const auto& b : f.boites) {
        val boite = val::object();
        boite.set("genre", val(b[0]));
        boite.set("texte", texteJs(b[1]));
        boite.set("legende", texteJs(b[2]));
        boites.call<void>("push", boite);
    }
    f.boites.clear();
    resultat.set("boites", boites);

    val ecrits = val::array();
    for (const std::string& chemin : f.fichiersEcrits) {
        val fichier = val::object();
        fichier.set("chemin", val(chemin));
        fichier.set("octets", octetsJs(f.fichiers[chemin]));
        ecrits.call<void>("push", fichier);
    }
    f.fichiersEcrits.clear();
    resultat.set("fichiersEcrits", ecrits);

    resultat.set("variables", variablesJs(s));
    resultat.set("suivi", suiviJs(s));
    const TmarquesLignes& m = s.marques.marques();
    val marques = val::object();
    marques.set("executee", m.executee);
    marques.set("suivante", m.suivante);
    marques.set("erreur", m.erreur);
    val arrets = val::array();
    for (const int32_t ligne : m.pointsArret)
        arrets.call<void>("push", ligne);
    marques.set("pointsArret", arrets);
    resultat.set("marques", marques);
    return resultat;
}

val ouvrir(TsessionWeb& s, const std::string& chemin, const val& octets) {
    s.ouvrirFichier(chemin, octetsDe(octets));
    return changements(s);
}
val charger(TsessionWeb& s, const std::string& chemin, const val& octets) {
    s.chargerFichier(chemin, octetsDe(octets));
    return changements(s);
}
val nouveau(TsessionWeb& s) { s.nouveau(); return changements(s); }
val enregistrer(TsessionWeb& s, const std::string& chemin) { s.enregistrer(chemin); return changements(s); }
val enregistrerSous(TsessionWeb& s, const std::string& chemin) { s.enregistrerSous(chemin); return changements(s); }
val executer(TsessionWeb& s, bool commentee) {
    s.executer(commentee ? executionCommentee : executionNormale);
    return changements(s);
}
val poursuivre(TsessionWeb& s) { s.poursuivre(); return changements(s); }
val arreter(TsessionWeb& s) { s.arreter(); return changements(s); }
val basculerPointArret(TsessionWeb& s, int32_t ligne) { s.basculerPointArret(ligne); return changements(s); }
val jusquAuPointArret(TsessionWeb& s) { s.jusquAuPointArret(); return changements(s); }
val jusquAuCurseur(TsessionWeb& s, int32_t ligne) { s.jusquAuCurseur(ligne); return changements(s); }
val pasPrecedent(TsessionWeb& s) { s.pasPrecedent(); return changements(s); }
val arreterAuDebut(TsessionWeb& s, bool commentee) {
    s.arreterAuDebut(commentee ? executionCommentee : executionNormale);
    return changements(s);
}
val informations(TsessionWeb& s) { s.afficher(modeInformations); return changements(s); }
val resultats(TsessionWeb& s) { s.afficher(modeResultats); return changements(s); }
// The user edits: the editor's whole text, lines joined by "\n" or CR LF.
val taper(TsessionWeb& s, const std::string& texte) { s.taper(depuisUtf8(texte)); return changements(s); }
val exemple(TsessionWeb& s, const val& octets) { s.ouvrirExemple(octetsDe(octets)); return changements(s); }
val restaurer(TsessionWeb& s, const std::string& texte, const std::string& chemin) {
    s.restaurer(depuisUtf8(texte), chemin);
    return changements(s);
}
val exporterSuivi(TsessionWeb& s) {
    std::string nom, octets;
    const bool exporte = s.exporterSuivi(nom, octets);
    val resultat = changements(s);
    val fichier = val::null();
    if (exporte) {
        fichier = val::object();
        fichier.set("nom", val(nom));   // a path: UTF-8
        fichier.set("octets", octetsJs(octets));
    }
    resultat.set("export", fichier);
    return resultat;
}
std::string questionCopieJs(const std::string& fichier, int annee, int mois, int jour, int heure, int minute) {
    std::optional<TmomentLocal> quand;
    if (annee > 0)
        quand = TmomentLocal{annee, mois, jour, heure, minute};
    return versUtf8(questionCopie({fichier, {}, {}}, quand));
}
// The answer to the next question a command asks (without one: No).
void repondre(TsessionWeb& s, bool oui) { s.fenetre.reponses.push_back(oui); }
// "tableau" (the default), "octets" or "aucune": see TsessionWeb::formeLignes.
void formeLignes(TsessionWeb& s, const std::string& forme) {
    s.formeLignes = forme == "octets"   ? TsessionWeb::TformeLignes::octets
                    : forme == "aucune" ? TsessionWeb::TformeLignes::aucune
                                        : TsessionWeb::TformeLignes::tableau;
}

} // namespace

EMSCRIPTEN_BINDINGS(trevane) {
    emscripten::class_<TsessionWeb>("Session")
        .constructor<uint32_t>()
        .function("etat", &changements)
        .function("ouvrir", &ouvrir)
        .function("charger", &charger)
        .function("nouveau", &nouveau)
        .function("enregistrer", &enregistrer)
        .function("enregistrerSous", &enregistrerSous)
        .function("executer", &executer)
        .function("poursuivre", &poursuivre)
        .function("arreter", &arreter)
        .function("arreterAuDebut", &arreterAuDebut)
        .function("basculerPointArret", &basculerPointArret)
        .function("jusquAuPointArret", &jusquAuPointArret)
        .function("jusquAuCurseur", &jusquAuCurseur)
        .function("pasPrecedent", &pasPrecedent)
        .function("informations", &informations)
        .function("resultats", &resultats)
        .function("taper", &taper)
        .function("repondre", &repondre)
        .function("formeLignes", &formeLignes)
        .function("exemple", &exemple)
        .function("restaurer", &restaurer)
        .function("exporterSuivi", &exporterSuivi);
    emscripten::function("questionCopie", &questionCopieJs);
}
