#include "settings/store.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/mainwindowaccess.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

// "a b c" as the list of names a, b, c.
QStringList names(const char *list)
{
    return QString::fromLatin1(list).split(u' ');
}

// The main window as the Solar form sees it: a birth date and a result list.
class FakeMain : public MainWindowAccess {
public:
    QWidget *window() override { return &view; }
    FieldTexts birthDate() const override { return birth; }
    QString personName() const override { return {}; }
    ResultList &resultList() override { return list; }

    FieldTexts birth{QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("1975")};
    QTreeView view;
    ResultList list{&view};
};

class tst_SolarForm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init();
    void cleanup();

    void window();
    void captionsFit();
    void tabOrder();
    void firstOpening();
    void pickingCarriesPositions();
    void typingIntoLists_data();
    void typingIntoLists();
    void lengthLimits_data();
    void lengthLimits();
    void focusSelectsWholeText_data();
    void focusSelectsWholeText();
    void enterPressesOnlyAFocusedButton_data();
    void enterPressesOnlyAFocusedButton();
    void stepMessages_data();
    void stepMessages();
    void okayPagesWithoutResult();
    void headerColouring();
    void coloursOnScreen_data();
    void coloursOnScreen();
    void restoreAfterReopen();
    void unloadRunsOnceOnEveryPath_data();
    void unloadRunsOnceOnEveryPath();
    void finishingFails_data();
    void finishingFails();

private:
    QWidget *child(const QString &name) const { return form->findChild<QWidget *>(name); }
    QLineEdit *field(const QString &name) const { return form->findChild<QLineEdit *>(name); }
    QComboBox *picker(const QString &name) const { return form->findChild<QComboBox *>(name); }
    QTabWidget *tabs() const { return form->findChild<QTabWidget *>(QStringLiteral("SSTab1")); }
    void open();
    void click(const QString &button);
    void pick(const QString &pickers, const QList<int> &positions);
    QStringList texts(const QString &fields) const;
    QList<int> positions(const QString &pickers) const;

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
}

void tst_SolarForm::click(const QString &button)
{
    QTest::mouseClick(form->findChild<QPushButton *>(button), Qt::LeftButton);
}

void tst_SolarForm::pick(const QString &pickers, const QList<int> &positions)
{
    for (int i = 0; i < positions.size(); ++i)
        picker(pickers + u'_' + QString::number(i))->setCurrentIndex(positions[i]);
}

QStringList tst_SolarForm::texts(const QString &fields) const
{
    QStringList result;
    for (int i = 0; i < 3; ++i)
        result << field(fields + u'_' + QString::number(i))->text();
    return result;
}

QList<int> tst_SolarForm::positions(const QString &pickers) const
{
    QList<int> result;
    for (int i = 0; i < 3; ++i)
        result << picker(pickers + u'_' + QString::number(i))->currentIndex();
    return result;
}

void tst_SolarForm::window()
{
    open();
    QCOMPARE(form->size(), QSize(554, 675));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    // Every control of the arrays is found by its name, as automation finds it.
    for (const QString &array : names("txtDateh Text1 cmbDeg13 cmbDeg1 cmbDeg2 cmbDeg5 txtDeg01 "
                                      "txtDeg02 txtDeg1 txtDeg03 txtDeg2 txtDeg3 txtDeg4 txtTime1 "
                                      "txtTime2 txtTime3 txtTime4 Label157")) {
        for (int i = 0; i < 3; ++i)
            QVERIFY2(child(array + u'_' + QString::number(i)), qPrintable(array));
    }
}

