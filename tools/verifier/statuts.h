// What the checker finds for one program: the six outcomes, with their name
// in the CSV, their French label in the table and their colours in the HTML.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

enum class Tstatut : uint8_t {
    reussi,            // the same output lines as expected
    sortieDifferente,  // another line, a missing or an extra one
    erreurAnalyse,     // the analysis refused the program: nothing ran
    erreurExecution,   // a run-time error stopped it
    tropLong,          // still running after the allowed instructions
    illisible,         // the file could not be read
};

struct TdescriptionStatut {
    std::string_view code;     // CSV
    std::string_view libelle;  // table and HTML (UTF-8)
    std::string_view couleur;  // HTML: text, then background
    std::string_view fond;
};

// ORDRE: Tstatut
inline constexpr std::array<TdescriptionStatut, 6> descriptionsStatuts = {{
    {"reussi", "réussi", "#14532d", "#dcfce7"},
    {"sortie-differente", "sortie différente", "#7c2d12", "#ffedd5"},
    {"erreur-analyse", "erreur d'analyse", "#7f1d1d", "#fee2e2"},
    {"erreur-execution", "erreur d'exécution", "#831843", "#fce7f3"},
    {"trop-long", "trop long", "#1e3a8a", "#dbeafe"},
    {"illisible", "illisible", "#374151", "#e5e7eb"},
}};
static_assert(descriptionsStatuts.size() == static_cast<size_t>(Tstatut::illisible) + 1);

inline const TdescriptionStatut& description(Tstatut s) { return descriptionsStatuts[static_cast<size_t>(s)]; }
