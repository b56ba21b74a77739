#include "sheet/sheetactions.h"
#include "sheet/sheetparts.h"
#include "sheet/sheetrender.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace Sheets;

namespace {

// Twenty steps with long explanations and several lines each: three or more
// pages, so that page breaks fall between steps.
Sheet longSheet()
{
    Sheet sheet;
    sheet.title = u"Rechenblatt Solar"_s;
    sheet.person = {u"Erika Muster"_s, u"3.7.1975"_s, u"14 h 30 m 0 s"_s, u"Berlin"_s};
    sheet.printed = QDate(2024, 7, 15);
    for (int n = 1; n <= 20; ++n) {
        const QString value = QString::number(n);
        sheet.steps.append({n,
                            u"Schritt "_s + value,
                            u"Wir entnehmen den Wert den Ephemeriden und rechnen ihn so um, wie "
                            "es die Prüfung verlangt; die Zwischenergebnisse schreiben wir "
                            "sauber untereinander. "_s.repeated(2),
                            {u"A = 14°47'25'' − 13°50'10'' = 0°57'15''"_s,
                             u"B = 14°22'30'' − 13°50'10'' = 0°32'20''"_s},
                            true,
                            u"Ergebnis "_s + value + u" = 0°32'20''"_s,
                            {}});
    }
    sheet.finalCaption = u"Endergebnis"_s;
    sheet.finalResult = u"12.7.2024, 14 h 33 m 17 s"_s;
    return sheet;
}

// The lines of `pdffonts` naming a font that is not embedded; "none" when
// the file has no font at all.
QStringList unembeddedFonts(const QString &path)
{
    QProcess pdffonts;
    pdffonts.start(u"pdffonts"_s, {path});
    if (!pdffonts.waitForFinished() || pdffonts.exitCode() != 0)
        return {u"pdffonts failed"_s};
    static const QRegularExpression flags(
        u"\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"_s);
    QStringList missing;
    int fonts = 0;
    for (const QString &line : QString::fromUtf8(pdffonts.readAllStandardOutput()).split(u'\n')) {
        const QRegularExpressionMatch m = flags.match(line);
        fonts += m.hasMatch() ? 1 : 0;
        if (m.hasMatch() && m.captured(1) != u"yes")
            missing << line;
    }
    return fonts == 0 ? QStringList{u"none"_s} : missing;
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
            const QString start = u"%1. %2"_s.arg(step.number).arg(step.heading) + u' ';
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
        QTest::newRow("not there") << u"/fehlt"_s << u""_s;
        QTest::newRow("the file name is a folder") << u""_s << u" ist ein Ordner."_s;
    }

    // A PDF that cannot be written: one message naming the file, no file left.
    void unwritableFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, reason);
        const QString base = tmp.filePath(u"unwritable"_s);
        folder.prepend(base);
        QVERIFY(QDir().mkpath(base + u"/Solar.pdf"_s));

        const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        RecordingServices recorder;
        QWidget parent;
        const QString path = folder + u"/Solar.pdf"_s;
        QVERIFY(!saveSheetPdfTo(&parent, longSheet(), path, calculationSheetTexts()));

        QCOMPARE(recorder.messages.size(), 1);
        const QString text = recorder.messages[0];
        QVERIFY2(text.startsWith(
                     u"Rechenblatt: Das Rechenblatt konnte nicht gespeichert werden: „"_s + path),
                 qPrintable(text));
        QVERIFY2(text.endsWith(reason), qPrintable(text));
        QCOMPARE(recorder.messageParents, QList<QWidget *>{&parent});
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
    }

    // The proposed file names: name and year, without the characters no file
    // system takes and the blanks around them.
    void fileNames()
    {
        QCOMPARE(solarSheetFileName(u"Erika Muster"_s, u"2024"_s),
                 u"Solar Erika Muster 2024.pdf"_s);
        QCOMPARE(rectificationSheetFileName(u"Erika Muster"_s),
                 u"Rektifikation Erika Muster.pdf"_s);
        const QString odd = u" Erika/Muster: \"Mia\" <*?|\\> "_s;
        QCOMPARE(solarSheetFileName(odd, u"20\t24"_s), u"Solar ErikaMuster Mia 2024.pdf"_s);
        QCOMPARE(rectificationSheetFileName(odd), u"Rektifikation ErikaMuster Mia.pdf"_s);
        QCOMPARE(solarSheetFileName({}, {}) + rectificationSheetFileName({}),
                 u"Solar.pdfRektifikation.pdf"_s);
    }

private:
    QTemporaryDir tmp;
};

QTEST_MAIN(tst_Sheet)
#include "tst_sheet.moc"
