#include "main/documents.h"
#include "main/haupt.h"
#include "tests/support/testsupport.h"
#include "ui/keyboardaccess.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(QList<TeachingItem>)

namespace {

// A stand-in for the main window with just the controls the documents part
// looks for, so that the program folder can be any folder of the test's.
struct DocumentWindow {
    // Enter on a focused button presses it, as on the main window.
    struct Window : QWidget {
        void keyPressEvent(QKeyEvent *event) override
        {
            if (!PressFocusedButtonOnEnter(this, event))
                QWidget::keyPressEvent(event);
        }
    } window;
    DocumentLinks *links = nullptr;

    explicit DocumentWindow(const QString &programFolder)
    {
        for (const char *name : {"Command1", "Command4", "Command5", "Command6"})
            (new QPushButton(&window))->setObjectName(QLatin1String(name));
        for (const char *name : {"Label6", "Label7"})
            (new QLabel(&window))->setObjectName(QLatin1String(name));
        links = new DocumentLinks(&window, programFolder);
        links->buildTeachingMenu();
    }

    QAction *action(const QString &name) const { return window.findChild<QAction *>(name); }
    template <typename T = QPushButton> T *control(const char *name) const
    {
        return window.findChild<T *>(QLatin1String(name));
    }

    // The pop-up that a button's click shows (closed again at once), if any.
    QWidget *popUpOf(const char *button) const
    {
        QWidget *shown = nullptr;
        QTimer::singleShot(0, [&shown] {
            if ((shown = QApplication::activePopupWidget()))
                shown->close();
        });
        control(button)->click();
        QTest::qWait(20);
        return shown;
    }
};

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("%PDF-1.4\n") > 0;
}