// Every caption can be read whole: a single line fits its control, a wrapped
// text fits its height, and every list entry fits the face of its list.
void tst_SolarForm::captionsFit()
{
    open();
    QStringList cut; // "control: needed in room"
    const auto check = [&cut](const QWidget *control, QSize needed, QSize room) {
        if (needed.width() > room.width() || needed.height() > room.height())
            cut << control->objectName() + QStringLiteral(": %1x%2 in %3x%4")
                                               .arg(needed.width())
                                               .arg(needed.height())
                                               .arg(room.width())
                                               .arg(room.height());
    };
    for (const QLabel *label : form->findChildren<QLabel *>()) {
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
            const int flags = int(label->alignment()) | Qt::TextWordWrap;
            check(label, metrics.boundingRect(room, flags, label->text()).size(), room.size());
        } else {
            // A single line: its advance, and the ink of its glyphs (a big
            // step number may leave the font's line gap outside).
            const QSize ink = metrics.tightBoundingRect(label->text()).size();
            check(label, {metrics.horizontalAdvance(label->text()), ink.height()}, room.size());
        }
    }
    for (const QPushButton *button : form->findChildren<QPushButton *>()) {
        const QFontMetrics metrics(button->font());
        check(button, {metrics.horizontalAdvance(button->text()) + 4, metrics.height()},
              button->size());
    }
    for (const QComboBox *list : form->findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect face = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, list);
        const QFontMetrics metrics(list->font());
        for (int i = 0; i < list->count(); ++i)
            check(list, {metrics.horizontalAdvance(list->itemText(i)), metrics.height()},
                  face.size());
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u", ")));
}

// The user's inputs come first, in the order of the workflow.
void tst_SolarForm::tabOrder()
{
    open();
    const QStringList expected = names(
        "Text1_0 Text1_1 cmbDeg13_0 cmbDeg13_1 cmbDeg13_2 cmbDeg1_0 cmbDeg1_1 cmbDeg1_2 "
        "cmbDeg2_0 cmbDeg2_1 cmbDeg2_2 Command2 cmbDeg5_0 cmbDeg5_1 cmbDeg5_2 Command3 SSTab1 "
        "Command6 Command7 Command4 cmbGMT Command1 Text1_2 Text1_3 Text1_4 Combo1 Command5 "
        "txtDateh_0 txtDateh_1 txtDateh_2 txtDeg01_0");
    QStringList chain;
    QWidget *widget = child(expected.first());
    do {
        if (expected.contains(widget->objectName()) && !chain.contains(widget->objectName()))
            chain << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != child(expected.first()));
    QCOMPARE(chain, expected);
}

void tst_SolarForm::firstOpening()
{
    open();
    for (const QString &pickers : names("cmbDeg13 cmbDeg1 cmbDeg2 cmbDeg5"))
        QCOMPARE(positions(pickers), (QList<int>{0, 0, 0}));
    QCOMPARE(picker(QStringLiteral("cmbDeg5_2"))->currentText(), QStringLiteral("0''"));
    const QStringList zero{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")};
    for (const QString &fields : names("txtDeg01 txtDeg02 txtDeg03"))
        QCOMPARE(texts(fields), zero);
    for (const QString &fields : names("txtDeg1 txtDeg3 txtTime1 txtTime3 txtTime4"))
        QCOMPARE(texts(fields), QStringList({QString(), QString(), QString()}));
    QVERIFY(field(QStringLiteral("Text1_0"))->text().isEmpty());
    QCOMPARE(texts(QStringLiteral("txtDateh")),
             QStringList(main->birth.begin(), main->birth.end()));

    QStringList zones;
    for (int i = 0; i < picker(QStringLiteral("cmbGMT"))->count(); ++i)
        zones << picker(QStringLiteral("cmbGMT"))->itemText(i);
    QCOMPARE(zones.join(u' '), QStringLiteral("+12 +11 +10 +9 +8 +7 +6 +5 +4 +3 +2 +1 0 -1 -2 -3 "
                                              "-4 -5 -6 -7 -8 -9 -10 -11 -12"));
    QCOMPARE(picker(QStringLiteral("cmbGMT"))->currentText(), QStringLiteral("+1"));
    QCOMPARE(picker(QStringLiteral("Combo1"))->currentText(), QStringLiteral("+0h"));
    QCOMPARE(tabs()->currentIndex(), 0);
    QVERIFY(!form->resultReady());
}

void tst_SolarForm::pickingCarriesPositions()
{
    open();
    pick(QStringLiteral("cmbDeg1"), {13, 20, 5});
    pick(QStringLiteral("cmbDeg2"), {14, 0, 59});
    const QStringList date1{QStringLiteral("13"), QStringLiteral("20"), QStringLiteral("5")};
    QCOMPARE(texts(QStringLiteral("txtDeg02")), date1);
    QCOMPARE(texts(QStringLiteral("txtDeg03")), date1);
    QCOMPARE(texts(QStringLiteral("txtDeg01")),
             QStringList({QStringLiteral("14"), QStringLiteral("0"), QStringLiteral("59")}));

    // The radix of the header is carried into step 3, not back.
    pick(QStringLiteral("cmbDeg13"), {14, 22, 30});
    QCOMPARE(positions(QStringLiteral("cmbDeg5")), (QList<int>{14, 22, 30}));
    pick(QStringLiteral("cmbDeg5"), {15, 1, 2});
    QCOMPARE(positions(QStringLiteral("cmbDeg13")), (QList<int>{14, 22, 30}));
}

void tst_SolarForm::typingIntoLists_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("takesKeys");
    QTest::newRow("date 1 degrees") << QStringLiteral("cmbDeg1_0") << QStringLiteral("2") << false;
    QTest::newRow("date 2 seconds") << QStringLiteral("cmbDeg2_2") << QStringLiteral("2") << false;
    QTest::newRow("day shift") << QStringLiteral("Combo1") << QStringLiteral("-") << false;
    QTest::newRow("radix searches by key")
        << QStringLiteral("cmbDeg13_1") << QStringLiteral("2") << true;
    QTest::newRow("time zone searches by key")
        << QStringLiteral("cmbGMT") << QStringLiteral("-") << true;
}

