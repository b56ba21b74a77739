#include "main/mainwindow.h"
#include "main/splashscreen.h"
#include "main/translations.h"

#include <QApplication>

#include <memory>

using namespace App;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("velmora"));
    QApplication::setApplicationName(QStringLiteral("velmora"));
    // One style on every desktop, so that the coloured fields and lists show
    // their colours.
    QApplication::setStyle(QStringLiteral("Fusion"));
    // The program speaks German, Qt's own dialogs and menus too.
    loadQtGermanTexts(app);

    // The splash shows for two seconds, then creates the main window, which
    // lives until the end of the run, and gives way to it.
    std::unique_ptr<MainWindow> mainWindow;
    SplashScreen splash([&mainWindow] {
        mainWindow = std::make_unique<MainWindow>();
        return mainWindow.get();
    });
    splash.show();
    return app.exec();
}
