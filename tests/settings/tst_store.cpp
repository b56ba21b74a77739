#include "settings/store.h"

#include "tests/support/testsupport.h"
#include "ui/controlarrays.h"
#include "ui/inputhelpers.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QTreeView>

// The settings store: keys and texts as the forms and the list leave them,
// restores that run the controls' own handlers, and a store damaged by hand
// that neither stops nor hangs the program.
class tst_Store : public QObject {
    Q_OBJECT

private slots:
    void init();

    void textsRoundTrip_data();
    void textsRoundTrip();
    void handEditedValuesComeBackAsText_data();
    void handEditedValuesComeBackAsText();

    void restoredPickersRunTheirClickHandlers();
    void fieldsAreKeyedByNumberOrName();
    void restoredFieldsPassTheRangeChecks();

    void shorterListLeavesTheOldRowKeys();
    void emptyListWritesCountZeroOnly();
    void storedRowCount_data();
    void storedRowCount();

    void damagedFormStore();
    void damagedListStore();
    void whatOneRunSavesTheNextRestores();

private:
    IsolatedStore m_store;
    RecordingServices m_recorder;
};

namespace {

const QString Velmora = QStringLiteral("velmora");
const QString Solar = QStringLiteral("solar");

QStringList fileLines(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// A form with the Solar pickers and its Text1 fields, and the rectification's
// sidereal time pair, named as the forms name them.
struct TestForm {
    QWidget widget;
    PickerArray cmbDeg13;
    FieldArray text1;
    FieldArray sternZeit2;
    FieldArray date;

    TestForm()
    {
        for (int i = 0; i < 3; ++i) {
            (new QComboBox(&widget))
                ->setObjectName(QStringLiteral("cmbDeg13_") + QString::number(i));
            (new QLineEdit(&widget))
                ->setObjectName(QStringLiteral("txtDateh_") + QString::number(i));
        }
        for (int i = 0; i < 5; ++i)
            (new QLineEdit(&widget))->setObjectName(QStringLiteral("Text1_") + QString::number(i));
        for (int i = 0; i < 2; ++i)
            (new QLineEdit(&widget))
                ->setObjectName(QStringLiteral("txtSTernZeit2_") + QString::number(i));
        cmbDeg13 = PickerArray(&widget, QStringLiteral("cmbDeg13"), 3);
        text1 = FieldArray(&widget, QStringLiteral("Text1"), 5);
        sternZeit2 = FieldArray(&widget, QStringLiteral("txtSTernZeit2"), 2);
        date = FieldArray(&widget, QStringLiteral("txtDateh"), 3);
        FillDegreePicker(cmbDeg13);
        FillMinutePicker(cmbDeg13);
        FillSecondPicker(cmbDeg13);
    }
};

QList<ResultRow> rowsOf(const ResultList &list)
{
    QList<ResultRow> rows;
    for (int i = 1; i <= list.rowCount(); ++i)
        rows.append(list.row(i));
    return rows;
}

ResultRow solarRow(int day)
{
    return {QStringLiteral("Solar"), QString::number(day) + QStringLiteral(".7.2009"),
            QStringLiteral("14h5m33s")};
}

} // namespace

void tst_Store::init()
{
    QVERIFY(m_store.clear());
    m_recorder.clear();
    NewSolarCalculation = 0;
    NewRektiCalculation = 0;
}

void tst_Store::textsRoundTrip_data()
{
    QTest::addColumn<QString>("value");

    QTest::newRow("empty") << QString();
    QTest::newRow("comma") << QStringLiteral("Heirat, 12.5.1990");
    QTest::newRow("equals sign") << QStringLiteral("a=b");
    QTest::newRow("brackets") << QStringLiteral("[listview]");
    QTest::newRow("line breaks") << QStringLiteral("Zeile 1\nZeile 2\r\n");
    QTest::newRow("blanks around") << QStringLiteral("  5  ");
    QTest::newRow("at sign first") << QStringLiteral("@ByteArray(x)");
    QTest::newRow("quotes and backslash") << QStringLiteral("\"C:\\pdf\\\"");
}

void tst_Store::textsRoundTrip()
{
    QFETCH(QString, value);

    QCOMPARE(ReadSetting(Velmora, Solar, QStringLiteral("Text1h0")), QString());
    WriteSetting(Velmora, Solar, QStringLiteral("Text1h0"), value);
    QCOMPARE(ReadSetting(Velmora, Solar, QStringLiteral("Text1h0")), value);
    // The other application and section are separate.
    QCOMPARE(ReadSetting(QStringLiteral("velmo"), Solar, QStringLiteral("Text1h0")), QString());
    QCOMPARE(ReadSetting(Velmora, QStringLiteral("listview"), QStringLiteral("Text1h0")),
             QString());
}

void tst_Store::handEditedValuesComeBackAsText_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("text");

