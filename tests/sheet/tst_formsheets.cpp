#include "main/mainwindow.h"
#include "rekti/rectificationform.h"
#include "sheet/sheetrender.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"

#include <QComboBox>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

// The calculation sheets as the forms make them from what the user has
// filled in: every step's values in step order on the PDF page, and the
// steps not worked yet marked as such.
class tst_FormSheets : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() { QVERIFY(m_store.clear()); }
    void solar_data();
    void solar();
    void swappedAfterRightRun();
    void rectification();

private:
    IsolatedStore m_store;
    QTemporaryDir m_tmp;
};

namespace {

// The PDF's text, its blanks and line breaks made single blanks.
QString pdfText(const QString &path)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-layout"_s, path, u"-"_s});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput()).simplified();
}

// The first of `fragments` not found after its predecessor in `text`.
QString firstOutOfOrder(const QString &text, const QStringList &fragments)
{
    qsizetype from = 0;
    for (const QString &fragment : fragments) {
        const qsizetype at = text.indexOf(fragment, from);
        if (at < 0)
            return fragment;
        from = at + fragment.size();
    }
    return {};
}

void fillPerson(MainWindow &window)
{
    for (const auto &[field, text] : {std::pair{"Text1h_0", u"Erika Muster"_s},
                                      {"txtDateh_0", u"6"_s},
                                      {"txtDateh_1", u"7"_s},
                                      {"txtDateh_2", u"1980"_s},
                                      {"txtTime0h_0", u"14"_s},
                                      {"txtTime0h_1", u"30"_s},
                                      {"txtTime0h_2", u"0"_s},
                                      {"Text3h_0", u"Berlin"_s}})
        TypeInto(&window, field, text);
}

void pick(QWidget *form, const char *lists, QList<int> positions)
{
    for (int i = 0; i < 3; ++i)
        form->findChild<QComboBox *>(QLatin1String(lists) + u'_' + QString::number(i))
            ->setCurrentIndex(positions[i]);
}

QString render(const Sheet &sheet, const QString &path)
{
    const QString failure = writeSheetPdf(sheet, path);
    return failure.isEmpty() ? pdfText(path) : failure;
}

} // namespace

void tst_FormSheets::solar_data()
{
    QTest::addColumn<QStringList>("steps"); // the buttons pressed, in order
    QTest::addColumn<QStringList>("inOrder");
    QTest::addColumn<int>("pending"); // how often "noch nicht berechnet" stands on it

    // The head stands in two columns, read line by line.
    const QStringList head{
        u"Rechenblatt Solar"_s, u"Erika Muster"_s, u"Krebs"_s, u"6.7.1980"_s, u"2024"_s,
        u"14 h 30 m 0 s"_s,     u"Berlin"_s};
    QTest::newRow("worked to the end")
        << QStringList{u"Command2"_s, u"Command3"_s, u"Command4"_s, u"Command1"_s, u"Command5"_s}
        << head + QStringList{u"1. Die nächstgelegenen Sonnenpositionen"_s,
                              u"13°28'35''"_s,
                              u"14°25'49''"_s,
                              u"A = 14°25'49'' − 13°28'35'' = 0°57'14''"_s,
                              u"B = 14°22'30'' − 13°28'35'' = 0°53'55''"_s,
                              u"3235'' ÷ 3434'' × 24 h = 22,6092 h = 22h36m33s"_s,
                              u"Zeitzone: 22h36m33s + 1 h = 23h36m33s"_s,
                              u"Datum des Solars 5.7.2024, Uhrzeit des Solars 23h36m33s"_s,
                              u"Kontrolle mit genauer Rechnung"_s,
                              u"Uhrzeit Greenwich 22h36m33s 22h36m29s +4 s"_s,
                              u"Ihre Rechnung ist richtig"_s}
        << 0;
    QTest::newRow("steps 2 and 3 only")
        << QStringList{u"Command2"_s, u"Command3"_s}
        << head + QStringList{u"Ergebnis A = 0°57'14''"_s, u"Ergebnis B = 0°53'55''"_s,
                              u"noch nicht berechnet"_s, u"noch nicht berechnet"_s,
                              u"Schritt 4 (Uhrzeit Greenwich) wurde nicht gerechnet."_s}
        << 3; // steps 4 and 5 and the final result
}

// Radix Krebs 14°22'30'' and the ephemeris of 5 and 6 July 2024, as a
// student picks them.
void tst_FormSheets::solar()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, inOrder);
    QFETCH(int, pending);

    RecordingServices recorder;
    MainWindow window;
    fillPerson(window);
    Click(&window, "Command2");
    auto *form = window.findChild<SolarForm *>();
    QVERIFY(form);
    TypeInto(form, "Text1_0", u"Krebs"_s);
    TypeInto(form, "Text1_1", u"2024"_s);
    pick(form, "cmbDeg13", {14, 22, 30});
    pick(form, "cmbDeg1", {13, 28, 35});
    pick(form, "cmbDeg2", {14, 25, 49});
    TypeInto(form, "Text1_2", u"5"_s);
    TypeInto(form, "Text1_3", u"7"_s);
    TypeInto(form, "Text1_4", u"2024"_s);
    for (const QString &step : std::as_const(steps))
        Click(form, step.toLatin1().constData());
    QCOMPARE(recorder.messages, QStringList());

    const QString text = render(
        form->calculationSheet(),
        m_tmp.filePath(u"Solar "_s + QString::fromLatin1(QTest::currentDataTag()) + u".pdf"_s));
    QVERIFY2(firstOutOfOrder(text, inOrder).isEmpty(), qPrintable(text));
    QCOMPARE(text.count(u"noch nicht berechnet"_s), pending);
}

