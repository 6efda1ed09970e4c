// The display pane `panneauAffichages`: read-only, word-wrapped, with any
// number of lines. The lines stay in a compact store (lignes_affichees.h);
// only the visible rows are laid out and drawn, so appending, scrolling and
// rewrapping cost the same at ten lines as at ten million.
//
// Scrolling counts lines: the scroll bar's value is the line at the top of
// the view, and the view may start inside a wrapped line.
#pragma once

#include "commands/coupure_lignes.h"
#include "commands/lignes_affichees.h"

#include <QAbstractScrollArea>
#include <QStringList>

#include <cstdint>
#include <string_view>
#include <unordered_map>

class TpanneauAffichages : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A place in the text: a line and a byte in it.
    struct Tpoint {
        int64_t ligne = 0;
        int32_t colonne = 0;
        auto operator<=>(const Tpoint&) const = default;
    };

    explicit TpanneauAffichages(QWidget* parent = nullptr);

    // Windows-1252 bytes, exactly as given.
    void ajouterLigne(std::string_view ligne);   // a new last line
    void ajouterLigne(const QString& ligne);
    void vider();
    // The lines of a text joined by CR LF (or lone CR or LF).
    void remplacerTexte(std::string_view texte);
    void remplacer(const QStringList& lignes);
    const TlignesAffichees& lignesGardees() const { return lignes_; }
    // The lines taken out as they are (the pane is left empty), or put in.
    TlignesAffichees prendreLignes();
    void poserLignes(TlignesAffichees&& lignes);
    int64_t nombreLignes() const { return lignes_.nombre(); }
    QString ligne(int64_t i) const;
    QStringList lignes();
    // A command has written what it had to: the view follows the last line
    // unless the user scrolled away from it since the previous command; a
    // text shown afresh while not following starts at its top.
    void deverser();
    // On for the results of the runs, off for the reference text.
    void suivreLaFin(bool suivre) { suivre_ = suivre; }

    // The last-resort bound on the memory of the lines (text and offsets),
    // those of the pane and `enPlus` bytes kept elsewhere.
    bool plein(uint64_t enPlus = 0) const { return lignes_.memoire() + enPlus >= borne; }
    void fixerBorne(uint64_t octets) { borne = octets; }
    static constexpr uint64_t borneParDefaut = uint64_t{512} << 20;

    // Selection, from the mouse or the keyboard.
    void selectAll();
    void copy();
    bool aUneSelection() const { return ancre != curseur; }
    QString texteSelectionne() const;

    // What the view shows: the line at its top, and whether the last line
    // is in view.
    int64_t premiereLigneVisible() const { return haut.ligne; }
    bool finVisible() const;

    // The caret and the other end of the selection (window/accessibilite/
    // reads them); `selectionner` sets both and brings the caret into view.
    Tpoint positionCurseur() const { return curseur; }
    Tpoint positionAncre() const { return ancre; }
    void selectionner(Tpoint a, Tpoint c);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;
    void contextMenuEvent(QContextMenuEvent* evenement) override;

signals:
    // The text was emptied or replaced.
    void texteRemplace();
    // Lines [premiere, premiere + nombre) were shown by `deverser`.
    void lignesAjoutees(qint64 premiere, qint64 nombre);
    void curseurDeplace();

private:
    // A row of the view: a line and one of its wrapped rows.
    struct Trang {
        int64_t ligne = 0;
        int32_t rang = 0;
        auto operator<=>(const Trang&) const = default;
    };

    const std::vector<int32_t>& coupures(int64_t i);
    int32_t nombreRangs(int64_t i) { return static_cast<int32_t>(coupures(i).size()); }
    std::string_view texteRang(int64_t i, int32_t rang);
    Trang rangDe(Tpoint p);
    // `r` moved by a number of rows, kept within the text; `commeHaut`: kept
    // between the first row and the end position, as the view's top.
    Trang deplace(Trang r, int64_t rangs, bool commeHaut = true);
    Tpoint versRang(Trang r, float x);
    float abscisse(Tpoint p);
    int rangsVisibles() const;
    float largeurUtile() const;

    void mettreEnPage();          // widths, row height, rows forgotten
    void mettreAJourBarre();      // the end position and the scroll bar's range
    void placer(Trang r);         // the view's top, the scroll bar following
    void allerALaFin() { placer(fin); }
    void defilerParUtilisateur(int64_t rangs);
    void vueChoisie();            // the user put the view where it is
    void remiseAZero();
    void rendreVisible(Tpoint p);
    Tpoint pointA(QPoint position);
    void deplacerCurseur(Tpoint p, bool etendre);

    TlignesAffichees lignes_;
    uint64_t borne = borneParDefaut;
    int64_t ajoutsDepuisSignal = 0;
    int resteMolette = 0;       // wheel turn not yet scrolled (1/8 degrees)

    // Layout for the current font and width.
    TlargeursCaracteres largeurs{};
    std::array<bool, 256> largeursConnues{};
    void mesurer(std::string_view texte);   // the widths of its characters not yet known
    int hauteurRang = 1;
    int ascendante = 0;
    std::unordered_map<int64_t, std::vector<int32_t>> rangsConnus;

    Trang haut;        // the row at the top of the view
    Trang fin;         // the top of the view when the last row is at its bottom
    bool placement = false;    // the view moves the scroll bar itself
    bool suivre_ = true;
    bool quitteLaFin = false;  // the user scrolled away from the end
    bool nouveauTexte = true;  // emptied or replaced since the last command
    int64_t lignesAnnoncees = 0;   // lines already told by lignesAjoutees

    Tpoint ancre;
    Tpoint curseur;
};