void tst_SolarForm::typingIntoLists()
{
    QFETCH(QString, list);
    QFETCH(QString, keys);
    QFETCH(bool, takesKeys);
    open();
    QComboBox *box = picker(list);
    const int before = box->currentIndex();
    QTest::keyClicks(box, keys);
    QCOMPARE(box->currentIndex() != before, takesKeys);
    QVERIFY(!box->isEditable());
}

void tst_SolarForm::lengthLimits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kept");
    QTest::newRow("sign") << QStringLiteral("Text1_0") << QStringLiteral("2024xyz");
    QTest::newRow("year of the Solar") << QStringLiteral("Text1_1") << QStringLiteral("2024");
    QTest::newRow("day") << QStringLiteral("Text1_2") << QStringLiteral("20");
    QTest::newRow("month") << QStringLiteral("Text1_3") << QStringLiteral("20");
    QTest::newRow("year") << QStringLiteral("Text1_4") << QStringLiteral("2024");
    QTest::newRow("step field") << QStringLiteral("txtTime2_0") << QStringLiteral("2024xyz");
}

void tst_SolarForm::lengthLimits()
{
    QFETCH(QString, name);
    QFETCH(QString, kept);
    open();
    QTest::keyClicks(field(name), QStringLiteral("2024xyz"));
    QCOMPARE(field(name)->text(), kept);
}

void tst_SolarForm::focusSelectsWholeText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("selects");
    QTest::newRow("sign") << QStringLiteral("Text1_0") << true;
    QTest::newRow("month of the Solar") << QStringLiteral("Text1_3") << true;
    QTest::newRow("birth year") << QStringLiteral("txtDateh_2") << true;
    // The caret stays where the user clicked.
    QTest::newRow("step field") << QStringLiteral("txtDeg01_0") << false;
}

void tst_SolarForm::focusSelectsWholeText()
{
    QFETCH(QString, name);
    QFETCH(bool, selects);
    open();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QLineEdit *target = field(name);
    tabs()->setCurrentWidget(target->parentWidget());
    target->setText(QStringLiteral("12"));
    // The click is what gives the focus (the sign has it when the form opens).
    form->findChild<QPushButton *>(QStringLiteral("Command7"))->setFocus();
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    QVERIFY(target->hasFocus());
    QCOMPARE(target->selectedText(), selects ? QStringLiteral("12") : QString());
}

