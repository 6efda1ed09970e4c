#include "base/lecture_programme.h"

#include "base/donnees.h"
#include "base/fichiers_systeme.h"
#include "base/lignes.h"

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

Tlecture decoderProgramme(std::string_view octets, bool entier, size_t lignesMax, TfichierDecode& lu) {
    // The beginning of a longer file: its last UTF-16 unit may be cut in two.
    if (!entier && octets.size() % 2 != 0)
        octets.remove_suffix(1);
    TfichierDecode decode = decoderFichier(octets);
    TsuiviLignes suivi(lignesMax);
    const size_t pris = suivi.lire(decode.texte);
    if (suivi.tropDeLignes()) {
        decode.texte.resize(pris);
        lu = std::move(decode);
        return Tlecture::tropDeLignes;
    }
    if (!entier)
        return Tlecture::tropGrand;
    lu = std::move(decode);
    return Tlecture::complete;
}

Tlecture lireOctetsProgramme(const std::string& chemin, std::string& octets) {
    uint64_t taille = 0;
    if (!fichierOrdinaire(chemin, taille))
        return Tlecture::illisible;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> fichier(ouvrirFichier(chemin, "rb"), std::fclose);
    if (!fichier)
        return Tlecture::illisible;
    // One byte more than a program may hold tells that the file is longer.
    octets.assign(static_cast<size_t>(std::min<uint64_t>(taille, tailleProgrammeMax) + 1), '\0');
    size_t lus = 0;
    while (lus < tailleProgrammeMax + 1) {
        if (lus == octets.size())
            octets.resize(std::min(2 * octets.size(), tailleProgrammeMax + 1));
        const size_t n = std::fread(octets.data() + lus, 1, octets.size() - lus, fichier.get());
        lus += n;
        if (n == 0)
            break;
    }
    if (std::ferror(fichier.get()))
        return Tlecture::illisible;
    octets.resize(std::min(lus, tailleProgrammeMax));
    return lus <= tailleProgrammeMax ? Tlecture::complete : Tlecture::tropGrand;
}

Tlecture lireProgramme(const std::string& chemin, size_t lignesMax, TfichierDecode& lu) {
    std::string octets;
    const Tlecture lecture = lireOctetsProgramme(chemin, octets);
    if (lecture == Tlecture::illisible)
        return lecture;
    return decoderProgramme(octets, lecture == Tlecture::complete, lignesMax, lu);
}

std::vector<std::string> lignesAExecuter(std::string_view texte) { return decouperLignes(texte, nbLignesMax); }
