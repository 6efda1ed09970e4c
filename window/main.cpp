// Trevane: one window; its settings are kept between uses under the
// application's names.
#include "window/FenetrePrincipale.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Trevane"));
    QCoreApplication::setApplicationName(QStringLiteral("Trevane"));
    // The toolkit's own buttons and dialogs speak the system's language when
    // its translation is installed, as the standard boxes of the desktop do.
    QTranslator traduction;
    if (traduction.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&traduction);

    TFenetrePrincipale FenetrePrincipale;   // FormCreate
    FenetrePrincipale.show();               // FormShow
    return application.exec();
}
