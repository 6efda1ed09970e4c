// The modal boxes and file dialogs of the window. The default ones are Qt's;
// the tests put scripted answers in their place.
#pragma once

#include <QString>

class QWidget;

class Tdialogues {
public:
    virtual ~Tdialogues() = default;

    // No icon, one OK button.
    virtual void message(QWidget* parent, const QString& texte, const QString& legende);
    // Warning icon, Yes and No, No the default; true on Yes only.
    virtual bool confirmation(QWidget* parent, const QString& texte, const QString& legende);
    // The error box titled "Trevane".
    virtual void erreur(QWidget* parent, const QString& texte);
    // Filters "Programmes (*.txt)" and "Tous les fichiers (*)"; starts in
    // the folder `proposition` (or where the toolkit likes when it is empty).
    // A null string on cancel.
    virtual QString fichierAOuvrir(QWidget* parent, const QString& proposition);
    // Filter "Fichiers texte (*.txt)"; `proposition` is a file to propose or
    // a folder to start in. Adds no extension and asks nothing before
    // replacing a file (the window does, once the name is final).
    virtual QString fichierAEnregistrer(QWidget* parent, const QString& proposition);
    // Where to export the trace: filter "Fichiers CSV (*.csv)", ".csv" added
    // to a name without extension.
    virtual QString fichierSuiviAEnregistrer(QWidget* parent, const QString& proposition);
};
