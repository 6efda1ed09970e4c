// A session of the web edition: the record, the window operations of
// fenetre_web.h and the followers of the run the Qt window has (the
// Variables rows, the trace rows), driven by the same toolkit-free commands
// the Qt window's menus call (commands/, execution/controle.h). The page
// calls one command, then reads what changed (liaison.cpp).
#pragma once

#include "base/donnees.h"
#include "commands/marques_execution.h"
#include "commands/lignes_suivi.h"
#include "commands/lignes_variables.h"
#include "execution/suivi.h"
#include "web/coeur/fenetre_web.h"

#include <cstdint>
#include <memory>
#include <string>

class TsessionWeb : public Tsuivi {
public:
    // The window's start-up: the session seeded, the new program's template.
    explicit TsessionWeb(uint32_t graine);

    // File menu. `chemin` names the file as the page shows it; `octets` are
    // the file's bytes. An empty path cancels a save dialog.
    void ouvrirFichier(const std::string& chemin, const std::string& octets);   // Open, the dialog answered
    void chargerFichier(const std::string& chemin, const std::string& octets);  // a file named directly
    void nouveau();
    void enregistrer(const std::string& cheminSiDemande);
    void enregistrerSous(const std::string& chemin);
    // Execution menu and the bar: executionNormale or executionCommentee.
    void executer(int32_t mode);
    void poursuivre();
    void arreter();
    // The breakpoint commands; lines from 0.
    void basculerPointArret(int32_t ligne);
    void jusquAuPointArret();
    void jusquAuCurseur(int32_t ligne);
    void pasPrecedent();
    // The user edits: the editor's whole text.
    void taper(const std::string& texte);
    // A first burst the page cut short (its worker ended, the session
    // rebuilt without it): the run prepared as `executer` prepares it, then
    // stopped before its first instruction.
    void arreterAuDebut(int32_t mode);
    // Affichage menu: modeInformations or modeResultats.
    void afficher(uint8_t mode);
    // Fichier › Exemples: the example's bytes as in its file.
    void ouvrirExemple(const std::string& octets);
    // A text kept by the page (a recovery copy, a shared link) put back,
    // linked to `chemin` (empty: a new program), as unsaved changes.
    void restaurer(const std::string& texte, const std::string& chemin);
    // Fichier › Exporter le suivi: the trace as a CSV file's bytes, with the
    // name to propose; without a step, the desktop's message and no bytes.
    bool exporterSuivi(std::string& nom, std::string& octets);

    TfenetreWeb fenetre;
    TlignesVariables variables;
    TlignesSuivi suivi;
    bool analyseReussie = false;   // the values shown are this program's
    bool analyseEchouee = false;   // emptied by a failed analysis (else: no run yet)
    int32_t suiviLues = 0;         // trace rows the page has read
    TmarquesExecution marques;     // the gutter's marks and breakpoint discs
    bool suiviRecommence = true;   // the trace restarted since the page last read it
    // How the pane's new lines reach JavaScript (liaison.cpp): an array of
    // strings, or UTF-8 bytes with each line's end (a page: no string per
    // line, for millions of them), or not at all (a journal replayed).
    enum class TformeLignes { tableau, octets, aucune } formeLignes = TformeLignes::tableau;
    const TdonneesCommunes& donnees() const { return *d; }

    // Tsuivi: the run's steps, as the Qt window's Variables panel takes them.
    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes& d, int32_t ligne) override;
    bool suitExecutionNormale() const override { return false; }
    void oublierProgramme() override;
    void retirerPas(const TdonneesCommunes& d) override;

private:
    // After a run command: the values taken once, never during a burst.
    void apresExecution();
    void viderSuivi();
    // A command that put another text in the editor: the run's marks are stale.
    void suivreTexte();

    std::unique_ptr<TdonneesCommunes> d;
    bool lancement = false;
    int32_t pasVus = 0;
};