// A PDF title as Qt's writer puts it: UTF-16 big-endian after a byte-order
// mark, with '(', ')' and '\' escaped by a backslash.
QByteArray pdfTitle(const QString &text)
{
    QByteArray bytes("/Title (\xfe\xff");
    for (const QChar c : text) {
        for (const char part : {char(c.unicode() >> 8), char(c.unicode() & 0xff)}) {
            if (part == '(' || part == ')' || part == '\\')
                bytes.append('\\');
            bytes.append(part);
        }
    }
    return bytes + ')';
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

private:
    IsolatedStore store;
    RecordingServices recorder;
    QTemporaryDir tmp;
    QString programFolder; // with blanks and umlauts, as users' folders have them

private slots:
    void initTestCase()
    {
        programFolder = tmp.filePath(QStringLiteral("Meine Übungen/Prüfung Teil 2"));
        QVERIFY(QDir().mkpath(programFolder));
    }
    void init()
    {
        QVERIFY(store.clear());
        recorder.clear();
    }

    void teachingItems_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<TeachingItem>>("items");
        const auto s = [](const char *text) {
            return QString::fromUtf8(text);
        };
        QTest::newRow("prefix stripped, sorted by it")
            << QStringList{s("10Zehnte.pdf"), s("02Häuser und Tabellen.pdf"), s("01Erste.pdf")}
            << QList<TeachingItem>{{s("Erste"), s("01Erste.pdf")},
                                   {s("Häuser und Tabellen"), s("02Häuser und Tabellen.pdf")},
                                   {s("Zehnte"), s("10Zehnte.pdf")}};
        QTest::newRow("six characters: empty caption, still an item")
            << QStringList{s("01.pdf")} << QList<TeachingItem>{{QString(), s("01.pdf")}};
        QTest::newRow("shorter: whole name without the extension")
            << QStringList{s("A.PDF")} << QList<TeachingItem>{{s("A"), s("A.PDF")}};
        QTest::newRow("no files") << QStringList{} << QList<TeachingItem>{};
    }
    void teachingItems()
    {
        QFETCH(QStringList, files);
        QFETCH(QList<TeachingItem>, items);
        QCOMPARE(TeachingItems(files), items);
    }

    void teachingMenuFromFolder()
    {
        const QString folder = programFolder + QStringLiteral("/pdf/lehrmaterialien");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/04Ordner.pdf"))); // a folder: no item
        for (const char *name : {"02Zweites.pdf", "01Einführung.pdf", "03Sonne & Mond.pdf",
                                 "notes.txt", ".00Versteckt.pdf"})
            QVERIFY(touch(folder + u'/' + QString::fromUtf8(name)));

        DocumentWindow w(programFolder);
        QVERIFY(!w.action(QStringLiteral("unter_0"))->isVisible());
        QStringList captions;
        for (const QAction *item : w.links->teachingMenu()->actions()) {
            if (item->isVisible())
                captions << item->text();
        }
        QCOMPARE(captions, (QStringList{QStringLiteral("Einführung"), QStringLiteral("Zweites"),
                                        QStringLiteral("Sonne && Mond")}));
        QCOMPARE(w.popUpOf("Command6"), w.links->teachingMenu());
        w.action(QStringLiteral("unter_3"))->trigger();
        QCOMPARE(recorder.openedUrls.value(0).toLocalFile(),
                 programFolder + QStringLiteral("/pdf/lehrmaterialien/03Sonne & Mond.pdf"));
        QCOMPARE(recorder.openedUrls,
                 QList{QUrl::fromLocalFile(folder + QStringLiteral("/03Sonne & Mond.pdf"))});
    }

    void emptyTeachingFolderShowsNoMenu()
    {
        DocumentWindow w(tmp.path()); // no pdf/ folder at all
        QCOMPARE(w.links->teachingMenu()->actions().size(), 1);
        QVERIFY(!w.action(QStringLiteral("unter_0"))->isVisible());
        QCOMPARE(w.popUpOf("Command6"), nullptr);
        QCOMPARE(w.popUpOf("Command1"), w.links->documentMenu());
    }

    // Opened from the keyboard, a menu hangs below its button, where the user
    // is looking; opened by the mouse, at the pointer. No item is marked
    // before the user moves to one.
    void popUpPlace_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key"); // 0: a click with the mouse
        QTest::newRow("Programmbedienung, Space")
            << QStringLiteral("Command1") << int(Qt::Key_Space);
        QTest::newRow("Programmbedienung, Enter")
            << QStringLiteral("Command1") << int(Qt::Key_Return);
        QTest::newRow("Lehrmaterialien, Space") << QStringLiteral("Command6") << int(Qt::Key_Space);
        QTest::newRow("Lehrmaterialien, Enter") << QStringLiteral("Command6") << int(Qt::Key_Enter);
        QTest::newRow("Programmbedienung, mouse") << QStringLiteral("Command1") << 0;
        QTest::newRow("Lehrmaterialien, mouse") << QStringLiteral("Command6") << 0;
    }
    void popUpPlace()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        const QString folder = programFolder + QStringLiteral("/pdf/lehrmaterialien");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(touch(folder + QStringLiteral("/01Einführung.pdf")));

        DocumentWindow w(programFolder);
        auto *pressed = w.control(qPrintable(button));
        pressed->setGeometry(40, 30, 160, 30);
        w.window.resize(400, 300);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QCursor::setPos(w.window.mapToGlobal(QPoint(300, 200)));
        pressed->setFocus(Qt::TabFocusReason);

        QPoint place;
        QAction *marked = nullptr;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                opened = true;
                place = menu->pos();
                marked = menu->activeAction();
                menu->close();
            }
        });
        if (key)
            QTest::keyClick(pressed, Qt::Key(key));
        else
            QTest::mouseClick(pressed, Qt::LeftButton);
        QTRY_VERIFY(opened);
        QCOMPARE(place, key ? pressed->mapToGlobal(pressed->rect().bottomLeft()) : QCursor::pos());
        QCOMPARE(marked, nullptr);
    }

    void documentsAndWebAddresses()
    {
        DocumentWindow w(programFolder);
        for (const char *item : {"prog", "fpsolar", "fpgzk"})
            w.action(QLatin1String(item))->trigger();
        for (const char *button : {"Command4", "Command5"})
            w.control(button)->click();
        QStringList opened;
        for (const QUrl &url : std::as_const(recorder.openedUrls))
            opened << url.toLocalFile().remove(programFolder + QStringLiteral("/pdf/other/"));
        QCOMPARE(opened, (QStringList{QStringLiteral("Programmbedienung.pdf"),
                                      QStringLiteral("Fahrplan Solar.pdf"),
                                      QStringLiteral("Fahrplan GZK.pdf"),
                                      QStringLiteral("Berechnung des Solars.pdf"),
                                      QStringLiteral("Berechnung der Rektifikation.pdf")}));

        recorder.clear();
        auto *provider = w.control<QLabel>("Label6");
        auto *publisher = w.control<QLabel>("Label7");
        QCOMPARE(provider->text(), ProviderText());
        QCOMPARE(publisher->text(), PublisherText());
        QTest::mouseClick(provider, Qt::LeftButton);
        QTest::mouseClick(publisher, Qt::LeftButton);
        QTest::mouseClick(publisher, Qt::RightButton); // not a click that opens
        // The address shown without a scheme opens as a web address, not as a file.
        QCOMPARE(recorder.openedUrls, (QList{QUrl(provider->text()),
                                             QUrl(QStringLiteral("http://") + publisher->text())}));
    }

    // The real main window is wired to the program's own folder.
    void mainWindowOpensBesideTheProgram()
    {
        Haupt haupt;
        haupt.findChild<QAction *>(QStringLiteral("fpgzk"))->trigger();
        QCOMPARE(recorder.openedUrls,
                 QList{QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                           QStringLiteral("/pdf/other/Fahrplan GZK.pdf"))});
    }

    void generatedPdfs_data()
    {
        QTest::addColumn<QString>("file");
        const auto row = [](const char *file) {
            QTest::newRow(file) << QString::fromUtf8(file);
        };
        row("other/Programmbedienung");
        row("other/Fahrplan Solar");
        row("other/Fahrplan GZK");
        row("other/Berechnung des Solars");
        row("other/Berechnung der Rektifikation");
        row("lehrmaterialien/01Einführung");
        row("lehrmaterialien/02Ephemeriden und Häusertabellen");
    }
    void generatedPdfs()
    {
        QFETCH(QString, file);
        QFile pdf(QStringLiteral(VELMORA_PDF_DIR "/") + file + QStringLiteral(".pdf"));
        QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(pdf.fileName()));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF-"));
        QVERIFY(content.trimmed().endsWith("%%EOF"));
        // The menu shows the teaching file's name without its prefix; the viewer, the title.
        const QString title =
            file.section(u'/', 1).remove(QRegularExpression(QStringLiteral("^\\d\\d")));
        QVERIFY(content.contains(pdfTitle(title)));
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
