#include "window/ecriture_atomique.h"

#include <QSaveFile>

bool ecrireAtomiquement(const QString& chemin, const QByteArray& octets, QString* raison) {
    QSaveFile fichier(chemin);
    const auto echec = [&] {
        if (raison)
            *raison = fichier.errorString();
        fichier.cancelWriting();
        return false;
    };
    if (!fichier.open(QIODevice::WriteOnly))
        return echec();
    if (fichier.write(octets) != octets.size())
        return echec();
    if (!fichier.commit()) {
        if (raison)
            *raison = fichier.errorString();
        return false;
    }
    return true;
}
