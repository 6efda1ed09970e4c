#include "window/affichages/panneau_affichages.h"

#include "base/codage.h"
#include "window/codage_qt.h"
#include "window/curseur_occupe.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <climits>
#include <optional>

namespace {

constexpr int marge = 4;                       // left and right of the rows, in pixels
constexpr int64_t ajoutsEntreSignaux = 65536;  // lines appended between two looks at the clock
constexpr size_t rangsGardesMax = 4096;        // lines whose wrapping is remembered

// Each Windows-1252 byte as a UTF-16 character.
const std::array<char16_t, 256>& unicode1252() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char octet = static_cast<char>(b);
            t[static_cast<size_t>(b)] = depuis1252(std::string_view(&octet, 1)).at(0).unicode();
        }
        return t;
    }();
    return table;
}

void ajouterUtf8(QByteArray& sortie, std::string_view octets) {
    const std::string utf8 = versUtf8(octets);
    sortie.append(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The pane's font as it is measured and drawn: without kerning, so that a
// row's width is the sum of its characters' widths.
QFont policeDe(const QWidget* w) {
    QFont police = w->font();
    police.setKerning(false);
    return police;
}

} // namespace

TpanneauAffichages::TpanneauAffichages(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    mettreEnPage();
    mettreAJourBarre();
}

// Lines.

void TpanneauAffichages::ajouterLigne(std::string_view ligne) {
    lignes_.ajouter(ligne);
    if (++ajoutsDepuisSignal >= ajoutsEntreSignaux) {
        ajoutsDepuisSignal = 0;
        TcommandeEnCours::signaler();
    }
}

void TpanneauAffichages::ajouterLigne(const QString& ligne) { ajouterLigne(vers1252(ligne)); }

void TpanneauAffichages::vider() {
    lignes_.vider();
    remiseAZero();
}

void TpanneauAffichages::remplacerTexte(std::string_view texte) {
    lignes_.remplacer(texte);
    remiseAZero();
}

void TpanneauAffichages::remplacer(const QStringList& lignes) {
    lignes_.vider();
    for (const QString& ligne : lignes)
        lignes_.ajouter(vers1252(ligne));
    remiseAZero();
}

TlignesAffichees TpanneauAffichages::prendreLignes() {
    TlignesAffichees lignes = std::move(lignes_);
    lignes_.vider();
    remiseAZero();
    return lignes;
}

void TpanneauAffichages::poserLignes(TlignesAffichees&& lignes) {
    lignes_ = std::move(lignes);
    remiseAZero();
}

QString TpanneauAffichages::ligne(int64_t i) const {
    return i >= 0 && i < lignes_.nombre() ? depuis1252(lignes_.ligne(i)) : QString();
}

QStringList TpanneauAffichages::lignes() {
    QStringList resultat;
    resultat.reserve(static_cast<qsizetype>(lignes_.nombre()));
    for (int64_t i = 0; i < lignes_.nombre(); ++i)
        resultat.append(depuis1252(lignes_.ligne(i)));
    return resultat;
}

void TpanneauAffichages::remiseAZero() {
    rangsConnus.clear();
    haut = fin = Trang{};
    ancre = curseur = Tpoint{};
    quitteLaFin = false;
    nouveauTexte = true;
    lignesAnnoncees = lignes_.nombre();
    mettreAJourBarre();
    viewport()->update();
    emit texteRemplace();
}

void TpanneauAffichages::deverser() {
    mettreAJourBarre();
    if (suivre_ && !quitteLaFin) {
        allerALaFin();
    } else if (nouveauTexte) {
        placer(Trang{});
        nouveauTexte = false;
    }
    viewport()->update();
    if (lignes_.nombre() > lignesAnnoncees) {
        const int64_t premiere = lignesAnnoncees;
        lignesAnnoncees = lignes_.nombre();
        emit lignesAjoutees(premiere, lignesAnnoncees - premiere);
    }
}

// Layout.

void TpanneauAffichages::mettreEnPage() {
    const QFont police = policeDe(this);
    largeursConnues.fill(false);
    mesurer(" ");
    const QFontMetrics entieres(police);
    hauteurRang = std::max(1, entieres.lineSpacing());
    ascendante = entieres.ascent();
    rangsConnus.clear();
}

void TpanneauAffichages::mesurer(std::string_view texte) {
    // Only the characters met: measuring all 256 would load glyphs the pane
    // may never show.
    std::optional<QFontMetricsF> mesures;
    for (const char c : texte) {
        const auto b = static_cast<unsigned char>(c);
        if (largeursConnues[b])
            continue;
        if (!mesures)
            mesures.emplace(policeDe(this));
        largeurs[b] = static_cast<float>(mesures->horizontalAdvance(QChar(unicode1252()[b])));
        largeursConnues[b] = true;
    }
}

float TpanneauAffichages::largeurUtile() const { return static_cast<float>(std::max(8, viewport()->width() - 2 * marge)); }

int TpanneauAffichages::rangsVisibles() const { return std::max(1, viewport()->height() / hauteurRang); }

const std::vector<int32_t>& TpanneauAffichages::coupures(int64_t i) {
    auto trouve = rangsConnus.find(i);
    if (trouve != rangsConnus.end())
        return trouve->second;
    if (rangsConnus.size() >= rangsGardesMax)
        rangsConnus.clear();
    const std::string_view texte = lignes_.ligne(i);
    mesurer(texte);
    return rangsConnus.emplace(i, coupuresLigne(texte, largeurs, largeurUtile())).first->second;
}

std::string_view TpanneauAffichages::texteRang(int64_t i, int32_t rang) {
    const std::string_view texte = lignes_.ligne(i);
    const std::vector<int32_t>& c = coupures(i);
    const size_t debut = static_cast<size_t>(c[static_cast<size_t>(rang)]);
    const size_t suite = static_cast<size_t>(rang) + 1 < c.size() ? static_cast<size_t>(c[static_cast<size_t>(rang) + 1])
                                                                  : texte.size();
    return texte.substr(debut, suite - debut);
}

TpanneauAffichages::Trang TpanneauAffichages::rangDe(Tpoint p) {
    const std::vector<int32_t>& c = coupures(p.ligne);
    const auto apres = std::upper_bound(c.begin(), c.end(), p.colonne);
    return Trang{p.ligne, static_cast<int32_t>(std::max<ptrdiff_t>(0, apres - c.begin() - 1))};
}

TpanneauAffichages::Trang TpanneauAffichages::deplace(Trang r, int64_t rangs, bool commeHaut) {
    const int64_t n = lignes_.nombre();
    if (n == 0)
        return Trang{};
    if (rangs < 0) {
        int64_t reste = -rangs;
        while (reste > 0) {
            if (r.rang >= reste) {
                r.rang -= static_cast<int32_t>(reste);
                break;
            }
            reste -= r.rang;
            if (r.ligne == 0) {
                r.rang = 0;
                break;
            }
            --r.ligne;
            r.rang = nombreRangs(r.ligne);
        }
    } else {
        int64_t reste = rangs;
        while (reste > 0 && !(commeHaut && fin <= r)) {
            const int32_t nombre = nombreRangs(r.ligne);
            if (r.rang + reste < nombre) {
                r.rang += static_cast<int32_t>(reste);
                break;
            }
            if (r.ligne + 1 >= n) {
                r.rang = nombre - 1;
                break;
            }
            reste -= nombre - r.rang;
            r = Trang{r.ligne + 1, 0};
        }
    }
    if (commeHaut && fin < r)
        r = fin;
    return r;
}

void TpanneauAffichages::mettreAJourBarre() {
    // The end position: as many of the last rows as fit the view.
    int64_t besoin = rangsVisibles();
    fin = Trang{};
    for (int64_t i = lignes_.nombre() - 1; i >= 0; --i) {
        const int32_t nombre = nombreRangs(i);
        if (nombre >= besoin) {
            fin = Trang{i, static_cast<int32_t>(nombre - besoin)};
            break;
        }
        besoin -= nombre;
    }
    if (fin < haut)
        haut = fin;
    if (haut.ligne < lignes_.nombre())
        haut.rang = std::min(haut.rang, nombreRangs(haut.ligne) - 1);
    placement = true;
    QScrollBar* barre = verticalScrollBar();
    barre->setRange(0, static_cast<int>(std::min<int64_t>(fin.ligne, INT_MAX)));
    barre->setPageStep(rangsVisibles());
    barre->setValue(static_cast<int>(std::min<int64_t>(haut.ligne, INT_MAX)));
    placement = false;
}

void TpanneauAffichages::placer(Trang r) {
    haut = std::min(r, fin);
    placement = true;
    verticalScrollBar()->setValue(static_cast<int>(std::min<int64_t>(haut.ligne, INT_MAX)));
    placement = false;
    viewport()->update();
}

bool TpanneauAffichages::finVisible() const { return fin <= haut; }

void TpanneauAffichages::defilerParUtilisateur(int64_t rangs) {
    placer(deplace(haut, rangs));
    vueChoisie();
}

void TpanneauAffichages::vueChoisie() {
    quitteLaFin = !finVisible();
    nouveauTexte = false;
}

void TpanneauAffichages::scrollContentsBy(int, int) {
    if (placement)
        return;
    // The user moved the scroll bar: its value is the line at the top.
    const int64_t valeur = verticalScrollBar()->value();
    haut = valeur >= fin.ligne ? fin : Trang{valeur, 0};
    vueChoisie();
    viewport()->update();
}

void TpanneauAffichages::resizeEvent(QResizeEvent* evenement) {
    QAbstractScrollArea::resizeEvent(evenement);
    const bool auBout = finVisible();
    rangsConnus.clear();
    mettreAJourBarre();
    if (auBout)
        allerALaFin();
}

void TpanneauAffichages::changeEvent(QEvent* evenement) {
    QAbstractScrollArea::changeEvent(evenement);
    if (evenement->type() != QEvent::FontChange)
        return;
    // The same line stays at the top, or the end stays in view.
    const bool auBout = finVisible();
    mettreEnPage();
    haut.rang = 0;
    mettreAJourBarre();
    if (auBout)
        allerALaFin();
    viewport()->update();
}

// Drawing: only the rows in view.

void TpanneauAffichages::paintEvent(QPaintEvent*) {
    QPainter peintre(viewport());
    peintre.setFont(policeDe(this));
    const QPalette& couleurs = palette();
    const int hauteur = viewport()->height();
    const int largeurVue = viewport()->width();
    const Tpoint debutSelection = std::min(ancre, curseur);
    const Tpoint finSelection = std::max(ancre, curseur);
    const bool selection = aUneSelection();
    const int64_t n = lignes_.nombre();
    int y = 0;
    for (Trang r = haut; r.ligne < n && y < hauteur; r = Trang{r.ligne + 1, 0}) {
        const int32_t nombre = nombreRangs(r.ligne);
        const std::string_view texte = lignes_.ligne(r.ligne);
        for (int32_t k = r.rang; k < nombre && y < hauteur; ++k, y += hauteurRang) {
            const std::string_view morceau = texteRang(r.ligne, k);
            const int32_t debut = static_cast<int32_t>(morceau.data() - texte.data());
            const int32_t suite = debut + static_cast<int32_t>(morceau.size());
            const bool dernier = k + 1 == nombre;
            // Blanks hanging past the edge are not drawn.
            size_t visible = 0;
            for (float x = 0; visible < morceau.size() && x <= largeurVue; ++visible)
                x += largeurs[static_cast<unsigned char>(morceau[visible])];
            const QString dessin = depuis1252(morceau.substr(0, visible));
            const QPointF origine(marge, y + ascendante);
            peintre.setPen(couleurs.color(QPalette::Text));
            peintre.drawText(origine, dessin);
            if (selection) {
                const Tpoint a = std::max(debutSelection, Tpoint{r.ligne, debut});
                const Tpoint b = std::min(finSelection, Tpoint{r.ligne, suite});
                if (a < b || (dernier && debutSelection <= Tpoint{r.ligne, suite} && Tpoint{r.ligne, suite} < finSelection)) {
                    const float x0 = marge + largeurTexte(morceau.substr(0, static_cast<size_t>(std::max(0, a.colonne - debut))), largeurs);
                    float x1 = marge + largeurTexte(morceau.substr(0, static_cast<size_t>(std::max(0, b.colonne - debut))), largeurs);
                    if (dernier && Tpoint{r.ligne, suite} < finSelection)
                        x1 += largeurs[' '];   // the line's end is selected too
                    const QRectF zone(x0, y, std::max(0.0f, x1 - x0), hauteurRang);
                    peintre.fillRect(zone, couleurs.color(QPalette::Highlight));
                    peintre.save();
                    peintre.setClipRect(zone);
                    peintre.setPen(couleurs.color(QPalette::HighlightedText));
                    peintre.drawText(origine, dessin);
                    peintre.restore();
                }
            }
            if (hasFocus() && curseur.ligne == r.ligne && curseur.colonne >= debut &&
                (curseur.colonne < suite || (dernier && curseur.colonne == suite))) {
                const float x = marge + largeurTexte(morceau.substr(0, static_cast<size_t>(curseur.colonne - debut)), largeurs);
                peintre.setPen(couleurs.color(QPalette::Text));
                peintre.drawLine(QPointF(x, y), QPointF(x, y + hauteurRang - 1));
            }
        }
    }
}

// Scrolling by the wheel and the keyboard.

void TpanneauAffichages::wheelEvent(QWheelEvent* evenement) {
    resteMolette += evenement->angleDelta().y();
    const int crans = resteMolette / 120;
    resteMolette -= crans * 120;
    if (crans != 0)
        defilerParUtilisateur(-int64_t{crans} * QApplication::wheelScrollLines());
    evenement->accept();
}

TpanneauAffichages::Tpoint TpanneauAffichages::versRang(Trang r, float x) {
    const std::string_view morceau = texteRang(r.ligne, r.rang);
    const int32_t debut = static_cast<int32_t>(morceau.data() - lignes_.ligne(r.ligne).data());
    int32_t colonne = debut + colonneA(morceau, largeurs, x - marge);
    // Past the end of a wrapped row is the start of the next: stay on this one.
    if (r.rang + 1 < nombreRangs(r.ligne) && colonne == debut + static_cast<int32_t>(morceau.size()) && !morceau.empty())
        --colonne;
    return Tpoint{r.ligne, colonne};
}

float TpanneauAffichages::abscisse(Tpoint p) {
    const Trang r = rangDe(p);
    const std::string_view morceau = texteRang(r.ligne, r.rang);
    const int32_t debut = static_cast<int32_t>(morceau.data() - lignes_.ligne(r.ligne).data());
    return marge + largeurTexte(morceau.substr(0, static_cast<size_t>(std::max(0, p.colonne - debut))), largeurs);
}

void TpanneauAffichages::rendreVisible(Tpoint p) {
    const Trang r = rangDe(p);
    if (r < haut)
        placer(r);
    else if (deplace(haut, rangsVisibles() - 1, false) < r)
        placer(deplace(r, -(rangsVisibles() - 1), false));
    vueChoisie();
}

void TpanneauAffichages::deplacerCurseur(Tpoint p, bool etendre) {
    curseur = p;
    if (!etendre)
        ancre = p;
    rendreVisible(p);
    viewport()->update();
    emit curseurDeplace();
}

void TpanneauAffichages::selectionner(Tpoint a, Tpoint c) {
    ancre = a;
    deplacerCurseur(c, true);
}

void TpanneauAffichages::keyPressEvent(QKeyEvent* evenement) {
    if (evenement == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    if (evenement == QKeySequence::Copy) {
        copy();
        return;
    }
    const int64_t n = lignes_.nombre();
    if (n == 0) {
        QAbstractScrollArea::keyPressEvent(evenement);
        return;
    }
    const bool etendre = evenement->modifiers() & Qt::ShiftModifier;
    const bool controle = evenement->modifiers() & Qt::ControlModifier;
    const auto longueur = [this](int64_t i) { return static_cast<int32_t>(lignes_.ligne(i).size()); };
    const auto verticalement = [&](int64_t rangs) {
        return versRang(deplace(rangDe(curseur), rangs, false), abscisse(curseur));
    };
    Tpoint p = curseur;
    switch (evenement->key()) {
    case Qt::Key_Left:
        if (p.colonne > 0)
            --p.colonne;
        else if (p.ligne > 0)
            p = Tpoint{p.ligne - 1, longueur(p.ligne - 1)};
        break;
    case Qt::Key_Right:
        if (p.colonne < longueur(p.ligne))
            ++p.colonne;
        else if (p.ligne + 1 < n)
            p = Tpoint{p.ligne + 1, 0};
        break;
    case Qt::Key_Up:
        p = verticalement(-1);
        break;
    case Qt::Key_Down:
        p = verticalement(1);
        break;
    case Qt::Key_PageUp:
        defilerParUtilisateur(-rangsVisibles());
        p = verticalement(-rangsVisibles());
        break;
    case Qt::Key_PageDown:
        defilerParUtilisateur(rangsVisibles());
        p = verticalement(rangsVisibles());
        break;
    case Qt::Key_Home:
        p = controle ? Tpoint{} : Tpoint{p.ligne, coupures(p.ligne)[static_cast<size_t>(rangDe(p).rang)]};
        break;
    case Qt::Key_End:
        if (controle) {
            p = Tpoint{n - 1, longueur(n - 1)};
        } else {
            const Trang r = rangDe(p);
            const std::string_view morceau = texteRang(r.ligne, r.rang);
            const int32_t suite = static_cast<int32_t>(morceau.data() + morceau.size() - lignes_.ligne(p.ligne).data());
            p.colonne = r.rang + 1 < nombreRangs(p.ligne) ? std::max(0, suite - 1) : suite;
        }
        break;
    default:
        QAbstractScrollArea::keyPressEvent(evenement);
        return;
    }
    deplacerCurseur(p, etendre);
}

// Selection with the mouse.

TpanneauAffichages::Tpoint TpanneauAffichages::pointA(QPoint position) {
    const int64_t n = lignes_.nombre();
    if (n == 0)
        return Tpoint{};
    const int64_t rangs = position.y() >= 0 ? position.y() / hauteurRang : -1 - (-position.y() - 1) / hauteurRang;
    const Trang r = deplace(haut, rangs, false);
    if (rangs > 0 && deplace(haut, rangs - 1, false) == r && r.ligne == n - 1)
        return Tpoint{n - 1, static_cast<int32_t>(lignes_.ligne(n - 1).size())};   // below the text
    return versRang(r, static_cast<float>(position.x()));
}

void TpanneauAffichages::mousePressEvent(QMouseEvent* evenement) {
    if (evenement->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(evenement);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    curseur = pointA(evenement->position().toPoint());
    if (!(evenement->modifiers() & Qt::ShiftModifier))
        ancre = curseur;
    viewport()->update();
    emit curseurDeplace();
}

void TpanneauAffichages::mouseMoveEvent(QMouseEvent* evenement) {
    if (!(evenement->buttons() & Qt::LeftButton))
        return;
    const QPoint position = evenement->position().toPoint();
    // Dragging past the edges scrolls.
    if (position.y() < 0)
        defilerParUtilisateur(-1);
    else if (position.y() >= viewport()->height())
        defilerParUtilisateur(1);
    curseur = pointA(QPoint(position.x(), std::clamp(position.y(), 0, viewport()->height() - 1)));
    viewport()->update();
}

void TpanneauAffichages::mouseDoubleClickEvent(QMouseEvent* evenement) {
    if (evenement->button() != Qt::LeftButton || lignes_.vide())
        return;
    // The word under the mouse.
    const Tpoint p = pointA(evenement->position().toPoint());
    const std::string_view texte = lignes_.ligne(p.ligne);
    int32_t debut = std::min<int32_t>(p.colonne, static_cast<int32_t>(texte.size()));
    int32_t suite = debut;
    while (debut > 0 && texte[static_cast<size_t>(debut) - 1] != ' ')
        --debut;
    while (static_cast<size_t>(suite) < texte.size() && texte[static_cast<size_t>(suite)] != ' ')
        ++suite;
    ancre = Tpoint{p.ligne, debut};
    curseur = Tpoint{p.ligne, suite};
    viewport()->update();
}

void TpanneauAffichages::contextMenuEvent(QContextMenuEvent* evenement) {
    // The menu of a read-only text control, in the toolkit's own words.
    QMenu menu(this);
    QAction* copier = menu.addAction(QCoreApplication::translate("QWidgetTextControl", "&Copy"), this,
                                     &TpanneauAffichages::copy);
    copier->setEnabled(aUneSelection());
    menu.addSeparator();
    menu.addAction(QCoreApplication::translate("QWidgetTextControl", "Select All"), this, &TpanneauAffichages::selectAll)
        ->setEnabled(!lignes_.vide());
    menu.exec(evenement->globalPos());
}

void TpanneauAffichages::selectAll() {
    if (lignes_.vide())
        return;
    const int64_t derniere = lignes_.nombre() - 1;
    ancre = Tpoint{};
    curseur = Tpoint{derniere, static_cast<int32_t>(lignes_.ligne(derniere).size())};
    viewport()->update();
}

QString TpanneauAffichages::texteSelectionne() const {
    const Tpoint a = std::min(ancre, curseur);
    const Tpoint b = std::max(ancre, curseur);
    QString texte;
    for (int64_t i = a.ligne; i <= b.ligne && i < lignes_.nombre(); ++i) {
        std::string_view ligne = lignes_.ligne(i);
        const size_t debut = i == a.ligne ? static_cast<size_t>(a.colonne) : 0;
        const size_t suite = i == b.ligne ? static_cast<size_t>(b.colonne) : ligne.size();
        if (i > a.ligne)
            texte += QLatin1Char('\n');
        texte += depuis1252(ligne.substr(debut, suite - debut));
    }
    return texte;
}

void TpanneauAffichages::copy() {
    if (!aUneSelection())
        return;
    // Straight from the store to UTF-8: one byte array, no string of the
    // whole text in between.
    const Tpoint a = std::min(ancre, curseur);
    const Tpoint b = std::max(ancre, curseur);
    QByteArray texte;
    texte.reserve(static_cast<qsizetype>(std::min<uint64_t>(lignes_.octetsTexte() + static_cast<uint64_t>(b.ligne - a.ligne) + 1,
                                                            uint64_t{1} << 30)));
    for (int64_t i = a.ligne; i <= b.ligne; ++i) {
        std::string_view ligne = lignes_.ligne(i);
        const size_t debut = i == a.ligne ? static_cast<size_t>(a.colonne) : 0;
        const size_t suite = i == b.ligne ? static_cast<size_t>(b.colonne) : ligne.size();
        if (i > a.ligne)
            texte.append('\n');
        ajouterUtf8(texte, ligne.substr(debut, suite - debut));
        if ((i & 0xFFFF) == 0)
            TcommandeEnCours::signaler();
    }
    auto* donnees = new QMimeData;
    donnees->setData(QStringLiteral("text/plain"), texte);   // UTF-8, as Qt reads plain text
    QApplication::clipboard()->setMimeData(donnees);
}
