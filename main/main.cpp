#include "main/haupt.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("velmora"));
    QApplication::setApplicationName(QStringLiteral("velmora"));
    // One style on every desktop, so that the coloured fields and lists show
    // their colours.
    QApplication::setStyle(QStringLiteral("Fusion"));

    Haupt haupt;
    haupt.show();
    return app.exec();
}
