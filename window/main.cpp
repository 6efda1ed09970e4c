// Trevane: one window, no command-line argument, nothing kept between uses.
#include "window/FenetrePrincipale.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    TFenetrePrincipale FenetrePrincipale;   // FormCreate
    FenetrePrincipale.show();               // FormShow
    return application.exec();
}
