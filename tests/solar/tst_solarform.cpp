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
    void controlsByName_data();
    void controlsByName();
    void captionsFit();
    void tabOrder();
    void firstOpening();
    void pickingCarriesPositions_data();
    void pickingCarriesPositions();
    void radixPickerOfStep3IsTheUsers();
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
    void wholeCalculation();
    void okayPagesWithoutResult();
    void headerColouring();
    void coloursOnScreen_data();
    void coloursOnScreen();
    void restoreAfterReopen();
    void unloadRunsOnceOnEveryPath_data();
    void unloadRunsOnceOnEveryPath();
    void newCalculationSkipsRestoreOnce();
    void fullListKeepsFormOpen();
    void overflowInResultRow();

private:
    template <typename T = QWidget> T *child(const QString &name) const
    {
        return form ? form->findChild<T *>(name) : nullptr;
    }
    QLineEdit *field(const QString &name) const { return child<QLineEdit>(name); }
    QComboBox *picker(const QString &name) const { return child<QComboBox>(name); }
    void open();
    void click(const QString &button)
    {
        QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton);
    }
    void pick(const QString &pickers, int p0, int p1, int p2);
    QStringList texts(const QString &fields) const;
    QList<int> positions(const QString &pickers) const;
    QColor pixelAt(QWidget *control, QPoint offset);

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
    delete form;
    form = new SolarForm(*main);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
}

void tst_SolarForm::pick(const QString &pickers, int p0, int p1, int p2)
{
    picker(pickers + u"_0")->setCurrentIndex(p0);
    picker(pickers + u"_1")->setCurrentIndex(p1);
    picker(pickers + u"_2")->setCurrentIndex(p2);
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

QColor tst_SolarForm::pixelAt(QWidget *control, QPoint offset)
{
    const QImage image = form->grab().toImage();
    return image.pixelColor(control->mapTo(form, offset));
}

void tst_SolarForm::window()
{
    open();
    QCOMPARE(form->objectName(), QStringLiteral("Solar"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Solarberechnung"));
    QCOMPARE(form->size(), QSize(554, 675));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                     Qt::WindowContextHelpButtonHint)));
    QVERIFY(form->windowFlags() & Qt::WindowCloseButtonHint);
    auto *tabs = child<QTabWidget>(QStringLiteral("SSTab1"));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Schritt 1-3"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Schritt 4-5"));
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(child<QLabel>(QStringLiteral("Label157_2"))->font().pointSize(), 48);
    QVERIFY(child<QLabel>(QStringLiteral("Label157_2"))->font().bold());
    QCOMPARE(child<QLabel>(QStringLiteral("Label7"))->font().pointSize(), 12);
    QVERIFY(child<QLabel>(QStringLiteral("Label20"))->font().bold());
}

