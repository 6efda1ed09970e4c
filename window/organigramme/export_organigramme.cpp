#include "window/organigramme/export_organigramme.h"

#include "base/codage.h"
#include "commands/fichiers.h"
#include "window/codage_qt.h"
#include "window/dialogues.h"
#include "window/sauvegarde.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const QString titreExport = QStringLiteral("Exporter l'organigramme");

} // namespace

bool ecrireOrganigramme(const QString& chemin, const QByteArray& svg, QString* raison) {
    if (!chemin.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return sauvegarderFichier(chemin, svg, raison);
    // Twice the drawing's own size, on white.
    QSvgRenderer rendu(svg);
    QImage image((rendu.defaultSize() * 2).expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    rendu.render(&peintre);
    peintre.end();
    return sauvegarderFichier(chemin, [&image](QIODevice& fichier) { return image.save(&fichier, "PNG"); }, raison);
}

void exporterOrganigramme(QWidget* parent, Tdialogues& boites, const QByteArray& svg, const QString& proposition,
                          const std::function<QString(QWidget*, const QString&)>& choisir) {
    if (svg.isEmpty()) {
        boites.message(parent, QStringLiteral("Aucun organigramme à exporter"), titreExport);
        return;
    }
    const QString chemin = choisir(parent, proposition);
    if (chemin.isEmpty())
        return;
    const std::string cheminUtf8 = chemin.toUtf8().toStdString();
    if (QFileInfo::exists(chemin) &&
        !boites.confirmation(parent, texteQt(questionRemplacement(cheminUtf8)), QStringLiteral("Attention")))
        return;
    QString raison;
    if (!ecrireOrganigramme(chemin, svg, &raison))
        boites.erreur(parent, texteQt(messageEchecCreation(cheminUtf8, vers1252(raison))));
}

QString choisirFichierOrganigramme(QWidget* parent, const QString& proposition) {
    QString chemin = QFileDialog::getSaveFileName(parent, titreExport, proposition,
                                                  QStringLiteral("Image SVG (*.svg);;Image PNG (*.png)"));
    if (!chemin.isEmpty() && QFileInfo(chemin).suffix().isEmpty())
        chemin += QStringLiteral(".svg");
    return chemin;
}
