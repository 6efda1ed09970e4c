#include "commands/lignes_affichees.h"

#include "base/lignes.h"

#include <algorithm>

namespace {

// A block grows to this size before the next one starts; a longer line has a
// block of its own. Never reallocated once reserved, so no line is copied.
constexpr size_t tailleBloc = size_t{1} << 20;

} // namespace

TlignesAffichees::Tbloc& TlignesAffichees::blocPour(size_t taille) {
    if (blocs.empty() || blocs.back().octets.size() + taille > blocs.back().octets.capacity()) {
        Tbloc bloc;
        bloc.octets.reserve(std::max(tailleBloc, taille));
        bloc.premiereLigne = nombre();
        blocs.push_back(std::move(bloc));
    }
    return blocs.back();
}

void TlignesAffichees::ajouter(std::string_view ligne) {
    Tbloc& bloc = blocPour(ligne.size());
    debuts.push_back(static_cast<uint32_t>(bloc.octets.size()));
    bloc.octets.append(ligne);
    octets += ligne.size();
}

void TlignesAffichees::vider() {
    // Given back to the system, not kept as capacity.
    std::vector<Tbloc>().swap(blocs);
    std::vector<uint32_t>().swap(debuts);
    octets = 0;
}

void TlignesAffichees::remplacer(std::string_view texte) {
    vider();
    pourChaqueLigne(texte, [this](std::string_view ligne) { ajouter(ligne); });
}

std::string_view TlignesAffichees::ligne(int64_t i) const {
    // The last block whose first line is at or before i.
    const auto suivant = std::upper_bound(blocs.begin(), blocs.end(), i,
                                          [](int64_t n, const Tbloc& bloc) { return n < bloc.premiereLigne; });
    const Tbloc& bloc = *(suivant - 1);
    const size_t debut = debuts[static_cast<size_t>(i)];
    const bool derniereDuBloc = suivant == blocs.end() ? i + 1 == nombre() : i + 1 == suivant->premiereLigne;
    const size_t fin = derniereDuBloc ? bloc.octets.size() : debuts[static_cast<size_t>(i) + 1];
    return std::string_view(bloc.octets).substr(debut, fin - debut);
}

std::string TlignesAffichees::texte() const {
    std::string resultat;
    if (debuts.empty())
        return resultat;
    resultat.reserve(octets + 2 * (debuts.size() - 1));
    for (int64_t i = 0; i < nombre(); ++i) {
        if (i > 0)
            resultat += "\r\n";
        resultat += ligne(i);
    }
    return resultat;
}
