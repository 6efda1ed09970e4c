#include "window/panneaux/modele_variables.h"

#include "evaluation/formats.h"
#include "window/codage_qt.h"

#include <QColor>

#include <algorithm>
#include <climits>

namespace {

// Elements a folded list or table shows on its own row.
constexpr int nbApercus = 12;

const QColor couleurChangee(255, 214, 120);

// An element row: internal id = the variable's number; a variable row: 0.
constexpr quintptr idVariable = 0;

bool memeForme(const Tvariable& a, const Tvariable& b) {
    return a.nom == b.nom && a.typeVariable == b.typeVariable && a.premiereCase == b.premiereCase &&
           a.nbIndices == b.nbIndices && a.nbCases == b.nbCases && a.borneMin1 == b.borneMin1 &&
           a.borneMax1 == b.borneMax1 && a.borneMin2 == b.borneMin2 && a.borneMax2 == b.borneMax2;
}

} // namespace

TmodeleVariables::TmodeleVariables(QObject* parent)
    : QAbstractItemModel(parent),
      entiers(derniereCaseEntiere + 1), entiersAvant(derniereCaseEntiere + 1),
      reels(derniereCaseReelle - derniereCaseEntiere + 1), reelsAvant(derniereCaseReelle - derniereCaseEntiere + 1) {}

void TmodeleVariables::commencer(const TdonneesCommunes& d) {
    std::vector<Tvariable> nouvelles(d.variables + 1, d.variables + 1 + std::clamp(d.nbVariables, 0, nbVariablesMax));
    const bool memes = std::equal(nouvelles.begin(), nouvelles.end(), variables.begin(), variables.end(), memeForme);
    if (!memes)
        beginResetModel();
    variables = std::move(nouvelles);
    std::fill(entiers.begin(), entiers.end(), 0);
    std::fill(reels.begin(), reels.end(), 0.0);
    entiersAvant = entiers;
    reelsAvant = reels;
    variableChangee.assign(variables.size(), 0);
    changees.assign(variables.size(), Tplage{});
    if (!memes) {
        endResetModel();
        return;
    }
    // The same rows, every value back to 0: once per run, all of them.
    for (int k = 0; k < static_cast<int>(variables.size()); ++k) {
        const QModelIndex p = index(k, 0);
        emit dataChanged(p, index(k, nbColonnes - 1));
        if (rowCount(p) > 0)
            emit dataChanged(index(0, 0, p), index(rowCount(p) - 1, nbColonnes - 1, p));
    }
}

void TmodeleVariables::vider() {
    beginResetModel();
    variables.clear();
    variableChangee.clear();
    changees.clear();
    endResetModel();
}

void TmodeleVariables::mettreAJour(const TdonneesCommunes& d) {
    entiersAvant.swap(entiers);
    reelsAvant.swap(reels);
    std::copy(d.entiers, d.entiers + entiers.size(), entiers.begin());
    std::copy(d.reels, d.reels + reels.size(), reels.begin());
    if (variables.empty())
        return;
    emit dataChanged(index(0, 0), index(static_cast<int>(variables.size()) - 1, nbColonnes - 1));
    // Elements: only the span of those that changed now or were highlighted
    // before (a step changes one), since a view walks every row of a range.
    for (size_t k = 0; k < variables.size(); ++k) {
        const Tvariable& v = variables[k];
        int premier = -1, dernier = -1;
        for (int i = 0; i < std::max(v.nbCases, 1); ++i) {
            const int32_t c = cellule(v, i);
            if (valeur(entiers, reels, c) != valeur(entiersAvant, reelsAvant, c)) {
                if (premier < 0)
                    premier = i;
                dernier = i;
            }
        }
        variableChangee[k] = premier >= 0;
        const QModelIndex p = index(static_cast<int>(k), 0);
        if (rowCount(p) == 0)
            continue;
        Tplage& plage = changees[k];
        const int debut = std::min(premier < 0 ? INT_MAX : premier, plage.premier < 0 ? INT_MAX : plage.premier);
        const int fin = std::max(dernier, plage.dernier);
        if (debut <= fin)
            emit dataChanged(index(debut, 0, p), index(fin, nbColonnes - 1, p));
        plage = {premier, dernier};
    }
}

