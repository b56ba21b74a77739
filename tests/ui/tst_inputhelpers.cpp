#include "ui/inputhelpers.h"

#include "tests/support/testsupport.h"
#include "ui/controlarrays.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

// The input controls' shared behaviour, driven through real widgets.
class tst_InputHelpers : public QObject {
    Q_OBJECT

private slots:
    void init() { m_recorder.clear(); }
    void fillPicker_data();
    void fillPicker();
    void selectAllOnFocus_data();
    void selectAllOnFocus();
    void selectAllOnlyOnTheUsersFocus_data();
    void selectAllOnlyOnTheUsersFocus();
    void acceptDigitsOnly();
    void rejectAllKeys();
    void validateTripleField_data();
    void validateTripleField();
    void validateField();

private:
    RecordingServices m_recorder;
};

namespace {

const RecordedMessage InvalidNumber{QStringLiteral("Bitte nur gültige Zahlen eingeben!"),
                                    QStringLiteral("Solar und GZK")};

// Controls name_0 … name_(count-1) in a laid-out form.
template <typename Control> void addControls(QWidget &form, const char *name, int count)
{
    if (!form.layout())
        form.setLayout(new QVBoxLayout);
    for (int i = 0; i < count; ++i) {
        auto *control = new Control(&form);
        control->setObjectName(QLatin1String(name) + u'_' + QString::number(i));
        form.layout()->addWidget(control);
    }
}

bool showAndActivate(QWidget &form)
{
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form);
}

// Key presses for any character, also those QTest::keyClicks cannot type (umlauts).
void typeText(QWidget *control, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.unicode() < 0x80 ? c.toUpper().unicode() : 0,
                        Qt::NoModifier, QString(c));
        QApplication::sendEvent(control, &press);
    }
}

} // namespace

void tst_InputHelpers::fillPicker_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("entries");
    QTest::newRow("degrees") << 0 << QStringLiteral("°") << 31;
    QTest::newRow("minutes") << 1 << QStringLiteral("'") << 60;
    QTest::newRow("seconds") << 2 << QStringLiteral("''") << 60;
}

void tst_InputHelpers::fillPicker()
{
    QFETCH(int, element);
    QFETCH(QString, unit);
    QFETCH(int, entries);

    QWidget form;
    addControls<QComboBox>(form, "cmbDeg5", 3);
    PickerArray pickers(&form, QStringLiteral("cmbDeg5"), 3);
    QList<QPair<int, int>> clicks; // element, entries present at the click
    pickers.onClick([&](int index) { clicks.append({index, pickers.at(index)->count()}); });
    void (*fills[])(PickerArray &) = {FillDegreePicker, FillMinutePicker, FillSecondPicker};

    fills[element](pickers);
    QComboBox *picker = pickers.at(element);
    for (int k = 0; k < entries; ++k)
        QCOMPARE(picker->itemText(k), QString::number(k) + unit);
    QCOMPARE(picker->count(), entries);
    QCOMPARE(pickers.at((element + 1) % 3)->count(), 0);
    QCOMPARE(clicks, (QList<QPair<int, int>>{{element, entries}}));
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
    addControls<QLineEdit>(form, "txtDateh", 3);
    FieldArray date(&form, QStringLiteral("txtDateh"), 3);
    QLineEdit *month = date.at(1);
    QLineEdit *year = date.at(2);
    SelectAllOnFocus(year);
    year->setText(QStringLiteral("2009"));
    QVERIFY(showAndActivate(form));
    month->setFocus();

    if (byMouse)
        QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(4, year->height() / 2));
    else
        QTest::keyClick(month, Qt::Key_Tab);
    QVERIFY(year->hasFocus());
    QCOMPARE(year->selectedText(), QStringLiteral("2009"));
    QTest::keyClicks(year, QStringLiteral("7"));
    QCOMPARE(year->text(), QStringLiteral("7"));

    // A further click into the focused field places the caret.
    year->setText(QStringLiteral("2009"));
    QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(year->width() - 4, year->height() / 2));
    QVERIFY(!year->hasSelectedText());
}

