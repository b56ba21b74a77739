#include "sheet/sheetactions.h"
#include "sheet/sheetbuilders.h"
#include "sheet/sheetrender.h"
#include "tests/support/testsupport.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(Sheet)

namespace {

TextTriple t(const char *a, const char *b, const char *c)
{
    return {s(a), s(b), s(c)};
}

PersonTexts erika()
{
    return {s("Erika Muster"), t("3", "7", "1975"), t("14", "30", "0"), s("Berlin")};
}

// The worked Solar return, with the step texts of the Solar form.
SolarSheetValues solarExample()
{
    SolarSheetValues v;
    v.person = erika();
    v.printed = QDate(2024, 7, 15);
    v.steps = {{{s("Die nächstgelegenen Sonnenpositionen"),
                 s("In den Ephemeriden suchen wir den gefragten Geburtstag. Dann wählen wir die "
                   "zwei Sonnenpositionen, die der Radix-Sonne am nächsten liegen. Der kleinere "
                   "Wert zeigt, auf welches Datum das gesuchte Jahr fällt.")},
                {s("Differenz Sonnenbewegung"), {}},
                {s("Entfernungswert"), {}},
                {s("Uhrzeit des Solars nach folgender Formel:"),
                 s("Entfernungswert  (B)  x  24 ÷ Differenz Sonnenbewegung (A)")},
                {{},
                 s("Da die Zeit für Greenwich berechnet wurde, muss noch die entsprechende "
                   "Zeitzone addiert oder subtrahiert werden. Für Deutschland gilt immer +1 "
                   "Stunde.")}}};
    v.sign = s("Krebs");
    v.year = s("2024");
    v.radixSun = t("14°", "22'", "30''");
    v.sunDate1 = t("13°", "50'", "10''");
    v.sunDate2 = t("14°", "47'", "25''");
    v.motionDate2 = t("14", "47", "25");
    v.motionDate1 = v.distanceDate1 = t("13", "50", "10");
    v.motion = v.formulaMotion = t("0", "57", "15");
    v.distanceRadix = v.radixSun;
    v.distance = v.formulaDistance = t("0", "32", "20");
    v.greenwichTime = v.zoneFrom = t("13", "33", "17");
    v.timeZone = s("+1");
    v.zoneTime = v.finalTime = t("14", "33", "17");
    v.solarDate = t("12", "7", "2024");
    v.dayShift = s("+0h");
    return v;
}

// The worked rectification, as the form shows it under German settings.
RectificationSheetValues rectificationExample()
{
    RectificationSheetValues v;
    v.person = {s("Erika Muster"), t("12", "3", "1980"), t("6", "45", "0"), s("Köln")};
    v.printed = QDate(2024, 7, 15);
    v.steps = {{{s(" Ermittlung des genauen Alters zum Zeitpunkt des Ereignisses"),
                 s("Es wird das tatsächliche Alter zuzüglich bis zum Ereignis der vergangenen "
                   "Tage errechnet.")},
                {s("Berechnung des Direktionsbogens"), {}},
                {s("Umwandlung des Direktionsbogens in Zeit"), {}},
                {s("Sternzeit des Ereignisses"), s("Falls über 24h, 24h abziehen")},
                {s("Ermittlung des korrigierten AC- oder MC-Wertes"),
                 s("Jetzt wird der passende Aspekt (nur Hauptaspekte) zu einem Radix-Planeten "
                   "ermittelt und die bogen- sekundengenaue Position des Radix-Planeten als "
                   "korrigierter Wert übernommen. Der korrigierte Wert muss innerhalb des "
                   "größeren und kleineren Wertes liegen.  Bei dem AC haben wir vier Werte. Wir "
                   "nehmen auch hier den kleinsten und den größten Wert.")},
                {s("Korrektur der RAMC"),
                 s("Wir entnehmen die RAMC den Häusertabellen. Es ist immer der Wert der "
                   "kleineren Sternzeit.")},
                {s("Umwandlung der korrigierten RAMC in Zeit"), {}},
                {s("Ermittlung der gesuchten Zeitdifferenz"), {}}}};
    v.birthSiderealTime = v.sumBirth = v.differenceBirth = t("6", "2", "10");
    v.event = s("Hochzeit");
    v.eventDate = s("14.5.2014");
    v.age = v.ageCopy = {s("34"), s("120")};
    v.decimalYears = s("34,3287671232877");
    v.arc = v.arcForTime = v.arcCopy = t("33", "49", "58");
    v.arcTime = v.sumArc = t("2", "15", "20");
    v.sum = v.eventSiderealTime = t("8", "17", "30");
    v.dayReduction = s("-0h");
    v.tableSmaller = {s("8"), s("16")};
    v.tableGreater = {s("8"), s("20")};
    v.greater = t("15", "20", "0");
    v.smaller = v.smallerAgain = t("14", "18", "30");
    v.firstCorrection = v.secondCorrection = s("+0");
    v.firstDifference = v.denominator = t("1", "1", "30");
    v.corrected = t("14", "50", "10");
    v.secondDifference = v.numerator = t("0", "31", "40");
    v.quotient = v.quotientCopy = t("0", "30", "54");
    v.ramc = s("123");
    v.ramcPlusQuotient = t("123", "30", "54");
    v.circleCorrection = s(" 0");
    v.correctedRamc = v.ramcForTime = t("89", "40", "56");
    v.ramcTime = v.differenceRamcTime = t("5", "58", "44");
    v.timeDifference = t("0", "-3", "-26");
    return v;
}

QStringList texts(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *text : list)
        out << s(text);
    return out;
}

