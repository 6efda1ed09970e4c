#include "window/impression/polycopie.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <optional>

namespace {

const QString marqueSuite = QStringLiteral("\u21AA");   // the continuation of a wrapped line

// Qt SVG draws texts as outlines in a PDF; the chart's words are laid over
// them once more as invisible text, at their places, so a search finds them.
void calqueTexte(QPainter& peintre, const QByteArray& svg, const QSvgRenderer& rendu, const QRectF& cible) {
    // Graphviz puts every node in the graph's group: its transform is theirs.
    const QTransform graphe = rendu.transformForElement(QStringLiteral("debut"));
    const QRectF vue = rendu.viewBoxF();
    const double f = cible.width() / vue.width();
    peintre.save();
    peintre.setPen(QColor(0, 0, 0, 0));
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("text"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QPointF point = graphe.map(QPointF(a.value(QLatin1String("x")).toDouble(),
                                                 a.value(QLatin1String("y")).toDouble()));
        const QString ancre = a.value(QLatin1String("text-anchor")).toString();
        QFont police(QStringLiteral("DejaVu Sans Mono"));   // no ligatures: whole words
        police.setPixelSize(std::max(1, qRound(a.value(QLatin1String("font-size")).toDouble() * f)));
        const QString texte = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        const double largeur = QFontMetricsF(police, peintre.device()).horizontalAdvance(texte);
        QPointF ici(cible.x() + (point.x() - vue.x()) * f, cible.y() + (point.y() - vue.y()) * f);
        if (ancre == QLatin1String("middle"))
            ici.rx() -= largeur / 2;
        else if (ancre == QLatin1String("end"))
            ici.rx() -= largeur;
        peintre.setFont(police);
        peintre.drawText(ici, texte);
    }
    peintre.restore();
}

// One pass over the handout: without a painter it only counts the pages,
// with one it draws them. Lengths are the device's units.
class Tmise {
public:
    Tmise(QPagedPaintDevice& appareil, QPainter* peintre, const TcontenuPolycopie& contenu, int nbPages)
        : appareil(appareil), peintre(peintre), contenu(contenu), nbPages(nbPages),
          point(appareil.logicalDpiY() / 72.0) {
        police = QFont(QStringLiteral("DejaVu Sans"));
        police.setPointSizeF(9);
        fixe = QFont(QStringLiteral("DejaVu Sans Mono"));
        fixe.setStyleHint(QFont::Monospace);
        fixe.setPointSizeF(8.5);
        commencerPage();
    }

    int pages() const { return page; }

    void titre(const QString& texte) {
        QFont gras = police;
        gras.setBold(true);
        gras.setPointSizeF(11);
        const QFontMetricsF m(gras, &appareil);
        place(m.height() * 2.2);
        y += m.height() * 0.6;
        if (peintre) {
            peintre->setFont(gras);
            peintre->setPen(Qt::black);
            peintre->drawText(QPointF(0, y + m.ascent()), texte);
        }
        y += m.height() * 1.4;
    }

    // Monospaced lines; with `numeros`, each line's number before it.
    void listing(const QStringList& lignes, bool numeros) {
        const QFontMetricsF m(fixe, &appareil);
        const double chasse = m.horizontalAdvance(QLatin1Char('0'));
        const int chiffres = numeros ? static_cast<int>(QString::number(lignes.size()).size()) : 0;
        const double colonne = numeros ? (chiffres + 2) * chasse : 0;
        const int largeur = std::max(10, static_cast<int>((appareil.width() - colonne) / chasse) - 1);
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            const QString& ligne = lignes[i];
            qsizetype debut = 0;
            do {
                place(m.height());
                if (peintre) {
                    peintre->setFont(fixe);
                    peintre->setPen(Qt::gray);
                    const QString marge = debut == 0 ? (numeros ? QString::number(i + 1) : QString()) : marqueSuite;
                    peintre->drawText(QRectF(0, y, colonne > 0 ? colonne - chasse : chasse, m.height()),
                                      Qt::AlignRight | Qt::AlignVCenter, marge);
                    peintre->setPen(Qt::black);
                    peintre->drawText(QPointF(colonne + (numeros ? 0 : chasse * 1.5), y + m.ascent()),
                                      ligne.mid(debut, largeur));
                }
                y += m.height();
                debut += largeur;
            } while (debut < ligne.size());
        }
    }

