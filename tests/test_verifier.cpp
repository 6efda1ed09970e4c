// trevane-verifier end to end: a class folder with every kind of program,
// checked through the built executable (table, CSV byte for byte, HTML,
// exit status).
#include "base/codage.h"
#include "base/fichiers_systeme.h"
#include "tests/lancement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
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
              "classe/utf8.txt                 réussi                     Fichier lu en UTF-8 : il sera enregistré en "
              "Windows-1252\n"
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
              "classe/utf8.txt;reussi;;Fichier lu en UTF-8 : il sera enregistré en Windows-1252;14\r\n"
              "classe/vide.txt;erreur-analyse;;Programme vide;0\r\n"
              "'=SOMME(A1).txt;reussi;;;14\r\n"
              "absent.txt;illisible;;Impossible d'ouvrir le fichier;0\r\n");

    // What the learner's program wrote is text on the page, never markup.
    const std::string html = lireFichier(dossier / "rapport.html");
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(html.find("&lt;img<span class=\"blanc\">·</span>src=x"), std::string::npos);
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
                                       "classe/utf8.txt;reussi;;Fichier lu en UTF-8 : il sera enregistré en "
                                       "Windows-1252;14\r\n"
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

// Every way a report's write can go wrong: the command fails with 74, an
// existing report keeps its bytes, a file the report must not reach is left
// alone, and no temporary file stays behind.
TEST_F(verifier_classe, ecritures_des_rapports) {
#ifdef _WIN32
    GTEST_SKIP() << "no symbolic link nor file-size limit under Wine";
#else
    const std::string longNom = std::string(248, 'r') + ".csv";   // 252 characters
    // Under a file-size limit, its signal ignored as the console programs do.
    const std::vector<std::string> limite = {"sh", "-c", "ulimit -f 4; trap '' XFSZ; exec \"$0\" \"$@\"",
                                             TREVANE_VERIFIER};
    const struct {
        const char* cas;
        std::vector<std::string> avant;       // the command, before the checker's arguments
        std::vector<std::string> arguments;
        int statut;
        const char* erreurs;
    } cas[] = {
        {"dossier absent", {TREVANE_VERIFIER}, {"--html", "nulle-part/r.html"}, 74,
         "trevane-verifier : impossible d'écrire le rapport nulle-part/r.html\n"},
        {"taille limitée", limite, {"--html", "ancien.html"}, 74,
         "trevane-verifier : impossible d'écrire le rapport ancien.html\n"},
        {"lien à l'ancien nom provisoire", {TREVANE_VERIFIER}, {"--csv", "r.csv"}, 0, ""},
        {"lien vers le rapport", {TREVANE_VERIFIER}, {"--csv", "lien.csv"}, 0, ""},
        {"nom de 252 caractères", {TREVANE_VERIFIER}, {"--csv", longNom}, 0, ""},
    };
    for (const auto& c : cas) {
        ecrire(dossier / "ancien.html", "ancien");
        ecrire(dossier / "victime.txt", "victime");
        ecrire(dossier / "vrai.csv", "");
        fs::remove(dossier / "lien.csv");
        fs::remove(dossier / "r.csv.trevane-tmp");
        fs::create_symlink("vrai.csv", dossier / "lien.csv");
        fs::create_symlink("victime.txt", dossier / "r.csv.trevane-tmp");
        std::vector<std::string> commande(c.avant.begin() + 1, c.avant.end());
        for (const char* a : {"--reference", "reference.txt"})
            commande.emplace_back(a);
        commande.insert(commande.end(), c.arguments.begin(), c.arguments.end());
        commande.emplace_back("classe/utf8.txt");
        const Tlancement r = lancer(c.avant[0], commande, dossier);
        EXPECT_EQ(r.statut, c.statut) << c.cas;
        EXPECT_EQ(r.erreurs, c.erreurs) << c.cas;
        EXPECT_EQ(lireFichier(dossier / "ancien.html"), "ancien") << c.cas;
        EXPECT_EQ(lireFichier(dossier / "victime.txt"), "victime") << c.cas;
        EXPECT_TRUE(fs::is_symlink(dossier / "lien.csv")) << c.cas;
        for (const auto& entree : fs::directory_iterator(dossier))
            EXPECT_EQ(entree.path().filename().string().rfind(".trevane-", 0), std::string::npos) << c.cas;
        if (c.statut == 0) {
            const fs::path rapport = dossier / (c.arguments[1] == "lien.csv" ? "vrai.csv" : c.arguments[1]);
            EXPECT_EQ(lireFichier(rapport).substr(0, 3), "\xEF\xBB\xBF") << c.cas;
        }
    }
#endif
}

