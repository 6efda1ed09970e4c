// trevane-verifier end to end: a class folder with every kind of program,
// checked through the built executable (table, CSV byte for byte, HTML,
// exit status).
#include "analysis/codage.h"
#include "analysis/fichiers_systeme.h"
#include "tests/lancement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

void ecrire(const fs::path& chemin, const std::string& octets) {
    fs::create_directories(chemin.parent_path());
    std::ofstream(chemin, std::ios::binary) << octets;
}

// A program written in UTF-8 here, saved as the window saves it
// (Windows-1252, CR LF) or, with `utf8`, as today's editors do.
void programme(const fs::path& chemin, const std::string& texte, bool utf8 = false) {
    std::string octets;
    for (const char c : utf8 ? texte : depuisUtf8(texte)) {
        if (c == '\n')
            octets += '\r';
        octets += c;
    }
    ecrire(chemin, octets);
}

// Runs trevane-verifier in `dossier`.
Tlancement verifier(const fs::path& dossier, const std::vector<std::string>& arguments) {
    return lancer(TREVANE_VERIFIER, arguments, dossier);
}

const char* const reference = "# Somme des entiers de 1 à 3\n"
                              "Entier n ; s\n"
                              "Donner à n la valeur 1\n"
                              "[boucle]\n"
                              "Donner à s la valeur s + n\n"
                              "Afficher \"n = \" ; n ; \" s = \" ; s\n"
                              "Donner à n la valeur n + 1\n"
                              "Aller à [boucle] si n <= 3\n"
                              "Afficher \"fin\"\n";

// The same output, another program.
const char* const autreSolution = "Entier k ; t\n"
                                  "Donner à k la valeur 0\n"
                                  "[a]\n"
                                  "Donner à k la valeur k + 1\n"
                                  "Donner à t la valeur t + k\n"
                                  "Afficher \"n = \" ; k ; \" s = \" ; t\n"
                                  "Aller à [a] si k < 3\n"
                                  "Afficher \"fin\"\n";

class verifier_classe : public testing::Test {
protected:
    fs::path dossier;

    void SetUp() override {
        dossier = fs::path(testing::TempDir()) / ("trevane-verifier-" + std::to_string(getpid()));
        fs::remove_all(dossier);
        const fs::path classe = dossier / "classe";
        programme(dossier / "reference.txt", reference);
        programme(classe / versCheminFs("Élodie.txt"), autreSolution);
        programme(classe / "utf8.txt", autreSolution, true);
        programme(classe / "faux.txt", "Entier n\n"
                                       "Afficher \"n = \" ; 1 ; \" s = \" ; 1\n"
                                       "Afficher \"n = \" ; 2 ; \" s = \" ; 4\n"
                                       "Afficher \"n = \" ; 3 ; \" s = \" ; 6\n"
                                       "Afficher \"fin\"\n");
        // The reference without its last line, then with one more.
        std::string sansFin = reference;
        sansFin.erase(sansFin.rfind("Afficher \"fin\""));
        programme(classe / "manque.txt", sansFin);
        programme(classe / "trop.txt", std::string(reference) + "Afficher \"merci\"\n");
        programme(classe / "analyse.txt", "Entier n\nDonner à n la valeur (1 + 2\nAfficher n\n");
        programme(classe / "execution.txt", "Entier n ; L (1..3)\n"
                                            "Donner à n la valeur 4\n"
                                            "Afficher \"n = \" ; n\n"
                                            "Donner à L (n) la valeur 1\n"
                                            "Afficher \"fin\"\n");
        programme(classe / "sous-dossier" / "boucle.txt", "Entier n\n"
                                                          "[a]\n"
                                                          "Donner à n la valeur n + 1\n"
                                                          "Aller à [a] si n >= 0 ou n < 0\n"
                                                          "Afficher n\n");
        programme(classe / "sous-dossier" / "bavard.txt", "Entier n\n"
                                                          "[a]\n"
                                                          "Afficher \"<script>alert(1)</script>\"\n"
                                                          "Afficher \"<img src=x onerror=alert(1)>\"\n"
                                                          "Aller à [a] si n = 0\n");
        ecrire(classe / "vide.txt", "");
        ecrire(classe / "notes.md", "not a program");
        programme(dossier / "=SOMME(A1).txt", reference);
    }

