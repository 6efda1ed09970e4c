#include "execution/suivi_csv.h"

#include "base/fichiers_systeme.h"

#include "base/codage.h"

namespace {

// The fields of the core's texts (Windows-1252) as one UTF-8 line.
std::string joindre(const std::vector<std::string>& champs) {
    std::string ligne;
    for (size_t k = 0; k < champs.size(); ++k) {
        if (k > 0)
            ligne += ';';
        ligne += champCsv(versUtf8(champs[k]));
    }
    ligne += "\r\n";
    return ligne;
}

} // namespace

std::string enteteCsv(const TcolonnesSuivi& colonnes) {
    std::vector<std::string> champs;
    for (int32_t k = 0; k < nbColonnesSuivi(colonnes); ++k)
        champs.push_back(titreColonneSuivi(colonnes, k));
    return joindre(champs);
}

std::string ligneCsv(const TcolonnesSuivi& colonnes, const TligneSuivi& ligne) {
    std::vector<std::string> champs;
    for (int32_t k = 0; k < nbColonnesSuivi(colonnes); ++k)
        champs.push_back(champSuivi(colonnes, ligne, k));
    return joindre(champs);
}

TsuiviCsv::TsuiviCsv(const std::string& c) : chemin(c), fichier(ouvrirFichier(c, "wb")) {
    reussi = fichier != nullptr;
}

TsuiviCsv::~TsuiviCsv() {
    if (fichier)
        std::fclose(fichier);
}

std::string TsuiviCsv::messageEchec() const {
    return "Impossible d'\xC3\xA9" "crire le suivi dans le fichier " + chemin + "\n";
}

void TsuiviCsv::ecrire(std::string_view texte) {
    if (reussi && std::fwrite(texte.data(), 1, texte.size(), fichier) != texte.size())
        reussi = false;
}

void TsuiviCsv::commencer(const TdonneesCommunes& d) {
    colonnes = colonnesSuivi(d);
    nbLignes = 0;
    tronque = false;
    ecrire(bomUtf8);
    ecrire(enteteCsv(colonnes));
}

void TsuiviCsv::noterPas(const TdonneesCommunes& d, int32_t ligne) {
    if (nbLignes < nbLignesSuiviMax) {
        ++nbLignes;
        ecrire(ligneCsv(colonnes, ligneSuivi(d, colonnes, ligne)));
    } else if (!tronque) {
        tronque = true;
        ecrire(ligneCsvTronquee);
    }
}

bool TsuiviCsv::terminer() {
    if (!fichier)
        return false;
    if (std::fflush(fichier) != 0 || std::ferror(fichier))
        reussi = false;
    if (std::fclose(fichier) != 0)
        reussi = false;
    fichier = nullptr;
    return reussi;
}
