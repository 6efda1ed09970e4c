// The display pane `RichEditAffichages`: read-only, word-wrapped. A burst
// can append hundreds of thousands of lines, so appended lines wait in a
// buffer and go into the pane in one insertion when it is next read,
// replaced or emptied, or when the command that wrote them returns.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

class TpanneauAffichages : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TpanneauAffichages(QWidget* parent = nullptr);

    void ajouterLigne(const QString& ligne);   // a new last line
    void vider();
    void remplacer(const QStringList& lignes);
    // The pane's lines, buffered ones included.
    QStringList lignes();
    // Moves the buffered lines into the pane, as one-by-one appends would show them.
    void deverser();

private:
    QStringList tampon;
    bool sansLigne = true;   // the pane holds no line (an empty line is one)
};