void tst_SolarForm::enterPressesOnlyAFocusedButton_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("runsStep2");
    QTest::newRow("in a field") << QStringLiteral("Text1_0") << false;
    QTest::newRow("on the step button") << QStringLiteral("Command2") << true;
}

void tst_SolarForm::enterPressesOnlyAFocusedButton()
{
    QFETCH(QString, name);
    QFETCH(bool, runsStep2);
    open();
    QVERIFY(QTest::qWaitForWindowActive(form));
    child(name)->setFocus();
    QTest::keyClick(child(name), Qt::Key_Return);
    QCOMPARE(field(QStringLiteral("txtDeg1_0"))->text(),
             runsStep2 ? QStringLiteral("0") : QString());
    QVERIFY(form->isVisible());
}

void tst_SolarForm::stepMessages_data()
{
    QTest::addColumn<QString>("pickers");
    QTest::addColumn<QList<int>>("positions"); // date 1 is 13°50'10''
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("unwritten");

    const QString tooFar = QStringLiteral("Differenz zu groß, sie darf maximal 1°05' betragen.");
    QTest::newRow("date 1 after date 2")
        << QStringLiteral("cmbDeg2") << QList<int>{13, 50, 9} << QStringLiteral("Command2")
        << QStringLiteral("1. Datum größer als 2. Datum!") << QStringLiteral("txtDeg1");
    QTest::newRow("motion above 1°05'")
        << QStringLiteral("cmbDeg2") << QList<int>{14, 55, 11} << QStringLiteral("Command2")
        << tooFar << QStringLiteral("txtDeg4");
    QTest::newRow("date 1 after the radix")
        << QStringLiteral("cmbDeg13") << QList<int>{13, 50, 9} << QStringLiteral("Command3")
        << QStringLiteral("1. Datum größer als Radix-Sonnenposition") << QStringLiteral("txtDeg2");
    QTest::newRow("distance above 1°05'")
        << QStringLiteral("cmbDeg13") << QList<int>{14, 55, 11} << QStringLiteral("Command3")
        << tooFar << QStringLiteral("txtDeg3");
    QTest::newRow("no motion") << QString() << QList<int>{} << QStringLiteral("Command4")
                               << QStringLiteral("Nulldivision!") << QStringLiteral("txtTime1");
    QTest::newRow("zone hour below 0")
        << QString() << QList<int>{} << QStringLiteral("Command5")
        << QStringLiteral("Maximimal 24 Stunden pro Tag") << QStringLiteral("txtTime4");
}

void tst_SolarForm::stepMessages()
{
    QFETCH(QString, pickers);
    QFETCH(QList<int>, positions);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, unwritten);
    open();
    pick(QStringLiteral("cmbDeg1"), {13, 50, 10});
    if (!pickers.isEmpty())
        pick(pickers, positions);
    field(QStringLiteral("txtTime3_0"))->setText(QStringLiteral("-1"));

    click(button);
    QCOMPARE(recorder->messages, (QList<RecordedMessage>{{message, QStringLiteral("Solar")}}));
    QCOMPARE(recorder->messageParents, (QList<QWidget *>{form.data()}));
    QCOMPARE(texts(unwritten), QStringList({QString(), QString(), QString()}));
    QVERIFY(!form->resultReady());
}

void tst_SolarForm::okayPagesWithoutResult()
{
    open();
    click(QStringLiteral("Command6"));
    QCOMPARE(tabs()->currentIndex(), 1);
    click(QStringLiteral("Command6"));
    QCOMPARE(tabs()->currentIndex(), 0);
    QVERIFY(form->isVisible());
    QCOMPARE(main->list.rowCount(), 0);
    QVERIFY(recorder->messages.isEmpty());
}

