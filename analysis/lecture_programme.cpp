#include "analysis/lecture_programme.h"

#include "analysis/donnees.h"
#include "analysis/fichiers_systeme.h"

#include <algorithm>
#include <cstdio>
#include <memory>

const std::string raisonFichierTropGrand = "Fichier trop volumineux pour \xEAtre un programme";

size_t TsuiviLignes::lire(std::string_view morceau) {
    if (decide)
        return 0;
    for (size_t i = 0; i < morceau.size(); ++i) {
        const char c = morceau[i];
        if (c == '\n' && apresCR) {   // the LF of a CR LF
            apresCR = false;
            continue;
        }
        apresCR = c == '\r';
        // This byte belongs to line `ligne`, which therefore exists.
        if (c != ' ' && c != '\r' && c != '\n' && ligne >= static_cast<size_t>(nbLignesMax))
            texteApres = true;
        if (texteApres && ligne >= lignesMax) {
            decide = true;
            return i + 1;
        }
        if (c == '\r' || c == '\n')
            ++ligne;
    }
    return morceau.size();
}

Tlecture lireProgramme(const std::string& chemin, size_t lignesMax, std::string& octets) {
    uint64_t taille = 0;
    if (!fichierOrdinaire(chemin, taille))
        return Tlecture::illisible;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> fichier(ouvrirFichier(chemin, "rb"), std::fclose);
    if (!fichier)
        return Tlecture::illisible;
    std::string contenu;
    contenu.reserve(static_cast<size_t>(std::min<uint64_t>(taille, tailleProgrammeMax + 1)));
    TsuiviLignes suivi(lignesMax);
    char morceau[1 << 16];
    for (;;) {
        const size_t lus = std::fread(morceau, 1, sizeof morceau, fichier.get());
        const size_t pris = suivi.lire(std::string_view(morceau, lus));
        if (contenu.size() + pris > tailleProgrammeMax)
            return Tlecture::tropGrand;
        contenu.append(morceau, pris);
        if (suivi.tropDeLignes()) {
            octets = std::move(contenu);
            return Tlecture::tropDeLignes;
        }
        if (lus < sizeof morceau)
            break;
    }
    if (std::ferror(fichier.get()))
        return Tlecture::illisible;
    octets = std::move(contenu);
    return Tlecture::complete;
}
