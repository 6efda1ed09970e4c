#include "base/codage.h"
#include "base/lignes.h"
#include "base/utf8.h"

#include <gtest/gtest.h>

TEST(codage, aller_retour) {
    EXPECT_EQ(depuisUtf8("Donner à n"), "Donner \xE0 n");
    EXPECT_EQ(depuisUtf8("Réel µ €"), "R\xE9" "el \xB5 \x80");
    EXPECT_EQ(depuisUtf8("漢"), "?");
    EXPECT_EQ(depuisUtf8("a\xFF" "b"), "a?b");
    EXPECT_EQ(depuisUtf8("\xC3"), "?");
    EXPECT_EQ(depuisUtf8("\xC0\xA9\xE0\x80\xA9"), "?????");   // overlong forms of "\xA9" refused
    EXPECT_EQ(versUtf8("\xE0\xE9\x80\x81"), "àé€\xC2\x81");
    for (int o = 0; o < 256; ++o) {
        const std::string octet(1, static_cast<char>(o));
        EXPECT_EQ(depuisUtf8(versUtf8(octet)), octet) << o;
    }
}

TEST(codage, ascii_ou_non) {
    // One byte from 0x80 at every place, on both sides of each eight.
    for (size_t taille = 0; taille <= 20; ++taille) {
        std::string texte(taille, 'a');
        EXPECT_TRUE(estAscii(texte)) << taille;
        for (size_t i = 0; i < taille; ++i) {
            texte[i] = static_cast<char>(i % 2 ? 0x80 : 0xe9);
            EXPECT_FALSE(estAscii(texte)) << taille << " " << i;
            texte[i] = 0x7f;
        }
    }
}

TEST(codage, utf16_vers_utf8) {
    // Windows' wide arguments: a pair is one character, a lone surrogate U+FFFD.
    EXPECT_EQ(utf8DepuisUtf16(u"L\u00E9a \U0001F600"), "L\xC3\xA9" "a \xF0\x9F\x98\x80");
    EXPECT_EQ(utf8DepuisUtf16(std::u16string{u'a', char16_t(0xD83D), u'b', char16_t(0xDE00)}),
              "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(lignes, comptees_comme_l_editeur) {
    using V = std::vector<std::string>;
    EXPECT_EQ(decouperLignes(""), V{});
    EXPECT_EQ(decouperLignes("a"), V{"a"});
    EXPECT_EQ(decouperLignes("a\r\n"), V{"a"});
    EXPECT_EQ(decouperLignes("\r\n"), V{""});
    EXPECT_EQ(decouperLignes("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(decouperLignes("a\nb\rc\r\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(decouperLignes(std::string("a\0b", 3)), V{std::string("a\0b", 3)});
    EXPECT_EQ(joindreLignes(V{"a", "", "b"}), "a\r\n\r\nb");
    EXPECT_EQ(joindreLignes(V{}), "");
}
