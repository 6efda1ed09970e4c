#include "window/editeur/editeur_programme.h"

#include "base/decodage_fichier.h"
#include "window/codage_qt.h"
#include "window/editeur/marge_lignes.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

TediteurProgramme::TediteurProgramme(QWidget* parent) : QPlainTextEdit(parent) {
    connect(document(), &QTextDocument::contentsChange, this, &TediteurProgramme::noterChangement);
    margeLignes = new TmargeLignes(this);
    // Actions come from the user (the bar dragged or clicked, a sideways
    // wheel), not from the cursor brought into view.
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, [this] { defileParUtilisateur = true; });
}

void TediteurProgramme::selectionnerEnVue(const QTextCursor& selection) {
    QScrollBar* barre = horizontalScrollBar();
    const int choisie = barre->value();
    setTextCursor(selection);   // brings the selection's end into view
    ensureCursorVisible();
    if (defileParUtilisateur) {
        barre->setValue(choisie);
        return;
    }
    // A line wider than the editor scrolled to its end, and every other line
    // then read from its middle.
    QTextCursor debut = selection;
    debut.setPosition(selection.selectionStart());
    if (cursorRect(debut).left() + barre->value() < viewport()->width())
        barre->setValue(0);
}

void TediteurProgramme::resizeEvent(QResizeEvent* evenement) {
    QPlainTextEdit::resizeEvent(evenement);
    margeLignes->placer();
}

void TediteurProgramme::noterChangement(int position, int /*retires*/, int ajoutes) {
    if (enPasse || ajoutes <= 0)
        return;
    // The range only grows: later edits may shift earlier ones, so the end
    // also takes every character added since.
    if (debutModifie < 0) {
        debutModifie = position;
        finModifie = position + ajoutes;
    } else {
        debutModifie = std::min(debutModifie, position);
        finModifie = std::max(finModifie, position) + ajoutes;
    }
    // Changes that come by another road (undo from the context menu) are
    // cleaned on the next turn of the event loop.
    if (!passePrevue) {
        passePrevue = true;
        QMetaObject::invokeMethod(this, &TediteurProgramme::assainir, Qt::QueuedConnection);
    }
}

void TediteurProgramme::assainir() {
    passePrevue = false;
    if (debutModifie < 0)
        return;
    QTextDocument* doc = document();
    const int derniere = std::max(0, doc->characterCount() - 1);
    const int debut = std::clamp(debutModifie, 0, derniere);
    const int fin = std::clamp(finModifie, debut, derniere);
    debutModifie = finModifie = -1;

    struct Remplacement {
        int position;
        int longueur;
        QString texte;
    };
    std::vector<Remplacement> remplacements;
    const QTextBlock dernier = doc->findBlock(fin);
    for (QTextBlock bloc = doc->findBlock(debut); bloc.isValid(); bloc = bloc.next()) {
        const QString texte = bloc.text();
        for (qsizetype i = 0; i < texte.size(); ++i) {
            const char16_t c = texte[i].unicode();
            const int position = bloc.position() + static_cast<int>(i);
            if (c == QChar::LineSeparator) {
                remplacements.push_back({position, 1, QStringLiteral("\n")});
            } else if (QChar::isHighSurrogate(c) && i + 1 < texte.size() && QChar::isLowSurrogate(texte[i + 1].unicode())) {
                remplacements.push_back({position, 2, QStringLiteral("?")});
                ++i;
            } else if (!caractere1252(c)) {
                remplacements.push_back({position, 1, QStringLiteral("?")});
            }
        }
        if (bloc == dernier)
            break;
    }
    if (remplacements.empty())
        return;

    // One edit joined to the user's, so that one undo takes back both.
    enPasse = true;
    QTextCursor curseur(doc);
    curseur.joinPreviousEditBlock();
    for (auto it = remplacements.rbegin(); it != remplacements.rend(); ++it) {
        curseur.setPosition(it->position);
        curseur.setPosition(it->position + it->longueur, QTextCursor::KeepAnchor);
        curseur.insertText(it->texte);
    }
    curseur.endEditBlock();
    enPasse = false;
}

void TediteurProgramme::keyPressEvent(QKeyEvent* evenement) {
    // Tab inserts blanks up to the next tab stop.
    if (evenement->key() == Qt::Key_Tab && !isReadOnly() &&
        !(evenement->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        QTextCursor curseur = textCursor();
        curseur.beginEditBlock();
        curseur.removeSelectedText();
        const auto colonne = static_cast<size_t>(curseur.positionInBlock());
        curseur.insertText(QString(static_cast<qsizetype>(largeurTabulation - colonne % largeurTabulation), u' '));
        curseur.endEditBlock();
        setTextCursor(curseur);
        return;
    }
    QPlainTextEdit::keyPressEvent(evenement);
    assainir();
}

void TediteurProgramme::inputMethodEvent(QInputMethodEvent* evenement) {
    QPlainTextEdit::inputMethodEvent(evenement);
    assainir();
}

void TediteurProgramme::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        assainir();
        return;
    }
    // Pasted CR LF would otherwise count as two line breaks.
    QString texte = source->text();
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    int tabulations = 0;
    if (texte.contains(QLatin1Char('\t'))) {
        // Stops counted from the column the text lands at; the
        // characters the code page lacks become "?" here as in `assainir`.
        texte.replace(QChar::LineSeparator, QLatin1Char('\n'));
        std::string octets = vers1252(texte);
        QTextCursor debut = textCursor();
        debut.setPosition(debut.selectionStart());
        tabulations = static_cast<int>(remplacerTabulations(octets, static_cast<size_t>(debut.positionInBlock())));
        texte = depuis1252(octets);
    }
    QMimeData simple;
    simple.setText(texte);
    QPlainTextEdit::insertFromMimeData(&simple);
    assainir();
    if (tabulations > 0)
        emit tabulationsRemplacees(tabulations);
}

std::string TediteurProgramme::texte1252() const {
    std::string texte;
    for (QTextBlock bloc = document()->begin(); bloc.isValid(); bloc = bloc.next()) {
        if (bloc != document()->begin())
            texte += "\r\n";
        texte += vers1252(bloc.text());
    }
    return texte;
}

int TediteurProgramme::nombreLignes() const {
    const QTextDocument* doc = document();
    const int blocs = doc->blockCount();
    return doc->lastBlock().length() <= 1 ? blocs - 1 : blocs;
}
