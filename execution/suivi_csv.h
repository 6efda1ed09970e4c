// The trace as a CSV file that a spreadsheet set to French opens as is:
// UTF-8 with a byte order mark, lines ended by CR LF, fields separated by
// ";", a field holding ";", a double quote or a line break put in double
// quotes with its inner quotes doubled.
#pragma once

#include "execution/suivi.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view bomUtf8 = "\xEF\xBB\xBF";
// The last row of a trace cut at `nbLignesSuiviMax` rows.
inline constexpr std::string_view ligneCsvTronquee = "...\r\n";

// One field, quoted when it must be.
std::string champCsv(std::string_view utf8);
// The header and one row, in UTF-8, each ended by CR LF.
std::string enteteCsv(const TcolonnesSuivi& colonnes);
std::string ligneCsv(const TcolonnesSuivi& colonnes, const TligneSuivi& ligne);
// A whole file: the mark, the header, the rows, then "..." when `tronque`.
std::string texteCsv(const TcolonnesSuivi& colonnes, const std::vector<TligneSuivi>& lignes, bool tronque);

// Writes the trace of one run into an open file as the steps go
// (`trevane-run --suivi`): nothing is kept in memory. Every write is checked;
// after a failure nothing more is written and `reussi` is false.
class TsuiviCsv : public Tsuivi {
public:
    explicit TsuiviCsv(std::FILE* fichier) : fichier(fichier) {}

    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes& d, int32_t ligne) override;
    // Once the rows are cut (or a write failed), the next burst goes by the fast engine.
    bool suitExecutionNormale() const override { return reussi && !tronque; }

    // Flushes the file; false when any write failed (the caller still closes it).
    bool terminer();

private:
    void ecrire(std::string_view texte);

    std::FILE* fichier;
    TcolonnesSuivi colonnes;
    int32_t nbLignes = 0;
    bool tronque = false;
    bool reussi = true;
};
