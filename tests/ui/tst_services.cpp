#include "ui/services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real message box: no icon, one OK button, the given title or the
// application's, modal to its window until closed.
class tst_Services : public QObject {
    Q_OBJECT

private slots:
    void realMessageBox_data();
    void realMessageBox();
};

void tst_Services::realMessageBox_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("shownTitle");
    QTest::newRow("own title") << QStringLiteral("GZK") << QStringLiteral("GZK");
    QTest::newRow("application title") << QString() << QStringLiteral("velmora");
}

void tst_Services::realMessageBox()
{
    QFETCH(QString, title);
    QFETCH(QString, shownTitle);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Solar und GZK"));
    window.show();
    QStringList seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->button(QMessageBox::Ok))
            return;
        seen << box->windowTitle() << box->text()
             << QString::number(box->icon() == QMessageBox::NoIcon)
             << QString::number(box->buttons().size()) << QString::number(box->isModal())
             << QString::number(box->parentWidget() == &window);
        box->button(QMessageBox::Ok)->click();
    });
    services().showMessage(&window, QStringLiteral("Liste ist leer"), title);

    QCOMPARE(seen, (QStringList{shownTitle, QStringLiteral("Liste ist leer"), QStringLiteral("1"),
                                QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")}));
    QCOMPARE(window.windowTitle(), QStringLiteral("Solar und GZK"));
}

QTEST_MAIN(tst_Services)
#include "tst_services.moc"
