// The flowchart's graph: for small programs, its boxes by shape and its
// arrows by kind, from the analysis the run uses; the chart of a program
// that does not analyse; the DOT text's names for the boxes.
#include "base/codage.h"
#include "commands/organigramme.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A box by its shape letter and its line from 1: D, F (terminals),
// T declarations, A «Donner à», S «Afficher», C condition, G «Aller à»,
// P call, R return, J label, N comment.
std::string nom(const Torganigramme& o, int32_t n) {
    static const char lettres[] = "DFASCGPRJTN";
    const TnoeudOrganigramme& noeud = o.noeuds[static_cast<size_t>(n)];
    std::string texte(1, lettres[static_cast<size_t>(noeud.forme)]);
    if (noeud.ligne >= 0)
        texte += std::to_string(noeud.ligne + 1);
    return texte;
}

// Every arrow as "de>vers" with a mark for its kind: "+" oui, "-" non,
// "g" jump, "p" call, "." note; a plain arrow has none.
std::string aretes(const Torganigramme& o) {
    std::string texte;
    for (const TareteOrganigramme& a : o.aretes) {
        static const char* const marques[] = {"", "+", "-", "g", "p", "."};
        texte += (texte.empty() ? "" : " ") + nom(o, a.de) + ">" + marques[static_cast<size_t>(a.sorte)] +
                 nom(o, a.vers);
    }
    return texte;
}

std::string noeuds(const Torganigramme& o) {
    std::string texte;
    for (size_t n = 0; n < o.noeuds.size(); ++n)
        texte += (texte.empty() ? "" : " ") + nom(o, static_cast<int32_t>(n));
    return texte;
}

Torganigramme de(const char* utf8, bool commentaires = false) {
    return organigrammeDuTexte(depuisUtf8(utf8), commentaires);
}

} // namespace

TEST(organigramme, boites_et_fleches_par_sorte) {
    struct Tcas {
        const char* programme;   // UTF-8, CR LF
        bool commentaires;
        const char* noeuds;
        const char* aretes;
    };
    const Tcas cas[] = {
        // A sequence: declarations on top, one box per instruction.
        {"Entier n\r\nDonner à n la valeur 2\r\nAfficher n", false, "T D A2 S3 F", "T>.D D>A2 A2>S3 S3>F"},
        // A loop: the condition goes back up to the label's join point.
        {"Entier k\r\nDonner à k la valeur 1\r\n[B]\r\nAfficher k\r\nDonner à k la valeur k + 1\r\n"
         "Aller à [B] si k <= 3",
         false, "T D A2 J3 S4 A5 C6 F", "T>.D D>A2 A2>J3 J3>S4 S4>A5 A5>C6 C6>+J3 C6>-F"},
        // Nested conditions, a jump over, two labels in a row, a label at the end.
        {"Entier a\r\nDonner à a la valeur 5\r\nAller à [P] si a > 3\r\nAller à [Q] si a > 9\r\nAfficher 1\r\n"
         "Aller à [Fin]\r\n[P]\r\n# deux points\r\n[Q]\r\nAfficher 2\r\n[Fin]",
         false, "T D A2 C3 C4 S5 G6 J7 J9 S10 J11 F",
         "T>.D D>A2 A2>C3 C3>+J7 C3>-C4 C4>+J9 C4>-S5 S5>G6 G6>gJ11 J7>J9 J9>S10 S10>J11 J11>F"},
        // A call and its return; the caller goes on after the call.
        {"Aller à [Sous] et revenir\r\nAfficher 1\r\nAller à [Fin]\r\n[Sous]\r\nAfficher 2\r\nRevenir\r\n[Fin]",
         false, "D P1 S2 G3 J4 S5 R6 J7 F", "D>P1 P1>pJ4 P1>S2 S2>G3 G3>gJ7 J4>S5 S5>R6 J7>F"},
        // Comments: lines and ends of lines, gathered by the box they stand before.
        {"# Titre\r\nEntier n # compteur\r\nDonner à n la valeur 1 # un\r\n# avant\r\nAfficher n", true,
         "T D A3 S5 F N1 N3 N4", "T>.D D>A3 A3>S5 S5>F T>.N1 A3>.N3 S5>.N4"},
        // The same without comments shown.
        {"# Titre\r\nEntier n # compteur\r\nDonner à n la valeur 1 # un\r\n# avant\r\nAfficher n", false,
         "T D A3 S5 F", "T>.D D>A3 A3>S5 S5>F"},
    };
    for (const Tcas& c : cas) {
        const Torganigramme o = de(c.programme, c.commentaires);
        ASSERT_EQ(o.codeErreur, 0) << c.programme;
        EXPECT_EQ(noeuds(o), c.noeuds) << c.programme;
        EXPECT_EQ(aretes(o), c.aretes) << c.programme;
    }
}

TEST(organigramme, textes_et_erreurs) {
    const Torganigramme o =
        de("Entier k\r\nDonner à k la valeur 1\r\n[Boucle]\r\nDonner à k la valeur k + 1\r\n"
           "Aller à [Boucle] si k < 0 # jamais\r\nAfficher k",
           true);
    ASSERT_EQ(o.codeErreur, 0) << versUtf8(raisonSansOrganigramme(o));
    EXPECT_EQ(versUtf8(o.noeuds[1].texte), "Début");
    EXPECT_EQ(o.noeuds[static_cast<size_t>(noeudDeLigne(o, 1))].texte, depuisUtf8("Donner à k la valeur 1"));
    EXPECT_EQ(o.noeuds[static_cast<size_t>(noeudDeLigne(o, 2))].texte, "Boucle");
    EXPECT_EQ(o.noeuds[static_cast<size_t>(noeudDeLigne(o, 4))].texte, "k < 0 ?");
    EXPECT_EQ(noeudDeLigne(o, 0), -1);   // a declaration has no box of its own

    const std::string dot = texteDot(o);
    for (const char* attendu : {"id=\"ligne1\"", "id=\"ligne2\"", "xlabel=\"[Boucle]\"", "shape=diamond",
                                "label=\"oui\"", "id=\"note4\"", "label=\"Début\"", "rank=same"})
        EXPECT_NE(dot.find(attendu), std::string::npos) << attendu;

    // No chart for a program that does not analyse: the line to mend.
    const Torganigramme faux = de("Entier n\r\nDonner à n la valeur\r\nAfficher n");
    EXPECT_TRUE(faux.noeuds.empty());
    EXPECT_EQ(faux.ligneErreur, 1);
    EXPECT_EQ(versUtf8(raisonSansOrganigramme(faux)), "Ligne 2 : Instruction d'affectation incorrecte.");
    EXPECT_EQ(versUtf8(raisonSansOrganigramme(de(""))), "Programme vide");
}
