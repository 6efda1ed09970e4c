#include "window/accessibilite/acces_panneau.h"

#include "window/affichages/panneau_affichages.h"
#include "window/codage_qt.h"

#include <QAccessible>

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace {

// One index per pane, kept while the pane lives: the accessible object may
// be made again and again by the bridge.
TindexTexte& indexDe(TpanneauAffichages* panneau) {
    static std::unordered_map<const TpanneauAffichages*, std::unique_ptr<TindexTexte>> index;
    auto& entree = index[panneau];
    if (!entree) {
        entree = std::make_unique<TindexTexte>(panneau->lignesGardees());
        QObject::connect(panneau, &QObject::destroyed, [panneau] { index.erase(panneau); });
        QObject::connect(panneau, &TpanneauAffichages::texteRemplace, [panneau] { index[panneau]->oublier(); });
    }
    return *entree;
}

int borne(int64_t n) { return static_cast<int>(std::clamp<int64_t>(n, 0, INT_MAX)); }

bool blanc(char c) { return c == ' ' || c == '\t'; }

} // namespace

TaccesPanneau::TaccesPanneau(TpanneauAffichages* p) : QAccessibleWidget(p, QAccessible::EditableText), index(indexDe(p)) {}

TpanneauAffichages* TaccesPanneau::panneau() const { return static_cast<TpanneauAffichages*>(widget()); }

QAccessibleInterface* TaccesPanneau::fabrique(const QString& classe, QObject* objet) {
    if (classe == QLatin1String("TpanneauAffichages") && objet && objet->isWidgetType())
        return new TaccesPanneau(static_cast<TpanneauAffichages*>(objet));
    return nullptr;
}

QAccessible::State TaccesPanneau::state() const {
    QAccessible::State etat = QAccessibleWidget::state();
    etat.readOnly = true;
    etat.multiLine = true;
    etat.selectableText = true;
    etat.focusable = true;
    return etat;
}

QString TaccesPanneau::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        // The last line: a whole text as a value would be millions of lines.
        const int64_t n = panneau()->nombreLignes();
        return n > 0 ? panneau()->ligne(n - 1) : QString();
    }
    return QAccessibleWidget::text(t);
}

void* TaccesPanneau::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int TaccesPanneau::offsetDe(int64_t ligne, int32_t colonne) const { return borne(index.debutLigne(ligne) + colonne); }

std::pair<int64_t, int32_t> TaccesPanneau::placeDe(int offset) const {
    const TindexTexte::Tplace p = index.placeDe(offset);
    return {p.ligne, p.colonne};
}

int TaccesPanneau::characterCount() const { return borne(index.longueur()); }

int TaccesPanneau::cursorPosition() const {
    const auto c = panneau()->positionCurseur();
    return offsetDe(c.ligne, c.colonne);
}

void TaccesPanneau::setCursorPosition(int position) {
    const auto [ligne, colonne] = placeDe(position);
    panneau()->selectionner({ligne, colonne}, {ligne, colonne});
}

int TaccesPanneau::selectionCount() const { return panneau()->aUneSelection() ? 1 : 0; }

void TaccesPanneau::selection(int indice, int* debut, int* fin) const {
    *debut = *fin = 0;
    if (indice != 0 || !panneau()->aUneSelection())
        return;
    const auto a = std::min(panneau()->positionAncre(), panneau()->positionCurseur());
    const auto b = std::max(panneau()->positionAncre(), panneau()->positionCurseur());
    *debut = offsetDe(a.ligne, a.colonne);
    *fin = offsetDe(b.ligne, b.colonne);
}

void TaccesPanneau::setSelection(int indice, int debut, int fin) {
    if (indice != 0)
        return;
    const auto [la, ca] = placeDe(debut);
    const auto [lb, cb] = placeDe(fin);
    panneau()->selectionner({la, ca}, {lb, cb});
}

void TaccesPanneau::addSelection(int debut, int fin) { setSelection(0, debut, fin); }

void TaccesPanneau::removeSelection(int indice) {
    if (indice == 0)
        setCursorPosition(cursorPosition());
}

QString TaccesPanneau::text(int debut, int fin) const {
    const int64_t longueur = index.longueur();
    const int64_t a = std::clamp<int64_t>(debut, 0, longueur);
    const int64_t b = std::clamp<int64_t>(fin < 0 ? longueur : fin, a, longueur);
    if (a == b)
        return {};
    const TlignesAffichees& lignes = panneau()->lignesGardees();
    TindexTexte::Tplace p = index.placeDe(a);
    int64_t reste = b - a;
    QString resultat;
    resultat.reserve(static_cast<qsizetype>(std::min<int64_t>(reste, INT_MAX)));
    while (reste > 0) {
        const std::string_view ligne = lignes.ligne(p.ligne);
        const int64_t pris = std::min<int64_t>(reste, static_cast<int64_t>(ligne.size()) - p.colonne);
        resultat += depuis1252(ligne.substr(static_cast<size_t>(p.colonne), static_cast<size_t>(pris)));
        reste -= pris;
        if (reste > 0) {
            resultat += QLatin1Char('\n');
            --reste;
            p = {p.ligne + 1, 0};
        }
    }
    return resultat;
}