// The header is tinted while the second page is shown, as drawn on screen.
void tst_SolarForm::headerColouring()
{
    open();
    QWidget *year = field(QStringLiteral("Text1_1"));
    for (int page : {1, 0, 1}) {
        tabs()->setCurrentIndex(page);
        const QColor expected = page == 1 ? QColor(0, 192, 192) : QColor(Qt::white);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(picker(u"cmbDeg13_" + QString::number(i))->palette().color(QPalette::Button),
                     expected);
        QCOMPARE(field(QStringLiteral("Text1_0"))->palette().color(QPalette::Base), expected);
        QCOMPARE(form->grab().toImage().pixelColor(year->mapTo(form, QPoint(28, 9))), expected);
    }
}

void tst_SolarForm::coloursOnScreen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("where"); // within the control, away from text and frame
    QTest::addColumn<QColor>("colour");
    QTest::newRow("date 2") << QStringLiteral("txtDeg01_1") << QPoint(20, 9)
                            << QColor(128, 128, 255);
    QTest::newRow("date 1") << QStringLiteral("txtDeg03_2") << QPoint(20, 9)
                            << QColor(255, 192, 128);
    QTest::newRow("motion A") << QStringLiteral("txtDeg4_0") << QPoint(18, 9)
                              << QColor(192, 255, 192);
    QTest::newRow("distance B") << QStringLiteral("txtDeg2_0") << QPoint(20, 9)
                                << QColor(255, 128, 128);
    QTest::newRow("Greenwich time")
        << QStringLiteral("txtTime2_2") << QPoint(16, 9) << QColor(192, 255, 255);
    QTest::newRow("zone time") << QStringLiteral("txtTime3_0") << QPoint(16, 9)
                               << QColor(255, 255, 192);
    QTest::newRow("final time") << QStringLiteral("txtTime4_1") << QPoint(16, 9)
                                << QColor(255, 255, 0);
    QTest::newRow("birth date") << QStringLiteral("txtDateh_0") << QPoint(16, 9)
                                << QColor(255, 192, 255);
    QTest::newRow("date 1 picker face")
        << QStringLiteral("cmbDeg1_0") << QPoint(26, 10) << QColor(Qt::white);
    QTest::newRow("step number") << QStringLiteral("Label157_1") << QPoint(3, 3)
                                 << QColor(192, 192, 192);
    QTest::newRow("date 2 connector")
        << QStringLiteral("Line4") << QPoint(1, 50) << QColor(128, 128, 255);
    QTest::newRow("date 1 connector")
        << QStringLiteral("Line9") << QPoint(30, 1) << QColor(255, 192, 128);
    QTest::newRow("rule between steps")
        << QStringLiteral("Line12") << QPoint(100, 1) << QColor(192, 192, 192);
    QTest::newRow("Greenwich connector")
        << QStringLiteral("Line14") << QPoint(100, 1) << QColor(192, 255, 255);
}

// The colours as drawn, not only as set: a style may paint a face from
// another role of the palette than the one that was set.
void tst_SolarForm::coloursOnScreen()
{
    QFETCH(QString, name);
    QFETCH(QPoint, where);
    QFETCH(QColor, colour);
    open();
    QWidget *control = child(name);
    if (control->parentWidget()->objectName() == u"SSTab1Page_1")
        tabs()->setCurrentIndex(1);
    const QColor drawn = form->grab().toImage().pixelColor(control->mapTo(form, where));
    const auto near = [](int a, int b) {
        return qAbs(a - b) <= 6;
    };
    QVERIFY2(near(drawn.red(), colour.red()) && near(drawn.green(), colour.green()) &&
                 near(drawn.blue(), colour.blue()),
             qPrintable(drawn.name() + u" instead of " + colour.name()));
}

