// Program files from other editors: which bytes are taken as UTF-8 or
// UTF-16, what they become in Windows-1252, and where tabs stop.
#include "base/decodage_fichier.h"

#include <gtest/gtest.h>

#include <string>

TEST(decodage_fichier, codages_reconnus) {
    struct Tcas {
        std::string octets;
        TcodageFichier codage;
        std::string texte;
        size_t remplaces;
    };
    const Tcas cas[] = {
        // Windows-1252 read as is, even where a prefix would be valid UTF-8.
        {"Donner \xE0 n", codageWindows1252, "Donner \xE0 n", 0},
        {"\xC3\xA9t\xE9", codageWindows1252, "\xC3\xA9t\xE9", 0},
        {"\x80\x81\x8D\xFF", codageWindows1252, "\x80\x81\x8D\xFF", 0},
        {"ASCII", codageWindows1252, "ASCII", 0},
        {"", codageWindows1252, "", 0},
        // Malformed UTF-8: overlong, surrogate, past U+10FFFF, cut short.
        {"\xC0\xAF", codageWindows1252, "\xC0\xAF", 0},
        {"\xED\xA0\x80", codageWindows1252, "\xED\xA0\x80", 0},
        {"\xF4\x90\x80\x80", codageWindows1252, "\xF4\x90\x80\x80", 0},
        {"a\xC3", codageWindows1252, "a\xC3", 0},
        {"\xC9\xC9", codageWindows1252, "\xC9\xC9", 0},   // a lead byte where a continuation byte must be
        {"\xC3\xA9\xE9", codageWindows1252, "\xC3\xA9\xE9", 0},
        // UTF-8, with or without its mark; characters the code page lacks.
        {"Donner \xC3\xA0 n", codageUtf8, "Donner \xE0 n", 0},
        {"\xE2\x82\xAC \xC5\x93 \xC2\x81", codageUtf8, "\x80 \x9C \x81", 0},
        {"\xCE\xA9 \xF0\x9F\x98\x80", codageUtf8, "? ?", 2},
        {"\xEF\xBB\xBF" "abc", codageUtf8, "abc", 0},
        {"\xEF\xBB\xBF" "a\xE9z", codageUtf8, "a?z", 1},
        // UTF-16 after its mark, either order; a pair is one character.
        {std::string("\xFF\xFE" "a\0\xE0\0\r\0\n\0", 10), codageUtf16, "a\xE0\r\n", 0},
        {std::string("\xFE\xFF\0a\x20\xAC", 6), codageUtf16, "a\x80", 0},
        {std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), codageUtf16, "?", 1},
        {std::string("\xFF\xFE\x00\xDC" "a", 5), codageUtf16, "??", 2},   // lone low surrogate, odd byte
        {std::string("\xFE\xFF\xD8\x3D\0a", 6), codageUtf16, "?a", 1},   // lone high surrogate
    };
    for (const Tcas& c : cas) {
        const TfichierDecode f = decoderFichier(c.octets);
        EXPECT_EQ(f.codage, c.codage) << c.octets;
        EXPECT_EQ(f.texte, c.texte) << c.octets;
        EXPECT_EQ(f.caracteresRemplaces, c.remplaces) << c.octets;
        EXPECT_EQ(f.tabulations, 0u);
    }
}

TEST(decodage_fichier, tabulations_jusqu_au_prochain_arret) {
    std::string texte = "\tA\r\nab\tc\td\n\t\t";
    EXPECT_EQ(remplacerTabulations(texte), 5u);
    EXPECT_EQ(texte, "    A\r\nab  c   d\n        ");
    std::string colle = "x\ty";
    EXPECT_EQ(remplacerTabulations(colle, 3), 1u);   // pasted after three characters
    EXPECT_EQ(colle, "x    y");
    std::string sans = "rien";
    EXPECT_EQ(remplacerTabulations(sans), 0u);
    EXPECT_EQ(decoderFichier("\xC3\xA0\tb").texte, "\xE0   b");   // columns count characters
}

TEST(decodage_fichier, note_pour_l_utilisateur) {
    EXPECT_EQ(noteDecodage(decoderFichier("Afficher 1")), "");
    EXPECT_EQ(noteDecodage(decoderFichier("\xC3\xA0")),
              "Fichier lu en UTF-8 : il sera enregistr\xE9 en Windows-1252");
    EXPECT_EQ(noteDecodage(decoderFichier(std::string("\xFF\xFE\x3D\xD8\x00\xDE\t\0\t\0", 10))),
              "Fichier lu en UTF-16 : il sera enregistr\xE9 en Windows-1252 ; "
              "1 caract\xE8re remplac\xE9 par \xAB ? \xBB ; "
              "2 tabulations remplac\xE9" "es par des blancs");
    EXPECT_EQ(noteDecodage(decoderFichier("\t\xE9")), "1 tabulation remplac\xE9" "e par des blancs");
    // Line ends other than CR LF, which a save writes.
    const struct {
        const char* octets;
        const char* note;
    } fins[] = {
        {"a\r\nb\r\n", ""},
        {"a\r\nb\n", "fins de ligne LF, enregistr\xE9" "es en CR LF"},
        {"a\rb", "fins de ligne CR, enregistr\xE9" "es en CR LF"},
        {"a\n\rb\r", "fins de ligne LF et CR, enregistr\xE9" "es en CR LF"},
    };
    for (const auto& f : fins)
        EXPECT_EQ(noteDecodage(decoderFichier(f.octets)), f.note) << f.octets;
}
