#include "window/panneaux/modele_variables.h"

#include "window/codage_qt.h"

#include <QColor>

#include <string>

namespace {

const QColor couleurChangee(255, 214, 120);

// An element row: internal id = the variable's number; a variable row: 0.
constexpr quintptr idVariable = 0;

// The variable (from 0) and the element (or the variable's own row) of an index.
int32_t variableDe(const QModelIndex& i) {
    return i.internalId() == idVariable ? i.row() : static_cast<int32_t>(i.internalId() - 1);
}
int32_t elementDe(const QModelIndex& i) {
    return i.internalId() == idVariable ? TlignesVariables::ligneVariable : i.row();
}

} // namespace

TmodeleVariables::TmodeleVariables(QObject* parent) : QAbstractItemModel(parent) {}

void TmodeleVariables::commencer(const TdonneesCommunes& d) {
    const bool memes = lignes.memesVariables(d);
    if (!memes)
        beginResetModel();
    lignes.commencer(d);
    if (!memes) {
        endResetModel();
        return;
    }
    // The same rows, every value back to 0: once per run, all of them.
    for (int k = 0; k < lignes.nbVariables(); ++k) {
        const QModelIndex p = index(k, 0);
        emit dataChanged(p, index(k, nbColonnes - 1));
        if (rowCount(p) > 0)
            emit dataChanged(index(0, 0, p), index(rowCount(p) - 1, nbColonnes - 1, p));
    }
}

void TmodeleVariables::vider() {
    beginResetModel();
    lignes.vider();
    endResetModel();
}

void TmodeleVariables::mettreAJour(const TdonneesCommunes& d) {
    lignes.mettreAJour(d);
    if (lignes.nbVariables() == 0)
        return;
    emit dataChanged(index(0, 0), index(lignes.nbVariables() - 1, nbColonnes - 1));
    // Elements: only the span of those that changed now or were highlighted
    // before (a step changes one), since a view walks every row of a range.
    for (int k = 0; k < lignes.nbVariables(); ++k) {
        const QModelIndex p = index(k, 0);
        const TlignesVariables::Tplage plage = lignes.aRepeindre(k);
        if (rowCount(p) > 0 && plage.premier >= 0)
            emit dataChanged(index(plage.premier, 0, p), index(plage.dernier, nbColonnes - 1, p));
    }
}

bool TmodeleVariables::change(const QModelIndex& i) const {
    return i.isValid() && lignes.change(variableDe(i), elementDe(i));
}

QModelIndex TmodeleVariables::index(int ligne, int colonne, const QModelIndex& parent) const {
    if (ligne < 0 || colonne < 0 || colonne >= nbColonnes || ligne >= rowCount(parent))
        return {};
    return createIndex(ligne, colonne, parent.isValid() ? static_cast<quintptr>(parent.row()) + 1 : idVariable);
}

QModelIndex TmodeleVariables::parent(const QModelIndex& enfant) const {
    if (!enfant.isValid() || enfant.internalId() == idVariable)
        return {};
    return createIndex(static_cast<int>(enfant.internalId() - 1), 0, idVariable);
}

int TmodeleVariables::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return lignes.nbVariables();
    if (parent.internalId() != idVariable || parent.column() != 0)
        return 0;
    return lignes.nbElements(parent.row());
}

int TmodeleVariables::columnCount(const QModelIndex&) const { return nbColonnes; }

QVariant TmodeleVariables::data(const QModelIndex& i, int role) const {
    if (!i.isValid())
        return {};
    if (role == Qt::BackgroundRole)
        return change(i) ? QVariant(couleurChangee) : QVariant();
    if (role == Qt::ToolTipRole && i.column() == colonneValeur) {
        // The value one step ago, where the last step changed it.
        const std::string avant = lignes.texteAvant(variableDe(i), elementDe(i));
        return avant.empty() ? QVariant() : QVariant(QStringLiteral("avant : ") + depuis1252(avant));
    }
    if (role != Qt::DisplayRole)
        return {};
    const std::string texte =
        lignes.texte(variableDe(i), elementDe(i), static_cast<TlignesVariables::Tcolonne>(i.column()));
    return texte.empty() ? QVariant() : QVariant(depuis1252(texte));
}

QVariant TmodeleVariables::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section < 0 || section >= nbColonnes)
        return {};
    return depuis1252(TlignesVariables::titre(static_cast<TlignesVariables::Tcolonne>(section)));
}
