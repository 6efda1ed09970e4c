#include "tools/lecture_texte.h"

#include "analysis/lignes.h"

#include <cstdio>
#include <sys/stat.h>

namespace {

struct Tfermeture {
    std::FILE* f;
    ~Tfermeture() {
        if (f)
            std::fclose(f);
    }
};

} // namespace

Tlecture lireTexte(const std::string& chemin, std::vector<std::string>& lignes, Tcodage& codage) {
    struct stat etat {};
    if (stat(chemin.c_str(), &etat) != 0 || !S_ISREG(etat.st_mode))
        return Tlecture::illisible;
    if (static_cast<unsigned long long>(etat.st_size) > tailleTexteMax)
        return Tlecture::tropVolumineux;
    Tfermeture fichier{std::fopen(chemin.c_str(), "rb")};
    if (!fichier.f)
        return Tlecture::illisible;
    // Read to the end whatever `stat` said: the file may have grown since.
    std::string octets;
    size_t lus = 0;
    size_t taille = static_cast<size_t>(etat.st_size) + 1;
    for (;;) {
        octets.resize(taille);
        lus += std::fread(octets.data() + lus, 1, taille - lus, fichier.f);
        if (std::ferror(fichier.f))
            return Tlecture::illisible;
        if (lus > tailleTexteMax)
            return Tlecture::tropVolumineux;
        if (lus < taille)
            break;
        taille = taille * 2 < tailleTexteMax + 1 ? taille * 2 : tailleTexteMax + 1;
    }
    octets.resize(lus);
    TtexteDecode texte = decoderTexte(octets);
    lignes = decouperLignes(texte.texte);
    codage = texte.codage;
    return Tlecture::lu;
}
