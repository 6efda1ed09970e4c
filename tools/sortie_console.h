// The console runner's window: what a run shows is written as it happens,
// so that memory stays bounded however long the run.
#pragma once

#include "tools/fenetre_memoire.h"

#include <cstdio>
#include <string>
#include <string_view>

// One output stream whose every write is checked; after the first failure
// nothing more is attempted and the failure is kept.
class TfluxVerifie {
public:
    explicit TfluxVerifie(std::FILE* flux) : flux(flux) {}
    void ecrire(std::string_view texte);
    void ecrire(char c);
    // Empties the buffer; true when every write so far succeeded.
    bool terminer();
    bool echoue() const { return echec; }

private:
    std::FILE* flux;
    bool echec = false;
};

// The window operations in memory, except that once the run starts
// (diffuser) each pane line goes to `sortie` in UTF-8, and each line the
// editor selects goes to `erreurs` as "selection: N"; neither is kept.
class TfenetreConsole : public TfenetreMemoire {
public:
    TfenetreConsole(std::FILE* sortie, std::FILE* erreurs) : sortie(sortie), erreurs(erreurs) {}

    // Called as the run starts, which empties the pane: what it held is
    // dropped, and from now on its lines are written.
    void diffuser();
    bool ecritureEchouee() const { return sortie.echoue() || erreurs.echoue(); }
    // Once a write failed, a burst stops at its next display: what the run
    // writes is lost, and the exit status already known.
    bool affichagePlein() override { return ecritureEchouee(); }
    TfluxVerifie& fluxSortie() { return sortie; }
    TfluxVerifie& fluxErreurs() { return erreurs; }

    void ajouterAffichage(const std::string& ligne) override;
    void ajouterSortie(const std::string& texte) override;
    // Lines already written stay written: a run never empties the pane
    // after its first line.
    void viderAffichage() override;
    void remplacerTexteAffichage(const std::string& texte) override;
    void selectionnerDansEditeur(int32_t debut, int32_t longueur) override;

private:
    // `ligne` and its end, in UTF-8.
    void ecrireLigne(const std::string& ligne);

    TfluxVerifie sortie;
    TfluxVerifie erreurs;
    bool enDirect = false;
};
