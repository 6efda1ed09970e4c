// Fichier › Fichiers récents: the list (commands/fichiers_recents.h) as a
// menu, kept in the settings between uses.
#pragma once

#include "commands/fichiers_recents.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QMenu;

class TfichiersRecents : public QObject {
    Q_OBJECT
public:
    // `ouvrir` is called with the path of the entry chosen.
    TfichiersRecents(QMenu* menu, std::function<void(const QString&)> ouvrir);

    // The program at `chemin` was just opened or saved: it goes first.
    void noter(const QString& chemin);
    void retirer(const QString& chemin);
    QStringList liste() const;

private:
    void garder();   // keeps the list and rebuilds the menu
    void construireMenu();

    QMenu* menu;
    std::function<void(const QString&)> ouvrir;
    TlisteFichiersRecents chemins;
};
