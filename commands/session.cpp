#include "commands/session.h"

#include "base/codage.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "evaluation/hasard.h"
#include "execution/textes.h"

#include <chrono>

void demarrerSession(TdonneesCommunes& d, uint32_t graine) {
    Tfenetre& f = *d.fenetre;
    initialiserHasard(d, graine);
    f.viderAffichage();
    afficherInformations(d);
    d.resultatsSauves = depuisUtf8("Aucun résultat disponible");
    d.modeAffichage = modeInformations;
    f.cocherInformations(true);
    f.cocherResultat(false);
    f.legendeAffichages("Affichage - Informations");
    f.activerPoursuivreArreter(false);
}

uint32_t graineHorloge() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<uint32_t>(ms % 86400000);
}
