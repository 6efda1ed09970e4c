// The console runner: runs one program file with the core of the window and
// writes what the display pane would show.
//
//   trevane-run [--pas-a-pas] [--poursuivre N] [--graine N] [--suivi SUIVI.csv] [--arret LIGNE]... FICHIER
//   trevane-run --sortie-programme [--max-instructions N] [--graine N] FICHIER
//   trevane-run --help | --version
//
// FICHIER is read as the window's Open reads it (a UTF-8 or UTF-16 file is
// converted to Windows-1252, tabs become blanks) and becomes the editor's
// text; what the reading changed is noted on stderr first. The
// run command "Normale" (or "Commentée pas à pas" with --pas-a-pas) is given
// once, then "Poursuivre" N more times, each only while the window would
// accept it. stdout: the display pane's lines in UTF-8, one per line, each
// with its leading blank, written as the run shows them. stderr:
// "selection: N" (N from 0) each time the editor selects a line.
// Exit status: 0 the run ended, 1 analysis error, 2 run-time error, 3 the run
// waits for Poursuivre, 4 the file cannot be read or is too large to be a
// program (or the trace cannot be written, and is then removed), 5 stdout or
// stderr could not be written, 64 bad usage (the trace's file is the
// program's), 70 internal error. --suivi writes the trace of the executed
// steps to SUIVI.csv (execution/suivi_csv.h) and changes nothing else.
// --sortie-programme writes only the program's output lines, for graders
// (tools/sortie_programme.h). --arret LIGNE (from 1, repeatable) marks a
// breakpoint as the gutter does: the run stops before it as a suspended run
// waits (status 3), and Poursuivre goes on from it.
#include "base/codage.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "base/fichiers_systeme.h"
#include "base/lecture_programme.h"
#include "commands/session.h"
#include "execution/controle.h"
#include "execution/points_arret.h"
#include "execution/suivi_csv.h"
#include "tools/demarrage_console.h"
#include "tools/nombre_argument.h"
#include "tools/sortie_console.h"
#include "tools/sortie_programme.h"
#include "tools/statuts_runner.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The usage line: the whole message of a usage error, and the help's first line.
#define USAGE "usage : trevane-run [--pas-a-pas] [--poursuivre N] [--graine N] [--suivi SUIVI.csv]\n" \
              "                   [--arret LIGNE]... FICHIER\n" \
              "        trevane-run --sortie-programme [--max-instructions N] [--graine N] FICHIER\n"
constexpr std::string_view aide =
    USAGE
    "Exécute le programme FICHIER (Windows-1252, ou lu en UTF-8 ou UTF-16 comme\n"
    "Ouvrir le lit) comme la fenêtre de Trevane et\n"
    "écrit sur la sortie standard, en UTF-8, ce que montre le volet d'affichage.\n"
    "\n"
    "  --pas-a-pas     exécution « Commentée pas à pas » au lieu de « Normale »\n"
    "  --poursuivre N  puis « Poursuivre » N fois au plus, tant que la fenêtre l'accepte\n"
    "  --graine N      graine du hasard (sinon l'horloge, comme au démarrage)\n"
    "  --suivi SUIVI.csv\n"
    "                  écrit aussi dans SUIVI.csv le tableau de suivi des pas exécutés\n"
    "  --arret LIGNE   point d'arrêt sur la ligne LIGNE (numérotée depuis 1 ; répétable) :\n"
    "                  l'exécution s'arrête avant elle, en attente de « Poursuivre »\n"
    "  --sortie-programme\n"
    "                  écrit seulement les lignes des instructions d'affichage, pour\n"
    "                  comparer (exécution « Normale ») ; une erreur sur la sortie\n"
    "                  d'erreur, statut 1 (analyse), 2 (exécution) ou 3 (trop long)\n"
    "  --max-instructions N\n"
    "                  avec --sortie-programme, arrête après N instructions\n"
    "                  (100000000 par défaut)\n"
    "  --help          affiche cette aide\n"
    "  --version       affiche la version\n"
    "\n"
    "Sortie d'erreur : « selection: N » chaque fois que l'éditeur sélectionne la\n"
    "ligne N (numérotée depuis 0).\n"
    "Statut : 0 exécution terminée, 1 erreur d'analyse, 2 erreur d'exécution,\n"
    "3 en attente de « Poursuivre », 4 fichier illisible ou trop grand (ou suivi\n"
    "impossible à écrire), 5 sortie impossible à écrire, 64 mauvaise utilisation,\n"
    "70 erreur interne.\n";

