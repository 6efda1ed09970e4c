// Reading a program file with bounded memory, the same way for the window
// and the console tools: no file, however large, is read whole, and lines
// are counted on the decoded text (a UTF-16 file's CR LF is one line end).
#pragma once

#include "base/decodage_fichier.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Far beyond any program a learner writes (1001 lines of 8 KB each), and
// small enough that reading and analysing it stays within a few tens of MB.
constexpr size_t tailleProgrammeMax = size_t{8} << 20;

// Why a file is refused as too large (Windows-1252).
extern const std::string raisonFichierTropGrand;

enum class Tlecture {
    complete,      // the whole file, at most tailleProgrammeMax bytes
    tropDeLignes,  // too many lines (below), whether or not it is too large
    tropGrand,     // more than tailleProgrammeMax bytes, and not known to have too many lines
    illisible,     // not a regular file, or a read failed
};

// Follows a decoded text's lines (as decouperLignes counts them) as its
// bytes arrive, and tells once the text is certain to have more than
// `lignesMax` lines with text (anything but blanks) after the last program line.
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

// Reads the program file `chemin` and decodes it (decodage_fichier.h). With
// tropDeLignes, `lu.texte` holds the decoded text up to the character that
// settled it: enough for the analysis to report too many lines, as it would
// on the whole file. The console tools pass nbLignesMax, the window the most
// lines its editor takes. `lu` is set only with complete and tropDeLignes.
Tlecture lireProgramme(const std::string& chemin, size_t lignesMax, TfichierDecode& lu);

// The file's bytes as they are, for files this program wrote itself (the
// recovery copies): complete, tropGrand (`octets` then holds the first
// tailleProgrammeMax bytes) or illisible; lines are not counted.
Tlecture lireOctetsProgramme(const std::string& chemin, std::string& octets);

// lireProgramme's decoding on bytes already read: `octets` is the file, or its first
// tailleProgrammeMax bytes when `entier` is false.
Tlecture decoderProgramme(std::string_view octets, bool entier, size_t lignesMax, TfichierDecode& lu);

// The editor's lines of a program that is only analysed and run (the console
// tools): blank lines past the last program line are dropped, since they
// change nothing, so that a file of millions of empty lines costs its size
// and no more. Text past that line is kept, for the analysis to refuse.
std::vector<std::string> lignesAExecuter(std::string_view texte);