// The text of a PDF file page by page, each page's blanks and line breaks
// made single blanks, as a reader of the page takes it in.
QStringList pdfPages(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    for (QString &page : pages)
        page = page.simplified();
    pages.removeAll(QString());
    return pages;
}

// The fonts of a PDF file that are not embedded, or "none" when it has none.
QStringList unembeddedFonts(const QString &path)
{
    QProcess pdffonts;
    pdffonts.start(QStringLiteral("pdffonts"), {path});
    if (!pdffonts.waitForFinished() || pdffonts.exitCode() != 0)
        return {QStringLiteral("pdffonts failed")};
    const QStringList lines = QString::fromUtf8(pdffonts.readAllStandardOutput()).split(u'\n');
    static const QRegularExpression flags(
        QStringLiteral("\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    QStringList missing;
    int fonts = 0;
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = flags.match(line);
        if (!m.hasMatch())
            continue;
        ++fonts;
        if (m.captured(1) != u"yes")
            missing << line.section(u' ', 0, 0);
    }
    return fonts == 0 ? QStringList{QStringLiteral("none")} : missing;
}

// The first of `fragments` not found after its predecessor in `text`.
QString firstOutOfOrder(const QString &text, const QStringList &fragments)
{
    qsizetype from = 0;
    for (const QString &fragment : fragments) {
        const qsizetype at = text.indexOf(fragment.simplified(), from);
        if (at < 0)
            return fragment;
        from = at + fragment.simplified().size();
    }
    return {};
}

} // namespace

class tst_Sheet : public QObject {
    Q_OBJECT

private slots:
    void sheetAsText_data();
    void sheetAsText();
    void unwritableFolder_data();
    void unwritableFolder();
    void fileNames_data();
    void fileNames();
    void buttonMenu();

private:
    QTemporaryDir tmp;
};