struct Toptions {
    bool pasAPas = false;
    unsigned long long poursuivre = 0;
    std::optional<uint32_t> graine;
    std::optional<std::string> suivi;
    std::vector<int32_t> arrets;   // lines from 0
    bool sortieProgramme = false;
    std::optional<uint64_t> maxInstructions;
    std::string fichier;
};

bool lireOptions(int argc, char** argv, Toptions& options) {
    bool fichierVu = false;
    bool finOptions = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!finOptions && argument == "--") {
            finOptions = true;
        } else if (!finOptions && argument == "--pas-a-pas") {
            options.pasAPas = true;
        } else if (!finOptions && argument == "--poursuivre") {
            if (++i >= argc || !lireNombre(argv[i], options.poursuivre))
                return false;
        } else if (!finOptions && argument == "--graine") {
            uint32_t graine = 0;
            if (++i >= argc || !lireNombre(argv[i], graine))
                return false;
            options.graine = graine;
        } else if (!finOptions && argument == "--suivi") {
            if (++i >= argc)
                return false;
            options.suivi = argv[i];
        } else if (!finOptions && argument == "--arret") {
            uint32_t ligne = 0;
            if (++i >= argc || !lireNombre(argv[i], ligne) || ligne == 0 || ligne > nbLignesMax)
                return false;
            options.arrets.push_back(static_cast<int32_t>(ligne) - 1);
        } else if (!finOptions && argument == "--sortie-programme") {
            options.sortieProgramme = true;
        } else if (!finOptions && argument == "--max-instructions") {
            uint64_t n = 0;
            if (++i >= argc || !lireNombre(argv[i], n) || n == 0)
                return false;
            options.maxInstructions = n;
        } else if (!finOptions && argument.size() > 1 && argument[0] == '-') {
            return false;
        } else {
            if (fichierVu)
                return false;
            options.fichier = argument;
            fichierVu = true;
        }
    }
    // The output mode runs once in normal mode and traces nothing; the bound
    // belongs to it alone.
    if (options.sortieProgramme)
        return fichierVu && !options.pasAPas && options.poursuivre == 0 && !options.suivi && options.arrets.empty();
    return fichierVu && !options.maxInstructions;
}

void ecrireTout(std::FILE* flux, const std::string& texte) {
    std::fwrite(texte.data(), 1, texte.size(), flux);
    std::fflush(flux);
}

// True when the trace would be written over the program itself.
bool memeFichier(const std::string& programme, const std::string& suivi) {
    std::error_code erreur;
    return programme == suivi || std::filesystem::equivalent(versCheminFs(programme), versCheminFs(suivi), erreur);
}

// Reads the program; false (after the message) when it is refused. A file
// cut once it certainly has too many lines goes on to the analysis, which
// reports it as for the whole file.
bool lireFichierProgramme(const std::string& chemin, TfichierDecode& lu) {
    const std::string message = "Impossible d'ouvrir le fichier " + chemin + "\n";
    switch (lireProgramme(chemin, nbLignesMax, lu)) {
    case Tlecture::complete:
    case Tlecture::tropDeLignes:
        return true;
    case Tlecture::tropGrand:
        ecrireTout(stderr, message + versUtf8(raisonFichierTropGrand) + "\n");
        return false;
    case Tlecture::illisible:
        ecrireTout(stderr, message);
        return false;
    }
    return false;
}

