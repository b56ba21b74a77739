#include "main/haupt.h"
#include "main/splash.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

// A short interval instead of the two seconds, so the test need not sleep.
constexpr int Interval = 30;
constexpr int Never = 60 * 60 * 1000;

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private:
    IsolatedStore store;
    RecordingServices recorder;
    std::unique_ptr<Haupt> haupt;
    int opened = 0;

    QWidget *openHaupt(int delay = 0)
    {
        ++opened;
        QTest::qWait(delay); // events run while the main window loads
        haupt = std::make_unique<Haupt>();
        return haupt.get();
    }

private slots:
    void init()
    {
        QVERIFY(store.clear());
        haupt.reset();
        opened = 0;
    }

    void splashWindow()
    {
        Form1 splash([] { return nullptr; }, Never);
        QCOMPARE(splash.objectName(), QStringLiteral("Form1"));
        QCOMPARE(splash.windowType(), Qt::SplashScreen); // borderless, no taskbar entry
        QCOMPARE(splash.minimumSize(), splash.maximumSize());
        const auto *picture = splash.findChild<QLabel *>(QStringLiteral("Picture1"));
        QVERIFY(picture && !picture->pixmap().isNull()); // the resource and its image format
        for (const char *name : {"Label1", "Label6", "Label4", "Label5"}) {
            const auto *label = splash.findChild<QLabel *>(QLatin1String(name));
            QVERIFY2(label && !label->text().isEmpty(), name);
            const QRect room = label->contentsRect();
            QVERIFY2(room.contains(
                         label->fontMetrics().boundingRect(room, Qt::AlignLeft, label->text())),
                     name);
        }
    }

    void startUpSequence()
    {
        QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool splashVisibleWhileLoading = false;
        Form1 splash(
            [&] {
                splashVisibleWhileLoading = splash.isVisible();
                return openHaupt();
            },
            Interval);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QCOMPARE(opened, 0);

        QTRY_VERIFY(!splash.isVisible());
        QCOMPARE(opened, 1);
        QVERIFY(splashVisibleWhileLoading);
        QTRY_COMPARE(QApplication::activeWindow(), haupt.get());
        QCOMPARE(QApplication::focusWidget(),
                 haupt->findChild<QLineEdit *>(QStringLiteral("Text1h_0")));
        // At no moment was there no window left to keep the program running.
        QCOMPARE(lastWindowClosed.count(), 0);
    }

    void slowMainWindowShowsSplashOnce()
    {
        Form1 splash([&] { return openHaupt(Interval * 5); }, Interval);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QSignalSpy visibility(splash.windowHandle(), &QWindow::visibleChanged);
        QTRY_VERIFY(haupt && haupt->isVisible());
        QTest::qWait(Interval * 3);
        QCOMPARE(opened, 1);
        QCOMPARE(visibility.count(), 1); // hidden once, never shown again
        QVERIFY(!splash.isVisible());
    }

    void clicksKeysAndCloseDoNothing()
    {
        Form1 splash([&] { return openHaupt(); }, Never);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QTest::mouseClick(splash.findChild<QLabel *>(QStringLiteral("Label1")), Qt::LeftButton);
        QTest::mouseDClick(&splash, Qt::LeftButton);
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(&splash, key);
        // A close from outside would end the program before the main window exists.
        QVERIFY(!splash.close());
        QVERIFY(splash.isVisible());
        QCOMPARE(opened, 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
