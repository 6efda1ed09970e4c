// What screen readers see of the editor's gutter: a static text named
// "Marge" whose value tells the run's marks in words, e.g. "ligne 7,
// prochaine instruction", so that no mark is told by colour alone.
#pragma once

#include <QAccessibleWidget>

class TmargeLignes;

class TaccesMarge : public QAccessibleWidget {
public:
    explicit TaccesMarge(TmargeLignes* marge);
    static QAccessibleInterface* fabrique(const QString& classe, QObject* objet);

    // The marks in words, "" when there is none.
    static QString marques(const TmargeLignes& marge);

    QString text(QAccessible::Text t) const override;
};
