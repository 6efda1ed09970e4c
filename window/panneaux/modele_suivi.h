// The "Suivi" table: the trace of the commented run, one row per executed
// step (execution/suivi.h), cells written only when the view shows them.
// A value the step changed is highlighted, an unchanged one shown lighter.
#pragma once

#include "execution/suivi.h"

#include <QAbstractTableModel>

#include <vector>

class TmodeleSuivi : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TmodeleSuivi(QObject* parent = nullptr);

    void commencer(const TcolonnesSuivi& colonnes);
    // One more row; past `nbLignesSuiviMax` rows the trace is cut.
    void ajouter(TligneSuivi ligne);

    const TcolonnesSuivi& colonnesSuivi() const { return colonnes; }
    const std::vector<TligneSuivi>& lignesSuivi() const { return lignes; }
    bool tronque() const { return coupe; }
    // True when the cell shows a value the step changed.
    bool change(int ligne, int colonne) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    TcolonnesSuivi colonnes;
    std::vector<TligneSuivi> lignes;
    bool coupe = false;
};
