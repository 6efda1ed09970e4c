#include "tools/verifier/options.h"

#include "base/fichiers_systeme.h"
#include "tools/nombre_argument.h"
#include "tools/verifier/textes_rapport.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace {

// The options that take a value, in either form "--nom VALEUR" or "--nom=VALEUR".
enum class Tvaleur { reference, attendu, maxInstructions, csv, html, jobs, graine };
struct ToptionValeur {
    std::string_view nom;
    Tvaleur quoi;
};
constexpr ToptionValeur optionsAValeur[] = {
    {"--reference", Tvaleur::reference}, {"--attendu", Tvaleur::attendu},
    {"--max-instructions", Tvaleur::maxInstructions}, {"--csv", Tvaleur::csv},
    {"--html", Tvaleur::html}, {"--jobs", Tvaleur::jobs}, {"--graine", Tvaleur::graine},
};

bool appliquer(Toptions& o, Tvaleur quoi, std::string_view nom, std::string_view valeur, std::string& erreur) {
    const auto nombreInvalide = [&] {
        erreur = "valeur invalide pour " + std::string(nom) + " : " + std::string(valeur);
        return false;
    };
    switch (quoi) {
    case Tvaleur::reference: o.reference = valeur; return true;
    case Tvaleur::attendu: o.attendu = valeur; return true;
    case Tvaleur::csv:
    case Tvaleur::html:
        if (valeur.empty()) {   // an empty name would silently write no report
            erreur = "nom de fichier vide pour " + std::string(nom);
            return false;
        }
        (quoi == Tvaleur::csv ? o.csv : o.html) = valeur;
        return true;
    case Tvaleur::maxInstructions:
        if (!lireNombre(valeur, o.maxInstructions) || o.maxInstructions == 0)
            return nombreInvalide();
        return true;
    case Tvaleur::jobs:
        if (!lireNombre(valeur, o.jobs) || o.jobs == 0 || o.jobs > 256)
            return nombreInvalide();
        return true;
    case Tvaleur::graine:
        if (!lireNombre(valeur, o.graine))
            return nombreInvalide();
        return true;
    }
    return false;
}

// True when the two paths name one file, however spelt ("./", "..", a
// link, another hard link).
bool memeFichier(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code e;
    if (fs::equivalent(versCheminFs(a), versCheminFs(b), e) && !e)
        return true;
    std::error_code ea, eb;
    const fs::path pa = fs::weakly_canonical(fs::absolute(versCheminFs(a), ea), ea);
    const fs::path pb = fs::weakly_canonical(fs::absolute(versCheminFs(b), eb), eb);
    return !ea && !eb && pa == pb;
}

// A report must not replace the other report nor any file the check reads.
bool rapportsDistincts(const Toptions& o, std::string& erreur) {
    // What a report must not replace, as the message names it.
    std::vector<std::pair<const char*, std::string>> autres = {{"que --reference", o.reference},
                                                               {"que --attendu", o.attendu}};
    for (const std::string& entree : o.entrees)
        autres.emplace_back("qu'un programme à vérifier", entree);
    const auto distinct = [&](const char* option, const std::string& rapport) {
        for (const auto& [quoi, chemin] : autres) {
            if (!rapport.empty() && !chemin.empty() && memeFichier(rapport, chemin)) {
                erreur = std::string(option) + " désigne le même fichier " + quoi + " : " + nomLisible(rapport);
                return false;
            }
        }
        return true;
    };
    if (!distinct("--csv", o.csv))
        return false;
    autres.emplace_back("que --csv", o.csv);
    return distinct("--html", o.html);
}

} // namespace

bool lireOptions(int argc, const char* const* argv, Toptions& o, std::string& erreur) {
    bool finOptions = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (finOptions || argument.empty() || argument[0] != '-' || argument == "-") {
            o.entrees.emplace_back(argument);
            continue;
        }
        if (argument == "--") {
            finOptions = true;
        } else if (argument == "--ignorer-blancs") {
            o.ignorerBlancs = true;
        } else {
            const size_t egal = argument.find('=');
            const std::string_view nom = argument.substr(0, egal);
            const ToptionValeur* option = nullptr;
            for (const ToptionValeur& candidate : optionsAValeur)
                if (candidate.nom == nom)
                    option = &candidate;
            if (!option) {
                erreur = "option inconnue : " + std::string(argument);
                return false;
            }
            std::string_view valeur;
            if (egal != std::string_view::npos) {
                valeur = argument.substr(egal + 1);
            } else if (i + 1 < argc) {
                valeur = argv[++i];
            } else {
                erreur = "valeur manquante après " + std::string(nom);
                return false;
            }
            if (!appliquer(o, option->quoi, nom, valeur, erreur))
                return false;
        }
    }
    if (o.reference.empty() == o.attendu.empty()) {
        erreur = "donnez exactement une des options --reference et --attendu";
        return false;
    }
    if (o.entrees.empty()) {
        erreur = "aucun programme ni dossier à vérifier";
        return false;
    }
    return rapportsDistincts(o, erreur);
}

const char* texteAide() {
    return "usage : trevane-verifier [OPTIONS] ENTREE...\n"
           "\n"
           "Vérifie les programmes d'une classe : chaque programme est exécuté en mode\n"
           "normal et les lignes qu'il affiche sont comparées à la sortie attendue.\n"
           "\n"
           "ENTREE : un fichier programme, ou un dossier où sont cherchés, sous-dossiers\n"
           "compris, les fichiers *.txt (dans l'ordre de leurs chemins).\n"
           "\n"
           "La sortie attendue (une des deux options) :\n"
           "  --reference PROGRAMME   la solution du professeur, exécutée en mode normal\n"
           "  --attendu FICHIER       les lignes attendues, une par ligne, comme le volet\n"
           "                          les montre sans son blanc de tête (Windows-1252 ou UTF-8)\n"
           "\n"
           "Options :\n"
           "  --ignorer-blancs        plusieurs blancs comptent pour un, ceux des deux\n"
           "                          bouts d'une ligne ne comptent pas\n"
           "  --max-instructions N    arrête un programme après N instructions (trop long) ;\n"
           "                          100000000 par défaut\n"
           "  --csv FICHIER           écrit le rapport CSV (UTF-8, « ; », CR LF)\n"
           "  --html FICHIER          écrit le rapport HTML (une page autonome)\n"
           "  --jobs N                programmes vérifiés en parallèle (défaut : un par cœur)\n"
           "  --graine N              graine du hasard, la même pour tous (0 par défaut)\n"
           "  --help                  affiche cette aide\n"
           "  --version               affiche la version\n"
           "\n"
           "Statut de sortie : 0 tous les programmes réussissent, 1 au moins un ne réussit\n"
           "pas (ou aucun programme trouvé), 64 erreur d'usage ou référence invalide,\n"
           "74 un rapport n'a pu être écrit, 70 erreur interne.\n";
}