    // The table: its columns fitted to the page width with a smaller font
    // if need be, else split into groups of columns, each after the step
    // and line columns, each drawn whole.
    void tableau(const QStringList& titres, const QList<QStringList>& lignes) {
        if (titres.isEmpty())
            return;
        QFont petite = fixe;   // a face without ligatures: the PDF's words stay searchable
        std::vector<double> largeurs;
        for (const double taille : {8.0, 7.0, 6.0}) {
            petite.setPointSizeF(taille);
            largeurs = largeursColonnes(petite, titres, lignes);
            if (somme(largeurs, 0, largeurs.size()) <= appareil.width())
                break;
        }
        const qsizetype fixes = std::min<qsizetype>(2, titres.size());   // pas, ligne: repeated in each group
        qsizetype debut = fixes;
        do {
            std::vector<qsizetype> colonnes;
            for (qsizetype c = 0; c < fixes; ++c)
                colonnes.push_back(c);
            double largeur = somme(largeurs, 0, static_cast<size_t>(fixes));
            qsizetype c = debut;
            while (c < titres.size() && (c == debut || largeur + largeurs[static_cast<size_t>(c)] <= appareil.width())) {
                largeur += largeurs[static_cast<size_t>(c)];
                colonnes.push_back(c++);
            }
            groupe(petite, largeurs, colonnes, titres, lignes);
            debut = c;
            y += QFontMetricsF(petite, &appareil).height();
        } while (debut < titres.size());
    }

    // The drawing scaled to the page's width and to the height left, or to
    // a new page when little is left.
    void dessin(const QByteArray& svg) {
        QSvgRenderer rendu(svg);
        if (!rendu.isValid())
            return;
        const QSizeF naturelle = rendu.viewBoxF().size() * point;
        if (appareil.height() - y < appareil.height() / 2.0)
            nouvellePage();
        const QSizeF place(appareil.width(), appareil.height() - y);
        QSizeF taille = naturelle.scaled(place, Qt::KeepAspectRatio);
        if (taille.width() > naturelle.width() * 1.5)
            taille = naturelle * 1.5;
        if (peintre) {
            const QRectF cible(QPointF((appareil.width() - taille.width()) / 2, y), taille);
            rendu.render(peintre, cible);
            calqueTexte(*peintre, svg, rendu, cible);
        }
        y += taille.height();
    }

private:
    static double somme(const std::vector<double>& v, size_t de, size_t a) {
        double s = 0;
        for (size_t i = de; i < a; ++i)
            s += v[i];
        return s;
    }

    std::vector<double> largeursColonnes(const QFont& petite, const QStringList& titres,
                                         const QList<QStringList>& lignes) const {
        const QFontMetricsF m(petite, &appareil);
        std::vector<double> largeurs(static_cast<size_t>(titres.size()), 0.0);
        const auto mesurer = [&](const QStringList& champs) {
            for (qsizetype c = 0; c < champs.size() && c < titres.size(); ++c)
                largeurs[static_cast<size_t>(c)] =
                    std::max(largeurs[static_cast<size_t>(c)], m.horizontalAdvance(champs[c]) + m.height());
        };
        mesurer(titres);
        for (const QStringList& ligne : lignes)
            mesurer(ligne);
        // No column wider than the page.
        for (double& l : largeurs)
            l = std::min(l, appareil.width() * 0.45);
        return largeurs;
    }

