#include "ui/inputhelpers.h"

#include "tests/support/testsupport.h"
#include "ui/controlarrays.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

// The shared behaviour of the input controls, driven through real widgets:
// picker fills, select-all on focus, the key filters and the range checks
// with their one message.
class tst_InputHelpers : public QObject {
    Q_OBJECT

private slots:
    void init();

    void fillPicker_data();
    void fillPicker();
    void fillAppendsAndRunsTheClickHandlerOnce();

    void selectAllOnFocus_data();
    void selectAllOnFocus();

    void acceptDigitsOnly_data();
    void acceptDigitsOnly();
    void acceptDigitsOnlyKeepsShortcuts();

    void rejectAllKeysOnAList_data();
    void rejectAllKeysOnAList();
    void rejectAllKeysOnATextField_data();
    void rejectAllKeysOnATextField();

    void validateTripleField_data();
    void validateTripleField();
    void validateField_data();
    void validateField();

private:
    std::unique_ptr<RecordingServices> m_recorder;
};

namespace {

const QString InvalidNumber = QStringLiteral("Bitte nur gültige Zahlen eingeben!");
const QString SharedTitle = QStringLiteral("Solar und GZK");

QLineEdit *addField(QWidget &form, const QString &objectName)
{
    auto *field = new QLineEdit(&form);
    field->setObjectName(objectName);
    if (form.layout())
        form.layout()->addWidget(field);
    return field;
}

QWidget *shownForm(QWidget &form)
{
    form.setLayout(new QVBoxLayout);
    return &form;
}

// Types text character by character, also characters that QTest::keyClicks
// cannot (umlauts).
void typeText(QWidget *control, const QString &text)
{
    for (QChar c : text) {
        const int key = c.unicode() < 0x80 ? QKeySequence(QString(c))[0].key() : Qt::Key_unknown;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(control, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(control, &release);
    }
}

bool showAndActivate(QWidget &form)
{
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

} // namespace

void tst_InputHelpers::init()
{
    m_recorder = std::make_unique<RecordingServices>();
}

void tst_InputHelpers::fillPicker_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("entries");
    QTest::addColumn<QString>("last");

    QTest::newRow("degrees") << 0 << 31 << QStringLiteral("30°");
    QTest::newRow("minutes") << 1 << 60 << QStringLiteral("59'");
    QTest::newRow("seconds") << 2 << 60 << QStringLiteral("59''");
}

void tst_InputHelpers::fillPicker()
{
    QFETCH(int, element);
    QFETCH(int, entries);
    QFETCH(QString, last);

    QWidget form;
    for (int i = 0; i < 3; ++i)
        (new QComboBox(&form))->setObjectName(QStringLiteral("cmbDeg5_") + QString::number(i));
    PickerArray pickers(&form, QStringLiteral("cmbDeg5"), 3);
    void (*fills[])(PickerArray &) = {FillDegreePicker, FillMinutePicker, FillSecondPicker};
    fills[element](pickers);

    QComboBox *picker = pickers.at(element);
    QCOMPARE(picker->count(), entries);
    const QString unit = last.mid(2);
    for (int k = 0; k < entries; ++k)
        QCOMPARE(picker->itemText(k), QString::number(k) + unit);
    QCOMPARE(picker->itemText(entries - 1), last);
    QCOMPARE(picker->itemText(0).size(), 1 + unit.size()); // "0°": no blank, no leading zero
    QCOMPARE(pickers.position(element), 0);
    for (int other = 0; other < 3; ++other) {
        if (other != element)
            QCOMPARE(pickers.at(other)->count(), 0);
    }
}

void tst_InputHelpers::fillAppendsAndRunsTheClickHandlerOnce()
{
    QWidget form;
    for (int i = 0; i < 3; ++i)
        (new QComboBox(&form))->setObjectName(QStringLiteral("cmbDeg1_") + QString::number(i));
    PickerArray pickers(&form, QStringLiteral("cmbDeg1"), 3);
    QList<QPair<int, int>> clicks; // element, entries present at the click
    pickers.onClick([&](int index) { clicks.append({index, pickers.at(index)->count()}); });

    FillDegreePicker(pickers);
    QCOMPARE(clicks, (QList<QPair<int, int>>{{0, 31}}));

    // A second fill appends and still selects the first entry.
    pickers.select(0, 12);
    clicks.clear();
    FillDegreePicker(pickers);
    QCOMPARE(pickers.at(0)->count(), 62);
    QCOMPARE(pickers.position(0), 0);
    QCOMPARE(pickers.at(0)->itemText(31), QStringLiteral("0°"));
    QCOMPARE(clicks, (QList<QPair<int, int>>{{0, 62}}));
}

void tst_InputHelpers::selectAllOnFocus_data()
{
    QTest::addColumn<bool>("byMouse");
    QTest::newRow("tab") << false;
    QTest::newRow("mouse click") << true;
}

void tst_InputHelpers::selectAllOnFocus()
{
    QFETCH(bool, byMouse);

    QWidget form;
    shownForm(form);
    QLineEdit *first = addField(form, QStringLiteral("Text1h_0"));
    QLineEdit *year = addField(form, QStringLiteral("txtDateh_2"));
    SelectAllOnFocus(first);
    SelectAllOnFocus(year);
    year->setText(QStringLiteral("2009"));
    QVERIFY(showAndActivate(form));
    first->setFocus();
    QVERIFY(first->hasFocus());

    if (byMouse)
        QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(4, year->height() / 2));
    else
        QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(year->hasFocus());
    QCOMPARE(year->selectedText(), QStringLiteral("2009"));
    QCOMPARE(year->selectionStart(), 0);

