#include "tools/sortie_console.h"

#include "base/codage.h"
#include "base/lignes.h"

void TfluxVerifie::ecrire(std::string_view texte) {
    if (echec)
        return;
    echec = std::fwrite(texte.data(), 1, texte.size(), flux) != texte.size();
}

bool TfluxVerifie::terminer() {
    if (!echec)
        echec = std::fflush(flux) != 0 || std::ferror(flux);
    return !echec;
}

void TfenetreConsole::diffuser() {
    lignesAffichage.clear();
    enDirect = true;
}

void TfenetreConsole::ajouterAffichage(const std::string& ligne) {
    if (!enDirect) {
        TfenetreMemoire::ajouterAffichage(ligne);
        return;
    }
    // In UTF-8; plain ASCII is written as it is.
    bool ascii = true;
    for (const char c : ligne)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        sortie.ecrire(ligne);
    else
        sortie.ecrire(versUtf8(ligne));
    sortie.ecrire("\n");
}

void TfenetreConsole::viderAffichage() {
    if (!enDirect)
        TfenetreMemoire::viderAffichage();
}

void TfenetreConsole::remplacerTexteAffichage(const std::string& texte) {
    if (!enDirect) {
        TfenetreMemoire::remplacerTexteAffichage(texte);
        return;
    }
    for (const std::string& ligne : decouperLignes(texte))
        ajouterAffichage(ligne);
}

void TfenetreConsole::selectionnerDansEditeur(int32_t debut, int32_t) {
    erreurs.ecrire("selection: " + std::to_string(ligneALaPosition(debut)) + "\n");
}