    void TearDown() override { fs::remove_all(dossier); }
};

TEST_F(verifier_classe, tableau_csv_et_statut) {
    const Tlancement r = verifier(dossier, {"--reference", "reference.txt", "--max-instructions", "1000000",
                                           "--csv", "rapport.csv", "--html", "rapport.html", "classe", "--",
                                           "=SOMME(A1).txt", "absent.txt"});
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(r.erreurs, "");
    EXPECT_EQ(r.sortie,
              "Fichier                         Statut              Ligne  Détail\n"
              "classe/analyse.txt              erreur d'analyse    2      Erreur de parenthésage\n"
              "classe/Élodie.txt               réussi\n"
              "classe/execution.txt            erreur d'exécution  4      Un indice pour une variable est hors limites.\n"
              "classe/faux.txt                 sortie différente   2      attendu : «n =  2 s =  3» / obtenu : «n =  2 s =  4»\n"
              "classe/manque.txt               sortie différente   4      attendu : «fin» / obtenu : (ligne manquante)\n"
              "classe/sous-dossier/bavard.txt  sortie différente   1      attendu : «n =  1 s =  1» / obtenu : «<script>alert(1)</script>» ; sortie interrompue après 1005 lignes\n"
              "classe/sous-dossier/boucle.txt  trop long                  Arrêté après 1000000 instructions.\n"
              "classe/trop.txt                 sortie différente   5      attendu : (aucune ligne) / obtenu : «merci» (ligne en trop)\n"
              "classe/utf8.txt                 réussi\n"
              "classe/vide.txt                 erreur d'analyse           Programme vide\n"
              "=SOMME(A1).txt                  réussi\n"
              "absent.txt                      illisible                  Impossible d'ouvrir le fichier\n"
              "\n"
              "12 programmes : réussi : 3 ; sortie différente : 4 ; erreur d'analyse : 2 ; erreur d'exécution : 1 ; "
              "trop long : 1 ; illisible : 1\n");
    // The name that would be a formula gets its apostrophe; a detail holding
    // ";" is quoted. The endless display is stopped at the first look after
    // its 1005th line (two lines per three instructions): 2 x 1024 instructions.
    EXPECT_EQ(lireFichier(dossier / "rapport.csv"),
              "\xEF\xBB\xBF" "fichier;statut;ligne;detail;instructions\r\n"
              "classe/analyse.txt;erreur-analyse;2;Erreur de parenthésage;0\r\n"
              "classe/Élodie.txt;reussi;;;14\r\n"
              "classe/execution.txt;erreur-execution;4;Un indice pour une variable est hors limites.;2\r\n"
              "classe/faux.txt;sortie-differente;2;attendu : «n =  2 s =  3» / obtenu : «n =  2 s =  4»;4\r\n"
              "classe/manque.txt;sortie-differente;4;attendu : «fin» / obtenu : (ligne manquante);13\r\n"
              "classe/sous-dossier/bavard.txt;sortie-differente;1;\"attendu : «n =  1 s =  1» / obtenu : «<script>alert(1)</script>» ; sortie interrompue après 1005 lignes\";2048\r\n"
              "classe/sous-dossier/boucle.txt;trop-long;;Arrêté après 1000000 instructions.;1000000\r\n"
              "classe/trop.txt;sortie-differente;5;attendu : (aucune ligne) / obtenu : «merci» (ligne en trop);15\r\n"
              "classe/utf8.txt;reussi;;;14\r\n"
              "classe/vide.txt;erreur-analyse;;Programme vide;0\r\n"
              "'=SOMME(A1).txt;reussi;;;14\r\n"
              "absent.txt;illisible;;Impossible d'ouvrir le fichier;0\r\n");

    // What the learner's program wrote is text on the page, never markup.
    const std::string html = lireFichier(dossier / "rapport.html");
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(html.find("&lt;img src=x onerror=alert(1)&gt;"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<img"), std::string::npos);
    EXPECT_NE(html.find("classe/Élodie.txt"), std::string::npos);
}

// The same verdicts whatever the number of threads.
TEST_F(verifier_classe, memes_verdicts_en_parallele) {
    const std::vector<std::string> commun = {"--reference", "reference.txt", "--max-instructions", "1000000", "classe"};
    std::vector<std::string> un = commun, quatre = commun;
    un.insert(un.begin(), {"--jobs", "1", "--csv", "un.csv"});
    quatre.insert(quatre.begin(), {"--jobs", "4", "--csv", "quatre.csv"});
    EXPECT_EQ(verifier(dossier, un).statut, 1);
    EXPECT_EQ(verifier(dossier, quatre).statut, 1);
    EXPECT_EQ(lireFichier(dossier / "un.csv"), lireFichier(dossier / "quatre.csv"));
    EXPECT_NE(lireFichier(dossier / "un.csv").find("classe/vide.txt"), std::string::npos);
}

// --attendu: a UTF-8 file of the expected lines; with --ignorer-blancs the
// blanks of a line may differ; every program passing gives status 0.
TEST_F(verifier_classe, attendu_et_blancs_ignores) {
    ecrire(dossier / "attendu.txt", "n = 1 s = 1\nn = 2   s = 3\n  n = 3 s = 6\nfin\n\n");
    const Tlancement compte = verifier(dossier, {"--attendu", "attendu.txt", "classe/Élodie.txt"});
    EXPECT_EQ(compte.statut, 1);
    EXPECT_NE(compte.sortie.find("attendu : «n = 1 s = 1» / obtenu : «n =  1 s =  1»"), std::string::npos);
    const Tlancement r = verifier(dossier, {"--ignorer-blancs", "--attendu=attendu.txt", "classe/Élodie.txt",
                                           "classe/utf8.txt", "=SOMME(A1).txt", "--csv", "r.csv"});
    EXPECT_EQ(r.statut, 0) << r.sortie << r.erreurs;
    EXPECT_EQ(lireFichier(dossier / "r.csv"), "\xEF\xBB\xBF" "fichier;statut;ligne;detail;instructions\r\n"
                                       "classe/Élodie.txt;reussi;;;14\r\n"
                                       "classe/utf8.txt;reussi;;;14\r\n"
                                       "'=SOMME(A1).txt;reussi;;;14\r\n");
}

// A file name is escaped in the page like any learner's text.
TEST_F(verifier_classe, nom_de_fichier_echappe) {
#ifdef _WIN32
    GTEST_SKIP() << "no < or > in a Windows file name";
#endif
    programme(dossier / "eleves" / "<b onmouseover=alert(2)>Zoé.txt", autreSolution);
    const Tlancement r = verifier(dossier, {"--reference", "reference.txt", "--html", "r.html", "eleves"});
    EXPECT_EQ(r.statut, 0);
    const std::string html = lireFichier(dossier / "r.html");
    EXPECT_NE(html.find("eleves/&lt;b onmouseover=alert(2)&gt;Zoé.txt"), std::string::npos);
    EXPECT_EQ(html.find("<b "), std::string::npos);
}

// A reference that cannot serve is refused before any program runs, and no
// report is written.
TEST_F(verifier_classe, reference_refusee) {
    const struct {
        const char* programme;
        const char* message;
    } cas[] = {
        {"Entier n\nDonner à n la valeur (1\nAfficher n\n",
         "la référence ref.txt ne peut servir : Erreur à l'analyse du programme, ligne 2 : Erreur de parenthésage\n"},
        {"Entier n\nDonner à n la valeur quot(1, n)\nAfficher n\n",
         "la référence ref.txt ne peut servir : Erreur à l'exécution du programme, ligne 2 : Un calcul n'a pu être "
         "effectué.\n"},
        {"Entier n\n[a]\nDonner à n la valeur 1\nAller à [a] si n = 1\nAfficher n\n",
         "la référence ref.txt ne peut servir : Arrêté après 1000 instructions.\n"},
    };
    for (const auto& c : cas) {
        programme(dossier / "ref.txt", c.programme);
        const Tlancement r = verifier(dossier, {"--reference", "ref.txt", "--max-instructions", "1000", "--csv",
                                               "refus.csv", "classe"});
        EXPECT_EQ(r.statut, 64);
        EXPECT_EQ(r.sortie, "");
        EXPECT_EQ(r.erreurs, std::string("trevane-verifier : ") + c.message);
        EXPECT_FALSE(fs::exists(dossier / "refus.csv"));
    }
    const Tlancement absente = verifier(dossier, {"--attendu", "absent.txt", "classe"});
    EXPECT_EQ(absente.statut, 64);
    EXPECT_EQ(absente.erreurs, "trevane-verifier : sortie attendue absent.txt : Impossible d'ouvrir le fichier\n");
}

// A report path that is not a regular file is written into, not replaced;
// a report that cannot be written is a failure of the command.
TEST_F(verifier_classe, ecriture_des_rapports) {
    ecrire(dossier / "vrai.csv", "");
    std::error_code sansLiens;   // Wine makes no symbolic links
    fs::create_symlink("vrai.csv", dossier / "lien.csv", sansLiens);
    if (!sansLiens) {
        const Tlancement r =
            verifier(dossier, {"--reference", "reference.txt", "--csv", "lien.csv", "classe/utf8.txt"});
        EXPECT_EQ(r.statut, 0);
        EXPECT_TRUE(fs::is_symlink(dossier / "lien.csv"));
        EXPECT_EQ(lireFichier(dossier / "vrai.csv").substr(0, 3), "\xEF\xBB\xBF");
    }
    const Tlancement echec = verifier(dossier, {"--reference", "reference.txt", "--html", "nulle-part/r.html",
                                               "classe/utf8.txt"});
    EXPECT_EQ(echec.statut, 74);
    EXPECT_EQ(echec.erreurs, "trevane-verifier : impossible d'écrire le rapport nulle-part/r.html\n");
}

TEST_F(verifier_classe, usage) {
    const std::vector<std::vector<std::string>> mauvais = {
        {},
        {"classe"},
        {"--reference", "reference.txt"},
        {"--reference", "reference.txt", "--attendu", "a.txt", "classe"},
        {"--reference", "reference.txt", "--jobs", "0", "classe"},
        {"--reference", "reference.txt", "--max-instructions", "-5", "classe"},
        {"--reference", "reference.txt", "--inconnue", "classe"},
        {"--reference"},
    };
    for (const auto& arguments : mauvais) {
        const Tlancement r = verifier(dossier, arguments);
        EXPECT_EQ(r.statut, 64);
        EXPECT_EQ(r.sortie, "");
        EXPECT_NE(r.erreurs.find("usage : trevane-verifier"), std::string::npos);
    }
    const Tlancement aide = verifier(dossier, {"--help"});
    EXPECT_EQ(aide.statut, 0);
    EXPECT_EQ(aide.sortie.rfind("usage : trevane-verifier [OPTIONS] ENTREE...\n", 0), 0u);
    EXPECT_EQ(aide.erreurs, "");
    const Tlancement version = verifier(dossier, {"--version"});
    EXPECT_EQ(version.statut, 0);
    EXPECT_EQ(version.sortie.rfind("trevane-verifier ", 0), 0u);
    // A folder without programs checks nothing: that is not a success.
    fs::create_directories(dossier / "vide");
    const Tlancement rien = verifier(dossier, {"--reference", "reference.txt", "vide"});
    EXPECT_EQ(rien.statut, 1);
    EXPECT_EQ(rien.erreurs, "trevane-verifier : aucun programme trouvé\n");
}

} // namespace
