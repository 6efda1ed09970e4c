#include "window/panneaux/modele_suivi.h"

#include "window/codage_qt.h"

#include <QColor>

namespace {

const QColor couleurChangee(255, 214, 120);
const QColor couleurInchangee(150, 150, 150);

} // namespace

TmodeleSuivi::TmodeleSuivi(QObject* parent) : QAbstractTableModel(parent) {}

void TmodeleSuivi::commencer(const TcolonnesSuivi& c) {
    beginResetModel();
    colonnes = c;
    lignes.clear();
    lignes.shrink_to_fit();
    coupe = false;
    endResetModel();
}

void TmodeleSuivi::ajouter(TligneSuivi ligne) {
    if (static_cast<int32_t>(lignes.size()) >= nbLignesSuiviMax) {
        coupe = true;
        return;
    }
    const int n = static_cast<int>(lignes.size());
    beginInsertRows({}, n, n);
    lignes.push_back(std::move(ligne));
    endInsertRows();
}

bool TmodeleSuivi::change(int ligne, int colonne) const {
    if (ligne < 0 || static_cast<size_t>(ligne) >= lignes.size())
        return false;
    const TligneSuivi& l = lignes[static_cast<size_t>(ligne)];
    if (colonne == colonneElements(colonnes))
        return l.numVariable != 0;
    const size_t k = static_cast<size_t>(colonne - premiereColonneVariable);
    if (colonne < premiereColonneVariable || k >= l.valeurs.size())
        return false;
    // Before the first step every variable holds 0.
    const double avant = ligne == 0 ? 0.0 : lignes[static_cast<size_t>(ligne) - 1].valeurs[k];
    return l.valeurs[k] != avant;
}

int TmodeleSuivi::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lignes.size());
}

int TmodeleSuivi::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : nbColonnesSuivi(colonnes);
}

QVariant TmodeleSuivi::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= lignes.size())
        return {};
    const int c = index.column();
    const bool valeur = c >= premiereColonneVariable && c < colonneElements(colonnes);
    switch (role) {
    case Qt::DisplayRole:
        return depuis1252(champSuivi(colonnes, lignes[static_cast<size_t>(index.row())], c, " = "));
    case Qt::BackgroundRole:
        return change(index.row(), c) ? QVariant(couleurChangee) : QVariant();
    case Qt::ForegroundRole:
        return valeur && !change(index.row(), c) ? QVariant(couleurInchangee) : QVariant();
    case Qt::TextAlignmentRole:
        return c == colonneInstruction || c == colonneElements(colonnes)
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant TmodeleSuivi::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return depuis1252(titreColonneSuivi(colonnes, section));
}
