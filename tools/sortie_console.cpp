#include "tools/sortie_console.h"

#include "base/codage.h"
#include "base/lignes.h"

void TfluxVerifie::ecrire(std::string_view texte) {
    if (echec)
        return;
    echec = std::fwrite(texte.data(), 1, texte.size(), flux) != texte.size();
}

void TfluxVerifie::ecrire(char c) {
    if (!echec)
        echec = std::putc(static_cast<unsigned char>(c), flux) == EOF;
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
    ecrireLigne(ligne);
}

// A display instruction's text, after the pane's blank.
void TfenetreConsole::ajouterSortie(const std::string& texte) {
    if (!enDirect) {
        TfenetreMemoire::ajouterSortie(texte);
        return;
    }
    sortie.ecrire(' ');
    ecrireLigne(texte);
}

void TfenetreConsole::ecrireLigne(const std::string& ligne) {
    if (estAscii(ligne))
        sortie.ecrire(ligne);   // as it is
    else
        sortie.ecrire(versUtf8(ligne));
    sortie.ecrire('\n');
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
