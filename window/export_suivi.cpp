#include "window/export_suivi.h"

#include "base/codage.h"
#include "commands/fichiers.h"
#include "execution/suivi_csv.h"
#include "window/codage_qt.h"
#include "window/dialogues.h"
#include "window/panneaux/modele_suivi.h"
#include "window/sauvegarde.h"

#include <QApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QPointer>
#include <QWidget>

namespace {

const QString titreExport = QStringLiteral("Exporter le suivi");

bool ecrireSuivi(const TmodeleSuivi& suivi, QIODevice& fichier) {
    // A whole file: the mark, the header, the rows, then "..." when the
    // table was cut. Row after row through a small buffer: the text of a
    // long trace is never held whole beside the table.
    constexpr size_t tailleTampon = size_t{64} << 10;
    const TcolonnesSuivi& colonnes = suivi.colonnesSuivi();
    std::string tampon(bomUtf8);
    tampon += enteteCsv(colonnes);
    const auto vider = [&] {
        const bool ecrit = fichier.write(tampon.data(), static_cast<qint64>(tampon.size())) ==
                           static_cast<qint64>(tampon.size());
        tampon.clear();
        return ecrit;
    };
    for (const TligneSuivi& ligne : suivi.lignesSuivi()) {
        tampon += ligneCsv(colonnes, ligne);
        if (tampon.size() >= tailleTampon && !vider())
            return false;
    }
    if (suivi.tronque())
        tampon += ligneCsvTronquee;
    return vider();
}

} // namespace

void exporterSuivi(QWidget* parent, Tdialogues& boites, const TmodeleSuivi& suivi, const QString& proposition) {
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (suivi.rowCount() == 0) {
        boites.message(parent, QString::fromUtf8("Aucun pas commenté à exporter"), titreExport);
    } else {
        const QString chemin = boites.fichierSuiviAEnregistrer(parent, proposition);
        const std::string cheminUtf8 = chemin.toUtf8().toStdString();
        // Asked as Save As asks, No the default: a program may bear that name.
        const bool remplacer = chemin.isEmpty() || !QFileInfo::exists(chemin) ||
                               boites.confirmation(parent, texteQt(questionRemplacement(cheminUtf8)),
                                                   QStringLiteral("Attention"));
        QString raison;
        if (!chemin.isEmpty() && remplacer &&
            !sauvegarderFichier(chemin, [&suivi](QIODevice& fichier) { return ecrireSuivi(suivi, fichier); }, &raison))
            boites.erreur(parent, texteQt(messageEchecCreation(cheminUtf8, vers1252(raison))));
    }
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}
