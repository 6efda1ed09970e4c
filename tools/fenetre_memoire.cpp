#include "tools/fenetre_memoire.h"

#include "base/codage.h"
#include "base/fichiers_systeme.h"
#include "base/lignes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

void TfenetreMemoire::taper(const std::string& texte) {
    lignesEditeur = decouperLignes(texte);
    modifie = true;
}

std::string TfenetreMemoire::texteEditeur() { return joindreLignes(lignesEditeur); }

void TfenetreMemoire::remplacerTexteEditeur(const std::string& texte) {
    lignesEditeur = decouperLignes(texte);
}

int32_t TfenetreMemoire::nombreLignesEditeur() { return static_cast<int32_t>(lignesEditeur.size()); }

std::string TfenetreMemoire::ligneEditeur(int32_t i) {
    if (i < 0 || i >= nombreLignesEditeur())
        return {};
    return lignesEditeur[i];
}

void TfenetreMemoire::ajouterLigneEditeur(const std::string& ligne) { lignesEditeur.push_back(ligne); }

void TfenetreMemoire::selectionnerDansEditeur(int32_t debut, int32_t longueur) {
    selections.emplace_back(debut, longueur);
    lignesSelectionnees.push_back(ligneALaPosition(debut));
}

int32_t TfenetreMemoire::ligneALaPosition(int32_t debut) const {
    int64_t position = 0;
    int32_t ligne = 0;
    while (static_cast<size_t>(ligne) < lignesEditeur.size() && position + static_cast<int64_t>(lignesEditeur[ligne].size()) + 2 <= debut) {
        position += static_cast<int64_t>(lignesEditeur[ligne].size()) + 2;
        ++ligne;
    }
    return ligne;
}

std::string TfenetreMemoire::texteAffichage() { return joindreLignes(lignesAffichage); }

void TfenetreMemoire::remplacerTexteAffichage(const std::string& texte) {
    lignesAffichage = decouperLignes(texte);
}

void TfenetreMemoire::afficherMessage(const std::string& texte, const std::string& legende) {
    messages.emplace_back(texte, legende);
}

bool TfenetreMemoire::demanderConfirmation(const std::string& texte, const std::string& legende) {
    confirmations.emplace_back(texte, legende);
    if (reponsesConfirmation.empty())
        return false;
    const bool oui = reponsesConfirmation.front();
    reponsesConfirmation.pop_front();
    return oui;
}

namespace {

bool choisir(std::deque<std::optional<std::string>>& reponses, std::string& chemin) {
    if (reponses.empty())
        return false;
    const auto reponse = reponses.front();
    reponses.pop_front();
    if (!reponse)
        return false;
    chemin = *reponse;
    return true;
}

} // namespace

bool TfenetreMemoire::choisirFichierAOuvrir(std::string& chemin) { return choisir(cheminsOuverture, chemin); }

bool TfenetreMemoire::choisirFichierAEnregistrer(std::string& chemin) {
    return choisir(cheminsEnregistrement, chemin);
}

Tlecture TfenetreMemoire::lireFichier(const std::string& chemin, size_t lignesMax, TfichierDecode& lu) {
    return lireProgramme(chemin, lignesMax, lu);
}

bool TfenetreMemoire::ecrireFichier(const std::string& chemin, const std::string& octets, std::string& /*raison*/) {
    return ecrireFichierOctets(chemin, octets);
}

bool TfenetreMemoire::fichierExiste(const std::string& chemin) {
    std::error_code erreur;
    return std::filesystem::exists(versCheminFs(chemin), erreur);
}

void TfenetreMemoire::legendeFenetreAvecChemin(const std::string& debut, const std::string& chemin) {
    fenetre = debut + depuisUtf8(chemin);
}

void TfenetreMemoire::legendeProgrammeAvecNom(const std::string& nom) { programme = depuisUtf8(nom); }

bool lireFichierOctets(const std::string& chemin, std::string& octets) {
    uint64_t taille = 0;
    if (!fichierOrdinaire(chemin, taille))
        return false;
    std::ifstream fichier(versCheminFs(chemin), std::ios::binary);
    if (!fichier)
        return false;
    std::string contenu((std::istreambuf_iterator<char>(fichier)), std::istreambuf_iterator<char>());
    if (fichier.bad())
        return false;
    octets = std::move(contenu);
    return true;
}

bool ecrireFichierOctets(const std::string& chemin, const std::string& octets) {
    std::string provisoire;
    std::FILE* fichier = creerProvisoire(chemin, provisoire);
    if (!fichier)
        return false;
    bool ok = std::fwrite(octets.data(), 1, octets.size(), fichier) == octets.size();
    ok = (std::fflush(fichier) == 0) && ok;
    ok = forcerSurDisque(fichier) && ok;
    ok = (std::fclose(fichier) == 0) && ok;
    if (!ok || !remplacerFichier(provisoire, chemin)) {
        supprimerFichier(provisoire);
        return false;
    }
    return true;
}