    QTest::newRow("unquoted comma") << QByteArray("Sonne, Mond") << QStringLiteral("Sonne, Mond");
    QTest::newRow("comma without blank") << QByteArray("a,b,c") << QStringLiteral("a, b, c");
    QTest::newRow("trailing comma") << QByteArray("a,") << QStringLiteral("a, ");
    QTest::newRow("quoted comma") << QByteArray("\"a,b\"") << QStringLiteral("a,b");
    QTest::newRow("equals signs") << QByteArray("a=b=c") << QStringLiteral("a=b=c");
    QTest::newRow("bracket") << QByteArray("[x") << QStringLiteral("[x");
    QTest::newRow("escaped line break") << QByteArray("1\\n2") << QStringLiteral("1\n2");
    QTest::newRow("blanks around") << QByteArray("   7   ") << QStringLiteral("7");
    QTest::newRow("typed value") << QByteArray("@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)")
                                 << QStringLiteral("5");
    QTest::newRow("invalid value") << QByteArray("@Invalid()") << QString();
}

void tst_Store::handEditedValuesComeBackAsText()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, text);

    const QString file = m_store.fileOf(Velmora);
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[solar]\ntextbox0=" + line + "\n");
    f.close();

    QCOMPARE(ReadSetting(Velmora, Solar, QStringLiteral("textbox0")), text);
}

void tst_Store::restoredPickersRunTheirClickHandlers()
{
    WriteSetting(Velmora, Solar, QStringLiteral("130"), QStringLiteral("30"));
    WriteSetting(Velmora, Solar, QStringLiteral("132"), QStringLiteral("59"));

    TestForm form;
    form.cmbDeg13.select(1, 12); // a missing key selects the first entry
    QList<QPair<int, int>> clicks;
    form.cmbDeg13.onClick([&](int e) { clicks.append({e, form.cmbDeg13.position(e)}); });
    RestorePickers(form.cmbDeg13, QStringLiteral("13"));

    QCOMPARE(form.cmbDeg13.position(0), 30);
    QCOMPARE(form.cmbDeg13.position(1), 0);
    QCOMPARE(form.cmbDeg13.position(2), 59);
    QCOMPARE(clicks, (QList<QPair<int, int>>{{0, 30}, {1, 0}, {2, 59}}));
}