// Empties both streams; false (after a message on stderr when it still
// takes one) when any write failed.
bool terminerSorties(TfenetreConsole& f) {
    const bool sortieEcrite = f.fluxSortie().terminer();
    const bool erreursEcrites = f.fluxErreurs().terminer();
    if (!sortieEcrite && erreursEcrites)
        ecrireTout(stderr, "Impossible d'\xC3\xA9" "crire la sortie standard\n");
    return sortieEcrite && erreursEcrites;
}

// A trace cut by a failed write is removed; a device or a pipe is left alone.
int echecSuivi(const TsuiviCsv& suivi, const std::string& chemin) {
    ecrireTout(stderr, suivi.messageEchec());
    uint64_t taille = 0;
    if (fichierOrdinaire(chemin, taille))
        supprimerFichier(chemin);
    return sortieFichierIlisible;
}

} // namespace

int main(int argc, char** argv) {
    if (const auto statut = demarrerConsole(argc, argv, "trevane-run", aide, sortieEcritureImpossible))
        return *statut;
    Toptions options;
    if (!lireOptions(argc, argv, options)) {
        std::fputs(USAGE, stderr);
        return sortieUsage;
    }
    if (options.suivi && memeFichier(options.fichier, *options.suivi)) {
        ecrireTout(stderr, "Le suivi remplacerait le programme " + options.fichier + " : choisissez un autre fichier\n");
        return sortieUsage;
    }
    TfichierDecode lu;
    if (!lireFichierProgramme(options.fichier, lu))
        return sortieFichierIlisible;
    if (options.sortieProgramme)
        return executerSortieProgramme(lu.texte, options.graine ? *options.graine : graineHorloge(),
                                       options.maxInstructions, stdout, stderr);

    // Lines go out in large blocks; each write is checked.
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    TfenetreConsole f(stdout, stderr);
    auto d = std::make_unique<TdonneesCommunes>();
    d->fenetre = &f;
    // The trace's file is opened before anything runs.
    std::optional<TsuiviCsv> suivi;
    if (options.suivi && !suivi.emplace(*options.suivi).ouvert()) {
        ecrireTout(stderr, suivi->messageEchec());
        return sortieFichierIlisible;
    }
    d->suivi = suivi ? &*suivi : nullptr;
    demarrerSession(*d, options.graine ? *options.graine : graineHorloge());
    if (const std::string note = noteDecodage(lu); !note.empty())
        ecrireTout(stderr, versUtf8(note) + "\n");
    f.lignesEditeur = lignesAExecuter(lu.texte);
    std::string().swap(lu.texte);

    for (const int32_t ligne : options.arrets)
        if (!pointArretMarque(*d, ligne))
            basculerPointArret(*d, ligne);
    f.diffuser();
    lancerExecution(*d, options.pasAPas ? executionCommentee : executionNormale);
    // No further burst once a write failed: its outcome is already known.
    const auto ecrituresReussies = [&] { return !f.ecritureEchouee() && !(suivi && suivi->echoue()); };
    for (unsigned long long k = 0; k < options.poursuivre && f.poursuivreArreterActifs() && ecrituresReussies(); ++k)
        poursuivreExecution(*d);

    const bool sortiesEcrites = terminerSorties(f);
    if (suivi && !suivi->terminer()) {
        const int statut = echecSuivi(*suivi, *options.suivi);
        if (sortiesEcrites)
            return statut;
    }
    if (!sortiesEcrites)
        return sortieEcritureImpossible;
    if (d->codeErreur != 0)
        return sortieErreurAnalyse;
    if (d->erreurExecution != 0)
        return sortieErreurExecution;
    if (f.poursuivreArreterActifs())
        return sortieEnAttente;
    return sortieTerminee;
}
