// The pool of displayed texts: each text's position is its first occurrence
// in the pool, found in time linear in the pool and the text.
#include "banc_execution.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Tpool : banc::Tbanc {
    using banc::Tbanc::analyser;
    void analyser(const std::string& programme) {
        editeur(programme);
        analyser();
    }
    // The (position, length) words of line i, a display of texts only.
    std::vector<std::pair<int32_t, int32_t>> textes(int32_t i) const {
        std::vector<std::pair<int32_t, int32_t>> resultat;
        const Tinstruction& ligne = d->instructions[i];
        for (int32_t k = ligne.debutCode; k + 2 < ligne.finCode; k += 3)
            resultat.emplace_back(d->code[k] == opAfficherTexte ? d->code[k + 1] : -1, d->code[k + 2]);
        return resultat;
    }
};

} // namespace

TEST(pool_textes, premiere_occurrence_meme_a_cheval) {
    Tpool p;
    p.analyser("Afficher \"ab\" ; \"cd\"\nAfficher \"bc\" ; \"d\" ; \"abcd\" ; \"ce\" ; \"ab\"");
    ASSERT_EQ(p.d->codeErreur, 0);
    // "bc" spans the two earlier texts; "ce" is new and appended.
    EXPECT_EQ(p.textes(1), (std::vector<std::pair<int32_t, int32_t>>{{2, 2}, {4, 1}, {1, 4}, {5, 2}, {1, 2}}));
    EXPECT_EQ(p.d->textesAffiches, "abcdce");
}

TEST(pool_textes, textes_a_long_prefixe_commun_en_temps_lineaire) {
    // Six texts of 500 KB that differ only in their last character, then the
    // first again: a search that compares the shared prefix at every place
    // takes minutes. The analysis runs in a child process whose processor
    // time is capped at a generous 5 s (the search takes milliseconds), which only
    // quadratic work reaches.
    const pid_t enfant = fork();
    if (enfant == 0) {
        const rlimit limite{5, 5};
        setrlimit(RLIMIT_CPU, &limite);
        Tpool p;
        const std::string prefixe(500000, 'a');
        std::string programme;
        for (char fin = 'b'; fin <= 'g'; ++fin)
            programme += "Afficher \"" + prefixe + fin + "\"\n";
        programme += "Afficher \"" + prefixe + "b\" ; \"" + prefixe + "\"\n";
        p.analyser(programme);
        const int32_t longueur = static_cast<int32_t>(prefixe.size()) + 1;
        bool juste = p.d->codeErreur == 0 && p.d->textesAffiches.size() == 6 * prefixe.size() + 6;
        for (int32_t i = 0; i < 6; ++i)
            juste = juste && p.textes(i) == std::vector<std::pair<int32_t, int32_t>>{{1 + i * longueur, longueur}};
        juste = juste && p.textes(6) == std::vector<std::pair<int32_t, int32_t>>{{1, longueur}, {1, longueur - 1}};
        _exit(juste ? 0 : 1);
    }
    ASSERT_GT(enfant, 0);
    int etat = 0;
    ASSERT_EQ(waitpid(enfant, &etat, 0), enfant);
    ASSERT_FALSE(WIFSIGNALED(etat)) << "stopped by signal " << WTERMSIG(etat) << " (processor time used up)";
    EXPECT_EQ(WEXITSTATUS(etat), 0);
}
