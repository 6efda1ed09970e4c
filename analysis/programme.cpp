#include "analysis/programme.h"

#include "analysis/cellules.h"
#include "analysis/declarations.h"
#include "analysis/instructions.h"
#include "analysis/motscles.h"
#include "analysis/texte.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "base/lignes.h"
#include "base/messages.h"

#include <array>
#include <cstdint>

namespace {

// What one analysis learns on the way and the static checks read.
struct Tconstats {
    bool affichageVu = false;  // some display line, reachable or not
    bool finPossible = false;  // some link reaches the end of the program
};

// Each pass looks at one unclassified line; false stops the analysis.
using Tpasse = bool (*)(TdonneesCommunes&, Tconstats&, int32_t);

bool passeVide(TdonneesCommunes& d, Tconstats&, int32_t i) {
    if (d.copieDeTravail[i].empty()) {
        d.instructions[i].nature = natVide;
        d.instructions[i].classee = 1;
    }
    return true;
}

// A "#" starts a comment anywhere, also inside the quotes of a display text.
bool passeCommentaire(TdonneesCommunes& d, Tconstats&, int32_t i) {
    std::string& ligne = d.copieDeTravail[i];
    const size_t diese = ligne.find('#');
    if (diese == 0) {
        d.instructions[i].nature = natCommentaire;
        d.instructions[i].classee = 1;
    } else if (diese != std::string::npos) {
        ligne.erase(diese);
        supprimerBlancs(ligne);
    }
    return true;
}

bool passeEtiquette(TdonneesCommunes& d, Tconstats&, int32_t i) {
    const std::string& ligne = d.copieDeTravail[i];
    if (ligne.front() != '[')
        return true;
    Tinstruction& instruction = d.instructions[i];
    instruction.nature = natEtiquette;
    instruction.classee = 1;
    if (ligne.size() < 2 || ligne.back() != ']')
        return signalerErreur(d, errEtiquette, i);
    instruction.etiquette = sansBlancs(std::string_view(ligne).substr(1, ligne.size() - 2));
    if (instruction.etiquette.empty())
        return signalerErreur(d, errEtiquette, i);
    return true;
}

bool passeDeclaration(TdonneesCommunes& d, Tconstats&, int32_t i) {
    const std::string& ligne = d.copieDeTravail[i];
    if (!ligne.starts_with(motEntier) && !ligne.starts_with(motReel))
        return true;
    d.instructions[i].nature = natDeclaration;
    d.instructions[i].classee = 1;
    analyserDeclaration(d, i, ligne);
    return d.codeErreur == 0;
}

bool passeInstruction(TdonneesCommunes& d, Tconstats& constats, int32_t i) {
    std::string& ligne = d.copieDeTravail[i];
    supprimerBlancs(ligne);
    if (d.premiereInstruction == aucuneLigne)
        d.premiereInstruction = i;
    d.derniereInstruction = i;
    if (ligne.starts_with(motDonner)) {
        analyserDonner(d, i, ligne);
    } else if (ligne.starts_with(motAller)) {
        analyserAller(d, i, ligne);
    } else if (ligne.starts_with(motAfficher)) {
        constats.affichageVu = true;
        analyserAfficher(d, i, ligne);
    } else if (ligne == motRevenir) {
        Tinstruction& instruction = d.instructions[i];
        instruction.classee = 1;
        instruction.nature = natRevenir;
        instruction.suivante = aucuneLigne;
        // A return has no code; its code range must not keep the words of an
        // earlier analysis, which the step would otherwise run.
        instruction.debutCode = d.codeLibre;
        instruction.finCode = d.codeLibre;
    } else {
        return signalerErreur(d, errInstructionNonComprise, i);
    }
    return d.codeErreur == 0;
}

// ORDRE: passes. Labels are all known before any branch looks for one, and
// every declaration is made before any instruction names a variable.
constexpr std::array<Tpasse, 5> passes = {passeVide, passeCommentaire, passeEtiquette, passeDeclaration,
                                          passeInstruction};
static_assert(passes.size() == 5);

// The first executable line at or after `ligne`; past the last instruction
// it stops at once, so no entry beyond the program is read.
int32_t premiereExecutable(const TdonneesCommunes& d, int32_t ligne) {
    while (ligne <= d.derniereInstruction && !estExecutable(d.instructions[ligne]))
        ++ligne;
    return ligne;
}

// Links every instruction to the one run next and a branch to the
// instruction after its label; -1 is the end of the program.
bool lier(TdonneesCommunes& d, Tconstats& constats) {
    for (int32_t i = 0; i <= d.derniereLigne; ++i) {
        Tinstruction& instruction = d.instructions[i];
        if (!estExecutable(instruction) || instruction.nature == natRevenir)
            continue;
        if (instruction.nature != natAller)
            instruction.suivante = i + 1;
        instruction.suivante = premiereExecutable(d, instruction.suivante);
        if (instruction.suivante == i)
            return signalerErreur(d, errBranchementSurLuiMeme, i);
        if (instruction.nature == natAllerSi || instruction.nature == natAllerEtRevenir) {
            instruction.cibleBranchement = premiereExecutable(d, instruction.cibleBranchement);
            if (instruction.cibleBranchement == i)
                return signalerErreur(d, errBranchementSurLuiMeme, i);
            if (instruction.cibleBranchement > d.derniereInstruction) {
                instruction.cibleBranchement = aucuneLigne;
                constats.finPossible = true;
            }
        }
        if (instruction.suivante > d.derniereInstruction) {
            instruction.suivante = aucuneLigne;
            constats.finPossible = true;
        }
    }
    return true;
}

// Restarts the record and fills the working copy; false with the error set
// when there is nothing to analyse or too much.
bool preparer(TdonneesCommunes& d) {
    d.ligneErreur = aucuneLigne;
    d.codeErreur = 0;
    d.premiereInstruction = aucuneLigne;
    d.derniereInstruction = aucuneLigne;
    d.fenetre->viderAffichage();
    d.copieDeTravail = decouperLignes(d.fenetre->texteEditeur());
    recommencerAllocations(d);
    for (std::string& ligne : d.copieDeTravail)
        supprimerBlancs(ligne);
    if (d.copieDeTravail.empty())
        return signalerErreur(d, errProgrammeVide, aucuneLigne);
    size_t derniere = d.copieDeTravail.size() - 1;
    while (derniere > 0 && d.copieDeTravail[derniere].empty())
        --derniere;
    d.derniereLigne = derniere < static_cast<size_t>(INT32_MAX) ? static_cast<int32_t>(derniere) : INT32_MAX;
    if (d.derniereLigne >= nbLignesMax)
        return signalerErreur(d, errTropDeLignes, aucuneLigne);
    for (int32_t i = 0; i <= d.derniereLigne; ++i) {
        d.instructions[i].classee = 0;
        d.instructions[i].nature = natNonClassee;
    }
    return true;
}

} // namespace

void analyserProgramme(TdonneesCommunes& d) {
    if (!preparer(d))
        return;
    Tconstats constats;
    for (const Tpasse passe : passes)
        for (int32_t i = 0; i <= d.derniereLigne; ++i)
            if (!d.instructions[i].classee && !passe(d, constats, i))
                return;
    if (d.premiereInstruction == aucuneLigne) {
        signalerErreur(d, errAucuneInstruction, aucuneLigne);
        return;
    }
    if (!lier(d, constats))
        return;
    if (!constats.finPossible)
        signalerErreur(d, errSansFin, d.derniereInstruction);
    else if (!constats.affichageVu)
        signalerErreur(d, errSansAffichage, d.derniereInstruction);
}
