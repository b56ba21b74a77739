#include "ui/services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The real message box: no icon, one OK button, the given title or the
// application's, modal until closed.
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
    window.setWindowTitle(QStringLiteral("QVA-Prüfung bestehen! Teil 2,  Solar und GZK"));
    window.show();

    struct Seen {
        bool found = false;
        QString title, text;
        QMessageBox::Icon icon = QMessageBox::Information;
        int buttons = 0;
        QString buttonText;
        bool modal = false;
        QWidget *parent = nullptr;
    } seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.found = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = int(box->buttons().size());
        seen.buttonText =
            box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->text() : QString();
        seen.modal = box->isModal();
        seen.parent = box->parentWidget();
        box->button(QMessageBox::Ok)->click();
    });
    services().showMessage(&window, QStringLiteral("Liste ist leer"), title);

    QVERIFY(seen.found);
    QCOMPARE(seen.title, shownTitle);
    QCOMPARE(seen.text, QStringLiteral("Liste ist leer"));
    QCOMPARE(seen.icon, QMessageBox::NoIcon);
    QCOMPARE(seen.buttons, 1);
    QVERIFY(seen.modal);
    QCOMPARE(seen.parent, &window);
    QCOMPARE(window.windowTitle(), QStringLiteral("QVA-Prüfung bestehen! Teil 2,  Solar und GZK"));
}

QTEST_MAIN(tst_Services)
#include "tst_services.moc"
