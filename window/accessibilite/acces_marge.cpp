#include "window/accessibilite/acces_marge.h"

#include "window/editeur/marge_lignes.h"

#include <QStringList>

TaccesMarge::TaccesMarge(TmargeLignes* marge) : QAccessibleWidget(marge, QAccessible::StaticText) {}

QAccessibleInterface* TaccesMarge::fabrique(const QString& classe, QObject* objet) {
    if (classe == QLatin1String("TmargeLignes") && objet && objet->isWidgetType())
        return new TaccesMarge(static_cast<TmargeLignes*>(objet));
    return nullptr;
}

QString TaccesMarge::marques(const TmargeLignes& marge) {
    QStringList mots;
    const auto dire = [&mots](int ligne, const char* quoi) {
        if (ligne >= 0)
            mots.append(QStringLiteral("ligne %1, %2").arg(ligne + 1).arg(QString::fromUtf8(quoi)));
    };
    dire(marge.ligneErreur(), "erreur");
    dire(marge.ligneSuivante(), "prochaine instruction");
    dire(marge.ligneExecutee(), "instruction exécutée");
    return mots.join(QStringLiteral(" ; "));
}

QString TaccesMarge::text(QAccessible::Text t) const {
    const auto* marge = static_cast<const TmargeLignes*>(widget());
    switch (t) {
    case QAccessible::Name:
        return QStringLiteral("Marge");
    case QAccessible::Value:
    case QAccessible::Description: {
        const QString texte = marques(*marge);
        return texte.isEmpty() ? QStringLiteral("aucune marque") : texte;
    }
    default:
        return QAccessibleWidget::text(t);
    }
}