// Only a focus that the user gives (Tab, Shift+Tab, a click, a shortcut)
// selects the whole entry, and only in a field that selects on focus. Coming
// back to the window or a focus that the program sets keeps the caret where it
// was, and so does every focus of the other fields.
void tst_InputHelpers::selectAllOnlyOnTheUsersFocus_data()
{
    QTest::addColumn<bool>("selectingField");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selectsAll");

    const auto row = [](const char *tag, bool selectingField, const char *focus, bool all) {
        QTest::newRow(tag) << selectingField << QString::fromLatin1(focus) << all;
    };
    row("selecting field, tab", true, "tab", true);
    row("selecting field, backtab", true, "backtab", true);
    row("selecting field, click", true, "click", true);
    row("selecting field, shortcut", true, "shortcut", true);
    row("selecting field, back to the window", true, "window", false);
    row("selecting field, set by the program", true, "program", false);
    row("other field, tab", false, "tab", false);
    row("other field, backtab", false, "backtab", false);
    row("other field, shortcut", false, "shortcut", false);
    row("other field, back to the window", false, "window", false);
}

void tst_InputHelpers::selectAllOnlyOnTheUsersFocus()
{
    QFETCH(bool, selectingField);
    QFETCH(QString, focus);
    QFETCH(bool, selectsAll);

    QWidget form;
    addControls<QLineEdit>(form, "Text1h", 3);
    FieldArray fields(&form, QStringLiteral("Text1h"), 3);
    QLineEdit *before = fields.at(0);
    QLineEdit *name = fields.at(1);
    QLineEdit *after = fields.at(2);
    if (selectingField)
        SelectAllOnFocus(name);
    KeepCaretOnFocus(&form);
    name->setText(QStringLiteral("Hans Meier"));
    QVERIFY(showAndActivate(form));
    name->setFocus(Qt::OtherFocusReason);
    name->setCursorPosition(4); // the caret after "Hans"

    QWidget elsewhere; // another application's window
    if (focus == u"window") {
        QVERIFY(showAndActivate(elsewhere));
        QVERIFY(!name->hasFocus());
        QVERIFY(showAndActivate(form));
    } else {
        (focus == u"backtab" ? after : before)->setFocus(Qt::OtherFocusReason);
        if (focus == u"tab")
            QTest::keyClick(before, Qt::Key_Tab);
        else if (focus == u"backtab")
            QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
        else if (focus == u"click")
            QTest::mouseClick(name, Qt::LeftButton, {}, QPoint(4, name->height() / 2));
        else
            name->setFocus(focus == u"shortcut" ? Qt::ShortcutFocusReason : Qt::OtherFocusReason);
    }
    QVERIFY(name->hasFocus());
    if (selectsAll) {
        QCOMPARE(name->selectedText(), QStringLiteral("Hans Meier"));
    } else {
        QCOMPARE(name->selectedText(), QString());
        QCOMPARE(name->cursorPosition(), 4);
    }
}

void tst_InputHelpers::acceptDigitsOnly()
{
    QWidget form;
    addControls<QLineEdit>(form, "txtJahre", 1);
    auto *field = form.findChild<QLineEdit *>();
    AcceptDigitsOnly(field);
    QVERIFY(showAndActivate(form));
    field->setFocus();
    typeText(field, QStringLiteral("1a-.,ä٣ 23"));
    QCOMPARE(field->text(), QStringLiteral("123"));
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Delete);
    QCOMPARE(field->text(), QStringLiteral("2"));

    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    typeText(field, QStringLiteral("x"));
    QCOMPARE(field->selectedText(), QStringLiteral("2")); // a dropped key keeps the selection
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("2"));
    QApplication::clipboard()->setText(QStringLiteral("1a 2-3.4"));
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field->text(), QStringLiteral("21234")); // the pasted digits only
    field->selectAll();
    typeText(field, QStringLiteral("5"));
    QCOMPARE(field->text(), QStringLiteral("5"));
}