// Only the pickers and the five Text1 entries come back; the radix comes
// back last and is carried over the radix of step 3.
void tst_SolarForm::restoreAfterReopen()
{
    open();
    pick(QStringLiteral("cmbDeg13"), {14, 22, 30});
    pick(QStringLiteral("cmbDeg5"), {15, 0, 59});
    pick(QStringLiteral("cmbDeg1"), {13, 50, 10});
    field(QStringLiteral("Text1_3"))->setText(QStringLiteral("07"));
    click(QStringLiteral("Command7"));
    QTRY_VERIFY(form.isNull());
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("132")),
             QStringLiteral("30"));
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("52")),
             QStringLiteral("59"));
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("textbox3")),
             QStringLiteral("07"));

    main->birth = {QStringLiteral("9"), QStringLiteral("12"), QStringLiteral("1980")};
    open();
    QCOMPARE(positions(QStringLiteral("cmbDeg5")), (QList<int>{14, 22, 30}));
    QCOMPARE(texts(QStringLiteral("txtDeg03")),
             QStringList({QStringLiteral("13"), QStringLiteral("50"), QStringLiteral("10")}));
    QCOMPARE(field(QStringLiteral("Text1_3"))->text(), QStringLiteral("07"));
    QCOMPARE(texts(QStringLiteral("txtDateh")),
             QStringList(main->birth.begin(), main->birth.end()));
}

void tst_SolarForm::unloadRunsOnceOnEveryPath_data()
{
    QTest::addColumn<int>("path");
    QTest::newRow("Abbrechen") << 0;
    QTest::newRow("close box") << 1;
    QTest::newRow("Escape") << 2;
    QTest::newRow("Okay with a result") << 3;
}

void tst_SolarForm::unloadRunsOnceOnEveryPath()
{
    QFETCH(int, path);
    NewSolarCalculation = -1;
    open();
    QPointer<QLineEdit> sign = field(QStringLiteral("Text1_0"));
    sign->setText(QStringLiteral("Widder"));
    pick(QStringLiteral("cmbDeg2"), {1, 2, 3});
    switch (path) {
    case 0:
        click(QStringLiteral("Command7"));
        break;
    case 1:
        form->close();
        break;
    case 2:
        QTest::keyClick(form, Qt::Key_Escape);
        break;
    default:
        field(QStringLiteral("txtTime3_0"))->setText(QStringLiteral("5"));
        click(QStringLiteral("Command5"));
        click(QStringLiteral("Command6"));
        click(QStringLiteral("Command6"));
        QCOMPARE(main->list.rowCount(), 1);
    }
    QCOMPARE(NewSolarCalculation, qint16(0));
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("22")),
             QStringLiteral("3"));
    // A change after the unload, before the form is gone, is not saved again.
    if (sign)
        sign->setText(QStringLiteral("Stier"));
    QTRY_VERIFY(form.isNull());
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("textbox0")),
             QStringLiteral("Widder"));
}

// A finished calculation that cannot become a row keeps the form open with
// its entries, and says why.
void tst_SolarForm::finishingFails_data()
{
    QTest::addColumn<int>("rowsBefore");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("message");
    QTest::newRow("list full") << int(ResultList::MaxRows) << QStringLiteral("17")
                               << QStringLiteral("Liste ist voll");
    QTest::newRow("number beyond any range")
        << 0 << QStringLiteral("1E400") << QStringLiteral("Überlauf!");
}

void tst_SolarForm::finishingFails()
{
    QFETCH(int, rowsBefore);
    QFETCH(QString, seconds);
    QFETCH(QString, message);
    const ResultRow row{QStringLiteral("Solar"), QStringLiteral("1.1.2000"),
                        QStringLiteral("1h0m0s")};
    QCOMPARE(main->list.appendRows(QList<ResultRow>(rowsBefore, row)), rowsBefore);
    open();
    field(QStringLiteral("txtTime3_0"))->setText(QStringLiteral("14"));
    click(QStringLiteral("Command5"));
    field(QStringLiteral("txtTime4_2"))->setText(seconds);
    click(QStringLiteral("Command6"));
    click(QStringLiteral("Command6"));
    QCOMPARE(recorder->messages, (QList<RecordedMessage>{{message, QStringLiteral("Solar")}}));
    QCOMPARE(main->list.rowCount(), rowsBefore);
    QVERIFY(form && form->isVisible());
    QCOMPARE(field(QStringLiteral("txtTime4_0"))->text(), QStringLiteral("14"));
}

QTEST_MAIN(tst_SolarForm)
#include "tst_solarform.moc"
