#include "analysis/texte.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>

namespace {

// The rules as the language states them, one replacement or deletion at a
// time, to hold the fast versions to.
void remplacerToutLitteral(std::string& texte, const std::string& motif, const std::string& remplacement) {
    for (size_t p = texte.find(motif); p != std::string::npos; p = texte.find(motif))
        texte.replace(p, motif.size(), remplacement);
}

void serrerSeparateursLitteral(std::string& texte) {
    supprimerBlancs(texte);
    remplacerToutLitteral(texte, "...", "..");
    for (const char c : std::string(" :,#=;.[]()")) {
        const std::string avant = std::string(1, c) + " ";
        for (size_t p = texte.find(avant); p != std::string::npos; p = texte.find(avant))
            texte.erase(p + 1, 1);
        const std::string apres = std::string(" ") + c;
        for (size_t p = texte.find(apres); p != std::string::npos; p = texte.find(apres))
            texte.erase(p, 1);
    }
}

std::string hasard(std::mt19937& gen, std::string_view alphabet, size_t longueurMax) {
    const size_t longueur = gen() % (longueurMax + 1);
    std::string texte;
    for (size_t i = 0; i < longueur; ++i)
        texte += alphabet[gen() % alphabet.size()];
    return texte;
}

std::string serre(std::string texte) {
    serrerSeparateurs(texte);
    return texte;
}

std::string remplace(std::string texte, std::string_view motif, std::string_view remplacement) {
    remplacerTout(texte, motif, remplacement);
    return texte;
}

struct Tplage {
    bool reussi;
    int32_t bas;
    int32_t haut;
};
Tplage plage(std::string_view texte) {
    Tplage p{false, -99, -99};
    p.reussi = lirePlage(texte, p.bas, p.haut);
    return p;
}

// -1 stands for a refusal, so the tables stay one line per case.
int64_t entier(std::string_view texte) {
    int32_t v = 0;
    return lireEntier(texte, v) ? v : -1;
}

} // namespace

TEST(texte, blancs_seulement_aux_bords) {
    std::string t = "  a b  ";
    supprimerBlancs(t);
    EXPECT_EQ(t, "a b");
    t = "   ";
    supprimerBlancs(t);
    EXPECT_EQ(t, "");
    EXPECT_EQ(sansBlancs("   "), "");
    EXPECT_EQ(sansBlancs(" a b "), "a b");
    EXPECT_EQ(sansBlancs("\ta "), "\ta");
    EXPECT_EQ(sansBlancs(""), "");
    EXPECT_EQ(sansBlancsVue("x"), "x");
}

TEST(texte, parentheses) {
    EXPECT_FALSE(parenthesesEquilibrees(")("));
    EXPECT_FALSE(parenthesesEquilibrees("(()"));
    EXPECT_TRUE(parenthesesEquilibrees(""));
    EXPECT_TRUE(parenthesesEquilibrees("(a)(b)"));
    EXPECT_FALSE(parenthesesEquilibrees("(\"(\")")); // quotes do not hide a bracket
    EXPECT_FALSE(entreParentheses("("));
    EXPECT_FALSE(entreParentheses(""));
    EXPECT_TRUE(entreParentheses("()"));
    EXPECT_TRUE(entreParentheses("((a)+(b))"));
    EXPECT_FALSE(entreParentheses("(a)(b)"));
    EXPECT_FALSE(entreParentheses(" (a)"));
}

TEST(texte, remplacer_tout) {
    EXPECT_EQ(remplace("L(1...5)", "...", ".."), "L(1..5)");
    EXPECT_EQ(remplace("......", "...", ".."), "..");
    EXPECT_EQ(remplace("a.b", "...", ".."), "a.b");
    EXPECT_EQ(remplace("abb", "ab", "a"), "a");
    EXPECT_EQ(remplace("abc", "", "x"), "abc");
}

