// The checker's pieces: file decoding, the program's output kept apart from
// the reports, the comparison, and the texts made safe for the reports.
#include "banc_execution.h"
#include "base/decodage_fichier.h"
#include "tools/verifier/comparaison.h"
#include "tools/verifier/textes_rapport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(decodage, codages_reconnus) {
    const struct {
        std::string octets;
        TcodageFichier codage;
        std::string texte;   // Windows-1252
        size_t remplaces;
    } cas[] = {
        {"Afficher n", codageWindows1252, "Afficher n", 0},
        {"Donner \xE0 n", codageWindows1252, "Donner \xE0 n", 0},              // 1252 stays as it is
        {"\xC3\xA0 \xE0", codageWindows1252, "\xC3\xA0 \xE0", 0},               // not valid UTF-8: 1252
        {"\xC0\x80", codageWindows1252, "\xC0\x80", 0},                         // overlong: not UTF-8
        {"Donner \xC3\xA0 n", codageUtf8, "Donner \xE0 n", 0},
        {"\xE2\x82\xAC \xCE\xA9", codageUtf8, "\x80 ?", 1},                     // euro; omega lacks a byte
        {"\xEF\xBB\xBFn", codageUtf8, "n", 0},                                  // mark dropped
        {"\xEF\xBB\xBF\xFF", codageUtf8, "?", 1},                               // bad byte after the mark
        {std::string("\xFF\xFE" "a\0\xE9\0", 6), codageUtf16, "a\xE9", 0},
        {std::string("\xFE\xFF\0a\0\xE9", 6), codageUtf16, "a\xE9", 0},
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), codageUtf16, "?", 1},   // one character beyond 16 bits
        {std::string("\xFF\xFE\x00\xD8" "a", 5), codageUtf16, "??", 2},       // lone surrogate, odd byte
        {"", codageWindows1252, "", 0},
    };
    for (const auto& c : cas) {
        const TfichierDecode r = decoderFichier(c.octets);
        EXPECT_EQ(r.codage, c.codage) << c.octets;
        EXPECT_EQ(r.texte, c.texte) << c.octets;
        EXPECT_EQ(r.caracteresRemplaces, c.remplaces) << c.octets;
    }
}

// A window that keeps the program's output apart.
class TfenetreSorties : public TfenetreMemoire {
public:
    std::vector<std::string> sorties;
    void ajouterSortie(const std::string& texte) override {
        sorties.push_back(texte);
        TfenetreMemoire::ajouterSortie(texte);
    }
};

// Only a display instruction's line goes through `ajouterSortie`, in both
// run modes, and it still reaches the pane as before.
TEST(sorties, seules_les_lignes_affichees) {
    for (const int32_t mode : {executionNormale, executionCommentee}) {
        banc::TbancSur<TfenetreSorties> b;
        auto& f = b.f;
        auto& d = b.d;
        demarrerSession(*d, 0);
        b.editeur(depuisUtf8("Entier n\nDonner à n la valeur 2\nAfficher n\nAfficher \"\"\n"
                                                    "Afficher \"fin\""));
        lancerExecution(*d, mode);
        while (f.poursuivreArreterActifs())
            poursuivreExecution(*d);
        EXPECT_EQ(f.sorties, (std::vector<std::string>{" 2", "fin"})) << mode;
        EXPECT_EQ(f.lignesAffichage.back(), depuisUtf8(" Instructions exécutées : 4")) << mode;
        EXPECT_NE(std::find(f.lignesAffichage.begin(), f.lignesAffichage.end(), "  2"), f.lignesAffichage.end());
    }
}

// executerAuPlus stops after exactly the steps asked, and the run goes on.
TEST(sorties, execution_bornee) {
    banc::Tbanc b;
    auto& f = b.f;
    auto& d = b.d;
    demarrerSession(*d, 0);
    b.editeur(depuisUtf8("Entier n\n[a]\nDonner à n la valeur n + 1\n"
                                                "Aller à [a] si n < 1000\nAfficher n"));
    ASSERT_TRUE(preparerExecution(*d, executionNormale));
    executerAuPlus(*d, 7);
    EXPECT_EQ(d->nbPas, 7);
    EXPECT_EQ(d->entiers[d->variables[1].premiereCase], 4);
    executerAuPlus(*d, tailleTranche);
    EXPECT_EQ(d->nbPas, 2001);
    EXPECT_EQ(d->ligneCourante, aucuneLigne);
    EXPECT_EQ(f.lignesAffichage, std::vector<std::string>{"  1000"});
}

TEST(comparaison, blancs_ignores) {
    EXPECT_EQ(lignePourComparer("  a   b  c ", true), "a b c");
    EXPECT_EQ(lignePourComparer("  a   b  c ", false), "  a   b  c ");
    EXPECT_EQ(lignePourComparer("   ", true), "");
    EXPECT_EQ(lignePourComparer("x\ty", true), "x\ty");   // a tabulation is not a blank
}

