// The program editor `editeur`: a plain-text editor that only ever
// holds characters Windows-1252 can store, so that what is saved is exactly
// what is seen.
#pragma once

#include <QPlainTextEdit>

class TmargeLignes;

class TediteurProgramme : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TediteurProgramme(QWidget* parent = nullptr);

    // Replaces, in the text changed since the last call, every character the
    // code page lacks by "?" and a line separator by a line break. Runs after
    // each key, paste or drop, and before the text is read.
    void assainir();

    // The text as the core sees it: Windows-1252, lines joined by CR LF, a
    // final line break kept.
    std::string texte1252() const;
    // Lines as the core counts them: a break at the very end starts none.
    int nombreLignes() const;

    // The gutter of line numbers and run marks (window/editeur/marge_lignes.h).
    TmargeLignes* marge() const { return margeLignes; }

    // Selects and brings into view, keeping the start of the lines shown (no
    // sideways scroll) when the selection starts within the first screen's
    // width; where the user has scrolled sideways himself since the last
    // `oublierDefilementLateral`, his scroll stays.
    void selectionnerEnVue(const QTextCursor& selection);
    void oublierDefilementLateral() { defileParUtilisateur = false; }

signals:
    // Tabs of a paste or a drop became blanks (a program takes no tab).
    void tabulationsRemplacees(int nombre);

protected:
    void resizeEvent(QResizeEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void inputMethodEvent(QInputMethodEvent* evenement) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    friend class TmargeLignes;   // paints from the editor's block geometry
    TmargeLignes* margeLignes = nullptr;

    void noterChangement(int position, int retires, int ajoutes);

    int debutModifie = -1;   // range changed since the last pass, -1: none
    int finModifie = -1;
    bool passePrevue = false;
    bool enPasse = false;
    bool defileParUtilisateur = false;   // the horizontal bar moved by the user's hand
};
