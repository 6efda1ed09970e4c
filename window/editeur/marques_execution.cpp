#include "window/editeur/marques_execution.h"

#include "window/editeur/editeur_programme.h"
#include "window/editeur/marge_lignes.h"

#include <QTextDocument>

TmarquesMarge::TmarquesMarge(TediteurProgramme* e) : editeur(e) {
    QObject::connect(editeur->document(), &QTextDocument::contentsChange, editeur->marge(),
                     [this](int, int retires, int ajoutes) {
                         if (retires > 0 || ajoutes > 0) {
                             regle.texteModifie();
                             appliquer();
                         }
                     });
}

void TmarquesMarge::commencer(const TdonneesCommunes& d) {
    regle.commencer(d);
    appliquer();
}

void TmarquesMarge::oublierProgramme() {
    regle.oublierProgramme();
    appliquer();
}

void TmarquesMarge::apresExecution(const TdonneesCommunes& d) {
    regle.apresExecution(d);
    appliquer();
}

void TmarquesMarge::montrerPointsArret(const TdonneesCommunes& d) {
    regle.montrerPointsArret(d);
    appliquer();
}

void TmarquesMarge::appliquer() {
    const TmarquesLignes& m = regle.marques();
    TmargeLignes* marge = editeur->marge();
    if (m.executee != marge->ligneExecutee() || m.suivante != marge->ligneSuivante())
        marge->marquer(m.executee, m.suivante);
    if (m.erreur != marge->ligneErreur())
        marge->marquerErreur(m.erreur);
    marge->montrerPointsArret(std::vector<int>(m.pointsArret.begin(), m.pointsArret.end()));
}
