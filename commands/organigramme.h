// The flowchart of a program, built from the analysis the run uses (the
// same instructions and branch targets, no second reading of the text):
// its boxes and arrows by kind, and the DOT text that Graphviz lays out.
// Toolkit-free, so that every front end draws the same chart.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TdonneesCommunes;

// ORDRE: formes (texteDot's shapes follow it).
enum class TformeNoeud : uint8_t {
    debut,         // the start terminal
    fin,           // the end terminal
    affectation,   // «Donner à»: a rectangle
    affichage,     // «Afficher»: a parallelogram
    condition,     // «Aller à [..] si»: a diamond, exits "oui" and "non"
    saut,          // «Aller à [..]»: a small connector
    appel,         // «Aller à [..] et revenir»: a box with double sides
    retour,        // «Revenir»: a rounded box, the end of a called part
    jonction,      // a label: a named join point
    declarations,  // every declaration, in one note at the top
    commentaire,   // a comment, a side note of the box it stands before or on
};

enum class TsorteArete : uint8_t {
    suite,   // to the next instruction in sequence
    oui,     // a condition's branch, taken when it holds
    non,     // a condition's way on when it does not
    saut,    // an unconditional branch
    appel,   // a call's branch (dashed); the call then goes on by a `suite`
    note,    // a note to its box (dashed, no arrow)
};

// `ligne` is the program line (from 0) of an instruction, a label or a
// comment; -1 for the terminals and the declarations' note. `texte` is
// Windows-1252: the line as the commentary shows it, a label's name, a
// comment's text, or the declarations joined by line ends.
struct TnoeudOrganigramme {
    TformeNoeud forme;
    int32_t ligne;
    std::string texte;
};

struct TareteOrganigramme {
    int32_t de;     // indices into `noeuds`
    int32_t vers;
    TsorteArete sorte;
};

struct Torganigramme {
    int32_t codeErreur = 0;              // the analysis' error, 0 when the chart is drawn
    int32_t ligneErreur = -1;            // its line, -1 for none
    std::vector<TnoeudOrganigramme> noeuds;
    std::vector<TareteOrganigramme> aretes;
};

// The chart of an analysed record (`codeErreur` 0). `source` holds the
// editor's lines as typed (comments included); with `commentaires` each
// comment becomes a note.
Torganigramme construireOrganigramme(const TdonneesCommunes& d, const std::vector<std::string>& source,
                                     bool commentaires);
// Analyses `texte` (Windows-1252, lines joined by CR LF) in a record of its
// own, leaving any other record alone, and returns its chart; on an
// analysis error, no nodes and the error with its line.
Torganigramme organigrammeDuTexte(const std::string& texte, bool commentaires);

// The node of an instruction or a label at `ligne`, -1 when it has none.
int32_t noeudDeLigne(const Torganigramme& o, int32_t ligne);

// The chart in Graphviz's DOT language (UTF-8), top to bottom. Node i is
// named "n<i>"; its `id` attribute is "ligne<L>" for a box of line L, so a
// front end finds its boxes in the rendered SVG.
std::string texteDot(const Torganigramme& o);

// "Ligne N : message" for a chart that could not be drawn (Windows-1252).
std::string raisonSansOrganigramme(const Torganigramme& o);
