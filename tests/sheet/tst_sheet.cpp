#include "sheet/sheetactions.h"
#include "sheet/sheetbuilders.h"
#include "sheet/sheetrender.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Sheets;

namespace {

// Twenty steps with long explanations and several lines each: three or more
// pages, so that page breaks fall between steps.
Sheet longSheet()
{
    Sheet sheet;
    sheet.title = s("Rechenblatt Solar");
    sheet.person = {s("Erika Muster"), s("3.7.1975"), s("14 h 30 m 0 s"), s("Berlin")};
    sheet.printed = QDate(2024, 7, 15);
    for (int n = 1; n <= 20; ++n) {
        const QString value = QString::number(n);
        sheet.steps.append({n,
                            s("Schritt ") + value,
                            s("Wir entnehmen den Wert den Ephemeriden und rechnen ihn so um, wie "
                              "es die Prüfung verlangt; die Zwischenergebnisse schreiben wir "
                              "sauber untereinander. ")
                                .repeated(2),
                            {s("A = 14°47'25'' − 13°50'10'' = 0°57'15''"),
                             s("B = 14°22'30'' − 13°50'10'' = 0°32'20''")},
                            true,
                            s("Ergebnis ") + value + s(" = 0°32'20''"),
                            {}});
    }
    sheet.finalCaption = s("Endergebnis");
    sheet.finalResult = s("12.7.2024, 14 h 33 m 17 s");
    return sheet;
}

// The lines of `pdffonts` naming a font that is not embedded; "none" when
// the file has no font at all.
QStringList unembeddedFonts(const QString &path)
{
    QProcess pdffonts;
    pdffonts.start(QStringLiteral("pdffonts"), {path});
    if (!pdffonts.waitForFinished() || pdffonts.exitCode() != 0)
        return {QStringLiteral("pdffonts failed")};
    static const QRegularExpression flags(
        QStringLiteral("\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    QStringList missing;
    int fonts = 0;
    for (const QString &line : QString::fromUtf8(pdffonts.readAllStandardOutput()).split(u'\n')) {
        const QRegularExpressionMatch m = flags.match(line);
        fonts += m.hasMatch() ? 1 : 0;
        if (m.hasMatch() && m.captured(1) != u"yes")
            missing << line;
    }
    return fonts == 0 ? QStringList{QStringLiteral("none")} : missing;
}

} // namespace

// What the sheets' layout and saving add to the sheets the forms fill in
// (tst_calculators): page breaks between steps, embedded fonts, the message
// for a file that cannot be written and the proposed file names.
class tst_Sheet : public QObject {
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<bool>("printer"); // through the printer as printing does, else QPdfWriter
        QTest::newRow("PDF file") << false;
        QTest::newRow("printed") << true;
    }

    // Each step starts and ends on the same page, and every font travels with
    // the file, so that it prints the same on another computer.
    void layout()
    {
        QFETCH(bool, printer);
        const Sheet sheet = longSheet();
        const QString path = tmp.filePath(QString::fromLatin1(QTest::currentDataTag()) + u".pdf");
        if (printer) {
            QPrinter target(QPrinter::HighResolution);
            target.setOutputFormat(QPrinter::PdfFormat);
            target.setOutputFileName(path);
            target.setPageLayout(sheetPageLayout());
            QVERIFY(renderSheet(sheet, &target));
        } else {
            QCOMPARE(writeSheetPdf(sheet, path), QString());
        }

        const QStringList pages = pdfPages(path);
        QVERIFY2(pages.size() >= 3, "pdftotext (poppler-utils) gave fewer than three pages");
        for (const SheetStep &step : sheet.steps) {
            const QString start =
                QStringLiteral("%1. %2").arg(step.number).arg(step.heading) + u' ';
            const auto page = std::find_if(pages.begin(), pages.end(), [&](const QString &text) {
                return text.contains(start);
            });
            QVERIFY2(page != pages.end(), qPrintable(start));
            QVERIFY2(page->contains(step.result), qPrintable(start));
        }
        QVERIFY(pages.last().contains(sheet.finalResult));
        QCOMPARE(unembeddedFonts(path), QStringList());
    }

    void unwritableFolder_data()
    {
        QTest::addColumn<QString>("folder"); // below the test's folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("not there") << s("/fehlt") << s("");
        QTest::newRow("the file name is a folder") << s("") << s(" ist ein Ordner.");
    }

    // A PDF that cannot be written: one message naming the file, no file left.
    void unwritableFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, reason);
        const QString base = tmp.filePath(QStringLiteral("unwritable"));
        folder.prepend(base);
        QVERIFY(QDir().mkpath(base + QStringLiteral("/Solar.pdf")));

        const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        RecordingServices recorder;
        QWidget parent;
        const QString path = folder + QStringLiteral("/Solar.pdf");
        QVERIFY(!saveSheetPdfTo(&parent, longSheet(), path, calculationSheetTexts()));

        QCOMPARE(recorder.messages.size(), 1);
        const QString text = recorder.messages[0];
        QVERIFY2(text.startsWith(
                     s("Rechenblatt: Das Rechenblatt konnte nicht gespeichert werden: „") + path),
                 qPrintable(text));
        QVERIFY2(text.endsWith(reason), qPrintable(text));
        QCOMPARE(recorder.messageParents, QList<QWidget *>{&parent});
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
    }

    // The proposed file names: name and year, without the characters no file
    // system takes and the blanks around them.
    void fileNames()
    {
        QCOMPARE(solarSheetFileName(s("Erika Muster"), s("2024")),
                 s("Solar Erika Muster 2024.pdf"));
        QCOMPARE(rectificationSheetFileName(s("Erika Muster")),
                 s("Rektifikation Erika Muster.pdf"));
        const QString odd = s(" Erika/Muster: \"Mia\" <*?|\\> ");
        QCOMPARE(solarSheetFileName(odd, s("20\t24")), s("Solar ErikaMuster Mia 2024.pdf"));
        QCOMPARE(rectificationSheetFileName(odd), s("Rektifikation ErikaMuster Mia.pdf"));
        QCOMPARE(solarSheetFileName({}, {}) + rectificationSheetFileName({}),
                 s("Solar.pdfRektifikation.pdf"));
    }

private:
    QTemporaryDir tmp;
};

QTEST_MAIN(tst_Sheet)
#include "tst_sheet.moc"