TEST(comparaison, premiere_difference) {
    const Tattendu attendu(std::vector<std::string>{"a", "b", "c"}, false);
    const auto comparer = [&](std::vector<std::string> lignes) {
        Tcomparaison c(attendu, false);
        for (const std::string& l : lignes)
            c.recevoir(l);
        return c.difference();
    };
    EXPECT_EQ(comparer({"a", "b", "c"}), std::nullopt);
    EXPECT_EQ(comparer({"a", "x", "c"}), 1u);
    EXPECT_EQ(comparer({"a", "b"}), 2u);              // a missing line
    EXPECT_EQ(comparer({"a", "b", "c", "d"}), 3u);    // an extra one
    EXPECT_EQ(comparer({}), 0u);
    EXPECT_EQ(comparer({"a ", "b", "c"}), 0u);
    EXPECT_EQ(detailDifference(attendu.lignes[1], std::nullopt), "attendu : «b» / obtenu : (ligne manquante)");
    const std::string longue(200, 'x');
    EXPECT_EQ(detailDifference(std::nullopt, longue),
              "attendu : (aucune ligne) / obtenu : «" + std::string(120, 'x') + "…» (ligne en trop)");
}

// Expected lines held in one buffer are the editor's lines.
TEST(comparaison, lignes_groupees) {
    for (const char* texte : {"", "a", "a\r\nb\rc\nd", "\n\n\r\r\n", "x\r\n", "\r\n\r", " \n  "}) {
        const std::vector<std::string> editeur = decouperLignes(texte);
        const TlignesGroupees groupees(texte);
        ASSERT_EQ(groupees.size(), editeur.size()) << texte;
        for (size_t i = 0; i < editeur.size(); ++i)
            EXPECT_EQ(groupees[i], editeur[i]) << texte << i;
    }
}

// A program that writes without end: a bounded number of lines is kept, and
// the receiver says when to stop.
TEST(comparaison, sortie_sans_fin_bornee) {
    const Tattendu attendu(std::vector<std::string>{"a", "b"}, false);
    Tcomparaison c(attendu, false);
    const std::string ligne(1000, 'z');
    size_t recues = 0;
    while (!c.assez() && recues < 1000000) {
        c.recevoir(ligne);
        ++recues;
    }
    EXPECT_EQ(recues, 2 + margeLignes + 1);
    EXPECT_TRUE(c.debordee());
    EXPECT_LE(c.gardees().size(), 1 + contexteApres);
    EXPECT_EQ(c.gardees()[0].size(), longueurGardee + 1);
    c.resserrer();
    EXPECT_EQ(c.difference(), 0u);
    EXPECT_EQ(c.premiereGardee(), 0u);
}

// Lines that agree are not kept beyond the few shown before a difference.
TEST(comparaison, contexte_borne) {
    std::vector<std::string> lignes;
    for (int i = 0; i < 100000; ++i)
        lignes.push_back(std::to_string(i));
    const Tattendu attendu(lignes, false);
    Tcomparaison c(attendu, false);
    for (int i = 0; i < 100000; ++i)
        c.recevoir(i == 50000 ? "x" : lignes[i]);
    EXPECT_EQ(c.difference(), 50000u);
    EXPECT_EQ(c.premiereGardee(), 50000u - contexteAvant);
    ASSERT_EQ(c.gardees().size(), contexteAvant + 1 + contexteApres);
    EXPECT_EQ(c.gardees()[contexteAvant], "x");
    EXPECT_EQ(c.gardees()[contexteAvant + 1], "50001");
}

TEST(textes_rapport, csv_sans_formule) {
    const struct {
        const char* champ;
        const char* ecrit;
    } cas[] = {
        {"simple", "simple"},
        {"=1+2", "'=1+2"},
        {"+33 6", "'+33 6"},
        {"-cmd|' /C calc'!A0", "'-cmd|' /C calc'!A0"},
        {"@SOMME(A1)", "'@SOMME(A1)"},
        {"\tx", "'\tx"},
        {"-12", "-12"},
        {"+3.5e-2", "+3.5e-2"},
        {"-", "'-"},
        {"a;b", "\"a;b\""},
        {"dit \"oui\"", "\"dit \"\"oui\"\"\""},
        {"=A1;B2", "\"'=A1;B2\""},
        {"", ""},
    };
    for (const auto& c : cas)
        EXPECT_EQ(champCsvSansFormule(c.champ), c.ecrit) << c.champ;
}

TEST(textes_rapport, html_et_controles) {
    EXPECT_EQ(echapperHtml("<img src=x onerror=\"alert('1')\"> & co"),
              "&lt;img src=x onerror=&quot;alert(&#39;1&#39;)&quot;&gt; &amp; co");
    // Escapes of a terminal, line breaks and C1 controls never reach a report.
    EXPECT_EQ(sansControles("a\x1B[2Jb\nc\xC2\x85" "d\x7F\xC3\xA9"),
              "a\xEF\xBF\xBD[2Jb\xEF\xBF\xBD" "c\xEF\xBF\xBD" "d\xEF\xBF\xBD\xC3\xA9");
    EXPECT_EQ(nomLisible("\xC3\x89lodie.txt"), "\xC3\x89lodie.txt");   // UTF-8 kept
    // Anything else escaped: two files never share a name in a report.
    const struct {
        const char* octets;
        const char* nom;
    } noms[] = {
        {"\xC9lodie.txt", "\\xC9lodie.txt"},   // Latin-1
        {"a\x81", "a\\x81"},
        {"\xC3", "\\xC3"},                     // cut sequence
#ifndef _WIN32
        {"\\xC9lodie.txt", "\\\\xC9lodie.txt"},   // the escape itself, typed in the name
#endif
        {"a\nb\xC2\x85", "a\\x0Ab\\xC2\\x85"},   // C0 and C1 controls
    };
    for (const auto& n : noms)
        EXPECT_EQ(nomLisible(n.octets), n.nom) << n.octets;
    EXPECT_EQ(largeur("\xC3\x89l\xC2\xAB"), 3u);
}

} // namespace
