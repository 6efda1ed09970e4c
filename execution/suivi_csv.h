// The trace as a CSV file that a spreadsheet set to French opens as is:
// UTF-8 with a byte order mark, lines ended by CR LF, fields separated by
// ";", a field holding ";", a double quote or a line break put in double
// quotes with its inner quotes doubled.
#pragma once

#include "base/csv.h"
#include "execution/suivi.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// The last row of a trace cut at `nbLignesSuiviMax` rows.
inline constexpr std::string_view ligneCsvTronquee = "...\r\n";

// The header and one row, in UTF-8, each ended by CR LF.
std::string enteteCsv(const TcolonnesSuivi& colonnes);
std::string ligneCsv(const TcolonnesSuivi& colonnes, const TligneSuivi& ligne);

// Writes the trace of one run into a file as the steps go (`trevane-run
// --suivi`): nothing is kept in memory. Every write is checked; after a
// failure nothing more is written and `terminer` answers false.
class TsuiviCsv : public Tsuivi {
public:
    // Opens (creates or empties) the file at `chemin`.
    explicit TsuiviCsv(const std::string& chemin);
    ~TsuiviCsv() override;
    TsuiviCsv(const TsuiviCsv&) = delete;
    TsuiviCsv& operator=(const TsuiviCsv&) = delete;

    bool ouvert() const { return fichier != nullptr; }
    bool echoue() const { return !reussi; }
    // The console's message when the file cannot be opened or written (UTF-8).
    std::string messageEchec() const;

    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes& d, int32_t ligne) override;
    // Once the rows are cut (or a write failed), the next burst goes by the fast engine.
    bool suitExecutionNormale() const override { return reussi && !tronque; }

    // Flushes and closes the file; false when any write failed.
    bool terminer();

private:
    void ecrire(std::string_view texte);

    std::string chemin;
    std::FILE* fichier;
    TcolonnesSuivi colonnes;
    int32_t nbLignes = 0;
    bool tronque = false;
    bool reussi = true;
};
