#include "execution/affichages.h"

#include "base/codage.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "execution/textes.h"

void choisirAffichage(TdonneesCommunes& d, uint8_t mode) {
    if (mode == d.modeAffichage || (mode != modeResultats && mode != modeInformations))
        return;
    Tfenetre& f = *d.fenetre;
    d.modeAffichage = mode;
    if (mode == modeResultats) {
        static const std::string legende = depuisUtf8("Affichage - Résultats");
        f.rendreAffichage(d.resultatsSauves);
        f.legendeAffichages(legende);
        f.cocherResultat(true);
        f.cocherInformations(false);
    } else {
        // The results wait aside while the reference text is shown.
        f.garderAffichage(d.resultatsSauves);
        f.viderAffichage();
        afficherInformations(d);
        f.legendeAffichages("Affichage - Informations");
        f.cocherResultat(false);
        f.cocherInformations(true);
    }
}