TEST(texte, remplacer_tout_comme_la_regle) {
    std::mt19937 gen(12345);
    const std::pair<std::string, std::string> cas[] = {
        {"...", ".."}, {"ab", "a"}, {"aba", "b"}, {"aab", "ba"}, {"abab", "ba"}};
    for (const auto& [motif, remplacement] : cas) {
        for (int essai = 0; essai < 3000; ++essai) {
            const std::string texte = hasard(gen, motif == "..." ? ". a" : "ab", 14);
            std::string attendu = texte;
            remplacerToutLitteral(attendu, motif, remplacement);
            EXPECT_EQ(remplace(texte, motif, remplacement), attendu) << texte << " " << motif;
        }
    }
}

TEST(texte, serrer_separateurs) {
    EXPECT_EQ(serre("  i ; j ; L (1 .. 100)"), "i;j;L(1..100)");
    EXPECT_EQ(serre("A (1..4 , 1..4)"), "A(1..4,1..4)");
    EXPECT_EQ(serre("ab  cd"), "ab cd");
    EXPECT_EQ(serre("x1 ;  y"), "x1;y");
    EXPECT_EQ(serre("A ( 1 .. 4 )"), "A(1..4)");
    EXPECT_EQ(serre("L(1...5)"), "L(1..5)");
    // "..." is shortened before the blanks go, so this one stays.
    EXPECT_EQ(serre("1.. .5"), "1...5");
    EXPECT_EQ(serre("a\t ;"), "a\t;");
}

TEST(texte, serrer_separateurs_comme_la_regle) {
    std::mt19937 gen(2024);
    for (int essai = 0; essai < 20000; ++essai) {
        const std::string texte = hasard(gen, "   ..;,:#=[]()ab", 16);
        std::string attendu = texte;
        serrerSeparateursLitteral(attendu);
        EXPECT_EQ(serre(texte), attendu) << '"' << texte << '"';
    }
}

TEST(texte, lignes_enormes_en_temps_lineaire) {
    // A literal rule would take minutes on these; a generous bound only
    // catches a quadratic blow-up.
    const auto debut = std::chrono::steady_clock::now();
    std::string points(1 << 20, '.');
    remplacerTout(points, "...", "..");
    EXPECT_TRUE(points == "..");
    std::string blancs = "a" + std::string(1 << 20, ' ') + "b";
    serrerSeparateurs(blancs);
    EXPECT_TRUE(blancs == "a b");
    std::string melange;
    for (int i = 0; i < (1 << 18); ++i)
        melange += " . ";
    serrerSeparateurs(melange);
    // The dots meet only once the blanks are gone, after "..." was shortened.
    EXPECT_TRUE(melange == std::string(1 << 18, '.'));
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(5));
}

TEST(texte, lire_plage) {
    EXPECT_TRUE(plage("2..3").reussi);
    EXPECT_EQ(plage("2..3").bas, 2);
    EXPECT_EQ(plage("2..3").haut, 3);
    EXPECT_TRUE(plage("0..1").reussi);
    EXPECT_TRUE(plage(" 1..100 ").reussi);
    EXPECT_EQ(plage("0..2147483647").haut, 2147483647);
    const char* refusees[] = {"..3", "2..", "1..1", "5..2", "-1..3", "1 ..3", "..", "1", "a..b",
                              "1..2147483648", "1...3", "1..3..5", ""};
    for (const char* texte : refusees)
        EXPECT_FALSE(plage(texte).reussi) << texte;
    // The conversion takes leading blanks, not trailing ones.
    EXPECT_TRUE(plage("1.. 3").reussi);
}