void tst_Store::fieldsAreKeyedByNumberOrName()
{
    TestForm form;
    for (int i = 0; i < 5; ++i)
        form.text1.setText(i, QString::number(i * 11));
    form.sternZeit2.setText(0, QStringLiteral("3"));
    form.sternZeit2.setText(1, QStringLiteral("7"));
    SaveFieldsByNumber(form.text1, 4);
    SaveFieldsByName(form.sternZeit2, 1);

    QCOMPARE(fileLines(m_store.fileOf(Velmora)),
             (QStringList{QStringLiteral("[solar]"), QStringLiteral("textbox0=0"),
                          QStringLiteral("textbox1=11"), QStringLiteral("textbox2=22"),
                          QStringLiteral("textbox3=33"), QStringLiteral("textbox4=44"),
                          QStringLiteral("txtSTernZeit20=3"), QStringLiteral("txtSTernZeit21=7")}));

    TestForm fresh;
    fresh.text1.setText(4, QStringLiteral("old"));
    RestoreFieldsByNumber(fresh.text1, 3); // only up to the last index given
    RestoreFieldsByName(fresh.sternZeit2, 1);
    QCOMPARE(fresh.text1.text(3), QStringLiteral("33"));
    QCOMPARE(fresh.text1.text(4), QStringLiteral("old"));
    QCOMPARE(fresh.sternZeit2.text(1), QStringLiteral("7"));
}

void tst_Store::restoredFieldsPassTheRangeChecks()
{
    WriteSetting(Velmora, Solar, QStringLiteral("txtDateh0"), QStringLiteral("32"));
    WriteSetting(Velmora, Solar, QStringLiteral("txtDateh1"), QStringLiteral("12"));
    // txtDateh2 missing: the field is emptied

    TestForm form;
    form.date.setText(2, QStringLiteral("1970"));
    form.date.onChange([&](int index) { ValidateTripleField(31, 12, 3000, form.date, index); });
    RestoreFieldsByName(form.date, 2);

    QCOMPARE(form.date.triple(), (FieldTexts{QString(), QStringLiteral("12"), QString()}));
    QCOMPARE(m_recorder.messages,
             (QList<RecordedMessage>{{QStringLiteral("Bitte nur gültige Zahlen eingeben!"),
                                      QStringLiteral("Solar und GZK")}}));
}

void tst_Store::shorterListLeavesTheOldRowKeys()
{
    {
        QTreeView view;
        ResultList list(&view);
        for (int day = 1; day <= 5; ++day)
            list.appendRow(solarRow(day));
        SaveResultList(list);
        list.removeRow(5);
        list.removeRow(4);
        SaveResultList(list);
    }
    QCOMPARE(
        ReadSetting(QStringLiteral("velmo"), QStringLiteral("listview"), QStringLiteral("count")),
        QStringLiteral("3"));
    QCOMPARE(ReadSetting(QStringLiteral("velmo"), QStringLiteral("listview"),
                         QStringLiteral("spalte25")),
             QStringLiteral("5.7.2009"));

    QTreeView view;
    ResultList list(&view);
    RestoreResultList(list);
    QCOMPARE(rowsOf(list), (QList<ResultRow>{solarRow(1), solarRow(2), solarRow(3)}));
}

void tst_Store::emptyListWritesCountZeroOnly()
{
    QTreeView view;
    ResultList list(&view);
    SaveResultList(list);
    QCOMPARE(fileLines(m_store.fileOf(QStringLiteral("velmo"))),
             (QStringList{QStringLiteral("[listview]"), QStringLiteral("count=0")}));

    RestoreResultList(list);
    QCOMPARE(list.rowCount(), 0);
}

void tst_Store::storedRowCount_data()
{
    QTest::addColumn<QString>("count"); // empty: no key
    QTest::addColumn<int>("rows");

    // The store holds rows 1 to 3.
    QTest::newRow("missing") << QString() << 0;
    QTest::newRow("2") << QStringLiteral("2") << 2;
    QTest::newRow("2.5, half to even") << QStringLiteral("2.5") << 2;
    QTest::newRow("no number") << QStringLiteral("abc") << 0;
    QTest::newRow("negative") << QStringLiteral("-5") << 0;
    QTest::newRow("5, rows 4 and 5 empty") << QStringLiteral("5") << 5;
    QTest::newRow("32767, the capacity") << QStringLiteral("32767") << 32767;
    // Counts the program never writes: the rows that the store has.
    QTest::newRow("32768") << QStringLiteral("32768") << 3;
    QTest::newRow("1e9") << QStringLiteral("1e9") << 3;
    QTest::newRow("2147483648") << QStringLiteral("2147483648") << 3;
    QTest::newRow("beyond any number") << QStringLiteral("1E400") << 3;
    QTest::newRow("below any number") << QStringLiteral("-1E400") << 0;
}

