// The "Suivi" table's rows (commands/lignes_suivi.h) as a table model, cells
// written only when the view shows them. A value the step changed is
// highlighted, an unchanged one shown lighter.
#pragma once

#include "commands/lignes_suivi.h"

#include <QAbstractTableModel>

#include <vector>

class TmodeleSuivi : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TmodeleSuivi(QObject* parent = nullptr);

    void commencer(const TcolonnesSuivi& colonnes);
    // One more row; past `nbLignesSuiviMax` rows the trace is cut.
    void ajouter(TligneSuivi ligne);
    // Takes the last row off (a step taken back).
    void retirerDerniere();

    const TcolonnesSuivi& colonnesSuivi() const { return lignes.colonnesSuivi(); }
    const std::vector<TligneSuivi>& lignesSuivi() const { return lignes.lignesSuivi(); }
    bool tronque() const { return lignes.tronque(); }
    // True when the cell shows a value the step changed.
    bool change(int ligne, int colonne) const { return lignes.change(ligne, colonne); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    TlignesSuivi lignes;
};