// Every subtraction "a − b = c" of angles on a sheet, with c not a − b.
QStringList falseEquations(const QString &text)
{
    static const QRegularExpression subtraction(
        u"(\\d+)°(\\d+)'(\\d+)'' − (\\d+)°(\\d+)'(\\d+)'' = (\\d+)°(\\d+)'(\\d+)''"_s);
    QStringList wrong;
    for (const QRegularExpressionMatch &m : subtraction.globalMatch(text)) {
        const auto arc = [&m](int first) {
            return m.captured(first).toInt() * 3600 + m.captured(first + 1).toInt() * 60 +
                   m.captured(first + 2).toInt();
        };
        if (arc(1) - arc(4) != arc(7))
            wrong << m.captured();
    }
    return wrong;
}

// After a right run the two positions are swapped and steps 2 and 3 pressed:
// both refuse, and the sheet shows their inputs without the old results.
void tst_FormSheets::swappedAfterRightRun()
{
    RecordingServices recorder;
    MainWindow window;
    fillPerson(window);
    Click(&window, "Command2");
    auto *form = window.findChild<SolarForm *>();
    TypeInto(form, "Text1_0", u"Krebs"_s);
    TypeInto(form, "Text1_1", u"2024"_s);
    pick(form, "cmbDeg13", {14, 22, 30});
    pick(form, "cmbDeg1", {13, 28, 35});
    pick(form, "cmbDeg2", {14, 25, 49});
    for (const char *step : {"Command2", "Command3", "Command4", "Command1", "Command5"})
        Click(form, step);
    pick(form, "cmbDeg1", {14, 25, 49});
    pick(form, "cmbDeg2", {13, 28, 35});
    Click(form, "Command2");
    Click(form, "Command3");
    QCOMPARE(recorder.messages.size(), 2);

    const QString text = render(form->calculationSheet(), m_tmp.filePath(u"swapped.pdf"_s));
    QCOMPARE(falseEquations(text), QStringList());
    QVERIFY(text.contains(u"A = 13°28'35'' − 14°25'49''"_s));
    QVERIFY(!text.contains(u"Ergebnis A"_s) && !text.contains(u"Datum des Solars 5.7.2024"_s));
    QVERIFY(text.count(staleText()) >= 5); // steps 2 to 5 and the final result
    QVERIFY(text.contains(u"1. und 2. Datum sind vertauscht"_s));
}

// The worked rectification under German settings, the decimal comma included.
void tst_FormSheets::rectification()
{
    RecordingServices recorder;
    MainWindow window;
    fillPerson(window);
    Click(&window, "Command3");
    auto *form = window.findChild<RectificationForm *>();
    QVERIFY(form);
    const auto type = [form](const char *fields, const QStringList &texts) {
        for (int i = 0; i < texts.size(); ++i)
            TypeInto(form, QByteArray(QByteArray(fields) + '_' + QByteArray::number(i)).constData(),
                     texts[i]);
    };
    type("Text7", {u"Heirat"_s});
    type("txtTime0", {u"22"_s, u"50"_s, u"0"_s});
    type("txtJahre", {u"34"_s, u"120"_s});
    for (const char *step : {"Command2", "Command3", "Command4", "Command5", "Command6"})
        Click(form, step);

    type("txtSternZeit1", {u"5"_s, u"30"_s});
    type("txtSTernZeit2", {u"5"_s, u"26"_s});
    type("txtDeg3", {u"15"_s, u"20"_s, u"0"_s});
    type("txtDeg4", {u"14"_s, u"18"_s, u"30"_s});
    type("txtDeg6", {u"14"_s, u"50"_s, u"10"_s});
    type("txtDeg7", {u"14"_s, u"18"_s, u"30"_s});
    for (const char *step : {"Command7", "Command8", "Command9"})
        Click(form, step);
    TypeInto(form, "Text5", u"123"_s);
    for (const char *step : {"Command10", "Command11", "Command12", "Command13"})
        Click(form, step);
    QCOMPARE(recorder.messages, QStringList());

    const QString text = render(form->calculationSheet(), m_tmp.filePath(u"whole.pdf"_s));
    QCOMPARE(firstOutOfOrder(
                 text, {u"Rechenblatt Rektifikation (GZK)"_s, u"Erika Muster"_s, u"Heirat"_s,
                        u"34 Jahre 120 Tage"_s,
                        u"34 Jahre 120 Tage = 120 ÷ 365 + 34 = 34,3287671232877 Jahre"_s,
                        u"33°49'58'' = 33,8328° × 4 m = 2,2555 h = 2h15m20s"_s,
                        u"25h05m20s − 24 h = 1h05m20s"_s, u"1900'' ÷ 3690'' = 0,5149 = 0°30'54''"_s,
                        u"89°40'56''"_s, u"89°40'56'' = 89,6822° × 4 m = 5,9788 h = 5h58m44s"_s,
                        u"5h58m44s − 22h50m00s = −16h51m16s"_s,
                        u"Die Geburtszeit ist um 16 h 51 m 16 s früher."_s,
                        u"Gesuchte Zeitdifferenz: −16h51m16s"_s}),
             QString());
    // The final result stands on the page of the last step.
    const QString end = text.mid(text.indexOf(u"8. Ermittlung"_s));
    QVERIFY(!end.left(end.indexOf(u"Gesuchte Zeitdifferenz:"_s)).contains(u"Seite "_s));
    QCOMPARE(text.count(u"noch nicht berechnet"_s), 0);
}

QTEST_MAIN(tst_FormSheets)
#include "tst_formsheets.moc"