void tst_SolarForm::controlsByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry"); // within the window or the page
    QTest::addColumn<QString>("caption");

    const auto row = [](const char *name, const char *className, QRect geometry,
                        const QString &caption = {}) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className)
                            << geometry << caption;
    };
    row("txtDateh_2", "QLineEdit", {144, 16, 33, 19});
    row("Text1_0", "QLineEdit", {248, 16, 105, 19});
    row("Text1_4", "QLineEdit", {220, 326, 33, 19});
    row("cmbDeg13_1", "QComboBox", {180, 40, 49, 21});
    row("cmbDeg1_2", "QComboBox", {392, 114, 49, 21});
    row("cmbDeg2_0", "QComboBox", {296, 138, 49, 21});
    row("cmbDeg5_2", "QComboBox", {392, 354, 49, 21});
    row("txtDeg01_1", "QLineEdit", {328, 240, 25, 19});
    row("txtDeg02_0", "QLineEdit", {296, 264, 25, 19});
    row("txtDeg1_2", "QLineEdit", {360, 290, 25, 19});
    row("txtDeg03_0", "QLineEdit", {296, 378, 25, 19});
    row("txtDeg2_1", "QLineEdit", {328, 402, 25, 19});
    row("txtDeg3_0", "QLineEdit", {304, 66, 25, 19});
    row("txtDeg4_1", "QLineEdit", {336, 98, 23, 19});
    row("txtTime1_2", "QLineEdit", {376, 134, 21, 19});
    row("txtTime2_1", "QLineEdit", {188, 274, 21, 19});
    row("txtTime3_0", "QLineEdit", {364, 274, 21, 19});
    row("txtTime4_2", "QLineEdit", {436, 326, 21, 19});
    row("cmbGMT", "QComboBox", {278, 274, 47, 21});
    row("Combo1", "QComboBox", {276, 326, 49, 21});
    row("SSTab1", "QTabWidget", {10, 148, 533, 497});
    row("Command1", "QPushButton", {332, 275, 25, 17}, QStringLiteral("="));
    row("Command2", "QPushButton", {264, 291, 25, 17}, QStringLiteral("="));
    row("Command6", "QPushButton", {400, 632, 145, 33}, QStringLiteral("Okay"));
    row("Command7", "QPushButton", {248, 632, 145, 33}, QStringLiteral("Abbrechen"));
    row("Label157_4", "QLabel", {16, 206, 57, 69}, QStringLiteral("5."));
    row("Label18", "QLabel", {88, 74, 181, 17}, QStringLiteral("Entfernungswert  (B)  x  24"));
    row("Label27", "QLabel", {92, 210, 385, 40}, // room for its three lines

        QStringLiteral("Da die Zeit für Greenwich berechnet wurde, muss noch die entsprechende "
                       "Zeitzone addiert oder subtrahiert werden. Für Deutschland gilt immer +1 "
                       "Stunde."));
    row("Label11", "QLabel", {88, 380, 161, 17}, QStringLiteral("Sonnenabstand des 1. Datums:"));
    row("Label7", "QLabel", {272, 256, 17, 29}, QStringLiteral("_"));
    row("txtDeg4Unit_0", "QLabel", {327, 98, 9, 19}, QStringLiteral("°"));
    row("txtDeg01Unit_1", "QLabel", {353, 240, 7, 19}, QStringLiteral(" '"));
    row("txtDeg2Unit_2", "QLabel", {385, 402, 15, 19}, QStringLiteral(" ''"));
    row("txtTime3Unit_1", "QLabel", {421, 274, 15, 19}, QStringLiteral(" m"));
}

void tst_SolarForm::controlsByName()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    open();
    const QList<QWidget *> found = form->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QCOMPARE(QString::fromLatin1(found[0]->metaObject()->className()), className);
    QCOMPARE(found[0]->geometry(), geometry);
    if (auto *label = qobject_cast<QLabel *>(found[0]))
        QCOMPARE(label->text(), caption);
    if (auto *button = qobject_cast<QPushButton *>(found[0]))
        QCOMPARE(button->text(), caption);
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
    const QStringList expected =
        QStringLiteral(
            "Text1_0 Text1_1 cmbDeg13_0 cmbDeg13_1 cmbDeg13_2 cmbDeg1_0 cmbDeg1_1 cmbDeg1_2 "
            "cmbDeg2_0 cmbDeg2_1 cmbDeg2_2 Command2 cmbDeg5_0 cmbDeg5_1 cmbDeg5_2 Command3 SSTab1 "
            "Command6 Command7 Command4 cmbGMT Command1 Text1_2 Text1_3 Text1_4 Combo1 Command5 "
            "txtDateh_0 txtDateh_1 txtDateh_2 txtDeg01_0")
            .split(u' ');
    QStringList chain;
    QWidget *widget = field(QStringLiteral("Text1_0"));
    while (chain.size() < expected.size()) {
        const QString name = widget->objectName();
        if (expected.contains(name) && !chain.contains(name))
            chain << name;
        widget = widget->nextInFocusChain();
        if (widget == field(QStringLiteral("Text1_0")))
            break;
    }
    QCOMPARE(chain, expected);
}