void tst_Sheet::sheetAsText_data()
{
    QTest::addColumn<Sheet>("sheet");
    QTest::addColumn<bool>("printer"); // through the printer as printing does, else QPdfWriter
    QTest::addColumn<QStringList>("inOrder");
    QTest::addColumn<int>("pending"); // how often "noch nicht berechnet" stands on the sheet

    const QStringList solar =
        texts({"Rechenblatt Solar",
               "Erika Muster",
               "Krebs",
               "3.7.1975",
               "2024",
               "14 h 30 m 0 s",
               "14°22'30''",
               "Berlin",
               "15.07.2024",
               "1. Die nächstgelegenen Sonnenpositionen",
               "In den Ephemeriden suchen wir",
               "Sonnenstand 1. Datum: 13°50'10''",
               "Sonnenstand 2. Datum: 14°47'25''",
               "2. Differenz Sonnenbewegung",
               "A = 14°47'25'' − 13°50'10'' = 0°57'15''",
               "Ergebnis A = 0°57'15''",
               "3. Entfernungswert",
               "B = 14°22'30'' − 13°50'10'' = 0°32'20''",
               "Ergebnis B = 0°32'20''",
               "4. Uhrzeit des Solars nach folgender Formel:",
               "Uhrzeit = B ÷ A × 24 h",
               "Uhrzeit = 0°32'20'' ÷ 0°57'15'' × 24 h = 13 h 33 m 17 s",
               "Uhrzeit des Solars (Greenwich) = 13 h 33 m 17 s",
               "5.",
               "Für Deutschland gilt",
               "13 h 33 m 17 s +1 h = 14 h 33 m 17 s",
               "14 h 33 m 17 s +0h = 14 h 33 m 17 s",
               "Uhrzeit des Solars = 14 h 33 m 17 s",
               "Endergebnis: Datum des Solars 12.7.2024, Uhrzeit des Solars 14 h 33 m 17 s"});
    QTest::newRow("Solar, worked example") << solarSheet(solarExample()) << false << solar << 0;
    QTest::newRow("Solar, printed") << solarSheet(solarExample()) << true << solar << 0;

    SolarSheetValues checked = solarExample();
    checked.check = SheetTable{s("Kontrolle"),
                               texts({"", "Handrechnung", "Genaue Rechnung"}),
                               {texts({"Uhrzeit", "14 h 33 m 17 s", "14 h 33 m 9 s"})},
                               s("Die Handrechnung liegt 8 Sekunden neben der genauen.")};
    QTest::newRow("Solar with its check")
        << solarSheet(checked) << false
        << texts({"Endergebnis: Datum des Solars", "Kontrolle", "Handrechnung", "Genaue Rechnung",
                  "Uhrzeit 14 h 33 m 17 s 14 h 33 m 9 s",
                  "Die Handrechnung liegt 8 Sekunden neben der genauen."})
        << 0;

    // Steps 1 to 3 worked, 4 and 5 not: their headings stay.
    SolarSheetValues half = solarExample();
    half.greenwichTime = half.zoneFrom = half.zoneTime = half.finalTime = {};
    half.formulaDistance = half.formulaMotion = {};
    QTest::newRow("Solar, three steps worked")
        << solarSheet(half) << false
        << texts({"Ergebnis B = 0°32'20''", "4. Uhrzeit des Solars nach folgender Formel:",
                  "Uhrzeit = B ÷ A × 24 h", "noch nicht berechnet", "5.", "Für Deutschland",
                  "noch nicht berechnet", "Endergebnis: noch nicht berechnet"})
        << 3;

    QTest::newRow("rectification, worked example")
        << rectificationSheet(rectificationExample()) << false
        << texts({"Rechenblatt Rektifikation (GZK)",
                  "Erika Muster",
                  "Sternzeit der Geburt",
                  "6 h 2 m 10 s",
                  "12.3.1980",
                  "Hochzeit",
                  "6 h 45 m 0 s",
                  "14.5.2014",
                  "Köln",
                  "15.07.2024",
                  "1. Ermittlung des genauen Alters zum Zeitpunkt des Ereignisses",
                  "Es wird das tatsächliche Alter",
                  "Alter zum Ereignis: 34 Jahre 120 Tage",
                  "2. Berechnung des Direktionsbogens",
                  "34 Jahre 120 Tage = 34,3287671232877 Jahre",
                  "34,3287671232877 × 0°59'08'' = 33°49'58''",
                  "Direktionsbogen = 33°49'58''",
                  "3. Umwandlung des Direktionsbogens in Zeit",
                  "33°49'58'' × 4 m = 2 h 15 m 20 s",
                  "Direktionsbogen in Zeit = 2 h 15 m 20 s",
                  "4. Sternzeit des Ereignisses",
                  "Falls über 24h, 24h abziehen",
                  "6 h 2 m 10 s + 2 h 15 m 20 s = 8 h 17 m 30 s",
                  "8 h 17 m 30 s -0h = 8 h 17 m 30 s",
                  "Sternzeit des Ereignisses = 8 h 17 m 30 s",
                  "5. Ermittlung des korrigierten AC- oder MC-Wertes",
                  "kleinerer Wert 8 h 16 m, größerer Wert 8 h 20 m",
                  "15°20'0'' − 14°18'30'' +0° = 1°1'30''",
                  "14°50'10'' − 14°18'30'' +0° = 0°31'40''",
                  "0°31'40'' ÷ 1°1'30'' = 0°30'54''",
                  "Ergebnis der Differenzwerte = 0°30'54''",
                  "6. Korrektur der RAMC",
                  "123° + 0°30'54'' = 123°30'54''",
                  "123°30'54'' − 33°49'58'' +0° = 89°40'56''",
                  "korrigierte RAMC = 89°40'56''",
                  "7. Umwandlung der korrigierten RAMC in Zeit",
                  "89°40'56'' × 4 m = 5 h 58 m 44 s",
                  "korrigierte RAMC in Zeit = 5 h 58 m 44 s",
                  "8. Ermittlung der gesuchten Zeitdifferenz",
                  "5 h 58 m 44 s − 6 h 2 m 10 s = 0 h -3 m -26 s",
                  "gesuchte Zeitdifferenz = 0 h -3 m -26 s",
                  "Gesuchte Zeitdifferenz: 0 h -3 m -26 s"})
        << 0;

    // Past midnight the user has taken off 24 hours; the decimal years are
    // computed but not yet the arc; step 6 is worked on an empty arc with
    // "- 360", and nothing else.
    RectificationSheetValues partly = rectificationExample();
    partly.arc = partly.arcForTime = partly.arcTime = {};
    partly.sumBirth = t("22", "50", "0");
    partly.sum = t("25", "5", "20");
    partly.dayReduction = s("-24h");
    partly.eventSiderealTime = t("1", "5", "20");
    partly.firstDifference = partly.secondDifference = partly.quotient = {};
    partly.ramc = s("360");
    partly.quotientCopy = t("0", "30", "0");
    partly.ramcPlusQuotient = t("360", "30", "0");
    partly.arcCopy = {};
    partly.circleCorrection = s("- 360");
    partly.correctedRamc = t("0", "30", "0");
    partly.ramcTime = partly.timeDifference = {};
    QTest::newRow("rectification, partly worked")
        << rectificationSheet(partly) << false
        << texts({"2. Berechnung des Direktionsbogens",
                  "34 Jahre 120 Tage = 34,3287671232877 Jahre", "noch nicht berechnet",
                  "3. Umwandlung des Direktionsbogens in Zeit", "noch nicht berechnet",
                  "22 h 50 m 0 s + 2 h 15 m 20 s = 25 h 5 m 20 s",
                  "25 h 5 m 20 s -24h = 1 h 5 m 20 s", "5. Ermittlung", "kleinerer Wert 8 h 16 m",
                  "noch nicht berechnet", "360° + 0°30'0'' = 360°30'0''",
                  "360°30'0'' − (leer) - 360° = 0°30'0''", "korrigierte RAMC = 0°30'0''",
                  "7. Umwandlung", "noch nicht berechnet", "8.", "noch nicht berechnet",
                  "Gesuchte Zeitdifferenz: noch nicht berechnet"})
        << 6;
}

