// The modal boxes and file dialogs of the window. The default ones are Qt's;
// the tests put scripted answers in their place.
#pragma once

#include <QString>

class QWidget;

// What the user does with a recovery copy offered at start-up.
enum class TchoixCopie { restaurer, garder, supprimer };

class Tdialogues {
public:
    virtual ~Tdialogues() = default;

    // No icon, one OK button.
    virtual void message(QWidget* parent, const QString& texte, const QString& legende);
    // Warning icon, Yes and No, No the default; true on Yes only.
    virtual bool confirmation(QWidget* parent, const QString& texte, const QString& legende);
    // The error box titled "Trevane".
    virtual void erreur(QWidget* parent, const QString& texte);
    // The offer of a recovery copy, titled "Trevane": Yes (the default, so
    // that Enter keeps the work) restores it, No (and Escape) keeps it for
    // the next start, "Supprimer la copie" discards it.
    virtual TchoixCopie offrirCopie(QWidget* parent, const QString& texte);
    // Filters "Programmes (*.txt)" and "Tous les fichiers (*)"; starts in
    // the folder `proposition` (or where the toolkit likes when it is empty).
    // A null string on cancel.
    virtual QString fichierAOuvrir(QWidget* parent, const QString& proposition);
    // Filter "Fichiers texte (*.txt)"; `proposition` is a file to propose or
    // a folder to start in. Adds no extension and asks nothing before
    // replacing a file (the window does, once the name is final).
    virtual QString fichierAEnregistrer(QWidget* parent, const QString& proposition);
    // Where to export the trace: titled "Exporter le suivi", filter
    // "Fichiers CSV (*.csv)", ".csv" added to a name without extension; asks
    // nothing before replacing a file (the window does).
    virtual QString fichierSuiviAEnregistrer(QWidget* parent, const QString& proposition);
};
