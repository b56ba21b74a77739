#include "settings/store.h"

#include "tests/support/testsupport.h"
#include "ui/controlarrays.h"
#include "ui/inputhelpers.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QTreeView>

// The settings store: keys as the forms and the list leave them, restores
// that run the controls' own handlers, and a store damaged by hand that
// neither stops nor hangs the program.
class tst_Store : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    void shorterListLeavesTheOldRowKeys();
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

const QString Velmo = QStringLiteral("velmo");
const QString ListView = QStringLiteral("listview");

struct List {
    QTreeView view;
    ResultList list{&view};

    QList<ResultRow> rows() const
    {
        QList<ResultRow> rows;
        for (int i = 1; i <= list.rowCount(); ++i)
            rows.append(list.row(i));
        return rows;
    }
};

ResultRow solarRow(int day)
{
    return {QStringLiteral("Solar"), QString::number(day) + QStringLiteral(".7.2009"),
            QStringLiteral("14h5m33s")};
}

} // namespace

void tst_Store::shorterListLeavesTheOldRowKeys()
{
    {
        List saved;
        for (int day = 1; day <= 5; ++day)
            saved.list.appendRow(solarRow(day));
        SaveResultList(saved.list);
        saved.list.removeRow(5);
        saved.list.removeRow(4);
        SaveResultList(saved.list);
    }
    QCOMPARE(ReadSetting(Velmo, ListView, QStringLiteral("count")), QStringLiteral("3"));
    QCOMPARE(ReadSetting(Velmo, ListView, QStringLiteral("spalte25")), QStringLiteral("5.7.2009"));
    List restored;
    RestoreResultList(restored.list);
    QCOMPARE(restored.rows(), (QList{solarRow(1), solarRow(2), solarRow(3)}));
}

void tst_Store::storedRowCount_data()
{
    QTest::addColumn<QString>("count"); // null: no key
    QTest::addColumn<int>("rows");
    // The store holds rows 1 to 3.
    QTest::newRow("missing") << QString() << 0;
    QTest::newRow("2.5, half to even") << QStringLiteral("2.5") << 2;
    QTest::newRow("no number") << QStringLiteral("abc") << 0;
    QTest::newRow("negative") << QStringLiteral("-5") << 0;
    QTest::newRow("5, rows 4 and 5 empty") << QStringLiteral("5") << 5;
    QTest::newRow("32767, the capacity") << QStringLiteral("32767") << 32767;
    // Counts that no save writes give the rows that the store has.
    QTest::newRow("32768") << QStringLiteral("32768") << 3;
    QTest::newRow("1e9") << QStringLiteral("1e9") << 3;
    QTest::newRow("2147483648") << QStringLiteral("2147483648") << 3;
}

void tst_Store::storedRowCount()
{
    QFETCH(QString, count);
    QFETCH(int, rows);
    for (int i = 1; i <= 3; ++i) {
        for (int c = 1; c <= 3; ++c)
            WriteSetting(Velmo, ListView, QStringLiteral("spalte%1%2").arg(c).arg(i),
                         QString::number(10 * c + i));
    }
    if (!count.isNull())
        WriteSetting(Velmo, ListView, QStringLiteral("count"), count);

    List list;
    RestoreResultList(list.list);
    QCOMPARE(list.list.rowCount(), rows);
    if (rows >= 3)
        QCOMPARE(list.list.row(3),
                 (ResultRow{QStringLiteral("13"), QStringLiteral("23"), QStringLiteral("33")}));
    if (rows > 3)
        QCOMPARE(list.list.row(rows), ResultRow{});
}