// The sheet as a reader of the PDF finds it: every value in step order, the
// missing steps marked, each step on one page, every font embedded.
void tst_Sheet::sheetAsText()
{
    QFETCH(Sheet, sheet);
    QFETCH(bool, printer);
    QFETCH(QStringList, inOrder);
    QFETCH(int, pending);

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
    QVERIFY2(!pages.isEmpty(), "pdftotext (poppler-utils) gave no text");
    const QString whole = pages.join(u' ');
    QCOMPARE(firstOutOfOrder(whole, inOrder), QString());
    QCOMPARE(whole.count(notComputedText()), pending);
    for (const SheetStep &step : std::as_const(sheet.steps)) {
        if (step.result.isEmpty())
            continue;
        // A step without a heading is known by its explanation.
        const QString start = step.heading.isEmpty()
                                  ? step.explanation.left(40)
                                  : QStringLiteral("%1. %2").arg(step.number).arg(step.heading);
        for (const QString &page : pages)
            if (page.contains(start.simplified()))
                QVERIFY2(page.contains(step.result), qPrintable(start));
    }
    QCOMPARE(unembeddedFonts(path), QStringList());
}

void tst_Sheet::unwritableFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    const QString base = tmp.filePath(QStringLiteral("unwritable"));
    QTest::newRow("without write permission") << base + QStringLiteral("/read-only") << s("");
    QTest::newRow("not there") << base + QStringLiteral("/fehlt") << s("");
    QTest::newRow("a file in its place") << base + QStringLiteral("/datei") << s("");
    QTest::newRow("the file name is a folder") << base << s(" ist ein Ordner.");
}