void tst_SolarForm::firstOpening()
{
    open();
    for (const QString &pickers : names("cmbDeg13 cmbDeg1 cmbDeg2 cmbDeg5")) {
        QCOMPARE(positions(pickers), (QList<int>{0, 0, 0}));
        QCOMPARE(picker(pickers + u"_0")->count(), 31);
        QCOMPARE(picker(pickers + u"_2")->currentText(), QStringLiteral("0''"));
    }
    for (const QString &fields : names("txtDeg01 txtDeg02 txtDeg03"))
        QCOMPARE(texts(fields),
                 QStringList({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
    for (const QString &fields :
         names("txtDeg1 txtDeg2 txtDeg3 txtDeg4 txtTime1 txtTime2 txtTime3 txtTime4"))
        QCOMPARE(texts(fields), QStringList({QString(), QString(), QString()}));
    for (int i = 0; i < 5; ++i)
        QVERIFY(field(u"Text1_" + QString::number(i))->text().isEmpty());
    QCOMPARE(texts(QStringLiteral("txtDateh")),
             QStringList(main->birth.begin(), main->birth.end()));

    const QComboBox *zone = picker(QStringLiteral("cmbGMT"));
    QCOMPARE(zone->count(), 25);
    QCOMPARE(zone->currentText(), QStringLiteral("+1"));
    QCOMPARE(zone->itemText(0), QStringLiteral("+12"));
    QCOMPARE(zone->itemText(12), QStringLiteral("0"));
    QCOMPARE(zone->itemText(24), QStringLiteral("-12"));
    const QComboBox *shift = picker(QStringLiteral("Combo1"));
    QCOMPARE(shift->count(), 2);
    QCOMPARE(shift->currentText(), QStringLiteral("+0h"));
    QCOMPARE(shift->itemText(1), QStringLiteral("-24h"));
    QVERIFY(!form->resultReady());
}

void tst_SolarForm::pickingCarriesPositions_data()
{
    QTest::addColumn<QString>("pickers");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("date 1") << QStringLiteral("cmbDeg1")
                            << QStringList{QStringLiteral("txtDeg02"), QStringLiteral("txtDeg03")};
    QTest::newRow("date 2") << QStringLiteral("cmbDeg2") << QStringList{QStringLiteral("txtDeg01")};
}

void tst_SolarForm::pickingCarriesPositions()
{
    QFETCH(QString, pickers);
    QFETCH(QStringList, fields);
    open();
    pick(pickers, 13, 20, 5);
    for (const QString &f : fields)
        QCOMPARE(texts(f),
                 QStringList({QStringLiteral("13"), QStringLiteral("20"), QStringLiteral("5")}));
}

void tst_SolarForm::radixPickerOfStep3IsTheUsers()
{
    open();
    pick(QStringLiteral("cmbDeg13"), 14, 22, 30);
    QCOMPARE(positions(QStringLiteral("cmbDeg5")), (QList<int>{14, 22, 30}));
    pick(QStringLiteral("cmbDeg5"), 15, 1, 2);
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
    const QString typed = QStringLiteral("2024xyz");
    QTest::newRow("sign") << QStringLiteral("Text1_0") << typed;
    QTest::newRow("year of the Solar") << QStringLiteral("Text1_1") << QStringLiteral("2024");
    QTest::newRow("day") << QStringLiteral("Text1_2") << QStringLiteral("20");
    QTest::newRow("month") << QStringLiteral("Text1_3") << QStringLiteral("20");
    QTest::newRow("year") << QStringLiteral("Text1_4") << QStringLiteral("2024");
    QTest::newRow("step field") << QStringLiteral("txtTime2_0") << typed;
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
    child<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentWidget(target->parentWidget());
    target->setText(QStringLiteral("12"));
    target->setCursorPosition(1);
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
    QTest::addColumn<QList<int>>("date1");
    QTest::addColumn<QList<int>>("date2");
    QTest::addColumn<QList<int>>("radix");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("unchanged");

    const QList<int> d1{13, 50, 10};
    QTest::newRow("date 1 after date 2")
        << d1 << QList<int>{13, 50, 9} << QList<int>{} << QStringLiteral("Command2")
        << QStringLiteral("1. Datum größer als 2. Datum!") << QStringLiteral("txtDeg1");
    QTest::newRow("motion above 1°05'")
        << d1 << QList<int>{14, 55, 11} << QList<int>{} << QStringLiteral("Command2")
        << QStringLiteral("Differenz zu groß, sie darf maximal 1°05' betragen.")
        << QStringLiteral("txtDeg4");
    QTest::newRow("date 1 after the radix")
        << d1 << QList<int>{} << QList<int>{13, 50, 9} << QStringLiteral("Command3")
        << QStringLiteral("1. Datum größer als Radix-Sonnenposition") << QStringLiteral("txtDeg2");
    QTest::newRow("distance above 1°05'")
        << d1 << QList<int>{} << QList<int>{14, 55, 11} << QStringLiteral("Command3")
        << QStringLiteral("Differenz zu groß, sie darf maximal 1°05' betragen.")
        << QStringLiteral("txtDeg3");
    QTest::newRow("no motion") << QList<int>{} << QList<int>{} << QList<int>{}
                               << QStringLiteral("Command4") << QStringLiteral("Nulldivision!")
                               << QStringLiteral("txtTime1");
    QTest::newRow("zone hour below 0")
        << QList<int>{} << QList<int>{} << QList<int>{} << QStringLiteral("Command5")
        << QStringLiteral("Maximimal 24 Stunden pro Tag") << QStringLiteral("txtTime4");
}

void tst_SolarForm::stepMessages()
{
    QFETCH(QList<int>, date1);
    QFETCH(QList<int>, date2);
    QFETCH(QList<int>, radix);
    QFETCH(QString, button);
    QFETCH(QString, message);
    QFETCH(QString, unchanged);
    open();
    if (!date1.isEmpty())
        pick(QStringLiteral("cmbDeg1"), date1[0], date1[1], date1[2]);
    if (!date2.isEmpty())
        pick(QStringLiteral("cmbDeg2"), date2[0], date2[1], date2[2]);
    if (!radix.isEmpty())
        pick(QStringLiteral("cmbDeg13"), radix[0], radix[1], radix[2]);
    if (button == u"Command5")
        field(QStringLiteral("txtTime3_0"))->setText(QStringLiteral("-1"));

    click(button);
    QCOMPARE(recorder->messages, (QList<RecordedMessage>{{message, QStringLiteral("Solar")}}));
    QCOMPARE(recorder->messageParents, (QList<QWidget *>{form.data()}));
    QCOMPARE(texts(unchanged), QStringList({QString(), QString(), QString()}));
    QVERIFY(!form->resultReady());
}

// The worked example of the examination, on the form alone.
void tst_SolarForm::wholeCalculation()
{
    open();
    pick(QStringLiteral("cmbDeg13"), 14, 22, 30);
    pick(QStringLiteral("cmbDeg1"), 13, 50, 10);
    pick(QStringLiteral("cmbDeg2"), 14, 47, 25);
    click(QStringLiteral("Command2"));
    QCOMPARE(texts(QStringLiteral("txtDeg1")),
             QStringList({QStringLiteral("0"), QStringLiteral("57"), QStringLiteral("15")}));
    click(QStringLiteral("Command3"));
    QCOMPARE(texts(QStringLiteral("txtDeg3")),
             QStringList({QStringLiteral("0"), QStringLiteral("32"), QStringLiteral("20")}));
    click(QStringLiteral("Command6"));
    click(QStringLiteral("Command4"));
    click(QStringLiteral("Command1"));
    click(QStringLiteral("Command5"));
    QCOMPARE(texts(QStringLiteral("txtTime4")),
             QStringList({QStringLiteral("14"), QStringLiteral("33"), QStringLiteral("17")}));
    QVERIFY(form->resultReady());
    QTest::keyClicks(field(QStringLiteral("Text1_2")), QStringLiteral("12"));
    QTest::keyClicks(field(QStringLiteral("Text1_3")), QStringLiteral("07"));
    QTest::keyClicks(field(QStringLiteral("Text1_4")), QStringLiteral("2024"));

    click(QStringLiteral("Command6"));
    QVERIFY(recorder->messages.isEmpty());
    QCOMPARE(main->list.rowCount(), 1);
    QCOMPARE(main->list.row(1), (ResultRow{QStringLiteral("Solar"), QStringLiteral("12.7.2024"),
                                           QStringLiteral("14h33m17s")}));
    QTRY_VERIFY(form.isNull()); // closed and deleted
}

void tst_SolarForm::okayPagesWithoutResult()
{
    open();
    auto *tabs = child<QTabWidget>(QStringLiteral("SSTab1"));
    click(QStringLiteral("Command6"));
    QCOMPARE(tabs->currentIndex(), 1);
    click(QStringLiteral("Command6"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(form->isVisible());
    QCOMPARE(main->list.rowCount(), 0);
    QVERIFY(recorder->messages.isEmpty());
}

void tst_SolarForm::headerColouring()
{
    open();
    const QColor tint(0, 192, 192);
    const QColor white(255, 255, 255);
    auto *tabs = child<QTabWidget>(QStringLiteral("SSTab1"));
    for (int page : {1, 0, 1}) {
        tabs->setCurrentIndex(page);
        const QColor expected = page == 1 ? tint : white;
        for (const QString &name : names("Text1_0 Text1_1"))
            QCOMPARE(field(name)->palette().color(QPalette::Base), expected);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(picker(u"cmbDeg13_" + QString::number(i))->palette().color(QPalette::Button),
                     expected);
        QCOMPARE(pixelAt(field(QStringLiteral("Text1_1")), {28, 9}), expected);
    }
}

void tst_SolarForm::coloursOnScreen_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("where"); // within the control, away from text and frame
    QTest::addColumn<QColor>("colour");
    QTest::newRow("date 2 minuend")
        << QStringLiteral("txtDeg01_1") << QPoint(20, 9) << QColor(128, 128, 255);
    QTest::newRow("date 1 subtrahend")
        << QStringLiteral("txtDeg03_2") << QPoint(20, 9) << QColor(255, 192, 128);
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
        << QStringLiteral("cmbDeg1_0") << QPoint(26, 10) << QColor(255, 255, 255);
    QTest::newRow("step number") << QStringLiteral("Label157_1") << QPoint(3, 3)
                                 << QColor(192, 192, 192);
    QTest::newRow("date 2 connector")
        << QStringLiteral("Line4") << QPoint(1, 50) << QColor(128, 128, 255);
    QTest::newRow("date 1 connector")
        << QStringLiteral("Line9") << QPoint(30, 1) << QColor(255, 192, 128);
    QTest::newRow("step rule") << QStringLiteral("Line12") << QPoint(100, 1)
                               << QColor(192, 192, 192);
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
    // The controls of steps 4 and 5 are shown on the second page.
    const bool secondPage = control->parentWidget()->objectName() == u"SSTab1Page_1";
    child<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(secondPage ? 1 : 0);
    const QColor drawn = pixelAt(control, where);
    const auto near = [](int a, int b) {
        return qAbs(a - b) <= 6;
    };
    QVERIFY2(near(drawn.red(), colour.red()) && near(drawn.green(), colour.green()) &&
                 near(drawn.blue(), colour.blue()),
             qPrintable(drawn.name() + u" instead of " + colour.name()));
}

void tst_SolarForm::restoreAfterReopen()
{
    open();
    pick(QStringLiteral("cmbDeg1"), 13, 50, 10);
    pick(QStringLiteral("cmbDeg2"), 14, 47, 25);
    pick(QStringLiteral("cmbDeg13"), 14, 22, 30);
    pick(QStringLiteral("cmbDeg5"), 15, 0, 59);
    const QStringList entries{QStringLiteral("Krebs"), QStringLiteral("2024"), QStringLiteral("12"),
                              QStringLiteral("07"), QStringLiteral("2024")};
    for (int i = 0; i < 5; ++i)
        field(u"Text1_" + QString::number(i))->setText(entries[i]);
    click(QStringLiteral("Command7"));
    QTRY_VERIFY(form.isNull());
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("132")),
             QStringLiteral("30"));
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("textbox3")),
             QStringLiteral("07"));

    main->birth = {QStringLiteral("9"), QStringLiteral("12"), QStringLiteral("1980")};
    open();
    QCOMPARE(positions(QStringLiteral("cmbDeg1")), (QList<int>{13, 50, 10}));
    QCOMPARE(positions(QStringLiteral("cmbDeg2")), (QList<int>{14, 47, 25}));
    QCOMPARE(positions(QStringLiteral("cmbDeg13")), (QList<int>{14, 22, 30}));
    // The radix comes back last and is carried over the radix of step 3.
    QCOMPARE(positions(QStringLiteral("cmbDeg5")), (QList<int>{14, 22, 30}));
    QCOMPARE(texts(QStringLiteral("txtDeg03")),
             QStringList({QStringLiteral("13"), QStringLiteral("50"), QStringLiteral("10")}));
    QCOMPARE(texts(QStringLiteral("txtDeg01")),
             QStringList({QStringLiteral("14"), QStringLiteral("47"), QStringLiteral("25")}));
    for (int i = 0; i < 5; ++i)
        QCOMPARE(field(u"Text1_" + QString::number(i))->text(), entries[i]);
    QCOMPARE(texts(QStringLiteral("txtDateh")),
             QStringList(main->birth.begin(), main->birth.end()));
    QCOMPARE(texts(QStringLiteral("txtDeg1")), QStringList({QString(), QString(), QString()}));
    QCOMPARE(picker(QStringLiteral("cmbGMT"))->currentText(), QStringLiteral("+1"));
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
    pick(QStringLiteral("cmbDeg2"), 1, 2, 3);
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
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("textbox0")),
             QStringLiteral("Widder"));
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("22")),
             QStringLiteral("3"));
    // A change after the unload, before the form is gone, is not saved again.
    if (sign)
        sign->setText(QStringLiteral("Stier"));
    QTRY_VERIFY(form.isNull());
    QCOMPARE(ReadSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("textbox0")),
             QStringLiteral("Widder"));
}

