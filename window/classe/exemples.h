// Fichier › Exemples: the programs of the first lessons, built into the
// program from the folder exemples/ (Windows-1252, CR LF). Each one's first
// line, a comment, gives its caption in the menu.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class QMenu;

struct Texemple {
    QString titre;       // the first line without its "# "
    QByteArray texte;    // the program's bytes, as in its file
};

// Every built-in example, in the order of their file names.
QList<Texemple> listeExemples();

// One item per example; `ouvrir` gets the one chosen.
void ajouterExemples(QMenu* menu, std::function<void(const Texemple&)> ouvrir);