    QTest::keyClicks(year, QStringLiteral("7"));
    QCOMPARE(year->text(), QStringLiteral("7"));

    // A second click into the field that has the focus places the caret.
    if (byMouse) {
        year->setText(QStringLiteral("2009"));
        QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(year->width() - 4, year->height() / 2));
        QVERIFY(!year->hasSelectedText());
    }
}

void tst_InputHelpers::acceptDigitsOnly_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("selectAll");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    QTest::newRow("digits") << "1" << false << "234567890"
                            << "1234567890";
    QTest::newRow("letter") << "12" << false << "a"
                            << "12";
    QTest::newRow("minus sign") << "12" << false << "-"
                                << "12";
    QTest::newRow("full stop") << "12" << false << "."
                               << "12";
    QTest::newRow("comma") << "12" << false << ","
                           << "12";
    QTest::newRow("blank") << "12" << false << " "
                           << "12";
    QTest::newRow("umlaut") << "12" << false << "ä"
                            << "12";
    QTest::newRow("mixed") << "" << false << "1a2-3"
                           << "123";
    QTest::newRow("letter over a selection keeps it") << "29" << true << "x"
                                                      << "29";
    QTest::newRow("digit over a selection replaces it") << "29" << true << "5"
                                                        << "5";
}

void tst_InputHelpers::acceptDigitsOnly()
{
    QFETCH(QString, before);
    QFETCH(bool, selectAll);
    QFETCH(QString, typed);
    QFETCH(QString, after);

    QWidget form;
    QLineEdit *field = addField(form, QStringLiteral("txtDeg3_0"));
    AcceptDigitsOnly(field);
    field->setText(before);
    if (selectAll)
        field->selectAll();
    typeText(field, typed);
    QCOMPARE(field->text(), after);
}

void tst_InputHelpers::acceptDigitsOnlyKeepsShortcuts()
{
    QWidget form;
    shownForm(form);
    QLineEdit *field = addField(form, QStringLiteral("txtJahre_0"));
    AcceptDigitsOnly(field);
    QVERIFY(showAndActivate(form));
    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("123"));

    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(field->text(), QStringLiteral("12"));
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QStringLiteral("2"));
    QTest::keyClick(field, Qt::Key_Right);
    QCOMPARE(field->cursorPosition(), 1);

    field->setText(QStringLiteral("456"));
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(field->selectedText(), QStringLiteral("456"));
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("456"));

    // Pasted text keeps only its digits.
    QApplication::clipboard()->setText(QStringLiteral("1a 2-3.4"));
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("4561234"));
    QTest::keyClicks(field, QStringLiteral("5"));
    QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("4561234"));
}

void tst_InputHelpers::rejectAllKeysOnAList_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");

    QTest::newRow("digit") << int(Qt::Key_2) << "2" << 5;
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << 5;
    QTest::newRow("arrow down") << int(Qt::Key_Down) << "" << 6;
    QTest::newRow("arrow up") << int(Qt::Key_Up) << "" << 4;
    QTest::newRow("home") << int(Qt::Key_Home) << "" << 0;
}

void tst_InputHelpers::rejectAllKeysOnAList()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, position);

    QWidget form;
    auto *list = new QComboBox(&form);
    list->setObjectName(QStringLiteral("Combo1"));
    for (int k = 0; k <= 30; ++k)
        list->addItem(QString::number(k) + u'°');
    list->setCurrentIndex(5);
    RejectAllKeys(list);

    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(list, &press);
    QCOMPARE(list->currentIndex(), position);
}

void tst_InputHelpers::rejectAllKeysOnATextField_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("after");

    QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7"
                           << "12";
    QTest::newRow("letter") << int(Qt::Key_A) << 0 << "a"
                            << "12";
    QTest::newRow("blank") << int(Qt::Key_Space) << 0 << " "
                           << "12";
    QTest::newRow("AltGr character")
        << int(Qt::Key_At) << int(Qt::ControlModifier | Qt::AltModifier) << "@"
        << "12";
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\b"
                               << "12";
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << ""
                            << "12";
    QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier) << "\x16"
                           << "12";
    QTest::newRow("cut") << int(Qt::Key_X) << int(Qt::ControlModifier) << "\x18"
                         << "12";
}

