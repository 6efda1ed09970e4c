// Trevane: one window, nothing kept between uses. `trevane FICHIER` opens
// that program file at start-up.
#include "window/FenetrePrincipale.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The toolkit's own buttons and dialogs speak the system's language when
    // its translation is installed, as the standard boxes of the desktop do.
    QTranslator traduction;
    if (traduction.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&traduction);

    TFenetrePrincipale FenetrePrincipale;   // FormCreate
    FenetrePrincipale.show();               // FormShow
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        FenetrePrincipale.ouvrirFichier(arguments.at(1));
    return application.exec();
}
