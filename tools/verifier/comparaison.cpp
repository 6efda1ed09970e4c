#include "tools/verifier/comparaison.h"

#include "base/codage.h"

#include <utility>

std::string lignePourComparer(std::string_view ligne, bool ignorerBlancs) {
    if (!ignorerBlancs)
        return std::string(ligne);
    std::string resultat;
    resultat.reserve(ligne.size());
    bool blanc = false;
    for (const char c : ligne) {
        if (c == ' ') {
            blanc = true;
            continue;
        }
        if (blanc && !resultat.empty())
            resultat += ' ';
        blanc = false;
        resultat += c;
    }
    return resultat;
}

Tattendu::Tattendu(TlignesGroupees l, bool ignorer)
    : lignes(std::move(l)), ignorerBlancs(ignorer), octets(lignes.octets() + lignes.size()) {
    if (ignorerBlancs)
        for (size_t i = 0; i < lignes.size(); ++i)
            comparees.ajouter(lignePourComparer(lignes[i], true));
}

void Tcomparaison::recevoir(std::string_view ligne) {
    if (deborde_)
        return;
    const size_t i = recues_++;
    octets_ += ligne.size() + 1;
    if (!difference_) {
        const bool egale = i < attendu_.lignes.size() &&
                           (ignorerBlancs_ ? lignePourComparer(ligne, true) == attendu_.comparee(i)
                                           : ligne == attendu_.comparee(i));
        if (!egale)
            difference_ = i;
    }
    // Before the difference only the last few lines are kept, then the few
    // after it.
    if (!difference_ || i <= *difference_ + contexteApres) {
        gardees_.emplace_back(ligne.substr(0, longueurGardee + 1));
        if (!difference_ && gardees_.size() > contexteAvant) {
            gardees_.pop_front();
            ++premiereGardee_;
        }
    }
    if (recues_ > attendu_.lignes.size() + margeLignes || octets_ > attendu_.octets + margeOctets)
        deborde_ = true;
}

std::optional<size_t> Tcomparaison::difference() const {
    if (difference_)
        return difference_;
    if (recues_ < attendu_.lignes.size())
        return recues_;
    return std::nullopt;
}

void Tcomparaison::resserrer() {
    if (!difference()) {
        gardees_.clear();
        gardees_.shrink_to_fit();
        premiereGardee_ = recues_;
    }
}

void Trecueil::recevoir(std::string_view ligne) {
    if (deborde_)
        return;
    octets_ += ligne.size() + 1;
    if (lignes.size() >= lignesMax || octets_ > octetsMax) {
        deborde_ = true;
        return;
    }
    lignes.ajouter(ligne);
}

namespace {

// A line between « and », cut to a readable length.
std::string citer(std::string_view ligne) {
    constexpr size_t longueurCitee = 120;
    std::string texte = "«" + versUtf8(ligne.substr(0, longueurCitee));
    if (ligne.size() > longueurCitee)
        texte += "…";
    return texte + "»";
}

} // namespace

std::string detailDifference(std::optional<std::string_view> attendue, std::optional<std::string_view> obtenue) {
    std::string detail = "attendu : ";
    detail += attendue ? citer(*attendue) : "(aucune ligne)";
    detail += " / obtenu : ";
    detail += obtenue ? citer(*obtenue) : "(ligne manquante)";
    if (!attendue)
        detail += " (ligne en trop)";
    return detail;
}
