// The operation table against its users: every row runs in the evaluator
// over exactly its length, the disassembler names it, the compiler's
// variants exist, and no code outside the table runs.
#include "analysis/cellules.h"
#include "analysis/declarations.h"
#include "analysis/desassembleur.h"
#include "banc_execution.h"
#include "base/donnees.h"
#include "base/operations.h"
#include "evaluation/evaluation.h"
#include "evaluation/hasard.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

constexpr int32_t caseEntiere = 5;
constexpr int32_t celluleReelle = premiereCaseReelle + 5;
constexpr int32_t caseCondition = 5;
constexpr int32_t debut = 100;

// A record with the list L(1..4) (variable 1) and the table A(1..4,1..4)
// (variable 2), and a value in each kind of cell the words name.
std::unique_ptr<TdonneesCommunes> record() {
    auto d = banc::espaceAnalyse();
    EXPECT_TRUE(declarerVariable(*d, "L(1..4)", false));
    EXPECT_TRUE(declarerVariable(*d, "A(1..4,1..4)", false));
    initialiserHasard(*d, 1);
    d->entiers[caseEntiere] = 2;
    caseReelle(*d, celluleReelle) = 2.0;
    d->conditions[caseCondition] = 1;
    return d;
}

int32_t motPour(Tmot genre) {
    switch (genre) {
    case Tmot::entier: return caseEntiere;
    case Tmot::nombre: case Tmot::reel: return celluleReelle;
    case Tmot::condition: return caseCondition;
    case Tmot::valeur: return 1;
    case Tmot::aucun: break;
    }
    return 0;
}

// Writes the operation's words at `debut` as its row describes them.
void ecrire(TdonneesCommunes& d, const TfaitsOperation& o) {
    int32_t w = debut;
    d.code[w++] = o.code;
    for (int32_t k = 0; k < o.nbEntrees(); ++k)
        d.code[w++] = motPour(o.entrees[k]);
    if (o.resultat != Tmot::aucun)
        d.code[w++] = motPour(o.resultat) + 1;   // a cell of its own
    if (o.variable) {
        // The indices a variable takes: the operands, less a display's range end.
        const int32_t indices = o.resultat != Tmot::aucun ? o.nbEntrees() : o.nbEntrees() - 1;
        d.code[w++] = indices == 1 ? 1 : 2;
    }
    // A word after the operation that no code uses, so that reading past the
    // end is seen.
    d.code[w] = -1;
}

TEST(TableOperations, ChaqueLigneSExecuteSurSaLongueur) {
    std::set<int32_t> codes;
    std::set<std::string_view> noms;
    for (const TfaitsOperation& o : tableOperations) {
        SCOPED_TRACE(std::string(o.nom));
        EXPECT_TRUE(codes.insert(o.code).second);
        EXPECT_TRUE(noms.insert(o.nom).second);
        EXPECT_EQ(faitsOperation(o.code), &o);
        EXPECT_EQ(longueurInstruction(o.code), o.longueur());

        auto d = record();
        ecrire(*d, o);
        int32_t w = debut;
        EXPECT_TRUE(executerInstruction(*d, w));
        EXPECT_EQ(d->erreurExecution, 0);
        EXPECT_EQ(w, debut + o.longueur());
        EXPECT_EQ(desassembler(*d, debut, debut + o.longueur()).substr(0, 4 + o.nom.size()),
                  std::to_string(debut) + " " + std::string(o.nom));
    }
}

TEST(TableOperations, AucunAutreCodeNeSExecute) {
    for (int32_t code = -2; code < codeOperationMax + 2; ++code) {
        if (faitsOperation(code) != nullptr)
            continue;
        SCOPED_TRACE(code);
        EXPECT_EQ(longueurInstruction(code), 0);
        auto d = record();
        d->code[debut] = code;
        for (int32_t k = 1; k < 6; ++k)
            d->code[debut + k] = caseEntiere;
        int32_t w = debut;
        EXPECT_FALSE(executerInstruction(*d, w));
        EXPECT_EQ(w, debut);
        EXPECT_EQ(desassembler(*d, debut, debut + 1), std::to_string(debut) + " ? " + std::to_string(code) + "\n");
    }
}

// The compiler writes a variant with the base's operands and an integer or
// real result where the base has a real one.
TEST(TableOperations, LesVariantesCorrespondentALeurBase) {
    for (const TfaitsOperation& o : tableOperations) {
        SCOPED_TRACE(std::string(o.nom));
        const bool aVariante = o.typage == Tregle::entiers || o.typage == Tregle::secondEntier;
        if (!aVariante) {
            EXPECT_EQ(o.variante, opAucune);
            continue;
        }
        const TfaitsOperation* v = faitsOperation(o.variante);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->typage, Tregle::non);
        EXPECT_EQ(v->nbEntrees(), o.nbEntrees());
        EXPECT_EQ(v->variable, o.variable);
        if (o.resultat == Tmot::condition) {
            EXPECT_EQ(v->resultat, Tmot::condition);
        }
    }
}

} // namespace