    void groupe(const QFont& petite, const std::vector<double>& largeurs, const std::vector<qsizetype>& colonnes,
                const QStringList& titres, const QList<QStringList>& lignes) {
        const QFontMetricsF m(petite, &appareil);
        const double hauteur = m.height() * 1.3;
        const auto rangee = [&](const QStringList& champs, bool entete) {
            if (peintre) {
                QFont f = petite;
                f.setBold(entete);
                peintre->setFont(f);
                peintre->setPen(QPen(Qt::darkGray, 0));
                double x = 0;
                for (const qsizetype c : colonnes) {
                    const double l = largeurs[static_cast<size_t>(c)];
                    const QRectF cellule(x, y, l, hauteur);
                    if (entete)
                        peintre->fillRect(cellule, QColor(230, 230, 230));
                    peintre->drawRect(cellule);
                    peintre->setPen(Qt::black);
                    const QString texte = c < champs.size() ? champs[c] : QString();
                    peintre->drawText(cellule.adjusted(m.height() / 2, 0, -m.height() / 4, 0), Qt::AlignVCenter,
                                      m.elidedText(texte, Qt::ElideRight, l - m.height() * 0.75));
                    peintre->setPen(QPen(Qt::darkGray, 0));
                    x += l;
                }
            }
            y += hauteur;
        };
        place(hauteur * 2);
        rangee(titres, true);
        for (const QStringList& ligne : lignes) {
            if (y + hauteur > appareil.height()) {
                nouvellePage();
                rangee(titres, true);   // the header again on each page
            }
            rangee(ligne, false);
        }
    }

    // Room for `hauteur` on this page, else a new one.
    void place(double hauteur) {
        if (y + hauteur > appareil.height())
            nouvellePage();
    }

    void nouvellePage() {
        if (peintre)
            appareil.newPage();
        commencerPage();
    }

    void commencerPage() {
        ++page;
        QFont f = police;
        f.setPointSizeF(8);
        const QFontMetricsF m(f, &appareil);
        if (peintre) {
            peintre->setFont(f);
            peintre->setPen(Qt::black);
            const QRectF bande(0, 0, appareil.width(), m.height());
            peintre->drawText(bande, Qt::AlignLeft, contenu.nomProgramme);
            peintre->drawText(bande, Qt::AlignHCenter, contenu.date.toString(QStringLiteral("dd/MM/yyyy HH:mm")));
            peintre->drawText(bande, Qt::AlignRight,
                              QStringLiteral("Page %1 / %2").arg(page).arg(std::max(nbPages, page)));
            peintre->setPen(QPen(Qt::gray, 0));
            peintre->drawLine(QPointF(0, m.height() * 1.2), QPointF(appareil.width(), m.height() * 1.2));
        }
        y = m.height() * 2;
    }

    QPagedPaintDevice& appareil;
    QPainter* peintre;
    const TcontenuPolycopie& contenu;
    int nbPages;
    double point;   // device units per typographic point
    QFont police;
    QFont fixe;
    int page = 0;
    double y = 0;
};

void derouler(Tmise& mise, const TcontenuPolycopie& contenu, const TchoixPolycopie& choix) {
    mise.titre(QStringLiteral("Programme"));
    mise.listing(contenu.programme, true);
    if (choix.resultats) {
        mise.titre(QStringLiteral("Résultats"));
        mise.listing(resultatsRetenus(contenu.resultats, choix.lignesResultats), false);
    }
    if (choix.suivi && !contenu.titresSuivi.isEmpty()) {
        mise.titre(QStringLiteral("Suivi"));
        mise.tableau(contenu.titresSuivi, contenu.lignesSuivi);
    }
    if (choix.organigramme && !contenu.organigramme.isEmpty()) {
        mise.titre(QStringLiteral("Organigramme"));
        mise.dessin(contenu.organigramme);
    }
}

} // namespace

QStringList resultatsRetenus(const QStringList& resultats, int lignesMax) {
    if (lignesMax <= 0 || resultats.size() <= lignesMax)
        return resultats;
    QStringList retenus = resultats.first(lignesMax);
    retenus << QStringLiteral("\u2026 (%1 lignes de plus)").arg(resultats.size() - lignesMax);
    return retenus;
}

int dessinerPolycopie(QPagedPaintDevice& appareil, const TcontenuPolycopie& contenu, const TchoixPolycopie& choix) {
    Tmise compte(appareil, nullptr, contenu, 0);
    derouler(compte, contenu, choix);
    QPainter peintre;
    if (!peintre.begin(&appareil))
        return 0;
    Tmise mise(appareil, &peintre, contenu, compte.pages());
    derouler(mise, contenu, choix);
    peintre.end();
    return mise.pages();
}