double TmodeleVariables::valeur(const std::vector<int32_t>& e, const std::vector<double>& r, int32_t c) const {
    if (c >= 1 && c <= derniereCaseEntiere)
        return e[static_cast<size_t>(c)];
    if (c > derniereCaseEntiere && c <= derniereCaseReelle)
        return r[static_cast<size_t>(c - derniereCaseEntiere)];
    return 0;
}

int32_t TmodeleVariables::cellule(const Tvariable& v, int ligne) const { return v.premiereCase + ligne; }

QString TmodeleVariables::texteValeur(const Tvariable& v, int32_t c) const {
    std::string texte;
    ajouterValeur(texte, v.typeVariable, valeur(entiers, reels, c));
    return QString::fromLatin1(texte.data(), static_cast<qsizetype>(texte.size()));
}

bool TmodeleVariables::change(const QModelIndex& i) const {
    if (!i.isValid())
        return false;
    if (i.internalId() == idVariable)
        return static_cast<size_t>(i.row()) < variableChangee.size() && variableChangee[static_cast<size_t>(i.row())];
    const Tvariable& v = variables[i.internalId() - 1];
    const int32_t c = cellule(v, i.row());
    return valeur(entiers, reels, c) != valeur(entiersAvant, reelsAvant, c);
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
        return static_cast<int>(variables.size());
    if (parent.internalId() != idVariable || parent.column() != 0)
        return 0;
    const Tvariable& v = variables[static_cast<size_t>(parent.row())];
    return v.nbIndices > 0 ? v.nbCases : 0;
}

int TmodeleVariables::columnCount(const QModelIndex&) const { return nbColonnes; }

QVariant TmodeleVariables::data(const QModelIndex& i, int role) const {
    if (!i.isValid())
        return {};
    if (role == Qt::BackgroundRole)
        return change(i) ? QVariant(couleurChangee) : QVariant();
    if (role != Qt::DisplayRole)
        return {};
    const bool estVariable = i.internalId() == idVariable;
    const Tvariable& v = variables[estVariable ? static_cast<size_t>(i.row()) : i.internalId() - 1];
    const int largeur = v.nbIndices == 2 ? v.borneMax2 - v.borneMin2 + 1 : 1;
    switch (i.column()) {
    case colonneNom: {
        if (estVariable)
            return depuis1252(v.nom);
        // «L(3)», «A(1,3)»: the indices of the element.
        QString nom = depuis1252(v.nom) + QLatin1Char('(');
        if (v.nbIndices == 2)
            nom += QString::number(v.borneMin1 + i.row() / largeur) + QLatin1Char(',') +
                   QString::number(v.borneMin2 + i.row() % largeur);
        else
            nom += QString::number(v.borneMin1 + i.row());
        return nom + QLatin1Char(')');
    }
    case colonneType: {
        if (!estVariable)
            return {};
        QString type = v.typeVariable == typeEntier ? QStringLiteral("entier") : QStringLiteral("réel");
        if (v.nbIndices >= 1)
            type += QStringLiteral(" (%1..%2").arg(v.borneMin1).arg(v.borneMax1);
        if (v.nbIndices == 2)
            type += QStringLiteral(" , %1..%2").arg(v.borneMin2).arg(v.borneMax2);
        if (v.nbIndices >= 1)
            type += QLatin1Char(')');
        return type;
    }
    case colonneValeur: {
        if (!estVariable || v.nbIndices == 0)
            return texteValeur(v, cellule(v, estVariable ? 0 : i.row()));
        // A folded list or table shows its first elements, as a display line would.
        QString apercu;
        const int n = std::min(v.nbCases, nbApercus);
        for (int k = 0; k < n; ++k)
            apercu += QStringLiteral("  ") + texteValeur(v, cellule(v, k));
        if (v.nbCases > n)
            apercu += QStringLiteral("  …");
        return apercu.trimmed();
    }
    default:
        return {};
    }
}

QVariant TmodeleVariables::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case colonneNom:
        return QStringLiteral("Nom");
    case colonneType:
        return QStringLiteral("Type");
    case colonneValeur:
        return QStringLiteral("Valeur");
    default:
        return {};
    }
}
