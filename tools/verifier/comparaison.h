// Comparing a program's output lines with the expected ones as they come,
// keeping only what a report shows: memory stays bounded whatever the
// program writes. Lines are Windows-1252, as the pane shows them without its
// leading blank.
#pragma once

#include "tools/verifier/lignes_groupees.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// With --ignorer-blancs: runs of blanks count as one, blanks at both ends of
// a line are dropped. A blank is the space character only.
std::string lignePourComparer(std::string_view ligne, bool ignorerBlancs);

struct Tattendu {
    TlignesGroupees lignes;      // as given
    TlignesGroupees comparees;   // as compared, with --ignorer-blancs only
    bool ignorerBlancs = false;
    size_t octets = 0;

    Tattendu() = default;
    Tattendu(TlignesGroupees lignes, bool ignorerBlancs);
    std::string_view comparee(size_t i) const { return ignorerBlancs ? comparees[i] : lignes[i]; }
};

// Lines kept for the reports on either side of the first difference: with
// it, the 20 rows the HTML page shows at most for one program.
constexpr size_t contexteAvant = 4;
constexpr size_t contexteApres = 15;
// Characters of a line the reports show; one more is kept, to tell a line
// cut there from one of that length. The comparison sees all.
constexpr size_t longueurGardee = 500;
// A program that writes more than this beyond the expected output is stopped.
constexpr size_t margeLignes = 1000;
constexpr size_t margeOctets = 1u << 20;

// The receiver of a program's output lines.
class Trecepteur {
public:
    virtual ~Trecepteur() = default;
    virtual void recevoir(std::string_view ligne) = 0;
    // True once enough was received: the run may stop.
    virtual bool assez() const = 0;
};

class Tcomparaison : public Trecepteur {
public:
    Tcomparaison(const Tattendu& attendu, bool ignorerBlancs) : attendu_(attendu), ignorerBlancs_(ignorerBlancs) {}

    void recevoir(std::string_view ligne) override;
    bool assez() const override { return deborde_; }

    // After the run: the index of the first differing line (a missing line
    // counts at the end of the output), or nothing when all agree.
    std::optional<size_t> difference() const;
    size_t nombreRecues() const { return recues_; }
    bool debordee() const { return deborde_; }
    // The lines kept, from index `premiereGardee()`, at most `longueurGardee` + 1
    // characters each: a few before the difference and a few after it.
    const std::deque<std::string>& gardees() const { return gardees_; }
    size_t premiereGardee() const { return premiereGardee_; }
    // After the run: drops the lines kept when all agree.
    void resserrer();

private:
    const Tattendu& attendu_;
    bool ignorerBlancs_;
    size_t recues_ = 0;
    size_t octets_ = 0;
    std::optional<size_t> difference_;
    bool deborde_ = false;
    std::deque<std::string> gardees_;
    size_t premiereGardee_ = 0;
};

// The reference's output, kept whole up to a bound.
class Trecueil : public Trecepteur {
public:
    static constexpr size_t lignesMax = 1000000;
    static constexpr size_t octetsMax = 64u << 20;

    void recevoir(std::string_view ligne) override;
    bool assez() const override { return deborde_; }
    bool debordee() const { return deborde_; }
    TlignesGroupees lignes;

private:
    size_t octets_ = 0;
    bool deborde_ = false;
};

// «attendu : «…» / obtenu : «…»», a missing or an extra line shown as such
// (UTF-8). `obtenue` is empty for a missing line, `attendue` for an extra one.
std::string detailDifference(std::optional<std::string_view> attendue, std::optional<std::string_view> obtenue);
