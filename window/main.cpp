// Trevane: one window; its settings are kept between uses under the
// application's names. `trevane FICHIER` opens that program file at
// start-up; --help and --version answer on the console without opening it.
#include "commands/ligne_commande.h"
#include "window/fenetre_principale.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

constexpr std::string_view aide =
    "usage : trevane [FICHIER]\n"
    "Ouvre la fenêtre de Trevane : écrire, analyser et exécuter ses premiers\n"
    "algorithmes. Les programmes sont des fichiers texte (.txt, Windows-1252) ;\n"
    "FICHIER, s'il est donné, est ouvert au démarrage.\n"
    "\n"
    "  --help     affiche cette aide\n"
    "  --version  affiche la version\n"
    "\n"
    "Pour exécuter un programme sans fenêtre : trevane-run --help.\n";

} // namespace

int main(int argc, char* argv[]) {
    ignorerLimiteDeTaille();
    if (const auto statut = repondreAideOuVersion(argc, argv, "trevane", aide))
        return *statut;
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Trevane"));
    QCoreApplication::setApplicationName(QStringLiteral("Trevane"));
    // The toolkit's own buttons and dialogs speak the system's language when
    // its translation is installed, as the standard boxes of the desktop do.
    QTranslator traduction;
    if (traduction.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&traduction);

    TfenetrePrincipale fenetre;   // builds the controls, menus and window operations
    fenetre.show();               // its first showing starts the session
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        fenetre.ouvrirFichier(arguments.at(1));
    return application.exec();
}
