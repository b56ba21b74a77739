#include "settings/store.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/mainwindowaccess.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

// The form's own part of the Solar return: its controls, the pickers and
// their copies, the messages as they reach the user, paging, colours and the
// entries kept between openings. The arithmetic is tested on the steps, the
// whole calculation from the main window.
namespace {

// The main window as the Solar form sees it: a birth date and a result list.
class FakeMain : public MainWindowAccess {
public:
    QWidget *window() override { return &view; }
    FieldTexts birthDate() const override { return birth; }
    QString personName() const override { return {}; }
    ResultList &resultList() override { return list; }

    FieldTexts birth{s("3"), s("7"), s("1975")};
    QTreeView view;
    ResultList list{&view};
};

} // namespace

class tst_SolarForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init();
    void cleanup();

    void structure();
    void pickersAndKeys();
    void stepMessages_data();
    void stepMessages();
    void pagingAndColours();
    void unloadOnceAndRestore_data();
    void unloadOnceAndRestore();
    void finishingFails_data();
    void finishingFails();

private:
    QWidget *child(const QString &name) const { return form->findChild<QWidget *>(name); }
    QLineEdit *field(const QString &name) const { return form->findChild<QLineEdit *>(name); }
    QComboBox *picker(const QString &name) const { return form->findChild<QComboBox *>(name); }
    QTabWidget *tabs() const { return form->findChild<QTabWidget *>(QStringLiteral("SSTab1")); }
    void open();
    void click(const char *button) { act(form, s(button)); }
    QString shown(const char *items) const { return state(form, s(items)); }
    QColor drawn(QWidget *control, QPoint where) const;

    IsolatedStore store;
    std::unique_ptr<RecordingServices> recorder;
    std::unique_ptr<FakeMain> main;
    QPointer<SolarForm> form;
};

void tst_SolarForm::init()
{
    QVERIFY(store.clear());
    NewSolarCalculation = 0;
    recorder = std::make_unique<RecordingServices>();
    main = std::make_unique<FakeMain>();
}

void tst_SolarForm::cleanup()
{
    delete form;
    main.reset();
    recorder.reset();
}

