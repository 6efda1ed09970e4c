// Recovery copies: their names, their bytes (which copies written by earlier
// versions must still match) and the question that offers one. Reading them
// back bounded is checked through the window, on a real folder.
#include "base/codage.h"
#include "commands/recuperation.h"

#include <gtest/gtest.h>

#include <string>

TEST(recuperation, noms_des_copies_et_des_verrous) {
    EXPECT_EQ(nomCopie(1234, 1765180800000), "1234-1765180800000.txt");
    EXPECT_EQ(verrouDeCopie("/d/recuperation/1-2.txt"), "/d/recuperation/1-2.verrou");
    EXPECT_EQ(copieDuVerrou("/d/recuperation/1-2.verrou"), "/d/recuperation/1-2.txt");
}

TEST(recuperation, format_des_copies) {
    struct Tcas {
        TcopieSecours copie;
        std::string octets;
    };
    const Tcas cas[] = {
        {{"/classe/a b%c\n\xC3\xA9~_-.txt", "2026-12-08T06:00:00.000Z", "Afficher 1\r\n\r\n\xE9x"},
         "Trevane copie de secours 1\nfichier=%2Fclasse%2Fa%20b%25c%0A%C3%A9~_-.txt\ndate=2026-12-08T06:00:00.000Z\n\n"
         "Afficher 1\r\n\r\n\xE9x"},
        {{}, "Trevane copie de secours 1\nfichier=\ndate=\n\n"},
    };
    for (const Tcas& c : cas) {
        EXPECT_EQ(encoderCopie(c.copie), c.octets);
        TcopieSecours lue;
        ASSERT_TRUE(decoderCopie(c.octets, lue));
        EXPECT_EQ(lue.fichier, c.copie.fichier);
        EXPECT_EQ(lue.date, c.copie.date);
        EXPECT_EQ(lue.texte, c.copie.texte);
    }
    TcopieSecours lue{"f", "d", "t"};
    for (const std::string illisible : {"", "Afficher 1\r\n", "\n\n", "Trevane copie de secours 2\n\nx"})
        EXPECT_FALSE(decoderCopie(illisible, lue)) << illisible;
    EXPECT_EQ(lue.fichier, "f");
}

TEST(recuperation, question) {
    const TcopieSecours ancienne{"/classe/tri.txt", "2026-12-01T09:00:00.000Z", ""};
    const TcopieSecours recente{{}, "2026-12-02T09:00:00.000Z", ""};
    EXPECT_EQ(versUtf8(questionCopie(ancienne, TmomentLocal{2026, 12, 1, 9, 5})),
              "Trevane s'est arrêté sans que les dernières modifications du programme « tri » soient "
              "enregistrées.\r\nUne copie en a été faite le 01/12/2026 à 09:05.\r\nRestaurer ce programme ?\r\n"
              "(Non : la copie est gardée et proposée au prochain démarrage.)");
    EXPECT_NE(versUtf8(questionCopie(recente, std::nullopt))
                  .find("programme « Nouveau programme » soient enregistrées.\r\nUne copie en a été faite à une "
                        "date inconnue.\r\n"),
              std::string::npos);
}