void tst_Store::storedRowCount()
{
    QFETCH(QString, count);
    QFETCH(int, rows);

    {
        QSettings store(QSettings::NativeFormat, QSettings::UserScope, Velmora,
                        QStringLiteral("velmo"));
        store.beginGroup(QStringLiteral("listview"));
        for (int i = 1; i <= 3; ++i) {
            store.setValue(QStringLiteral("spalte1") + QString::number(i), QStringLiteral("Solar"));
            store.setValue(QStringLiteral("spalte2") + QString::number(i), QString::number(i));
            store.setValue(QStringLiteral("spalte3") + QString::number(i),
                           QStringLiteral("0h0m0s"));
        }
        if (!count.isNull())
            store.setValue(QStringLiteral("count"), count);
    }

    QTreeView view;
    ResultList list(&view);
    RestoreResultList(list);
    QCOMPARE(list.rowCount(), rows);
    if (rows >= 3)
        QCOMPARE(list.row(3), (ResultRow{QStringLiteral("Solar"), QStringLiteral("3"),
                                         QStringLiteral("0h0m0s")}));
    if (rows > 3)
        QCOMPARE(list.row(rows), ResultRow{});
}

void tst_Store::damagedFormStore()
{
    QVERIFY(m_store.install(QStringLiteral(FIXTURES "/damaged-velmora.conf"), Velmora));

    QWidget widget;
    for (const QString &prefix : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")}) {
        for (int i = 0; i < 3; ++i)
            (new QComboBox(&widget))
                ->setObjectName(QStringLiteral("cmbDeg") + prefix + u'_' + QString::number(i));
    }
    for (int i = 0; i < 5; ++i)
        (new QLineEdit(&widget))->setObjectName(QStringLiteral("Text1_") + QString::number(i));

    QList<int> positions;
    for (const QString &prefix : {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")}) {
        PickerArray pickers(&widget, QStringLiteral("cmbDeg") + prefix, 3);
        FillDegreePicker(pickers);
        FillMinutePicker(pickers);
        FillSecondPicker(pickers);
        RestorePickers(pickers, prefix);
        for (int e = 0; e < 3; ++e)
            positions.append(pickers.position(e));
    }
    // 77, -1, abc | 2.5, 1e400, 59 | blanks and 7, 0x10, &H10
    QCOMPARE(positions, (QList<int>{0, 0, 0, 2, 0, 59, 7, 0, 16}));

    FieldArray text1(&widget, QStringLiteral("Text1"), 5);
    text1.setText(4, QStringLiteral("vorher"));
    RestoreFieldsByNumber(text1, 4);
    QCOMPARE(text1.text(0), QStringLiteral("Sonne, Mond"));
    QCOMPARE(text1.text(1), QStringLiteral("x=y"));
    QCOMPARE(text1.text(2), QStringLiteral("[Radix]"));
    QCOMPARE(text1.text(3), QStringLiteral("eins\nzwei"));
    QCOMPARE(text1.text(4), QString());
}

void tst_Store::damagedListStore()
{
    QVERIFY(
        m_store.install(QStringLiteral(FIXTURES "/damaged-velmo.conf"), QStringLiteral("velmo")));

    QTreeView view;
    ResultList list(&view);
    RestoreResultList(list);
    QCOMPARE(rowsOf(list),
             (QList<ResultRow>{
                 solarRow(5),
                 {QStringLiteral("Rektifikation"), QStringLiteral("Heirat, 12.5.1990"),
                  QStringLiteral("0h-3m-26s")},
                 {QStringLiteral("Solar"), QStringLiteral("a=b=c"), QStringLiteral("[1h]")},
                 {QStringLiteral("Zeile 1\nZeile 2"), QStringLiteral("quoted, comma"),
                  QStringLiteral("blanks")},
                 {QStringLiteral("Solar"), QString(), QString()},
                 {},
             }));

    // Saved again, the rows are stored as the program writes them.
    SaveResultList(list);
    QTreeView again;
    ResultList restored(&again);
    RestoreResultList(restored);
    QCOMPARE(rowsOf(restored), rowsOf(list));
}

void tst_Store::whatOneRunSavesTheNextRestores()
{
    auto run = [&](const QString &mode) {
        QProcess peer;
        peer.start(QStringLiteral(STORE_PEER), {mode, m_store.path()});
        if (!peer.waitForFinished(60000) || peer.exitStatus() != QProcess::NormalExit ||
            peer.exitCode() != 0) {
            qWarning("%s", peer.readAllStandardError().constData());
            return QStringList();
        }
        return QString::fromUtf8(peer.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    };

    const QStringList saved = run(QStringLiteral("save"));
    QVERIFY(saved.size() > 60);
    QCOMPARE(run(QStringLiteral("restore")), saved);

    // Key by key as the layout gives them.
    QSettings forms(QSettings::NativeFormat, QSettings::UserScope, Velmora, Velmora);
    QCOMPARE(forms.childGroups(), QStringList{Solar});
    forms.beginGroup(Solar);
    QStringList keys = forms.childKeys();
    keys.sort();
    QStringList expected = {QStringLiteral("Text1h0"), QStringLiteral("Text3h0"),
                            QStringLiteral("Text70")};
    for (const QString &prefix :
         {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("13")}) {
        for (int e = 0; e < 3; ++e)
            expected.append(prefix + QString::number(e));
    }
    for (int i = 0; i < 5; ++i)
        expected.append(QStringLiteral("textbox") + QString::number(i));
    for (int i = 0; i < 4; ++i)
        expected.append(QStringLiteral("Text1") + QString::number(i));
    for (const QString &name : {QStringLiteral("txtSternZeit1"), QStringLiteral("txtSTernZeit2"),
                                QStringLiteral("txtJahre"), QStringLiteral("txtJahre2")}) {
        for (int i = 0; i < 2; ++i)
            expected.append(name + QString::number(i));
    }
    for (const QString &name :
         {QStringLiteral("txtTime0"), QStringLiteral("txtDeg3"), QStringLiteral("txtDeg4"),
          QStringLiteral("txtDeg6"), QStringLiteral("txtDeg7"), QStringLiteral("txtTime2"),
          QStringLiteral("txtTime7"), QStringLiteral("txtDateh"), QStringLiteral("txtTime0h")}) {
        for (int i = 0; i < 3; ++i)
            expected.append(name + QString::number(i));
    }
    expected.sort();
    QCOMPARE(keys, expected);
    QCOMPARE(forms.value(QStringLiteral("131")).toString(), QStringLiteral("17"));
    QCOMPARE(forms.value(QStringLiteral("textbox0")).toString(), QStringLiteral("[solar]"));

    QSettings list(QSettings::NativeFormat, QSettings::UserScope, Velmora, QStringLiteral("velmo"));
    QCOMPARE(list.childGroups(), QStringList{QStringLiteral("listview")});
    QCOMPARE(list.value(QStringLiteral("listview/count")).toString(), QStringLiteral("12"));
    QCOMPARE(list.value(QStringLiteral("listview/spalte112")).toString(), QStringLiteral("a=b"));
    QCOMPARE(list.value(QStringLiteral("listview/spalte312")).toString(),
             QStringLiteral("Zeile 1\nZeile 2"));
    QCOMPARE(list.value(QStringLiteral("listview/spalte14")).toString(), QStringLiteral("äöüß°"));
}

QTEST_MAIN(tst_Store)
#include "tst_store.moc"
