#include "window/impression/impression.h"

#include "base/donnees.h"
#include "base/fenetre.h"
#include "commands/fichiers.h"
#include "window/affichages/panneau_affichages.h"
#include "window/codage_qt.h"
#include "window/dialogues.h"
#include "window/controles_fenetre.h"
#include "window/editeur/editeur_programme.h"
#include "window/organigramme/panneau_organigramme.h"
#include "window/panneaux/modele_suivi.h"
#include "window/panneaux/panneau_variables.h"
#include "window/sauvegarde.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSpinBox>

bool demanderChoixPolycopie(QWidget* parent, TchoixPolycopie& choix) {
    QDialog boite(parent);
    boite.setWindowTitle(QStringLiteral("Contenu du document"));
    auto* formulaire = new QFormLayout(&boite);
    auto* resultats = new QCheckBox(QStringLiteral("Les résultats"), &boite);
    resultats->setChecked(choix.resultats);
    auto* lignes = new QSpinBox(&boite);
    lignes->setRange(0, 100000);
    lignes->setSpecialValueText(QStringLiteral("toutes"));
    lignes->setValue(choix.lignesResultats);
    auto* suivi = new QCheckBox(QStringLiteral("Le tableau de suivi"), &boite);
    suivi->setChecked(choix.suivi);
    auto* organigramme = new QCheckBox(QStringLiteral("L'organigramme"), &boite);
    organigramme->setChecked(choix.organigramme);
    auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &boite);
    QObject::connect(boutons, &QDialogButtonBox::accepted, &boite, &QDialog::accept);
    QObject::connect(boutons, &QDialogButtonBox::rejected, &boite, &QDialog::reject);
    QObject::connect(resultats, &QCheckBox::toggled, lignes, &QWidget::setEnabled);
    formulaire->addRow(resultats);
    formulaire->addRow(QStringLiteral("Premières lignes seulement :"), lignes);
    formulaire->addRow(suivi);
    formulaire->addRow(organigramme);
    formulaire->addRow(boutons);
    if (boite.exec() != QDialog::Accepted)
        return false;
    choix = {resultats->isChecked(), lignes->value(), suivi->isChecked(), organigramme->isChecked()};
    return true;
}

TcontenuPolycopie contenuFenetre(const TcontrolesFenetre& c, TdonneesCommunes& d) {
    TcontenuPolycopie contenu;
    contenu.nomProgramme = d.nomFichier.empty() ? QStringLiteral("Programme sans nom")
                                                : QString::fromStdString(nomProgramme(d.nomFichier));
    contenu.date = QDateTime::currentDateTime();
    contenu.programme = c.editeur->toPlainText().split(QLatin1Char('\n'));
    contenu.resultats = c.panneauAffichages->lignes();
    const TmodeleSuivi& suivi = *c.panneauVariables->modeleSuivi;
    for (int colonne = 0; colonne < suivi.columnCount(); ++colonne)
        contenu.titresSuivi << suivi.headerData(colonne, Qt::Horizontal).toString();
    for (int ligne = 0; ligne < suivi.rowCount(); ++ligne) {
        QStringList champs;
        for (int colonne = 0; colonne < suivi.columnCount(); ++colonne)
            champs << suivi.data(suivi.index(ligne, colonne)).toString();
        contenu.lignesSuivi << champs;
    }
    if (suivi.rowCount() == 0)
        contenu.titresSuivi.clear();
    c.panneauOrganigramme->actualiser();
    contenu.organigramme = c.panneauOrganigramme->svg();
    return contenu;
}

QPageSize pageParDefaut() {
    const QPageSize systeme = QPrinterInfo::defaultPrinter().defaultPageSize();
    return systeme.isValid() ? systeme : QPageSize(QPageSize::A4);
}

void imprimerPolycopie(QWidget* parent, const TcontenuPolycopie& contenu, const TchoixPolycopie& choix) {
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setDocName(contenu.nomProgramme);
    QPrintDialog dialogue(&imprimante, parent);
    if (dialogue.exec() == QDialog::Accepted)
        dessinerPolycopie(imprimante, contenu, choix);
}

bool ecrirePdf(const QString& chemin, const TcontenuPolycopie& contenu, const TchoixPolycopie& choix,
               QString* raison) {
    return sauvegarderFichier(chemin, [&](QIODevice& fichier) {
        QPdfWriter pdf(&fichier);
        pdf.setPageSize(pageParDefaut());
        pdf.setPageMargins(QMarginsF(15, 12, 15, 12), QPageLayout::Millimeter);
        pdf.setResolution(300);
        pdf.setTitle(contenu.nomProgramme);
        pdf.setCreator(QStringLiteral("Trevane"));
        return dessinerPolycopie(pdf, contenu, choix) > 0;
    }, raison);
}

QString propositionExport(const TdonneesCommunes& d, const QString& suffixe, const QString& defaut) {
    if (d.nomFichier.empty())
        return defaut;
    const QString programme = QString::fromStdString(d.nomFichier);
    return QFileInfo(programme).absolutePath() + QLatin1Char('/') + QString::fromStdString(nomProgramme(d.nomFichier)) +
           suffixe;
}

void commandeImprimer(QWidget* parent, const TcontrolesFenetre& c, TdonneesCommunes& d) {
    TchoixPolycopie choix;
    if (demanderChoixPolycopie(parent, choix))
        imprimerPolycopie(parent, contenuFenetre(c, d), choix);
}

void commandeExporterPdf(QWidget* parent, Tdialogues& boites, const TcontrolesFenetre& c, TdonneesCommunes& d) {
    TchoixPolycopie choix;
    if (!demanderChoixPolycopie(parent, choix))
        return;
    QString chemin = QFileDialog::getSaveFileName(parent, QStringLiteral("Exporter en PDF"),
                                                  propositionExport(d, QStringLiteral(".pdf"), QStringLiteral("programme.pdf")),
                                                  QStringLiteral("Document PDF (*.pdf)"));
    if (chemin.isEmpty())
        return;
    if (QFileInfo(chemin).suffix().isEmpty())
        chemin += QStringLiteral(".pdf");
    const std::string cheminUtf8 = chemin.toUtf8().toStdString();
    if (QFileInfo::exists(chemin) &&
        !boites.confirmation(parent, texteQt(questionRemplacement(cheminUtf8)), QStringLiteral("Attention")))
        return;
    QString raison;
    if (!ecrirePdf(chemin, contenuFenetre(c, d), choix, &raison))
        boites.erreur(parent, texteQt(messageEchecCreation(cheminUtf8, vers1252(raison))));
}
