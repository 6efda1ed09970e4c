// The console runner under pressure: output it cannot write, endless runs and
// huge files. Peak memory is the child's own maximum resident size.
#include "base/donnees.h"
#include "base/lecture_programme.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Generous: the runner needs a few MB, and well under this with sanitizers;
// keeping every line or reading a file whole takes hundreds.
constexpr long picMaxKo = 100 * 1024;

struct Tmesure {
    int statut = -1;
    long picKo = -1;        // the runner's peak resident memory
    std::string sortie;
    std::string erreurs;
};

std::string lire(const fs::path& chemin) {
    std::ifstream fichier(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(fichier), std::istreambuf_iterator<char>());
}

fs::path dossierTemporaire() {
    static int numero = 0;
    const fs::path dossier = fs::path(testing::TempDir()) /
                             ("trevane-console-" + std::to_string(getpid()) + "-" + std::to_string(++numero));
    fs::create_directories(dossier);
    return dossier;
}

// Runs trevane-run with `arguments`; stdout and stderr go to the given files
// (captured when left empty).
Tmesure lancer(const std::vector<std::string>& arguments, std::string versSortie = {},
               std::string versErreurs = {}) {
    const fs::path dossier = dossierTemporaire();
    const bool sortieCapturee = versSortie.empty();
    const bool erreursCapturees = versErreurs.empty();
    if (sortieCapturee)
        versSortie = (dossier / "sortie").string();
    if (erreursCapturees)
        versErreurs = (dossier / "erreurs").string();
    const std::string resultat = (dossier / "pic").string();
    std::vector<char*> argv{const_cast<char*>(PIC_MEMOIRE), const_cast<char*>(resultat.c_str()),
                            const_cast<char*>(TREVANE_RUN)};
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    Tmesure m;
    const pid_t enfant = fork();
    if (enfant == 0) {
        const int sortie = open(versSortie.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int erreurs = open(versErreurs.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (sortie < 0 || erreurs < 0 || dup2(sortie, 1) < 0 || dup2(erreurs, 2) < 0)
            _exit(120);
#if defined(__SANITIZE_ADDRESS__)
        // Freed blocks wait in a quarantine of 256 MB by default, which would
        // count as the runner's own memory.
        const char* options = std::getenv("ASAN_OPTIONS");
        const std::string avecQuarantaine =
            (options && *options ? std::string(options) + ":" : std::string()) + "quarantine_size_mb=16";
        setenv("ASAN_OPTIONS", avecQuarantaine.c_str(), 1);
#endif
        execv(PIC_MEMOIRE, argv.data());
        _exit(121);
    }
    int etat = 0;
    if (enfant > 0 && waitpid(enfant, &etat, 0) == enfant && WIFEXITED(etat) && WEXITSTATUS(etat) == 0) {
        std::ifstream pic(resultat);
        pic >> m.statut >> m.picKo;
    }
    if (sortieCapturee)
        m.sortie = lire(versSortie);
    if (erreursCapturees)
        m.erreurs = lire(versErreurs);
    fs::remove_all(dossier);
    return m;
}

fs::path ecrireProgramme(const std::string& nom, const std::string& octets) {
    const fs::path chemin = fs::path(testing::TempDir()) / (std::to_string(getpid()) + "-" + nom);
    std::ofstream(chemin, std::ios::binary) << octets;
    return chemin;
}

// Measured (not -1), and within the bound.
::testing::AssertionResult picBorne(const Tmesure& m) {
    if (m.picKo > 0 && m.picKo < picMaxKo)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "peak " << m.picKo << " KB, bound " << picMaxKo << " KB";
}

bool peutEcrireSurDevFull() { return access("/dev/full", W_OK) == 0; }

} // namespace

TEST(console, sortie_impossible_a_ecrire) {
    if (!peutEcrireSurDevFull())
        GTEST_SKIP() << "no /dev/full here";
    const fs::path court = ecrireProgramme("court.txt", "Afficher 1\r\n");
    const fs::path erreur = ecrireProgramme("erreur.txt", "Afficher 1\r\nAfficher (\r\n");
    // Output lost is a failure, never a success: whatever the run's own
    // outcome, the status is 5; the message goes where it still can.
    struct Tcas {
        fs::path programme;
        bool sortiePleine, erreursPleines;
        bool sortieProgramme = false;   // --sortie-programme
    };
    for (const Tcas& c : {Tcas{court, true, false}, Tcas{erreur, true, false}, Tcas{erreur, false, true},
                          Tcas{court, true, true}, Tcas{court, true, false, true}, Tcas{erreur, false, true, true}}) {
        std::vector<std::string> arguments{c.programme.string()};
        if (c.sortieProgramme)
            arguments.insert(arguments.begin(), "--sortie-programme");
        const Tmesure m = lancer(arguments, c.sortiePleine ? "/dev/full" : "", c.erreursPleines ? "/dev/full" : "");
        EXPECT_EQ(m.statut, 5) << c.programme << c.sortiePleine << c.erreursPleines << c.sortieProgramme;
        if (c.sortiePleine && !c.erreursPleines) {
            EXPECT_NE(m.erreurs.find("Impossible d'\xC3\xA9" "crire la sortie standard\n"), std::string::npos)
                << m.erreurs;
        }
    }
    // Nothing lost: the same runs with room to write keep their own status.
    EXPECT_EQ(lancer({court.string()}).statut, 0);
    EXPECT_EQ(lancer({erreur.string()}).statut, 1);
    fs::remove(court);
    fs::remove(erreur);
}

TEST(console, memoire_bornee_sur_un_affichage_sans_fin) {
    // A list of 100 displayed again and again, three bursts: every pane line
    // is written as it comes (over 100 MB in all), none is kept.
    const fs::path programme = ecrireProgramme("sans_fin.txt",
                                               "Entier i ; k ; L (1..100)\r\n"
                                               "[a]\r\n"
                                               "Afficher L (1..100)\r\n"
                                               "Donner \xE0 i la valeur 0\r\n"
                                               "[b]\r\n"
                                               "Donner \xE0 i la valeur i + 1\r\n"
                                               "Aller \xE0 [b] si i < 30\r\n"
                                               "Aller \xE0 [a] si k < 1\r\n");
    const fs::path sortie = fs::path(testing::TempDir()) / (std::to_string(getpid()) + "-sans_fin.sortie");
    const Tmesure m = lancer({"--poursuivre", "2", programme.string()}, "/dev/null");
    EXPECT_EQ(m.statut, 3);
    EXPECT_TRUE(picBorne(m));
    // The same output mode as the checker's: written as it comes, stopped by the bound.
    const Tmesure seule =
        lancer({"--sortie-programme", "--max-instructions", "3000000", programme.string()}, "/dev/null");
    EXPECT_EQ(seule.statut, 3);
    EXPECT_EQ(seule.erreurs, "Arr\xC3\xAAt\xC3\xA9 apr\xC3\xA8s 3000000 instructions.\n");
    EXPECT_TRUE(picBorne(seule));
    // The lines themselves, on a run of one burst to a file.
    const Tmesure une = lancer({programme.string()}, sortie.string());
    EXPECT_EQ(une.statut, 3);
    std::ifstream lignes(sortie);
    std::string ligne;
    size_t nombre = 0;
    std::string zeros;
    for (int i = 0; i < 100; ++i)
        zeros += "  0";
    while (std::getline(lignes, ligne) && ligne == " " + zeros)
        ++nombre;
    EXPECT_EQ(ligne, " Ex\xC3\xA9" "cution suspendue apr\xC3\xA8s 10 millions d'instructions.");
    EXPECT_GT(nombre, 100000u);
    EXPECT_FALSE(std::getline(lignes, ligne));
    fs::remove(programme);
    fs::remove(sortie);
}

TEST(console, memoire_bornee_sur_un_fichier_de_200_mo) {
    // Sparse files: 200 MB that take no room on the disk.
    constexpr off_t taille = off_t{200} << 20;
    const fs::path seul = ecrireProgramme("une_ligne.txt", "");
    fs::resize_file(seul, static_cast<uintmax_t>(taille));
    std::string lignes;
    for (int i = 0; i < nbLignesMax; ++i)
        lignes += "Afficher 1\r\n";
    const fs::path longues = ecrireProgramme("lignes.txt", lignes);
    fs::resize_file(longues, static_cast<uintmax_t>(taille));

    // One line of 200 MB: too large to be a program, refused.
    const Tmesure refuse = lancer({seul.string()});
    EXPECT_EQ(refuse.statut, 4);
    EXPECT_EQ(refuse.erreurs, "Impossible d'ouvrir le fichier " + seul.string() +
                                  "\nFichier trop volumineux pour \xC3\xAAtre un programme\n");
    EXPECT_TRUE(picBorne(refuse));
    // Text after line 1000: the analysis error of the whole file, reading stopped there.
    const Tmesure tropDeLignes = lancer({longues.string()});
    EXPECT_EQ(tropDeLignes.statut, 1);
    EXPECT_EQ(tropDeLignes.sortie, " Erreur \xC3\xA0 l'analyse du programme\n Trop de lignes de programme\n");
    EXPECT_TRUE(picBorne(tropDeLignes));
    // Millions of blank lines after the program are not kept one by one.
    const std::string afficher = "Afficher \"A\"\n";
    const fs::path blancs = ecrireProgramme(
        "blancs.txt", afficher + std::string(tailleProgrammeMax - afficher.size(), '\n'));
    const Tmesure vides = lancer({blancs.string()});
    EXPECT_EQ(vides.statut, 0);
    EXPECT_EQ(vides.sortie.substr(0, 4), " A\n ");
    EXPECT_TRUE(picBorne(vides));
    fs::remove(blancs);
    fs::remove(seul);
    fs::remove(longues);
}

TEST(console, lignes_de_commande_hostiles) {
    // Each command runs in a folder of its own holding p.txt (one display),
    // sans_fin.txt (displays without end) and attendu.txt; "$RUN" and
    // "$VERIF" are the console programs. Nothing lost, nothing silent: a
    // failed write gives its status at once, never a signal or a success,
    // and leaves no cut file; a command that would destroy work is refused.
    if (!peutEcrireSurDevFull())
        GTEST_SKIP() << "no /dev/full here";
    struct Tcas {
        std::string commande;
        int statut;
        std::string erreurs;   // found in stderr
        std::string absent;    // a file that must not be left
    } cas[] = {
        {"$RUN --suivi p.txt p.txt", 64, "Le suivi remplacerait le programme p.txt", ""},
        {"$RUN --suivi ./p.txt p.txt", 64, "Le suivi remplacerait le programme p.txt", ""},
        {"$RUN --help >/dev/full", 5, "", ""},
        {"$VERIF --version >/dev/full", 74, "", ""},
        // Closed at start: the trace does not take stdout's place.
        {"$RUN --suivi t.csv p.txt >&-", 5, "Impossible d'\xC3\xA9" "crire la sortie standard", ""},
        // Stopped at the first display after the failure: the trace, which
        // would have its 100,000 rows and "..." after one more burst, is short.
        {"$RUN --poursuivre 1000000 --suivi t.csv sans_fin.txt >/dev/full && exit 99 || s=$?; "
         "[ $(wc -l <t.csv) -lt 1000 ] && exit $s", 5, "Impossible d'\xC3\xA9" "crire la sortie standard", ""},
        {"ulimit -f 8; $RUN sans_fin.txt >o.txt", 5, "", ""},
        {"ulimit -f 8; $RUN --suivi t.csv sans_fin.txt >/dev/null", 4,
         "Impossible d'\xC3\xA9" "crire le suivi dans le fichier t.csv", "t.csv"},
        {"ulimit -f 1; $VERIF --attendu attendu.txt --html r.html p.txt >/dev/null", 74, "", ""},
    };
    for (const Tcas& c : cas) {
        const fs::path dossier = dossierTemporaire();
        std::ofstream(dossier / "p.txt", std::ios::binary) << "Afficher 1\r\n";
        std::ofstream(dossier / "attendu.txt", std::ios::binary) << "1\n";
        std::ofstream(dossier / "sans_fin.txt", std::ios::binary)
            << "Entier k ; L (1..100)\r\n[a]\r\nAfficher L (1..100)\r\nAller \xE0 [a] si k < 1\r\n";
        const std::string commande = "cd '" + dossier.string() + "' && RUN='" TREVANE_RUN "' VERIF='" TREVANE_VERIFIER
                                     "' sh -c '" + c.commande + "' 2>erreurs";
        const int etat = std::system(commande.c_str());
        EXPECT_TRUE(WIFEXITED(etat) && WEXITSTATUS(etat) == c.statut) << c.commande << " " << etat;
        const std::string erreurs = lire(dossier / "erreurs");
        EXPECT_NE(erreurs.find(c.erreurs), std::string::npos) << c.commande << " " << erreurs;
        EXPECT_EQ(lire(dossier / "p.txt"), "Afficher 1\r\n") << c.commande;
        if (!c.absent.empty()) {
            EXPECT_FALSE(fs::exists(dossier / c.absent)) << c.commande;
        }
        fs::remove_all(dossier);
    }
}
