// The variables of the program's last run, for the "Variables" panel:
// one row per variable in declaration order (name, type, value), lists and
// tables unfolding into their elements. The values are a copy taken after a
// command that ran steps, compared with the copy before it, so that the view
// reads no cell of a run in progress and repaints only the rows it shows.
#pragma once

#include "base/donnees.h"

#include <QAbstractItemModel>

#include <vector>

class TmodeleVariables : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Tcolonne { colonneNom, colonneType, colonneValeur, nbColonnes };

    explicit TmodeleVariables(QObject* parent = nullptr);

    // A run starts after a successful analysis: its variables, all 0. The
    // rows stay (and stay unfolded) when the variables are the same as before.
    void commencer(const TdonneesCommunes& d);
    // No rows: before a program's first run, after a failed analysis.
    void vider();
    // Takes the values now in the cells; what differs from the last copy is highlighted.
    void mettreAJour(const TdonneesCommunes& d);

    // True when the value shown at `index` (a variable, or an element) changed.
    bool change(const QModelIndex& index) const;

    QModelIndex index(int ligne, int colonne, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& enfant) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    // The cell of row `ligne` of variable `v` (its first cell for a simple one).
    double valeur(const std::vector<int32_t>& entiers, const std::vector<double>& reels, int32_t cellule) const;
    int32_t cellule(const Tvariable& v, int ligne) const;
    QString texteValeur(const Tvariable& v, int32_t cellule) const;

    std::vector<Tvariable> variables;
    std::vector<int32_t> entiers, entiersAvant;   // copies of the integer cells
    std::vector<double> reels, reelsAvant;        // and of the real cells
    std::vector<char> variableChangee;
    struct Tplage {
        int premier = -1;   // elements changed by the last update, -1: none
        int dernier = -1;
    };
    std::vector<Tplage> changees;
};
