// trevane-verifier: checks a class's programs against the expected output.
// See `trevane-verifier --help` and the README.
#include "tools/verifier/options.h"
#include "tools/verifier/parallele.h"
#include "tools/verifier/rapports.h"
#include "tools/verifier/textes_rapport.h"

#include "base/fichiers_systeme.h"
#include "tools/demarrage_console.h"
#include "tools/fenetre_memoire.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

namespace {

constexpr int sortieReussite = 0;
constexpr int sortieEchecs = 1;
constexpr int sortieUsage = 64;
constexpr int sortieEcriture = 74;

bool ecrire(std::FILE* flux, const std::string& texte) {
    return std::fwrite(texte.data(), 1, texte.size(), flux) == texte.size() && std::fflush(flux) == 0;
}

int refuser(const std::string& message) {
    ecrire(stderr, "trevane-verifier : " + message + "\n");
    return sortieUsage;
}

// A new or regular file is replaced whole once written (a failure leaves the
// old one and no temporary file); a link to a regular file has its target
// replaced so, and stays a link; anything else ("/dev/stdout" on a pipe, a
// FIFO) is written into, never replaced.
bool ecrireDans(const std::string& chemin, const std::string& contenu) {
    namespace fs = std::filesystem;
    std::error_code erreur;
    const auto etat = fs::symlink_status(versCheminFs(chemin), erreur);
    if (erreur || fs::is_regular_file(etat) || !fs::exists(etat))
        return ecrireFichierOctets(chemin, contenu);
    if (fs::is_symlink(etat)) {
        const fs::path cible = fs::canonical(versCheminFs(chemin), erreur);
        if (!erreur && fs::is_regular_file(cible, erreur))
            return ecrireFichierOctets(depuisCheminFs(cible), contenu);
    }
    std::FILE* fichier = ouvrirFichier(chemin, "wb");
    if (!fichier)
        return false;
    const bool ecrit = ecrire(fichier, contenu);
    return (std::fclose(fichier) == 0) && ecrit;
}

bool ecrireRapport(const std::string& chemin, const std::string& contenu) {
    if (chemin.empty() || ecrireDans(chemin, contenu))
        return true;
    ecrire(stderr, "trevane-verifier : impossible d'écrire le rapport " + nomLisible(chemin) + "\n");
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (const auto statut = demarrerConsole(argc, argv, "trevane-verifier", texteAide(), sortieEcriture))
        return *statut;
    Toptions o;
    std::string erreur;
    if (!lireOptions(argc, argv, o, erreur)) {
        ecrire(stderr, "trevane-verifier : " + erreur + "\n" +
                           "usage : trevane-verifier [OPTIONS] ENTREE...  (--help pour l'aide)\n");
        return sortieUsage;
    }

    Tparametres p;
    p.maxInstructions = o.maxInstructions;
    p.ignorerBlancs = o.ignorerBlancs;
    p.graine = o.graine;

    // The expected output, before any learner's program runs.
    TlignesGroupees lignes;
    std::string raison;
    TcontexteHtml contexte;
    if (!o.reference.empty()) {
        if (!executerReference(o.reference, p, lignes, raison))
            return refuser("la référence " + nomLisible(o.reference) + " ne peut servir : " + sansControles(raison));
        contexte.source = "Référence : " + nomLisible(o.reference);
    } else {
        if (!lireAttendu(o.attendu, lignes, raison))
            return refuser("sortie attendue " + nomLisible(o.attendu) + " : " + raison);
        contexte.source = "Sortie attendue : " + nomLisible(o.attendu);
    }
    const Tattendu attendu(std::move(lignes), o.ignorerBlancs);
    contexte.ignorerBlancs = o.ignorerBlancs;
    contexte.maxInstructions = o.maxInstructions;

    const std::vector<Tprogramme> programmes = listerProgrammes(o.entrees);
    unsigned travailleurs = o.jobs ? o.jobs : std::thread::hardware_concurrency();
    if (travailleurs == 0)
        travailleurs = 1;
    const std::vector<Tverdict> verdicts = verifierTous(programmes, attendu, p, travailleurs);

    bool ecrits = ecrire(stdout, rapportTableau(verdicts));
    if (!ecrits)
        ecrire(stderr, "trevane-verifier : impossible d'écrire sur la sortie standard\n");
    ecrits = ecrireRapport(o.csv, rapportCsv(verdicts)) && ecrits;
    ecrits = ecrireRapport(o.html, rapportHtml(verdicts, attendu, contexte)) && ecrits;
    if (!ecrits)
        return sortieEcriture;

    if (programmes.empty()) {
        ecrire(stderr, "trevane-verifier : aucun programme trouvé\n");
        return sortieEchecs;
    }
    return compterStatuts(verdicts)[static_cast<size_t>(Tstatut::reussi)] == verdicts.size() ? sortieReussite
                                                                                             : sortieEchecs;
}