void tst_InputHelpers::rejectAllKeys()
{
    // A selection-only list: typing does not choose, the arrows still do.
    QComboBox list;
    for (int k = 0; k <= 30; ++k)
        list.addItem(QString::number(k) + u'°');
    list.setCurrentIndex(5);
    RejectAllKeys(&list);
    typeText(&list, QStringLiteral("2a"));
    QCOMPARE(list.currentIndex(), 5);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(list.currentIndex(), 6);

    // A result field: only the program writes it; selecting and copying still work.
    QLineEdit result;
    RejectAllKeys(&result);
    result.setText(QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("99"));
    result.setSelection(0, 1);
    typeText(&result, QStringLiteral("7 @"));
    for (int key : {Qt::Key_Backspace, Qt::Key_Delete})
        QTest::keyClick(&result, Qt::Key(key));
    for (int key : {Qt::Key_V, Qt::Key_X})
        QTest::keyClick(&result, Qt::Key(key), Qt::ControlModifier);
    QCOMPARE(result.text(), QStringLiteral("12"));
    QTest::keyClick(&result, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&result, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("12"));
}

void tst_InputHelpers::validateTripleField_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<bool>("pasted"); // one write instead of key by key
    const auto row = [](const char *typed, int element, bool kept, bool pasted = false) {
        QTest::newRow(typed) << element << QString::fromLatin1(typed) << kept << pasted;
    };
    // The birth date: day, month, year with their maxima 31, 12, 3000.
    row("31", 0, true);
    row("32", 0, false);
    row("31.5", 0, false);
    row("05", 0, true);
    row("Mai", 1, true); // no number reads as 0
    row("&H20", 0, false);
    row("1E400", 2, false, true);
    row("99999999999", 2, false, true);
}

void tst_InputHelpers::validateTripleField()
{
    QFETCH(int, element);
    QFETCH(QString, typed);
    QFETCH(bool, kept);
    QFETCH(bool, pasted);

    QWidget form;
    addControls<QLineEdit>(form, "txtDateh", 3);
    FieldArray date(&form, QStringLiteral("txtDateh"), 3);
    int handlerRuns = 0;
    date.onChange([&](int index) {
        ++handlerRuns;
        ValidateTripleField(31, 12, 3000, date, index);
    });
    QStringList textWhileShown; // the box appears after the field was emptied
    m_recorder.whileShown = [&](const RecordedMessage &) {
        textWhileShown.append(date.text(element));
    };

    if (pasted)
        date.setText(element, typed);
    else
        QTest::keyClicks(date.at(element), typed);
    const int writes = pasted ? 1 : int(typed.size());

    QCOMPARE(date.text(element), kept ? typed : QString());
    QCOMPARE(m_recorder.messages, kept ? QList<RecordedMessage>{} : QList{InvalidNumber});
    QCOMPARE(m_recorder.messageParents, kept ? QList<QWidget *>{} : QList<QWidget *>{&form});
    QCOMPARE(textWhileShown, kept ? QStringList{} : QStringList{QString()});
    QCOMPARE(handlerRuns, kept ? writes : writes + 1); // each key, then the emptying
    QCOMPARE(date.text((element + 1) % 3), QString());
    m_recorder.whileShown = nullptr;
}

void tst_InputHelpers::validateField()
{
    // The age at the event: both elements are checked on every change.
    QWidget form;
    addControls<QLineEdit>(form, "txtJahre", 2);
    FieldArray age(&form, QStringLiteral("txtJahre"), 2);
    age.onChange([&](int) {
        ValidateField(120, age.at(0));
        ValidateField(364, age.at(1));
    });
    age.setText(0, QStringLiteral("120"));
    age.setText(1, QStringLiteral("364"));
    QCOMPARE(m_recorder.messages, QList<RecordedMessage>{});
    age.setText(0, QStringLiteral("121"));
    age.setText(1, QStringLiteral("365"));
    QCOMPARE(age.text(0) + age.text(1), QString());
    QCOMPARE(m_recorder.messages, (QList{InvalidNumber, InvalidNumber}));
}

QTEST_MAIN(tst_InputHelpers)
#include "tst_inputhelpers.moc"