void tst_InputHelpers::rejectAllKeysOnATextField()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, after);

    QWidget form;
    QLineEdit *result = addField(form, QStringLiteral("txtDeg1_0"));
    RejectAllKeys(result);
    result->setText(QStringLiteral("12")); // the program still writes
    QApplication::clipboard()->setText(QStringLiteral("99"));
    result->setCursorPosition(1);
    result->setSelection(0, 1);

    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(result, &press);
    QCOMPARE(result->text(), after);

    // Selecting and copying the result keep working.
    QTest::keyClick(result, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("12"));
}

void tst_InputHelpers::validateTripleField_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after"); // empty: rejected
    QTest::addColumn<bool>("pasted");   // one write instead of key by key

    // The birth date: day, month, year with their maxima 31, 12, 3000.
    QTest::newRow("day 31") << 0 << "31"
                            << "31" << false;
    QTest::newRow("day 32") << 0 << "32"
                            << "" << false;
    QTest::newRow("day 31.5") << 0 << "31.5"
                              << "" << false;
    QTest::newRow("day 05") << 0 << "05"
                            << "05" << false;
    QTest::newRow("month 12") << 1 << "12"
                              << "12" << false;
    QTest::newRow("month 13") << 1 << "13"
                              << "" << false;
    QTest::newRow("year 3000") << 2 << "3000"
                               << "3000" << false;
    QTest::newRow("year 3001") << 2 << "3001"
                               << "" << false;
    QTest::newRow("year typed by digits past 3000") << 2 << "30000"
                                                    << "" << false;
    QTest::newRow("negative") << 0 << "-40"
                              << "-40" << false;
    QTest::newRow("no number") << 1 << "Mai"
                               << "Mai" << false;
    QTest::newRow("hexadecimal 32") << 0 << "&H20"
                                    << "" << false;
    QTest::newRow("beyond any number") << 2 << "1E400"
                                       << "" << true;
    QTest::newRow("far beyond 32 bits") << 2 << "99999999999"
                                        << "" << true;
}

void tst_InputHelpers::validateTripleField()
{
    QFETCH(int, element);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, pasted);

    QWidget form;
    for (int i = 0; i < 3; ++i)
        addField(form, QStringLiteral("txtDateh_") + QString::number(i));
    FieldArray date(&form, QStringLiteral("txtDateh"), 3);
    int handlerRuns = 0;
    date.onChange([&](int index) {
        ++handlerRuns;
        ValidateTripleField(31, 12, 3000, date, index);
    });
    // The box appears after the field was emptied.
    QStringList textWhileShown;
    m_recorder->whileShown = [&](const RecordedMessage &) {
        textWhileShown.append(date.text(element));
    };

    if (pasted)
        date.setText(element, typed);
    else
        QTest::keyClicks(date.at(element), typed);
    const int writes = pasted ? 1 : int(typed.size());

    QCOMPARE(date.text(element), after);
    if (after.isEmpty()) {
        QCOMPARE(m_recorder->messages, (QList<RecordedMessage>{{InvalidNumber, SharedTitle}}));
        QCOMPARE(m_recorder->messageParents, QList<QWidget *>{&form});
        QCOMPARE(textWhileShown, QStringList{QString()});
        QCOMPARE(handlerRuns, writes + 1); // each key, then the emptying
    } else {
        QVERIFY(m_recorder->messages.isEmpty());
        QCOMPARE(handlerRuns, writes);
    }
    for (int other = 0; other < 3; ++other) {
        if (other != element)
            QCOMPARE(date.text(other), QString());
    }
}

void tst_InputHelpers::validateField_data()
{
    QTest::addColumn<QString>("years");
    QTest::addColumn<QString>("days");
    QTest::addColumn<QString>("yearsAfter");
    QTest::addColumn<QString>("daysAfter");
    QTest::addColumn<int>("messages");

    QTest::newRow("120 years 364 days") << "120"
                                        << "364"
                                        << "120"
                                        << "364" << 0;
    QTest::newRow("121 years") << "121"
                               << "364"
                               << ""
                               << "364" << 1;
    QTest::newRow("365 days") << "120"
                              << "365"
                              << "120"
                              << "" << 1;
    QTest::newRow("both too many") << "200"
                                   << "400"
                                   << ""
                                   << "" << 2;
}

void tst_InputHelpers::validateField()
{
    QFETCH(QString, years);
    QFETCH(QString, days);
    QFETCH(QString, yearsAfter);
    QFETCH(QString, daysAfter);
    QFETCH(int, messages);

    // The age at the event: both elements are checked on every change.
    QWidget form;
    addField(form, QStringLiteral("txtJahre_0"));
    addField(form, QStringLiteral("txtJahre_1"));
    FieldArray age(&form, QStringLiteral("txtJahre"), 2);
    age.onChange([&](int) {
        ValidateField(120, age.at(0));
        ValidateField(364, age.at(1));
    });

    age.setText(0, years);
    age.setText(1, days);

    QCOMPARE(age.text(0), yearsAfter);
    QCOMPARE(age.text(1), daysAfter);
    QCOMPARE(m_recorder->messages,
             QList<RecordedMessage>(messages, RecordedMessage{InvalidNumber, SharedTitle}));
}

QTEST_MAIN(tst_InputHelpers)
#include "tst_inputhelpers.moc"