// Boundaries: a line is one of the pane's lines; a character, a word and a
// sentence are found within the line of the offset (a sentence is its line).
QString TaccesPanneau::textAtOffset(int offset, QAccessible::TextBoundaryType type, int* debut, int* fin) const {
    *debut = *fin = -1;
    const int longueur = characterCount();
    if (offset < 0 || offset > longueur || (longueur == 0 && type != QAccessible::NoBoundary))
        return {};
    if (type == QAccessible::NoBoundary) {
        *debut = 0;
        *fin = longueur;
        return text(0, longueur);
    }
    const TindexTexte::Tplace p = index.placeDe(offset);
    const int debutLigne = offsetDe(p.ligne, 0);
    const std::string_view ligne = panneau()->lignesGardees().ligne(p.ligne);
    const int finLigne = debutLigne + static_cast<int>(ligne.size());
    switch (type) {
    case QAccessible::CharBoundary:
        if (offset >= longueur)
            return {};
        *debut = offset;
        *fin = offset + 1;
        break;
    case QAccessible::WordBoundary: {
        size_t a = static_cast<size_t>(std::min<int64_t>(offset - debutLigne, static_cast<int64_t>(ligne.size())));
        size_t b = a;
        while (a > 0 && !blanc(ligne[a - 1]))
            --a;
        while (b < ligne.size() && !blanc(ligne[b]))
            ++b;
        while (b < ligne.size() && blanc(ligne[b]))   // the blanks after a word go with it
            ++b;
        *debut = debutLigne + static_cast<int>(a);
        *fin = debutLigne + static_cast<int>(b);
        break;
    }
    default:   // sentence, paragraph, line
        *debut = debutLigne;
        *fin = std::min(finLigne + 1, longueur);   // the separator belongs to its line
        break;
    }
    return text(*debut, *fin);
}

QString TaccesPanneau::textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* debut, int* fin) const {
    *debut = *fin = -1;
    int a = 0;
    int b = 0;
    textAtOffset(std::min(offset, characterCount()), type, &a, &b);
    if (a <= 0)
        return {};
    return textAtOffset(a - 1, type, debut, fin);
}

QString TaccesPanneau::textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* debut, int* fin) const {
    *debut = *fin = -1;
    int a = 0;
    int b = 0;
    textAtOffset(offset, type, &a, &b);
    if (b < 0 || b >= characterCount())
        return {};
    return textAtOffset(b, type, debut, fin);
}

QRect TaccesPanneau::characterRect(int) const { return {}; }

int TaccesPanneau::offsetAtPoint(const QPoint&) const { return -1; }

void TaccesPanneau::scrollToSubstring(int debut, int fin) { setSelection(0, debut, fin); }

QString TaccesPanneau::attributes(int offset, int* debut, int* fin) const {
    *debut = 0;
    *fin = characterCount();
    (void)offset;
    return {};
}

bool TaccesPanneau::ecoute() { return QAccessible::isActive() || temoin; }

void TaccesPanneau::envoyer(QAccessibleEvent& evenement) {
    if (temoin)
        temoin(&evenement);
    QAccessible::updateAccessibility(&evenement);
}

void TaccesPanneau::suivre(TpanneauAffichages* panneau) {
    QObject::connect(panneau, &TpanneauAffichages::lignesAjoutees, panneau, [panneau](qint64 premiere, qint64 nombre) {
        if (!ecoute())
            return;
        TindexTexte& index = indexDe(panneau);
        // The last lines of the burst, up to annonceMax characters.
        int64_t depuis = premiere + nombre;
        int64_t taille = 0;
        while (depuis > premiere && taille < annonceMax)
            taille += static_cast<int64_t>(panneau->lignesGardees().ligne(--depuis).size()) + 1;
        QString texte;
        for (int64_t i = depuis; i < premiere + nombre; ++i) {
            if (i > 0)
                texte += QLatin1Char('\n');
            texte += panneau->ligne(i);
        }
        const int64_t position = depuis == 0 ? 0 : index.debutLigne(depuis) - 1;
        QAccessibleTextInsertEvent evenement(panneau, borne(position), texte);
        envoyer(evenement);
    });
    QObject::connect(panneau, &TpanneauAffichages::texteRemplace, panneau, [panneau] {
        if (!ecoute())
            return;
        const QAccessibleTextInterface* texte = nullptr;
        QAccessibleInterface* acces = QAccessible::queryAccessibleInterface(panneau);
        if (acces)
            texte = acces->textInterface();
        QAccessibleTextUpdateEvent evenement(panneau, 0, QString(),
                                             texte ? texte->text(0, static_cast<int>(annonceMax)) : QString());
        envoyer(evenement);
    });
    QObject::connect(panneau, &TpanneauAffichages::curseurDeplace, panneau, [panneau] {
        if (!ecoute())
            return;
        const auto c = panneau->positionCurseur();
        QAccessibleTextCursorEvent evenement(panneau, borne(indexDe(panneau).debutLigne(c.ligne) + c.colonne));
        envoyer(evenement);
    });
}
