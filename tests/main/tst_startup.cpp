#include "main/haupt.h"
#include "main/splash.h"
#include "tests/support/testsupport.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

// Counts how often a window is shown.
class ShowCounter : public QObject {
public:
    int shows = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return QObject::eventFilter(watched, event);
    }
};

// A short interval instead of the two seconds, so the test need not sleep.
constexpr int Interval = 30;

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private:
    IsolatedStore store;

private slots:
    void init() { QVERIFY(store.clear()); }

    void splashWindow()
    {
        Form1 splash([] { return nullptr; }, 60 * 60 * 1000);
        QCOMPARE(splash.objectName(), QStringLiteral("Form1"));
        QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(splash.windowType(), Qt::SplashScreen); // no taskbar entry
        QCOMPARE(splash.size(), QSize(500, 397));

        const auto *picture = splash.findChild<QLabel *>(QStringLiteral("Picture1"));
        QVERIFY(picture);
        QVERIFY(!picture->pixmap().isNull()); // the resource and its image format are there
        QCOMPARE(picture->geometry(), QRect(0, 0, 500, 400));

        const auto text = [&splash](const char *name) {
            const auto *label = splash.findChild<QLabel *>(QLatin1String(name));
            return label ? label->text() : QString();
        };
        QCOMPARE(text("Label1"), QStringLiteral("QVA-Prüfung bestehen! Teil 2"));
        QCOMPARE(text("Label6"), QStringLiteral("Solar und GZK"));
        QCOMPARE(text("Label4"), QStringLiteral("Version 1 vom 15.11.2008"));
        QVERIFY(!text("Label5").isEmpty());
        for (const char *name : {"Label1", "Label6"}) {
            const auto *title = splash.findChild<QLabel *>(QLatin1String(name));
            QCOMPARE(title->font().pointSizeF(), 27.75);
            QVERIFY(!title->autoFillBackground()); // drawn over the picture
            const QString family = QFontInfo(title->font()).family();
            QVERIFY2(family == QLatin1String("Times New Roman") ||
                         family == QLatin1String("Liberation Serif"),
                     qPrintable(family));
        }
    }

    void startUpSequence()
    {
        RecordingServices recorder;
        QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);
        std::unique_ptr<Haupt> haupt;
        bool splashVisibleWhileLoading = false;
        int opened = 0;

        Form1 splash(
            [&] {
                ++opened;
                splashVisibleWhileLoading = splash.isVisible();
                haupt = std::make_unique<Haupt>();
                return haupt.get();
            },
            Interval);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QCOMPARE(opened, 0);

        QTRY_VERIFY(!splash.isVisible());
        QCOMPARE(opened, 1);
        QVERIFY(splashVisibleWhileLoading);
        QVERIFY(haupt->isVisible());
        QTRY_COMPARE(QApplication::activeWindow(), haupt.get());
        QCOMPARE(QApplication::focusWidget(),
                 haupt->findChild<QLineEdit *>(QStringLiteral("Text1h_0")));
        // At no moment was there no window left to keep the program running.
        QCOMPARE(lastWindowClosed.count(), 0);
        QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    }

    void slowMainWindowShowsSplashOnce()
    {
        RecordingServices recorder;
        std::unique_ptr<Haupt> haupt;
        int opened = 0;
        ShowCounter counter;

        Form1 splash(
            [&] {
                ++opened;
                // Several intervals pass, with events running, while the
                // main window loads.
                QTest::qWait(Interval * 5);
                haupt = std::make_unique<Haupt>();
                return haupt.get();
            },
            Interval);
        splash.installEventFilter(&counter);
        splash.show();
        QTRY_VERIFY(haupt && haupt->isVisible());
        QTest::qWait(Interval * 3);
        QCOMPARE(opened, 1);
        QCOMPARE(counter.shows, 1);
        QVERIFY(!splash.isVisible());
    }

    void clicksAndKeysDoNothing()
    {
        int opened = 0;
        Form1 splash(
            [&opened] {
                ++opened;
                return nullptr;
            },
            60 * 60 * 1000);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));

        QTest::mouseClick(&splash, Qt::LeftButton);
        QTest::mouseClick(splash.findChild<QLabel *>(QStringLiteral("Label1")), Qt::LeftButton);
        QTest::mouseDClick(&splash, Qt::LeftButton);
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space})
            QTest::keyClick(&splash, key);
        // A close from outside (a window manager's close key) is refused too:
        // it would end the program before the main window exists.
        QVERIFY(!splash.close());

        QVERIFY(splash.isVisible());
        QCOMPARE(opened, 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
