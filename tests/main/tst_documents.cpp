#include "main/documents.h"
#include "main/haupt.h"
#include "rekti/rekti_steps.h"
#include "solar/solar_steps.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(QList<TeachingItem>)

namespace {

// A stand-in for the main window with just the controls the documents part
// looks for, so that the program folder can be any folder of the test's.
struct DocumentWindow {
    QWidget window;
    DocumentLinks *links = nullptr;

    explicit DocumentWindow(const QString &programFolder)
    {
        for (const char *name : {"Command1", "Command4", "Command5", "Command6"})
            (new QPushButton(&window))->setObjectName(QLatin1String(name));
        for (const char *name : {"Label6", "Label7"}) {
            auto *label = new QLabel(&window);
            label->setObjectName(QLatin1String(name));
            label->resize(150, 17);
        }
        links = new DocumentLinks(&window, programFolder);
    }

    QAction *action(const QString &name) const { return window.findChild<QAction *>(name); }
};

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("%PDF-1.4\n") > 0;
}

// The title in a PDF's information dictionary: a literal string "(...)" in
// which '(', ')' and '\' are escaped with a backslash, holding UTF-16 big-endian
// text after a byte-order mark.
QString pdfTitle(const QByteArray &pdf)
{
    const QByteArray key("/Title (");
    const qsizetype start = pdf.indexOf(key);
    if (start < 0)
        return {};
    QByteArray raw;
    for (qsizetype i = start + key.size(); i < pdf.size(); ++i) {
        char c = pdf.at(i);
        if (c == '\\' && i + 1 < pdf.size())
            c = pdf.at(++i);
        else if (c == ')')
            break;
        raw.append(c);
    }
    if (!raw.startsWith("\xfe\xff") || raw.size() % 2 != 0)
        return QString::fromLatin1(raw);
    QString title;
    for (qsizetype i = 2; i < raw.size(); i += 2)
        title.append(QChar(static_cast<char16_t>((static_cast<uchar>(raw.at(i)) << 8) |
                                                 static_cast<uchar>(raw.at(i + 1)))));
    return title;
}

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

private:
    IsolatedStore store;
    QTemporaryDir tmp;
    QString programFolder; // with blanks and umlauts, as users' folders have them

