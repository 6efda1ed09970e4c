#include "window/panneau_affichages.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

TpanneauAffichages::TpanneauAffichages(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setMaximumBlockCount(0);
    setUndoRedoEnabled(false);
}

void TpanneauAffichages::ajouterLigne(const QString& ligne) { tampon.append(ligne); }

void TpanneauAffichages::vider() {
    tampon.clear();
    clear();
    sansLigne = true;
}

void TpanneauAffichages::remplacer(const QStringList& lignes) {
    tampon.clear();
    setPlainText(lignes.join(QLatin1Char('\n')));
    sansLigne = lignes.isEmpty();
}

QStringList TpanneauAffichages::lignes() {
    deverser();
    QStringList resultat;
    if (sansLigne)
        return resultat;
    for (QTextBlock bloc = document()->begin(); bloc.isValid(); bloc = bloc.next())
        resultat.append(bloc.text());
    return resultat;
}

void TpanneauAffichages::deverser() {
    if (tampon.isEmpty())
        return;
    // An empty pane shows its new text from the top; a pane scrolled to its
    // end keeps following it.
    QScrollBar* barre = verticalScrollBar();
    const bool etaitVide = sansLigne;
    const bool enBas = barre->value() == barre->maximum();
    QString bloc = tampon.join(QLatin1Char('\n'));
    if (!sansLigne)
        bloc.prepend(QLatin1Char('\n'));
    tampon.clear();
    QTextCursor curseur(document());
    curseur.movePosition(QTextCursor::End);
    curseur.insertText(bloc);
    sansLigne = false;
    if (etaitVide)
        barre->setValue(barre->minimum());
    else if (enBas)
        barre->setValue(barre->maximum());
}