// A PDF that cannot be written: one message, no file, nothing half-written.
void tst_Sheet::unwritableFolder()
{
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    const QString base = tmp.filePath(QStringLiteral("unwritable"));
    QVERIFY(QDir().mkpath(base + QStringLiteral("/read-only")));
    QVERIFY(QDir().mkpath(base + QStringLiteral("/Solar.pdf")));
    QFile file(base + QStringLiteral("/datei"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QFile::setPermissions(base + QStringLiteral("/read-only"),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(base + QStringLiteral("/read-only"), QFileDevice::ReadOwner |
                                                                       QFileDevice::WriteOwner |
                                                                       QFileDevice::ExeOwner);
    });
    if (QTest::currentDataTag() == QByteArray("without write permission")) {
        QFile probe(folder + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QSKIP("this user may write into a folder without write permission");
        }
    }

    const QStringList before = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    RecordingServices recorder;
    QWidget parent;
    const QString path = folder + QStringLiteral("/Solar.pdf");
    QVERIFY(!saveSheetPdfTo(&parent, solarSheet(solarExample()), path, calculationSheetTexts()));

    QCOMPARE(recorder.messages.size(), 1);
    QVERIFY(recorder.messages[0].startsWith(s("Rechenblatt: ")));
    const QString text = recorder.messages[0].mid(13);
    QVERIFY2(text.startsWith(s("Das Rechenblatt konnte nicht gespeichert werden: „") + path),
             qPrintable(text));
    QVERIFY2(text.endsWith(reason), qPrintable(text));
    QCOMPARE(recorder.messageParents, QList<QWidget *>{&parent});
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), before);
}

void tst_Sheet::fileNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("solar");
    QTest::addColumn<QString>("rectification");
    QTest::newRow("plain") << s("Erika Muster") << s("2024") << s("Solar Erika Muster 2024.pdf")
                           << s("Rektifikation Erika Muster.pdf");
    QTest::newRow("forbidden characters")
        << s("Erika/Muster: \"Mia\" <*?|\\>") << s("20\t24") << s("Solar ErikaMuster Mia 2024.pdf")
        << s("Rektifikation ErikaMuster Mia.pdf");
    QTest::newRow("blanks around")
        << s("  Jörg  Groß ") << s(" 2024 ") << s("Solar Jörg Groß 2024.pdf")
        << s("Rektifikation Jörg Groß.pdf");
    QTest::newRow("no name, no year") << s("") << s("") << s("Solar.pdf") << s("Rektifikation.pdf");
    QTest::newRow("only forbidden")
        << s("/..") << s("") << s("Solar ...pdf") << s("Rektifikation ...pdf");
}

void tst_Sheet::fileNames()
{
    QFETCH(QString, name);
    QFETCH(QString, year);
    QFETCH(QString, solar);
    QFETCH(QString, rectification);
    QCOMPARE(solarSheetFileName(name, year), solar);
    QCOMPARE(rectificationSheetFileName(name), rectification);
}

// The button's menu: the two actions by the names that the forms' tests
// and the keyboard users rely on, in this order.
void tst_Sheet::buttonMenu()
{
    QPushButton button(s("Rechenblatt…"));
    int composed = 0;
    const SheetMenu menu = attachSheetMenu(
        &button, calculationSheetTexts(),
        [&composed] {
            ++composed;
            return Sheet();
        },
        [] { return s("Solar.pdf"); });
    QVERIFY(button.menu());
    const QList<QAction *> actions = button.menu()->actions();
    QCOMPARE(actions, (QList<QAction *>{menu.print, menu.savePdf}));
    QCOMPARE(menu.print->objectName(), s("actRechenblattDrucken"));
    QCOMPARE(menu.print->text(), s("Drucken…"));
    QCOMPARE(menu.savePdf->objectName(), s("actRechenblattPdf"));
    QCOMPARE(menu.savePdf->text(), s("Als PDF speichern…"));
    QCOMPARE(composed, 0); // the sheet is made when chosen, from the form as it is then
}

QTEST_MAIN(tst_Sheet)
#include "tst_sheet.moc"