TEST(texte, lire_entier) {
    EXPECT_EQ(entier(" 12 "), 12);
    EXPECT_EQ(entier("-7"), -7);
    EXPECT_EQ(entier("+7"), 7);
    EXPECT_EQ(entier("007"), 7);
    EXPECT_EQ(entier("2147483647"), 2147483647);
    EXPECT_EQ(entier("-2147483648"), -2147483648LL);
    EXPECT_EQ(entier("$1F"), 31);
    EXPECT_EQ(entier("x1f"), 31);
    EXPECT_EQ(entier("0x10"), 16);
    EXPECT_EQ(entier("-$10"), -16);
    EXPECT_EQ(entier("$7FFFFFFF"), 2147483647);
    EXPECT_EQ(entier("-$80000000"), -2147483648LL);
    const char* refuses[] = {"12a", "1.5", "", "-", "+", "$", "0x", "$G", "2147483648", "-2147483649",
                             "$80000000", "99999999999999999999999", "1 2", "- 7", "1E5", "$-1", "0X10"};
    for (const char* texte : refuses) {
        int32_t v = 0;
        EXPECT_FALSE(lireEntier(texte, v)) << texte;
    }
}

TEST(texte, lire_reel) {
    const std::pair<const char*, double> lus[] = {
        {"3.25", 3.25}, {" 3.25 ", 3.25}, {"-1.5", -1.5}, {"+2.", 2.0}, {".5", 0.5}, {"1.5E3", 1500.0},
        {"1.5e+3", 1500.0}, {"2.5E-1", 0.25}, {"7", 7.0}, {"1.0E-400", 0.0}, {"1.7E308", 1.7e308}};
    for (const auto& [texte, attendu] : lus) {
        double v = -1;
        EXPECT_TRUE(lireReel(texte, v)) << texte;
        EXPECT_EQ(v, attendu) << texte;
    }
    const char* refuses[] = {"3,25", "", ".", "-", "1.5x", "inf", "nan", "INF", "0x1p3", "1.0E400",
                             "1E", "1E+", "1..5", "1.5.2", "- 1.5", "E5", "1e308e1", "-1.0E400"};
    for (const char* texte : refuses) {
        double v = 0;
        EXPECT_FALSE(lireReel(texte, v)) << texte;
    }
    double v = 0;
    EXPECT_TRUE(lireReel("-1.0E-400", v));
    EXPECT_TRUE(std::signbit(v));
}

TEST(texte, separer_indices) {
    std::string a;
    std::string b;
    EXPECT_TRUE(separerIndices("(1 , 3)", a, b));
    EXPECT_EQ(a, "1 ");
    EXPECT_EQ(b, " 3");
    EXPECT_TRUE(separerIndices(" (max(i,j), k) ", a, b));
    EXPECT_EQ(a, "max(i,j)");
    EXPECT_EQ(b, " k");
    EXPECT_TRUE(separerIndices("(i, j, k)", a, b));
    EXPECT_EQ(a, "i, j");
    EXPECT_EQ(b, " k");
    const char* refuses[] = {"(1)", "(,3)", "(1,)", "( , )", "()", "1,2", "(1,2)(3)", "(f(1,2))", ""};
    for (const char* texte : refuses)
        EXPECT_FALSE(separerIndices(texte, a, b)) << texte;
}

// Every text and motif of up to 8 and 4 letters over {a, b}: borders and
// overlaps are where a linear search goes wrong.
TEST(texte, premiere_occurrence_comme_find) {
    const auto mot = [](uint32_t bits, uint32_t longueur) {
        std::string s;
        for (uint32_t k = 0; k < longueur; ++k)
            s += (bits >> k) & 1 ? 'b' : 'a';
        return s;
    };
    for (uint32_t lt = 0; lt <= 8; ++lt)
        for (uint32_t t = 0; t < (1u << lt); ++t)
            for (uint32_t lm = 0; lm <= 4; ++lm)
                for (uint32_t m = 0; m < (1u << lm); ++m) {
                    const std::string texte = mot(t, lt);
                    const std::string motif = mot(m, lm);
                    ASSERT_EQ(premiereOccurrence(texte, motif), std::string_view(texte).find(motif))
                        << texte << " / " << motif;
                }
}
