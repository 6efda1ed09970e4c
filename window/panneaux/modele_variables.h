// The "Variables" panel's rows (commands/lignes_variables.h) as an item
// model: one row per variable, lists and tables with their elements as
// children, a changed value highlighted.
#pragma once

#include "commands/lignes_variables.h"

#include <QAbstractItemModel>

class TmodeleVariables : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Tcolonne {
        colonneNom = TlignesVariables::colonneNom,
        colonneType = TlignesVariables::colonneType,
        colonneValeur = TlignesVariables::colonneValeur,
        nbColonnes = TlignesVariables::nbColonnes,
    };

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
    TlignesVariables lignes;
};