private slots:
    void initTestCase()
    {
        QVERIFY(tmp.isValid());
        programFolder = tmp.filePath(QStringLiteral("Meine Übungen/Prüfung Teil 2"));
        QVERIFY(QDir().mkpath(programFolder));
    }
    void init() { QVERIFY(store.clear()); }

    void teachingItems_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<TeachingItem>>("items");

        const auto s = [](const char *text) {
            return QString::fromUtf8(text);
        };
        QTest::newRow("prefix and extension stripped")
            << QStringList{s("01Aspekte.pdf")}
            << QList<TeachingItem>{{s("Aspekte"), s("01Aspekte.pdf")}};
        QTest::newRow("sorted by the prefix, whatever the listing order")
            << QStringList{s("03Dritte.pdf"), s("01Erste.pdf"), s("10Zehnte.pdf"),
                           s("02Zweite.pdf")}
            << QList<TeachingItem>{{s("Erste"), s("01Erste.pdf")},
                                   {s("Zweite"), s("02Zweite.pdf")},
                                   {s("Dritte"), s("03Dritte.pdf")},
                                   {s("Zehnte"), s("10Zehnte.pdf")}};
        QTest::newRow("letter case does not set the order")
            << QStringList{s("01b.pdf"), s("01A.pdf"), s("01a.pdf")}
            << QList<TeachingItem>{
                   {s("A"), s("01A.pdf")}, {s("a"), s("01a.pdf")}, {s("b"), s("01b.pdf")}};
        QTest::newRow("blanks and umlauts kept")
            << QStringList{s("02Ephemeriden und Häusertabellen.pdf")}
            << QList<TeachingItem>{{s("Ephemeriden und Häusertabellen"),
                                    s("02Ephemeriden und Häusertabellen.pdf")}};
        QTest::newRow("six characters: empty caption, still an item")
            << QStringList{s("01.pdf")} << QList<TeachingItem>{{QString(), s("01.pdf")}};
        QTest::newRow("five characters: whole name without the extension")
            << QStringList{s("A.pdf")} << QList<TeachingItem>{{s("A"), s("A.pdf")}};
        QTest::newRow("upper-case extension")
            << QStringList{s("04Tabellen.PDF"), s("X.PDF")}
            << QList<TeachingItem>{{s("Tabellen"), s("04Tabellen.PDF")}, {s("X"), s("X.PDF")}};
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
        QVERIFY(QDir().mkpath(folder));
        for (const char *name : {"02Zweites.pdf", "01Einführung.pdf", "03Sonne & Mond.pdf",
                                 "notes.txt", ".00Versteckt.pdf"})
            QVERIFY(touch(folder + u'/' + QString::fromUtf8(name)));
        // A folder is no document, even when its name looks like one.
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/04Ordner.pdf")));

        RecordingServices recorder;
        DocumentWindow w(programFolder);
        QAction *placeholder = w.action(QStringLiteral("unter_0"));
        QVERIFY(placeholder);
        QCOMPARE(placeholder->text(), QStringLiteral("unter"));
        w.links->buildTeachingMenu();

        QCOMPARE(w.links->teachingMenu()->actions().size(), 4);
        QVERIFY(!placeholder->isVisible());
        const QStringList captions{QStringLiteral("Einführung"), QStringLiteral("Zweites"),
                                   QStringLiteral("Sonne && Mond")};
        const QStringList files{QStringLiteral("01Einführung.pdf"), QStringLiteral("02Zweites.pdf"),
                                QStringLiteral("03Sonne & Mond.pdf")};
        for (int i = 1; i <= 3; ++i) {
            const QAction *item = w.action(QStringLiteral("unter_%1").arg(i));
            QVERIFY(item);
            QVERIFY(item->isVisible());
            QCOMPARE(item->text(), captions.at(i - 1));
            QCOMPARE(item->data().toString(), files.at(i - 1));
        }

        w.action(QStringLiteral("unter_1"))->trigger();
        w.action(QStringLiteral("unter_3"))->trigger();
        QCOMPARE(
            recorder.openedUrls,
            (QList<QUrl>{QUrl::fromLocalFile(folder + QStringLiteral("/01Einführung.pdf")),
                         QUrl::fromLocalFile(folder + QStringLiteral("/03Sonne & Mond.pdf"))}));
        QCOMPARE(recorder.openedUrls.constFirst().toLocalFile(),
                 programFolder + QStringLiteral("/pdf/lehrmaterialien/01Einführung.pdf"));
    }

    void emptyTeachingFolderShowsNoMenu()
    {
        QTemporaryDir elsewhere;
        QVERIFY(elsewhere.isValid());
        DocumentWindow w(elsewhere.path()); // no pdf/ folder at all
        w.links->buildTeachingMenu();
        QCOMPARE(w.links->teachingMenu()->actions().size(), 1);
        QVERIFY(!w.action(QStringLiteral("unter_0"))->isVisible());

        // Were a pop-up shown, it would be closed here and counted.
        bool popupShown = false;
        QTimer::singleShot(0, this, [&popupShown] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                popupShown = true;
                popup->close();
            }
        });
        w.window.findChild<QPushButton *>(QStringLiteral("Command6"))->click();
        QTest::qWait(20);
        QVERIFY(!popupShown);
    }

    // The two buttons open their menus as pop-ups at the mouse pointer; the
    // pop-up is closed again as soon as it shows.
    void buttonsPopUpTheirMenus()
    {
        QTemporaryDir program;
        QVERIFY(program.isValid());
        const QString folder = program.filePath(QStringLiteral("pdf/lehrmaterialien"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(touch(folder + QStringLiteral("/01Aspekte.pdf")));
        DocumentWindow w(program.path());
        w.links->buildTeachingMenu();

        for (const auto &[button, menu] : {std::pair{"Command1", w.links->documentMenu()},
                                           std::pair{"Command6", w.links->teachingMenu()}}) {
            QWidget *shown = nullptr;
            QTimer::singleShot(0, this, [&shown] {
                shown = QApplication::activePopupWidget();
                if (shown)
                    shown->close();
            });
            w.window.findChild<QPushButton *>(QLatin1String(button))->click();
            QCOMPARE(shown, menu);
        }
    }

    void fixedDocuments_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("file");
        QTest::newRow("prog") << QStringLiteral("prog") << QStringLiteral("Programmbedienung.pdf");
        QTest::newRow("fpsolar") << QStringLiteral("fpsolar")
                                 << QStringLiteral("Fahrplan Solar.pdf");
        QTest::newRow("fpgzk") << QStringLiteral("fpgzk") << QStringLiteral("Fahrplan GZK.pdf");
        QTest::newRow("Command4") << QStringLiteral("Command4")
                                  << QStringLiteral("Berechnung des Solars.pdf");
        QTest::newRow("Command5") << QStringLiteral("Command5")
                                  << QStringLiteral("Berechnung der Rektifikation.pdf");
    }
    void fixedDocuments()
    {
        QFETCH(QString, control);
        QFETCH(QString, file);
        RecordingServices recorder;
        DocumentWindow w(programFolder);
        if (QAction *item = w.action(control))
            item->trigger();
        else
            w.window.findChild<QPushButton *>(control)->click();

        const QString path = programFolder + QStringLiteral("/pdf/other/") + file;
        QCOMPARE(recorder.openedUrls, QList<QUrl>{QUrl::fromLocalFile(path)});
        QCOMPARE(recorder.openedUrls.constFirst().toLocalFile(), path);
    }

    void documentMenu()
    {
        DocumentWindow w(programFolder);
        QStringList names, captions;
        for (const QAction *item : w.links->documentMenu()->actions()) {
            names << item->objectName();
            captions << item->text();
        }
        QCOMPARE(names, (QStringList{QStringLiteral("prog"), QStringLiteral("fpsolar"),
                                     QStringLiteral("fpgzk")}));
        QCOMPARE(captions,
                 (QStringList{QStringLiteral("Programmbedienung"), QStringLiteral("Fahrplan Solar"),
                              QStringLiteral("Fahrplan GZK")}));
    }

    void webAddresses()
    {
        RecordingServices recorder;
        DocumentWindow w(programFolder);
        auto *provider = w.window.findChild<QLabel *>(QStringLiteral("Label6"));
        auto *publisher = w.window.findChild<QLabel *>(QStringLiteral("Label7"));
        for (const QLabel *label : {provider, publisher}) {
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 128));
            QVERIFY(label->font().underline());
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        }
        QCOMPARE(provider->text(), ProviderText());
        QCOMPARE(publisher->text(), PublisherText());
        QVERIFY(provider->text().contains(QStringLiteral("://")));
        QVERIFY(!publisher->text().contains(QStringLiteral("://")));

        QTest::mouseClick(provider, Qt::LeftButton);
        QTest::mouseClick(publisher, Qt::LeftButton);
        QTest::mouseClick(publisher, Qt::RightButton); // not a click that opens
        QCOMPARE(recorder.openedUrls.size(), 2);
        QCOMPARE(recorder.openedUrls.at(0), QUrl(provider->text()));
        // The address without a scheme opens as a web address, not as a file.
        const QUrl publisherUrl = recorder.openedUrls.at(1);
        QVERIFY(!publisherUrl.isLocalFile());
        QVERIFY(publisherUrl.scheme().startsWith(QStringLiteral("http")));
        QCOMPARE(publisherUrl, QUrl(QStringLiteral("http://") + publisher->text()));
    }

    // The real main window: the menus and buttons are wired to the program's
    // own folder.
    void mainWindowOpensBesideTheProgram()
    {
        RecordingServices recorder;
        Haupt haupt;
        QAction *item = haupt.findChild<QAction *>(QStringLiteral("fpgzk"));
        QVERIFY(item);
        item->trigger();
        haupt.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
        const QString other =
            QCoreApplication::applicationDirPath() + QStringLiteral("/pdf/other/");
        QCOMPARE(recorder.openedUrls,
                 (QList<QUrl>{
                     QUrl::fromLocalFile(other + QStringLiteral("Fahrplan GZK.pdf")),
                     QUrl::fromLocalFile(other + QStringLiteral("Berechnung des Solars.pdf"))}));
        const QAction *placeholder = haupt.findChild<QAction *>(QStringLiteral("unter_0"));
        QVERIFY(placeholder);
        QVERIFY(!placeholder->isVisible());
    }

    void generatedPdfs_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        const auto row = [](const char *file, const char *title) {
            QTest::newRow(file) << QString::fromUtf8(file) << QString::fromUtf8(title);
        };
        row("other/Programmbedienung.pdf", "Programmbedienung");
        row("other/Fahrplan Solar.pdf", "Fahrplan Solar");
        row("other/Fahrplan GZK.pdf", "Fahrplan GZK");
        row("other/Berechnung des Solars.pdf", "Berechnung des Solars");
        row("other/Berechnung der Rektifikation.pdf", "Berechnung der Rektifikation");
        row("lehrmaterialien/01Einführung.pdf", "Einführung");
        row("lehrmaterialien/02Ephemeriden und Häusertabellen.pdf",
            "Ephemeriden und Häusertabellen");
    }
    void generatedPdfs()
    {
        QFETCH(QString, file);
        QFETCH(QString, title);
        QFile pdf(QStringLiteral(VELMORA_PDF_DIR "/") + file);
        QVERIFY2(pdf.open(QIODevice::ReadOnly), qPrintable(pdf.fileName()));
        const QByteArray content = pdf.readAll();
        QVERIFY(content.startsWith("%PDF-"));
        QVERIFY(content.trimmed().endsWith("%%EOF"));
        QCOMPARE(pdfTitle(content), title);
    }

    // The worked examples of the two documents give the numbers the program
    // computes for them, down to the row that "Okay" adds to the list.
    void workedExampleSolar()
    {
        ValueMap form;
        form.setTriple(QStringLiteral("txtDeg02"),
                       {QStringLiteral("13"), QStringLiteral("50"), QStringLiteral("10")});
        form.setTriple(QStringLiteral("txtDeg03"),
                       {QStringLiteral("13"), QStringLiteral("50"), QStringLiteral("10")});
        form.setTriple(QStringLiteral("txtDeg01"),
                       {QStringLiteral("14"), QStringLiteral("47"), QStringLiteral("25")});
        const QList<int> radix{14, 22, 30};
        for (int i = 0; i < 3; ++i) {
            QStringList entries;
            for (int k = 0; k < 60; ++k)
                entries << QString::number(k);
            form.setList(QStringLiteral("cmbDeg5"), i, entries, radix.at(i));
        }
        QStringList zones;
        for (int z = 12; z >= -12; --z)
            zones << (z > 0 ? QStringLiteral("+%1").arg(z) : QString::number(z));
        form.setList(QStringLiteral("cmbGMT"), -1, zones, 11);
        form.setList(QStringLiteral("Combo1"), -1, {QStringLiteral("+0h"), QStringLiteral("-24h")});
        form.setText(QStringLiteral("Text1"), 2, QStringLiteral("6"));
        form.setText(QStringLiteral("Text1"), 3, QStringLiteral("7"));
        form.setText(QStringLiteral("Text1"), 4, QStringLiteral("2024"));

        using namespace SolarSteps;
        for (const auto step :
             {Command2_Click, Command3_Click, Command4_Click, Command1_Click, Command5_Click}) {
            const Effects effects = step(form);
            QCOMPARE(MessageOf(effects), QString());
            form.apply(effects);
        }
        QCOMPARE(form.triple(QStringLiteral("txtDeg1")),
                 (FieldTexts{QStringLiteral("0"), QStringLiteral("57"), QStringLiteral("15")}));
        QCOMPARE(form.triple(QStringLiteral("txtDeg2")),
                 (FieldTexts{QStringLiteral("0"), QStringLiteral("32"), QStringLiteral("20")}));
        QCOMPARE(form.triple(QStringLiteral("txtTime1")),
                 (FieldTexts{QStringLiteral("13"), QStringLiteral("33"), QStringLiteral("17")}));
        QCOMPARE(ResultRowOf(form), (ResultRow{QStringLiteral("Solar"), QStringLiteral("6.7.2024"),
                                               QStringLiteral("14h33m17s")}));

        const QString text =
            fileText(QStringLiteral(VELMORA_DOCS_SOURCE_DIR "/other/Berechnung des Solars.html"));
        for (const char *shown : {"0°57'15''", "0°32'20''", "13,5546 h", "13 h 33 m 17 s",
                                  "14 h 33 m 17 s", "6.7.2024", "14h33m17s"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
    }

    void workedExampleRectification()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ValueMap form;
        const auto triple = [&form](const char *control, const char *a, const char *b,
                                    const char *c) {
            form.setTriple(QLatin1String(control),
                           {QLatin1String(a), QLatin1String(b), QLatin1String(c)});
        };
        triple("txtTime2", "6", "2", "10");
        triple("txtTime7", "6", "2", "10");
        form.setText(QStringLiteral("txtJahre2"), 0, QStringLiteral("34"));
        form.setText(QStringLiteral("txtJahre2"), 1, QStringLiteral("120"));
        form.setList(QStringLiteral("Combo1"), -1, {QStringLiteral("-0h"), QStringLiteral("-24h")});
        triple("txtDeg3", "15", "20", "0");
        triple("txtDeg4", "14", "18", "30");
        triple("txtDeg6", "14", "50", "10");
        triple("txtDeg7", "14", "18", "30");
        const QStringList signChange{QStringLiteral("-30"), QStringLiteral("+0"),
                                     QStringLiteral("+30")};
        form.setList(QStringLiteral("Combo3"), -1, signChange, 1);
        form.setList(QStringLiteral("Combo4"), -1, signChange, 1);
        form.setText(QStringLiteral("Text5"), -1, QStringLiteral("124"));
        form.setList(QStringLiteral("Combo2"), -1,
                     {QStringLiteral(" 0"), QStringLiteral("+360"), QStringLiteral("- 360")});
        form.setText(QStringLiteral("Text7"), 0, QStringLiteral("Heirat"));

        using namespace RektiSteps;
        for (const auto step :
             {Command2_Click, Command3_Click, Command4_Click, Command5_Click, Command6_Click,
              Command7_Click, Command8_Click, Command9_Click, Command10_Click, Command11_Click,
              Command12_Click, Command13_Click}) {
            const Effects effects = step(form);
            QCOMPARE(MessageOf(effects), QString());
            form.apply(effects);
        }
        QCOMPARE(form.text(QStringLiteral("Text1"), 3), QStringLiteral("34,3287671232877"));
        const auto shows = [&form](const char *control, const char *a, const char *b,
                                   const char *c) {
            return form.triple(QLatin1String(control)) ==
                   FieldTexts{QLatin1String(a), QLatin1String(b), QLatin1String(c)};
        };
        QVERIFY(shows("txtDeg1", "33", "49", "58"));
        QVERIFY(shows("txtTime1", "2", "15", "20"));
        QVERIFY(shows("txtTime5", "8", "17", "30"));
        QVERIFY(shows("txtDeg5", "1", "1", "30"));
        QVERIFY(shows("txtDeg8", "0", "31", "40"));
        QVERIFY(shows("txtDeg11", "0", "30", "54"));
        QVERIFY(shows("txtDeg13", "124", "30", "54"));
        QVERIFY(shows("txtDeg16", "90", "40", "56"));
        QVERIFY(shows("txtTime6", "6", "2", "44"));
        QVERIFY(shows("txtTime9", "0", "0", "34"));
        QCOMPARE(ResultRowOf(form),
                 (ResultRow{QStringLiteral("Rektifikation"), QStringLiteral("Heirat"),
                            QStringLiteral("0h0m34s")}));

        const QString text = fileText(
            QStringLiteral(VELMORA_DOCS_SOURCE_DIR "/other/Berechnung der Rektifikation.html"));
        for (const char *shown :
             {"34,3287671232877", "33°49'58''", "2 h 15 m 20 s", "8 h 17 m 30 s", "1°01'30''",
              "0°31'40''", "0,5149", "0°30'54''", "124°30'54''", "90°40'56''", "6 h 2 m 44 s",
              "0 h 0 m 34 s", "0h0m34s"})
            QVERIFY2(text.contains(QString::fromUtf8(shown)), shown);
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
