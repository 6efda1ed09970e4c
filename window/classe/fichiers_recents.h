// Fichier › Fichiers récents: the last programs opened or saved, the most
// recent first, kept between uses.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMenu;

class TfichiersRecents : public QObject {
    Q_OBJECT
public:
    static constexpr int nombreMax = 8;

    // `ouvrir` is called with the path of the entry chosen.
    TfichiersRecents(QMenu* menu, std::function<void(const QString&)> ouvrir);

    // The program at `chemin` was just opened or saved: it goes first.
    void noter(const QString& chemin);
    void retirer(const QString& chemin);
    QStringList liste() const { return chemins; }

private:
    void garder();   // keeps the list and rebuilds the menu
    void construireMenu();

    QMenu* menu;
    std::function<void(const QString&)> ouvrir;
    QStringList chemins;
};
