// Recovery copies, the work that survives a crash: how a copy is named,
// written and read back, which copies are offered first, and the question
// that offers one. The front end keeps the timer, the locks and the dialog.
//
// A copy is a few header lines, an empty line, then the editor's own bytes.
// Its lock (the same name, ".verrou") sits beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A recovery file's content.
struct TcopieSecours {
    std::string fichier;   // the program's file (UTF-8), empty for a new program
    std::string date;      // when it was written, ISO 8601 in universal time
    std::string texte;     // the editor's text, Windows-1252, lines joined by CR LF
};

inline constexpr std::string_view extensionCopie = ".txt";
inline constexpr std::string_view extensionVerrou = ".verrou";

// The copy of process `processus` started at `instant` (milliseconds since
// 1970): the start time keeps it apart from a copy left by an earlier process
// that had the same id. "1234-1765180800000.txt".
std::string nomCopie(int64_t processus, int64_t instant);
// The lock beside the copy at `copie`, and the copy a lock guards.
std::string verrouDeCopie(std::string_view copie);
std::string copieDuVerrou(std::string_view verrou);

std::string encoderCopie(const TcopieSecours& copie);
// False (and `copie` unchanged) when `octets` is no recovery copy.
bool decoderCopie(std::string_view octets, TcopieSecours& copie);

enum class TlectureCopie {
    lue,
    illisible,   // not a regular file, larger than a program, or unreadable
    etrangere,   // read, but no recovery copy
};
// Reads a copy as a program file is read (base/lecture_programme.h), so that
// no entry of the folder, however large or strange, costs more than a program.
TlectureCopie lireCopie(const std::string& chemin, TcopieSecours& copie);

// The order of the offers: the newest copy first.
bool offerteAvant(const TcopieSecours& a, const TcopieSecours& b);

// A moment in the user's local time (the copy's date, converted by the front end).
struct TmomentLocal {
    int annee = 0;
    int mois = 0;
    int jour = 0;
    int heure = 0;
    int minute = 0;
};
// The question that offers a copy back (Windows-1252); no moment: its date is unknown.
std::string questionCopie(const TcopieSecours& copie, const std::optional<TmomentLocal>& quand);