void tst_SolarForm::open()
{
    form = new SolarForm(*main);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

QColor tst_SolarForm::drawn(QWidget *control, QPoint where) const
{
    return form->grab().toImage().pixelColor(control->mapTo(form, where));
}

void tst_SolarForm::structure()
{
    open();
    QCOMPARE(form->size(), QSize(554, 675));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(cutCaptions(form, false, true).join(u','), QString());
}

void tst_SolarForm::pickersAndKeys()
{
    open();
    // Date 1 goes into steps 2 and 3, date 2 into step 2.
    act(form, s("cmbDeg1:13,20,5 cmbDeg2:14,0,59"));
    QCOMPARE(shown("txtDeg02=,, txtDeg03=,, txtDeg01=,,"),
             s("txtDeg02=13,20,5 txtDeg03=13,20,5 txtDeg01=14,0,59"));
    // The radix of the header is carried into step 3, not back.
    act(form, s("cmbDeg13:14,22,30"));
    QCOMPARE(shown("cmbDeg5:,,"), s("cmbDeg5:14,22,30"));
    act(form, s("cmbDeg5:15,1,2"));
    QCOMPARE(shown("cmbDeg13:,,"), s("cmbDeg13:14,22,30"));

    // The positions of the dates and the day shift change only by choosing;
    // the radix and the time zone search the typed key.
    for (const QString &row :
         s("cmbDeg1_0:2:0 cmbDeg2_2:2:0 Combo1:-:0 cmbDeg13_1:2:1 cmbGMT:-:1").split(u' ')) {
        QComboBox *box = picker(row.section(u':', 0, 0));
        const int before = box->currentIndex();
        QTest::keyClicks(box, row.section(u':', 1, 1));
        QVERIFY2((box->currentIndex() != before) == (row.endsWith(u'1')), qPrintable(row));
    }
}

void tst_SolarForm::stepMessages_data()
{
    QTest::addColumn<QString>("actions"); // after date 1 at 13°50'10''
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("unwritten");

    const auto row = [](const char *tag, const char *actions, const char *message,
                        const char *unwritten) {
        QTest::newRow(tag) << s(actions) << s(message) << s(unwritten) + s("=,,");
    };
    const char *tooFar = "Differenz zu groß, sie darf maximal 1°05' betragen.";
    row("date 1 after date 2", "cmbDeg2:13,50,9 Command2", "1. Datum größer als 2. Datum!",
        "txtDeg1");
    row("motion above 1°05'", "cmbDeg2:14,55,11 Command2", tooFar, "txtDeg4");
    row("date 1 after the radix", "cmbDeg13:13,50,9 Command3",
        "1. Datum größer als Radix-Sonnenposition", "txtDeg2");
    row("distance above 1°05'", "cmbDeg13:14,55,11 Command3", tooFar, "txtDeg3");
    row("no motion", "Command4", "Nulldivision!", "txtTime1");
    row("zone hour below 0", "Command5", "Maximimal 24 Stunden pro Tag", "txtTime4");
}

// Each step's message reaches the user once, over the form, titled "Solar",
// and the step writes nothing.
void tst_SolarForm::stepMessages()
{
    QFETCH(QString, actions);
    QFETCH(QString, message);
    QFETCH(QString, unwritten);
    open();
    field(s("txtTime3_0"))->setText(s("-1"));
    act(form, s("cmbDeg1:13,50,10 ") + actions);
    QCOMPARE(recorder->messages, (QList<RecordedMessage>{{message, s("Solar")}}));
    QCOMPARE(recorder->messageParents, (QList<QWidget *>{form.data()}));
    QCOMPARE(state(form, unwritten), unwritten);
    QVERIFY(!form->resultReady());
}

void tst_SolarForm::pagingAndColours()
{
    open();
    // "Okay" without a result only pages. The header is tinted while the
    // second page is shown, as drawn on screen (a style may paint a face from
    // another role of the palette than the one that was set).
    for (int page : {1, 0}) {
        click("Command6");
        QCOMPARE(tabs()->currentIndex(), page);
        const QColor expected = page == 1 ? QColor(0, 192, 192) : QColor(Qt::white);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(picker(u"cmbDeg13_" + QString::number(i))->palette().color(QPalette::Button),
                     expected);
        QCOMPARE(field(s("Text1_0"))->palette().color(QPalette::Base), expected);
        QCOMPARE(drawn(field(s("Text1_1")), {28, 9}), expected);
    }
    QVERIFY(form->isVisible());
    QCOMPARE(main->list.rowCount(), 0);
    QVERIFY(recorder->messages.isEmpty());
}

void tst_SolarForm::unloadOnceAndRestore_data()
{
    QTest::addColumn<int>("path");
    QTest::newRow("Abbrechen") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
    QTest::newRow("Okay with a result") << 3;
}

void tst_SolarForm::unloadOnceAndRestore()
{
    QFETCH(int, path);
    NewSolarCalculation = -1;
    open();
    QPointer<QLineEdit> sign = field(s("Text1_0"));
    act(form, s("Text1_0=Widder Text1_3=07 cmbDeg2:1,2,3 cmbDeg13:14,22,30 cmbDeg5:15,0,59"));
    switch (path) {
    case 0:
        click("Command7");
        break;
    case 1:
        form->close();
        break;
    case 2:
        QTest::keyClick(form, Qt::Key_Escape);
        break;
    default:
        field(s("txtTime3_0"))->setText(s("5"));
        act(form, s("Command5 Command6 Command6"));
        QCOMPARE(main->list.rowCount(), 1);
    }
    QCOMPARE(NewSolarCalculation, qint16(0));
    const auto stored = [](const char *keys) {
        QStringList values;
        for (const QString &key : s(keys).split(u' '))
            values << ReadSetting(Store::FormsApplication, Store::FormsSection, key);
        return values.join(u' ');
    };
    QCOMPARE(stored("22 132 52 textbox3"), s("3 30 59 07"));
    // A change after the unload, before the form is gone, is not saved again.
    if (sign)
        sign->setText(s("Stier"));
    QTRY_VERIFY(form.isNull());
    QCOMPARE(stored("textbox0"), s("Widder"));

    // The radix comes back last and is carried over the radix of step 3; the
    // birth date is the main window's of now.
    main->birth = {s("9"), s("12"), s("1980")};
    open();
    QCOMPARE(shown("cmbDeg5:,, txtDeg01=,, txtDateh=,, Text1_0= Text1_3="),
             s("cmbDeg5:14,22,30 txtDeg01=1,2,3 txtDateh=9,12,1980 Text1_0=Widder Text1_3=07"));
}

// A finished calculation that cannot become a row keeps the form open with
// its entries, and says why.
void tst_SolarForm::finishingFails_data()
{
    QTest::addColumn<int>("rowsBefore");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("message");
    QTest::newRow("list full") << int(ResultList::MaxRows) << s("17") << s("Liste ist voll");
    QTest::newRow("number beyond any range") << 0 << s("1E400") << s("Überlauf!");
}

void tst_SolarForm::finishingFails()
{
    QFETCH(int, rowsBefore);
    QFETCH(QString, seconds);
    QFETCH(QString, message);
    const ResultRow row{s("Solar"), s("1.1.2000"), s("1h0m0s")};
    QCOMPARE(main->list.appendRows(QList<ResultRow>(rowsBefore, row)), rowsBefore);
    open();
    field(s("txtTime3_0"))->setText(s("14"));
    click("Command5");
    field(s("txtTime4_2"))->setText(seconds); // as a step would write it
    act(form, s("Command6 Command6"));
    QCOMPARE(recorder->messages, (QList<RecordedMessage>{{message, s("Solar")}}));
    QCOMPARE(main->list.rowCount(), rowsBefore);
    QVERIFY(form && form->isVisible());
    QCOMPARE(field(s("txtTime4_0"))->text(), s("14"));
}

QTEST_MAIN(tst_SolarForm)
#include "tst_solarform.moc"
