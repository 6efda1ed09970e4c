// The three reports of a check: the table on stdout, the CSV file and the
// HTML page. Each is built whole in memory (UTF-8) and written by the caller.
#pragma once

#include "tools/verifier/comparaison.h"
#include "tools/verifier/verification.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// How many programs ended with each status (indexed by Tstatut).
std::array<size_t, descriptionsStatuts.size()> compterStatuts(const std::vector<Tverdict>& verdicts);

// «12 programmes : réussi : 5 ; sortie différente : 2 ; …».
std::string ligneBilan(const std::vector<Tverdict>& verdicts);

// Aligned columns (file, status, line, detail), one row per program, then a
// blank line and the summary line.
std::string rapportTableau(const std::vector<Tverdict>& verdicts);

// Byte order mark, CR LF, ";" between fields, header
// "fichier;statut;ligne;detail;instructions".
std::string rapportCsv(const std::vector<Tverdict>& verdicts);

struct TcontexteHtml {
    std::string source;   // what the output was compared with, as the page names it (UTF-8)
    bool ignorerBlancs = false;
    uint64_t maxInstructions = 0;
};

// One self-contained page: the summary with a colour per status, then one
// row per program; a different output shows the expected and the obtained
// lines side by side, the first difference marked.
std::string rapportHtml(const std::vector<Tverdict>& verdicts, const Tattendu& attendu, const TcontexteHtml& contexte);
