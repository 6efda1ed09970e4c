#include "execution/historique.h"

#include "base/codage.h"
#include "base/fenetre.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr int32_t debutConditions = 100000;

uint64_t bits(double x) {
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

double reel(uint64_t b) {
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

size_t taille(const Thistorique& h) {
    return h.pas.size() * sizeof(TpasHistorique) + h.cellules.size() * sizeof(TcelluleAvant);
}

void copierCellules(Thistorique& h, const TdonneesCommunes& d) {
    std::copy(std::begin(d.entiers), std::end(d.entiers), std::begin(h.entiers));
    std::copy(std::begin(d.reels), std::end(d.reels), std::begin(h.reels));
    std::copy(std::begin(d.conditions), std::end(d.conditions), std::begin(h.conditions));
}

} // namespace

void TliberationHistorique::operator()(Thistorique* historique) const { delete historique; }

void commencerHistorique(TdonneesCommunes& d) {
    if (!d.historique)
        d.historique.reset(new Thistorique());
    Thistorique& h = *d.historique;
    h.pas.clear();
    h.cellules.clear();
    h.cellulesOubliees = 0;
    h.tronque = false;
    copierCellules(h, d);
}

void avantPas(TdonneesCommunes& d) {
    if (!d.historique)
        commencerHistorique(d);
    Thistorique& h = *d.historique;
    TpasHistorique p;
    p.debutCellules = h.cellulesOubliees + h.cellules.size();
    p.nbLignes = d.nbLignesAjoutees;
    p.etatHasard = d.etatHasard;
    p.ligneCourante = d.ligneCourante;
    p.nbPas = d.nbPas;
    p.nbPasTranche = d.nbPasTranche;
    p.nbRetours = d.nbRetours;
    std::copy(std::begin(d.pileRetours), std::end(d.pileRetours), std::begin(p.pileRetours));
    if (static_cast<uint32_t>(d.ligneCourante) < static_cast<uint32_t>(nbLignesMax))
        p.suivanteRevenir = d.instructions[d.ligneCourante].suivante;
    h.pas.push_back(p);
}

void apresPas(TdonneesCommunes& d) {
    Thistorique& h = *d.historique;
    for (int32_t k = 0; k <= derniereCaseEntiere; ++k)
        if (d.entiers[k] != h.entiers[k]) {
            h.cellules.push_back({k, static_cast<uint64_t>(static_cast<uint32_t>(h.entiers[k]))});
            h.entiers[k] = d.entiers[k];
        }
    for (int32_t k = 0; k <= derniereCaseReelle - derniereCaseEntiere; ++k)
        if (bits(d.reels[k]) != bits(h.reels[k])) {
            h.cellules.push_back({derniereCaseEntiere + k, bits(h.reels[k])});
            h.reels[k] = d.reels[k];
        }
    for (int32_t k = 0; k <= nbConditionsMax; ++k)
        if (d.conditions[k] != h.conditions[k]) {
            h.cellules.push_back({debutConditions + k, h.conditions[k]});
            h.conditions[k] = d.conditions[k];
        }
    // The oldest steps go past the bound.
    while (!h.pas.empty() && (h.pas.size() > nbPasHistoriqueMax || taille(h) > tailleHistoriqueMax)) {
        h.pas.pop_front();
        const size_t debut = h.pas.empty() ? h.cellulesOubliees + h.cellules.size() : h.pas.front().debutCellules;
        const size_t retirees = debut - h.cellulesOubliees;
        h.cellules.erase(h.cellules.begin(), h.cellules.begin() + static_cast<std::ptrdiff_t>(retirees));
        h.cellulesOubliees = debut;
        h.tronque = true;
    }
}

bool pasPrecedentPossible(const TdonneesCommunes& d) {
    return d.historique && !d.historique->pas.empty() && d.modeExecution == executionCommentee;
}

bool reculerPas(TdonneesCommunes& d) {
    if (!pasPrecedentPossible(d))
        return false;
    Thistorique& h = *d.historique;
    const TpasHistorique p = h.pas.back();
    h.pas.pop_back();
    while (h.cellulesOubliees + h.cellules.size() > p.debutCellules) {
        const TcelluleAvant c = h.cellules.back();
        h.cellules.pop_back();
        if (c.cellule >= debutConditions)
            d.conditions[c.cellule - debutConditions] = h.conditions[c.cellule - debutConditions] =
                static_cast<uint8_t>(c.valeur);
        else if (c.cellule >= derniereCaseEntiere)
            d.reels[c.cellule - derniereCaseEntiere] = h.reels[c.cellule - derniereCaseEntiere] = reel(c.valeur);
        else
            d.entiers[c.cellule] = h.entiers[c.cellule] = static_cast<int32_t>(static_cast<uint32_t>(c.valeur));
    }
    if (d.nbLignesAjoutees > p.nbLignes)
        d.fenetre->retirerAffichages(static_cast<size_t>(d.nbLignesAjoutees - p.nbLignes));
    d.nbLignesAjoutees = p.nbLignes;
    d.etatHasard = p.etatHasard;
    d.ligneCourante = p.ligneCourante;
    d.nbPas = p.nbPas;
    d.nbPasTranche = p.nbPasTranche;
    d.nbRetours = p.nbRetours;
    std::copy(std::begin(p.pileRetours), std::end(p.pileRetours), std::begin(d.pileRetours));
    if (static_cast<uint32_t>(p.ligneCourante) < static_cast<uint32_t>(nbLignesMax))
        d.instructions[p.ligneCourante].suivante = p.suivanteRevenir;
    d.erreurExecution = 0;
    return true;
}

std::string raisonPasPrecedent(const TdonneesCommunes& d) {
    if (d.historique && d.historique->tronque && d.historique->pas.empty() && d.modeExecution == executionCommentee)
        return depuisUtf8("Les pas plus anciens ne sont pas gardés (au plus 100 000 pas ou 64 Mio).");
    return {};
}

double octetsParPas(const TdonneesCommunes& d) {
    if (!d.historique || d.historique->pas.empty())
        return 0;
    return static_cast<double>(taille(*d.historique)) / static_cast<double>(d.historique->pas.size());
}
