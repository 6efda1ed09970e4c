// The console runner: runs one program file with the core of the window and
// writes what the display pane would show.
//
//   trevane-run [--pas-a-pas] [--poursuivre N] [--graine N] [--suivi SUIVI.csv] FICHIER
//
// FICHIER is read as Windows-1252 bytes and becomes the editor's text. The
// run command "Normale" (or "Commentée pas à pas" with --pas-a-pas) is given
// once, then "Poursuivre" N more times, each only while the window would
// accept it. stdout: the display pane's lines in UTF-8, one per line, each
// with its leading blank. stderr: "selection: N" (N from 0) each time the
// editor selects a line. --suivi writes the trace of the executed steps to
// SUIVI.csv (execution/suivi_csv.h) and changes nothing else.
// Exit status: 0 the run ended, 1 analysis error, 2 run-time error, 3 the run
// waits for Poursuivre, 4 the file cannot be read (or the trace written), 64 bad usage.
#include "analysis/codage.h"
#include "analysis/donnees.h"
#include "analysis/fenetre.h"
#include "analysis/fenetre_memoire.h"
#include "analysis/lignes.h"
#include "execution/controle.h"
#include "execution/suivi_csv.h"
#include "expressions/hasard.h"
#include "window/textes.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int sortieTerminee = 0;
constexpr int sortieErreurAnalyse = 1;
constexpr int sortieErreurExecution = 2;
constexpr int sortieEnAttente = 3;
constexpr int sortieFichierIlisible = 4;
constexpr int sortieUsage = 64;

struct Toptions {
    bool pasAPas = false;
    unsigned long long poursuivre = 0;
    std::optional<uint32_t> graine;
    std::optional<std::string> suivi;
    std::string fichier;
};

template <typename T>
bool lireNombre(std::string_view texte, T& valeur) {
    if (texte.empty())
        return false;
    const auto r = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    return r.ec == std::errc() && r.ptr == texte.data() + texte.size();
}

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
        } else if (!finOptions && argument.size() > 1 && argument[0] == '-') {
            return false;
        } else {
            if (fichierVu)
                return false;
            options.fichier = argument;
            fichierVu = true;
        }
    }
    return fichierVu;
}

// The seed the window takes at start-up: the time of day in milliseconds, UTC.
uint32_t graineHorloge() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms % 86400000);
}

// What the window does at start-up, as far as the core sees it.
void demarrer(TdonneesCommunes& d, TfenetreMemoire& f, uint32_t graine) {
    initialiserHasard(d, graine);
    f.viderAffichage();
    afficherInformations(d);
    d.resultatsSauves = "Aucun r\xE9" "sultat disponible";
    d.modeAffichage = modeInformations;
    f.cocherInformations(true);
    f.cocherResultat(false);
    f.legendeAffichages("Affichage - Informations");
    f.activerPoursuivreArreter(false);
}

void ecrireTout(std::FILE* flux, const std::string& texte) {
    std::fwrite(texte.data(), 1, texte.size(), flux);
    std::fflush(flux);
}

// The pane's lines in UTF-8, one buffer; plain ASCII lines are copied as they are.
std::string sortieAffichage(const TfenetreMemoire& f) {
    size_t taille = 0;
    for (const std::string& ligne : f.lignesAffichage)
        taille += ligne.size() + 1;
    std::string sortie;
    sortie.reserve(taille + taille / 8);
    for (const std::string& ligne : f.lignesAffichage) {
        bool ascii = true;
        for (const char c : ligne)
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii)
            sortie += ligne;
        else
            sortie += versUtf8(ligne);
        sortie += '\n';
    }
    return sortie;
}

} // namespace

int main(int argc, char** argv) {
    Toptions options;
    if (!lireOptions(argc, argv, options)) {
        std::fputs("usage : trevane-run [--pas-a-pas] [--poursuivre N] [--graine N] [--suivi SUIVI.csv] FICHIER\n", stderr);
        return sortieUsage;
    }
    std::string octets;
    if (!lireFichierOctets(options.fichier, octets)) {
        ecrireTout(stderr, "Impossible d'ouvrir le fichier " + options.fichier + "\n");
        return sortieFichierIlisible;
    }

    TfenetreMemoire f;
    auto d = std::make_unique<TdonneesCommunes>();
    d->fenetre = &f;
    // The trace's file is opened before anything runs.
    std::optional<TsuiviCsv> suivi;
    if (options.suivi && !suivi.emplace(*options.suivi).ouvert()) {
        ecrireTout(stderr, suivi->messageEchec());
        return sortieFichierIlisible;
    }
    d->suivi = suivi ? &*suivi : nullptr;
    demarrer(*d, f, options.graine ? *options.graine : graineHorloge());
    f.lignesEditeur = decouperLignes(octets);

    lancerExecution(*d, options.pasAPas ? executionCommentee : executionNormale);
    for (unsigned long long k = 0; k < options.poursuivre && f.poursuivreArreterActifs(); ++k)
        poursuivreExecution(*d);

    ecrireTout(stdout, sortieAffichage(f));
    std::string selections;
    for (const int32_t ligne : f.lignesSelectionnees)
        selections += "selection: " + std::to_string(ligne) + "\n";
    ecrireTout(stderr, selections);
    if (suivi && !suivi->terminer()) {
        ecrireTout(stderr, suivi->messageEchec());
        return sortieFichierIlisible;
    }

    if (d->codeErreur != 0)
        return sortieErreurAnalyse;
    if (d->erreurExecution != 0)
        return sortieErreurExecution;
    if (f.poursuivreArreterActifs())
        return sortieEnAttente;
    return sortieTerminee;
}
