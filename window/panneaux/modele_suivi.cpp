#include "window/panneaux/modele_suivi.h"

#include "window/accessibilite/couleurs.h"
#include "window/codage_qt.h"

#include <QApplication>
#include <QColor>

namespace {

const QColor couleurChangee(255, 214, 120);

} // namespace

TmodeleSuivi::TmodeleSuivi(QObject* parent) : QAbstractTableModel(parent) {}

void TmodeleSuivi::commencer(const TcolonnesSuivi& c) {
    beginResetModel();
    lignes.commencer(c);
    endResetModel();
}

void TmodeleSuivi::ajouter(TligneSuivi ligne) {
    if (!lignes.place()) {
        lignes.ajouter(std::move(ligne));   // cuts the trace: no row
        return;
    }
    const int n = lignes.nombre();
    beginInsertRows({}, n, n);
    lignes.ajouter(std::move(ligne));
    endInsertRows();
}

void TmodeleSuivi::retirerDerniere() {
    const int n = lignes.nombre();
    if (n == 0)
        return;
    beginRemoveRows({}, n - 1, n - 1);
    lignes.retirer();
    endRemoveRows();
}

int TmodeleSuivi::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : lignes.nombre(); }

int TmodeleSuivi::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : lignes.nbColonnes(); }

QVariant TmodeleSuivi::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= lignes.nombre())
        return {};
    const int l = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return depuis1252(lignes.texte(l, c));
    case Qt::BackgroundRole:
        return lignes.change(l, c) ? QVariant(couleurChangee) : QVariant();
    case Qt::ForegroundRole:
        return lignes.colonneValeur(c) && !lignes.change(l, c) ? QVariant(texteInchange(paletteSombre(QApplication::palette()))) : QVariant();
    case Qt::TextAlignmentRole:
        return lignes.aGauche(c) ? QVariant(Qt::AlignLeft | Qt::AlignVCenter) : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TmodeleSuivi::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return depuis1252(lignes.titre(section));
}
