// Reading a program file with bounded memory, the same way for the window
// and the console tools: no file, however large, is read whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Far beyond any program a learner writes (1001 lines of 8 KB each), and
// small enough that reading and analysing it stays within a few tens of MB.
constexpr size_t tailleProgrammeMax = size_t{8} << 20;

// Why a file is refused as too large (Windows-1252).
extern const std::string raisonFichierTropGrand;

enum class Tlecture {
    complete,      // the whole file, at most tailleProgrammeMax bytes
    tropDeLignes,  // cut where it became certain that it has too many lines (below)
    tropGrand,     // more than tailleProgrammeMax bytes before the outcome was known
    illisible,     // not a regular file, or a read failed
};

// Follows a text's lines (as decouperLignes counts them) as its bytes
// arrive, and tells once the text is certain to have more than `lignesMax`
// lines with text (anything but blanks) after the last program line.
class TsuiviLignes {
public:
    explicit TsuiviLignes(size_t lignesMax) : lignesMax(lignesMax) {}
    // Takes the next bytes; returns how many it took: all of them, or those
    // up to and including the byte that settles it (then tropDeLignes()).
    size_t lire(std::string_view morceau);
    bool tropDeLignes() const { return decide; }

private:
    size_t lignesMax;
    size_t ligne = 0;            // index of the line the next byte belongs to
    bool apresCR = false;        // the last byte was a CR: an LF now ends no further line
    bool texteApres = false;     // text seen on a line past the last program line
    bool decide = false;
};

// Reads the program file `chemin` into `octets` piece by piece, and stops as
// soon as the outcome is known. With tropDeLignes, `octets` holds the text
// up to the byte that settled it: enough for the analysis to report too many
// lines, as it would on the whole file. The console tools pass nbLignesMax,
// the window the most lines its editor takes.
Tlecture lireProgramme(const std::string& chemin, size_t lignesMax, std::string& octets);