// Command lines that would destroy work are refused before anything runs.
TEST_F(verifier_classe, rapports_qui_detruiraient) {
    const std::string faux = lireFichier(dossier / "classe" / "faux.txt");
    const struct {
        std::vector<std::string> arguments;
        const char* message;
    } cas[] = {
        {{"--csv", ""}, "nom de fichier vide pour --csv"},
        {{"--html=", "--csv", "r.csv"}, "nom de fichier vide pour --html"},
        {{"--csv", "r", "--html", "r"}, "--html désigne le même fichier que --csv : r"},
        {{"--csv", "r.csv", "--html", "./absent/../r.csv"}, "--html désigne le même fichier que --csv : ./absent/../r.csv"},
        {{"--csv", "classe/../reference.txt"}, "--csv désigne le même fichier que --reference : classe/../reference.txt"},
        {{"--html", "classe/faux.txt"}, "--html désigne le même fichier qu'un programme à vérifier : classe/faux.txt"},
    };
    for (const auto& c : cas) {
        std::vector<std::string> arguments = {"--reference", "reference.txt"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.emplace_back("classe");
        arguments.emplace_back("classe/faux.txt");
        const Tlancement r = verifier(dossier, arguments);
        EXPECT_EQ(r.statut, 64) << c.message;
        EXPECT_EQ(r.erreurs.substr(0, r.erreurs.find('\n')), std::string("trevane-verifier : ") + c.message);
        EXPECT_EQ(r.sortie, "");
    }
    EXPECT_EQ(lireFichier(dossier / "classe" / "faux.txt"), faux);
    EXPECT_FALSE(fs::exists(dossier / "r.csv"));
}

// Every entry named "*.txt" in a class folder gets its row, whatever it is;
// a link out of the folder is refused (the teacher's solution stays his);
// names that are not UTF-8 are escaped, so that none shows as another; a
// Windows-1252 program that reads as UTF-8 is checked so, and says it.
TEST_F(verifier_classe, entrees_hostiles) {
#ifdef _WIN32
    GTEST_SKIP() << "no FIFO nor symbolic link under Wine";
#else
    const fs::path c = dossier / "hostile";
    fs::path profond = c;
    for (int i = 0; i < 40; ++i)
        profond /= "d";
    programme(profond / "profond.txt", autreSolution);
    programme(c / "bon.txt", autreSolution);
    programme(c / "\xC3\xA9l\xC3\xA8ve.txt", autreSolution);   // named in UTF-8
    programme(c / "\xE9l\xE8ve.txt", autreSolution);            // in Latin-1
    ecrire(c / "gagne.txt", "Afficher \"GAGN\xC9\xA0!\"\r\n");   // "GAGNÉ !" in Windows-1252, valid UTF-8
    ASSERT_EQ(mkfifo((c / "fifo.txt").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", c / "peripherique.txt");
    fs::create_symlink("absent", c / "pendant.txt");
    fs::create_symlink("boucle.txt", c / "boucle.txt");
    fs::create_symlink("../reference.txt", c / "solution.txt");
    fs::create_symlink("bon.txt", c / "lien.txt");
    fs::create_symlink("d", c / "lien-dossier.txt");
    const Tlancement r = verifier(dossier, {"--reference", "reference.txt", "--csv", "r.csv", "hostile"});
    EXPECT_EQ(r.statut, 1);
    EXPECT_EQ(lireFichier(dossier / "r.csv"),
              "\xEF\xBB\xBF" "fichier;statut;ligne;detail;instructions\r\n"
              "hostile/bon.txt;reussi;;;14\r\n"
              "hostile/boucle.txt;illisible;;Impossible d'ouvrir le fichier;0\r\n" +
                  profond.lexically_relative(dossier).generic_string() + "/profond.txt;reussi;;;14\r\n"
              "hostile/élève.txt;reussi;;;14\r\n"
              "hostile/fifo.txt;illisible;;Impossible d'ouvrir le fichier;0\r\n"
              "hostile/gagne.txt;sortie-differente;1;\"attendu : «n =  1 s =  1» / obtenu : «GAGN?!» ; Fichier lu en "
              "UTF-8 : il sera enregistré en Windows-1252 ; 1 caractère remplacé par « ? »\";1\r\n"
              "hostile/lien-dossier.txt;illisible;;Impossible d'ouvrir le fichier;0\r\n"
              "hostile/lien.txt;reussi;;;14\r\n"
              "hostile/pendant.txt;illisible;;Impossible d'ouvrir le fichier;0\r\n"
              "hostile/peripherique.txt;illisible;;lien vers l'extérieur du dossier;0\r\n"
              "hostile/solution.txt;illisible;;lien vers l'extérieur du dossier;0\r\n"
              "hostile/\\xE9l\\xE8ve.txt;reussi;;;14\r\n");
#endif
}

// The page shows a difference made of blanks, and what one program adds to
// it stays bounded however long and full of "&" its lines are.
TEST_F(verifier_classe, page_html_lisible_et_bornee) {
    ecrire(dossier / "abc.txt", "a\nb\nc\n");
    programme(dossier / "html" / "blanc-final.txt", "Afficher \"a \"\nAfficher \"b\"\nAfficher \"c\"\n");
    programme(dossier / "html" / "ligne-blanche.txt", "Afficher \"a\"\nAfficher \"b\"\nAfficher \"c\"\nAfficher \" \"\n");
    const Tlancement r = verifier(dossier, {"--attendu", "abc.txt", "--html", "r.html", "html"});
    EXPECT_EQ(r.statut, 1);
    const std::string html = lireFichier(dossier / "r.html");
    const std::string blanc = "<span class=\"blanc\">·</span>", fin = "<span class=\"blanc\">⏎</span>";
    EXPECT_NE(html.find("<td>a" + fin + "</td><td>a" + blanc + fin + "</td>"), std::string::npos);
    EXPECT_NE(html.find("Seule différence : un blanc en fin de ligne."), std::string::npos);
    EXPECT_NE(html.find("<td class=\"absente\">(aucune ligne)</td><td>" + blanc + fin + "</td>"), std::string::npos);
    EXPECT_NE(html.find("<td>b</td><td>b</td>"), std::string::npos);   // equal lines as they are

    std::string bavard = "Entier n\n[a]\nDonner à n la valeur n + 1\nAfficher \"";
    for (int i = 0; i < 300; ++i)
        bavard += "&\"\"";
    programme(dossier / "bavards" / "un.txt", bavard + "\"\nAller à [a] si n < 100\n");
    const auto taille = [&] {
        EXPECT_EQ(verifier(dossier, {"--attendu", "abc.txt", "--html", "b.html", "bavards"}).statut, 1);
        return lireFichier(dossier / "b.html").size();
    };
    const size_t un = taille();
    fs::copy_file(dossier / "bavards" / "un.txt", dossier / "bavards" / "deux.txt");
    EXPECT_LT(taille() - un, 16000u);
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