void tst_Store::damagedFormStore()
{
    QVERIFY(
        m_store.install(QStringLiteral(FIXTURES "/damaged-velmora.conf"), Store::FormsApplication));
    QWidget form;
    for (int i = 0; i < 3; ++i) {
        for (const char *name : {"cmbDeg1_", "cmbDeg2_", "cmbDeg5_", "cmbDeg13_"})
            (new QComboBox(&form))->setObjectName(QLatin1String(name) + QString::number(i));
        (new QLineEdit(&form))->setObjectName(QStringLiteral("txtDateh_") + QString::number(i));
    }
    for (int i = 0; i < 5; ++i)
        (new QLineEdit(&form))->setObjectName(QStringLiteral("Text1_") + QString::number(i));

    // Every restored position runs the click handler, as a user's choice would.
    QList<int> positions;
    QList<QPair<int, int>> clicks;
    for (const char *prefix : {"1", "2", "5", "13"}) {
        PickerArray pickers(&form, QStringLiteral("cmbDeg") + QLatin1String(prefix), 3);
        FillDegreePicker(pickers);
        FillMinutePicker(pickers);
        FillSecondPicker(pickers);
        pickers.select(1, 12);
        pickers.onClick([&](int e) { clicks.append({e, pickers.position(e)}); });
        RestorePickers(pickers, QLatin1String(prefix));
        for (int e = 0; e < 3; ++e)
            positions.append(pickers.position(e));
    }
    // 77, -1, abc | 2.5, 1e400, 59 | blanks and 7, 0x10, &H10 | no keys
    QCOMPARE(positions, (QList{0, 0, 0, 2, 0, 59, 7, 0, 16, 0, 0, 0}));
    QCOMPARE(clicks, (QList<QPair<int, int>>{
                         {1, 0}, {0, 2}, {1, 0}, {2, 59}, {0, 7}, {1, 0}, {2, 16}, {1, 0}}));

    FieldArray text1(&form, QStringLiteral("Text1"), 5);
    text1.setText(4, QStringLiteral("vorher"));
    RestoreFieldsByNumber(text1, 4);
    QCOMPARE(text1.triple(), (FieldTexts{QStringLiteral("Sonne, Mond"), QStringLiteral("x=y"),
                                         QStringLiteral("[Radix]")}));
    QCOMPARE(text1.text(3), QStringLiteral("eins\nzwei"));
    QCOMPARE(text1.text(4), QString()); // no key

    // Restored texts pass the range checks as typed ones do.
    FieldArray date(&form, QStringLiteral("txtDateh"), 3);
    date.onChange([&](int index) { ValidateTripleField(31, 12, 3000, date, index); });
    RestoreFieldsByName(date, 2);
    QCOMPARE(date.triple(), (FieldTexts{QString(), QStringLiteral("12"), QStringLiteral("3000")}));
    QCOMPARE(m_recorder.messages,
             (QList<RecordedMessage>{{QStringLiteral("Bitte nur gültige Zahlen eingeben!"),
                                      QStringLiteral("Solar und GZK")}}));
}

void tst_Store::damagedListStore()
{
    QVERIFY(m_store.install(QStringLiteral(FIXTURES "/damaged-velmo.conf"), Velmo));
    List damaged;
    RestoreResultList(damaged.list);
    QCOMPARE(damaged.rows(),
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
    SaveResultList(damaged.list);
    List again;
    RestoreResultList(again.list);
    QCOMPARE(again.rows(), damaged.rows());
}

void tst_Store::whatOneRunSavesTheNextRestores()
{
    auto run = [&](const char *mode) {
        QProcess peer;
        peer.start(QStringLiteral(STORE_PEER), {QLatin1String(mode), m_store.path()});
        if (!peer.waitForFinished(60000) || peer.exitStatus() != QProcess::NormalExit ||
            peer.exitCode() != 0) {
            qWarning("%s", peer.readAllStandardError().constData());
            return QStringList();
        }
        return QString::fromUtf8(peer.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    };
    const QStringList saved = run("save");
    QVERIFY(saved.size() > 20);
    QCOMPARE(run("restore"), saved);

    // Key by key as the forms' layout gives them.
    QSettings forms(QSettings::NativeFormat, QSettings::UserScope, Store::FormsApplication,
                    Store::FormsApplication);
    QCOMPARE(forms.childGroups(), QStringList{Store::FormsSection});
    forms.beginGroup(Store::FormsSection);
    QStringList keys = forms.childKeys();
    keys.sort();
    QCOMPARE(keys.join(u' '), QStringLiteral("130 131 132 textbox0 textbox1 textbox2 textbox3 "
                                             "textbox4 txtDateh0 txtDateh1 txtDateh2 "
                                             "txtSTernZeit20 txtSTernZeit21"));
    QCOMPARE(forms.value(QStringLiteral("131")).toString(), QStringLiteral("18"));
    QCOMPARE(forms.value(QStringLiteral("textbox3")).toString(),
             QStringLiteral("Zeile 1\nZeile 2"));

    QSettings list(QSettings::NativeFormat, QSettings::UserScope, Store::FormsApplication, Velmo);
    QCOMPARE(list.childGroups(), QStringList{ListView});
    QCOMPARE(list.value(QStringLiteral("listview/count")).toString(), QStringLiteral("12"));
    QCOMPARE(list.value(QStringLiteral("listview/spalte112")).toString(),
             QStringLiteral("Maria, Muster"));
}

QTEST_MAIN(tst_Store)
#include "tst_store.moc"
