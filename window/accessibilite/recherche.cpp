#include "window/accessibilite/recherche.h"

#include "window/accessibilite/acces_panneau.h"
#include "window/affichages/panneau_affichages.h"
#include "window/codage_qt.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>

#include <algorithm>
#include <string>

namespace {

// A Windows-1252 byte in lower case: ASCII and the Latin letters.
char minuscule(char c) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
        return static_cast<char>(b + 0x20);
    return c;
}

bool egal(char a, char b) { return minuscule(a) == minuscule(b); }

// The place of motif in `texte` at or after `depuis` (first) or the last
// starting before `avant`, npos if none.
size_t dansLigne(std::string_view texte, std::string_view motif, size_t depuis, bool enAvant, size_t avant) {
    if (motif.size() > texte.size())
        return std::string_view::npos;
    if (enAvant) {
        if (depuis > texte.size())
            return std::string_view::npos;
        const auto trouve = std::search(texte.begin() + static_cast<ptrdiff_t>(depuis), texte.end(), motif.begin(), motif.end(), egal);
        return trouve == texte.end() ? std::string_view::npos : static_cast<size_t>(trouve - texte.begin());
    }
    for (size_t i = std::min(avant, texte.size() - motif.size() + 1); i-- > 0;)
        if (std::equal(motif.begin(), motif.end(), texte.begin() + static_cast<ptrdiff_t>(i), egal))
            return i;
    return std::string_view::npos;
}

} // namespace

std::optional<Ttrouve> chercher(const TlignesAffichees& lignes, std::string_view motif, int64_t ligne, int32_t colonne,
                                bool enAvant) {
    const int64_t n = lignes.nombre();
    if (motif.empty() || n == 0)
        return std::nullopt;
    ligne = std::clamp<int64_t>(ligne, 0, n - 1);
    // Every line once, the start line twice: after the place, then (wrapped) before it.
    for (int64_t k = 0; k <= n; ++k) {
        const int64_t i = enAvant ? (ligne + k) % n : ((ligne - k) % n + n) % n;
        const std::string_view texte = lignes.ligne(i);
        size_t depuis = 0;
        size_t avant = texte.size() + 1;
        if (k == 0) {
            if (enAvant)
                depuis = static_cast<size_t>(colonne) + 1;
            else
                avant = static_cast<size_t>(std::max(colonne, 0));
        }
        const size_t trouve = dansLigne(texte, motif, depuis, enAvant, avant);
        if (trouve != std::string_view::npos)
            return Ttrouve{i, static_cast<int32_t>(trouve)};
    }
    return std::nullopt;
}

TrechercheAffichages::TrechercheAffichages(TpanneauAffichages* p) : QWidget(p->parentWidget()), panneau(p) {
    setObjectName(QStringLiteral("rechercheAffichages"));
    auto* rangee = new QHBoxLayout(this);
    rangee->setContentsMargins(2, 2, 2, 2);
    saisie = new QLineEdit(this);
    saisie->setObjectName(QStringLiteral("saisieRecherche"));
    saisie->setAccessibleName(QString::fromUtf8("Rechercher dans les affichages"));
    saisie->setPlaceholderText(QString::fromUtf8("Rechercher dans les affichages"));
    saisie->installEventFilter(this);
    etat = new QLabel(this);
    rangee->addWidget(saisie, 1);
    rangee->addWidget(etat);
    if (auto* colonne = qobject_cast<QBoxLayout*>(p->parentWidget() ? p->parentWidget()->layout() : nullptr))
        colonne->addWidget(this);
    hide();

    auto* ctrlF = new QShortcut(QKeySequence::Find, panneau);
    ctrlF->setContext(Qt::WidgetShortcut);
    connect(ctrlF, &QShortcut::activated, this, &TrechercheAffichages::ouvrir);
    for (QWidget* ou : {static_cast<QWidget*>(panneau), static_cast<QWidget*>(saisie)}) {
        auto* f3 = new QShortcut(QKeySequence::FindNext, ou);
        f3->setContext(Qt::WidgetShortcut);
        connect(f3, &QShortcut::activated, this, [this] { suivant(true); });
    }
}

void TrechercheAffichages::ouvrir() {
    show();
    saisie->setFocus(Qt::ShortcutFocusReason);
    saisie->selectAll();
}

void TrechercheAffichages::fermer() {
    hide();
    etat->clear();
    panneau->setFocus(Qt::ShortcutFocusReason);
}

bool TrechercheAffichages::suivant(bool enAvant) {
    const std::string motif = vers1252(saisie->text());
    const auto a = panneau->positionAncre();
    const auto c = panneau->positionCurseur();
    const auto debut = std::min(a, c);
    // Forward from the start of the selection (so that the same place is
    // passed), back from it.
    const auto trouve = chercher(panneau->lignesGardees(), motif, debut.ligne,
                                 panneau->aUneSelection() || !enAvant ? debut.colonne : debut.colonne - 1, enAvant);
    if (!trouve) {
        etat->setText(QStringLiteral("Introuvable"));
        QAccessibleEvent evenement(etat, QAccessible::NameChanged);
        TaccesPanneau::envoyer(evenement);
        return false;
    }
    etat->clear();
    panneau->selectionner({trouve->ligne, trouve->colonne},
                          {trouve->ligne, trouve->colonne + static_cast<int32_t>(motif.size())});
    return true;
}

bool TrechercheAffichages::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == saisie && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() == Qt::Key_Escape) {
            fermer();
            return true;
        }
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
            suivant(!(touche->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}