void tst_SolarForm::newCalculationSkipsRestoreOnce()
{
    open();
    pick(QStringLiteral("cmbDeg1"), 5, 6, 7);
    field(QStringLiteral("Text1_0"))->setText(QStringLiteral("Waage"));
    click(QStringLiteral("Command7"));

    NewSolarCalculation = -1;
    open();
    QCOMPARE(positions(QStringLiteral("cmbDeg1")), (QList<int>{0, 0, 0}));
    QVERIFY(field(QStringLiteral("Text1_0"))->text().isEmpty());
    QCOMPARE(texts(QStringLiteral("txtDateh")),
             QStringList(main->birth.begin(), main->birth.end()));
    pick(QStringLiteral("cmbDeg1"), 8, 9, 10);
    click(QStringLiteral("Command7"));
    QCOMPARE(NewSolarCalculation, qint16(0));

    open();
    QCOMPARE(positions(QStringLiteral("cmbDeg1")), (QList<int>{8, 9, 10}));
    QVERIFY(field(QStringLiteral("Text1_0"))->text().isEmpty());
}

void tst_SolarForm::fullListKeepsFormOpen()
{
    QList<ResultRow> rows(
        ResultList::MaxRows,
        ResultRow{QStringLiteral("Solar"), QStringLiteral("1.1.2000"), QStringLiteral("1h0m0s")});
    QCOMPARE(main->list.appendRows(rows), ResultList::MaxRows);
    open();
    field(QStringLiteral("txtTime3_0"))->setText(QStringLiteral("14"));
    click(QStringLiteral("Command5"));
    click(QStringLiteral("Command6"));
    click(QStringLiteral("Command6"));
    QCOMPARE(recorder->messages,
             (QList<RecordedMessage>{{QStringLiteral("Liste ist voll"), QStringLiteral("Solar")}}));
    QCOMPARE(main->list.rowCount(), ResultList::MaxRows);
    QVERIFY(form && form->isVisible());
    QCOMPARE(field(QStringLiteral("txtTime4_0"))->text(), QStringLiteral("14"));
}

void tst_SolarForm::overflowInResultRow()
{
    open();
    click(QStringLiteral("Command5")); // hour 0 passes
    field(QStringLiteral("txtTime4_2"))->setText(QStringLiteral("1E400"));
    click(QStringLiteral("Command6"));
    click(QStringLiteral("Command6"));
    QCOMPARE(recorder->messages,
             (QList<RecordedMessage>{{QStringLiteral("Überlauf!"), QStringLiteral("Solar")}}));
    QCOMPARE(main->list.rowCount(), 0);
    QVERIFY(form && form->isVisible());
}

QTEST_MAIN(tst_SolarForm)
#include "tst_solarform.moc"
