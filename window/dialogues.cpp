#include "window/dialogues.h"

#include <QPushButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// A program from another editor may bear another extension.
const QStringList filtresOuverture = {QStringLiteral("Programmes (*.txt)"), QStringLiteral("Tous les fichiers (*)")};
const QStringList filtresEnregistrement = {QStringLiteral("Fichiers texte (*.txt)")};

QString choisir(QWidget* parent, QFileDialog::AcceptMode mode, const QStringList& filtres, const QString& proposition,
                const QString& suffixe = QString(), const QString& titre = QString()) {
    QFileDialog dialogue(parent, titre);
    dialogue.setAcceptMode(mode);
    // The open dialog lets a name that does not exist through; reading it
    // then fails with its own message.
    dialogue.setFileMode(QFileDialog::AnyFile);
    dialogue.setNameFilters(filtres);
    // The window asks before replacing a file, once the extension rule has
    // given the name that will be written.
    dialogue.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialogue.setDefaultSuffix(suffixe);
    if (QFileInfo(proposition).isDir())
        dialogue.setDirectory(proposition);   // the folder kept from an earlier use
    else if (!proposition.isEmpty())
        dialogue.selectFile(proposition);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return QString();
    return dialogue.selectedFiles().constFirst();
}

} // namespace

void Tdialogues::message(QWidget* parent, const QString& texte, const QString& legende) {
    QMessageBox boite(QMessageBox::NoIcon, legende, texte, QMessageBox::Ok, parent);
    boite.setTextFormat(Qt::PlainText);
    boite.exec();
}

bool Tdialogues::confirmation(QWidget* parent, const QString& texte, const QString& legende) {
    QMessageBox boite(QMessageBox::Warning, legende, texte, QMessageBox::Yes | QMessageBox::No, parent);
    boite.setTextFormat(Qt::PlainText);
    boite.setDefaultButton(QMessageBox::No);
    boite.setEscapeButton(QMessageBox::No);
    return boite.exec() == QMessageBox::Yes;
}

void Tdialogues::erreur(QWidget* parent, const QString& texte) {
    QMessageBox boite(QMessageBox::Critical, QStringLiteral("Trevane"), texte, QMessageBox::Ok, parent);
    boite.setTextFormat(Qt::PlainText);
    boite.exec();
}

TchoixCopie Tdialogues::offrirCopie(QWidget* parent, const QString& texte) {
    QMessageBox boite(QMessageBox::Question, QStringLiteral("Trevane"), texte, QMessageBox::Yes | QMessageBox::No,
                      parent);
    boite.setTextFormat(Qt::PlainText);
    const QAbstractButton* supprimer =
        boite.addButton(QString::fromUtf8("Supprimer la copie"), QMessageBox::DestructiveRole);
    boite.setDefaultButton(QMessageBox::Yes);
    boite.setEscapeButton(QMessageBox::No);
    boite.exec();
    if (boite.clickedButton() == supprimer)
        return TchoixCopie::supprimer;
    return boite.clickedButton() == boite.button(QMessageBox::Yes) ? TchoixCopie::restaurer : TchoixCopie::garder;
}

QString Tdialogues::fichierAOuvrir(QWidget* parent, const QString& proposition) {
    return choisir(parent, QFileDialog::AcceptOpen, filtresOuverture, proposition);
}

QString Tdialogues::fichierAEnregistrer(QWidget* parent, const QString& proposition) {
    return choisir(parent, QFileDialog::AcceptSave, filtresEnregistrement, proposition);
}

QString Tdialogues::fichierSuiviAEnregistrer(QWidget* parent, const QString& proposition) {
    return choisir(parent, QFileDialog::AcceptSave, {QStringLiteral("Fichiers CSV (*.csv)")}, proposition,
                   QStringLiteral("csv"), QStringLiteral("Exporter le suivi"));
}
