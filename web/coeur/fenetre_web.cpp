#include "web/coeur/fenetre_web.h"

#include "base/codage.h"
#include "base/lignes.h"

namespace {

bool finitParUnSaut(const std::string& texte) { return !texte.empty() && (texte.back() == '\n' || texte.back() == '\r'); }

} // namespace

void TfenetreWeb::taper(const std::string& texte) {
    lignesEditeur = decouperLignes(texte);
    sautFinal = finitParUnSaut(texte);
    modifie = true;
}

int32_t TfenetreWeb::ligneALaPosition(int32_t debut) const {
    int64_t position = 0;
    int32_t ligne = 0;
    while (static_cast<size_t>(ligne) < lignesEditeur.size() &&
           position + static_cast<int64_t>(lignesEditeur[ligne].size()) + 2 <= debut) {
        position += static_cast<int64_t>(lignesEditeur[ligne].size()) + 2;
        ++ligne;
    }
    return ligne;
}

// As the Qt editor gives it: its lines joined by CR LF, a break after the
// last one when the text ended with one.
std::string TfenetreWeb::texteEditeur() { return joindreLignes(lignesEditeur) + (sautFinal ? "\r\n" : ""); }

void TfenetreWeb::remplacerTexteEditeur(const std::string& texte) {
    lignesEditeur = decouperLignes(texte);
    sautFinal = finitParUnSaut(texte);
    editeurRemplace = true;
}

std::string TfenetreWeb::ligneEditeur(int32_t i) {
    if (i < 0 || i >= nombreLignesEditeur())
        return {};
    return lignesEditeur[static_cast<size_t>(i)];
}

// Every line ends with a break, so the caret can sit below the last one.
void TfenetreWeb::ajouterLigneEditeur(const std::string& ligne) {
    lignesEditeur.push_back(ligne);
    sautFinal = true;
    editeurRemplace = true;
}

void TfenetreWeb::viderAffichage() {
    affichage.vider();
    lignesLues = 0;
    affichageRemplace = true;
}

void TfenetreWeb::remplacerTexteAffichage(const std::string& texte) {
    affichage.remplacer(texte);
    lignesLues = 0;
    affichageRemplace = true;
}

// Paths are the system's bytes (UTF-8): shown through the code page, as the
// rest of the captions.
void TfenetreWeb::legendeFenetreAvecChemin(const std::string& debut, const std::string& chemin) {
    fenetre = debut + depuisUtf8(chemin);
}

void TfenetreWeb::legendeProgrammeAvecNom(const std::string& nom) { programme = depuisUtf8(nom); }

void TfenetreWeb::afficherMessage(const std::string& texte, const std::string& legende) {
    boites.push_back({"message", texte, legende});
}

bool TfenetreWeb::demanderConfirmation(const std::string& texte, const std::string& legende) {
    boites.push_back({"confirmation", texte, legende});
    if (reponses.empty())
        return false;
    const bool oui = reponses.front();
    reponses.pop_front();
    return oui;
}

void TfenetreWeb::afficherErreur(const std::string& texte) { boites.push_back({"erreur", texte, "Trevane"}); }

namespace {

// The dialog's answer, used once.
bool choisir(std::optional<std::string>& reponse, std::string& chemin) {
    std::optional<std::string> choisi = std::move(reponse);
    reponse.reset();
    if (!choisi || choisi->empty())
        return false;
    chemin = *choisi;
    return true;
}

} // namespace

bool TfenetreWeb::choisirFichierAOuvrir(std::string& chemin) { return choisir(cheminAOuvrir, chemin); }

bool TfenetreWeb::choisirFichierAEnregistrer(std::string& chemin) { return choisir(cheminAEnregistrer, chemin); }

Tlecture TfenetreWeb::lireFichier(const std::string& chemin, size_t lignesMax, TfichierDecode& lu) {
    const auto fichier = fichiers.find(chemin);
    if (fichier == fichiers.end())
        return Tlecture::illisible;
    const std::string& octets = fichier->second;
    const bool entier = octets.size() <= tailleProgrammeMax;
    return decoderProgramme(entier ? std::string_view(octets) : std::string_view(octets).substr(0, tailleProgrammeMax),
                            entier, lignesMax, lu);
}

bool TfenetreWeb::ecrireFichier(const std::string& chemin, const std::string& octets, std::string& /*raison*/) {
    fichiers[chemin] = octets;
    fichiersEcrits.push_back(chemin);
    return true;
}
