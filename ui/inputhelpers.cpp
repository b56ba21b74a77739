#include "ui/inputhelpers.h"

#include "core/numbers.h"
#include "core/overflow.h"
#include "ui/services.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QValidator>

namespace Gui {

using namespace Core;

namespace {

// A key that puts a character into the control, as opposed to a navigation
// key, Backspace, Tab or a shortcut. Ctrl+Alt together is AltGr on some
// desktops and types a character ('@', '{', '\').
bool isTypedCharacter(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers mods = key->modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    if (mods.testFlag(Qt::MetaModifier) || ctrl != alt)
        return false;
    const QString text = key->text();
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isPrint(); });
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Keys that change the text of a field although they type no character.
bool isEditingKey(const QKeyEvent *key)
{
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete)
        return true;
    for (const auto sequence :
         {QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo,
          QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfWord,
          QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine}) {
        if (key->matches(sequence))
            return true;
    }
    return false;
}

// The focus that the user gives a field on purpose, as opposed to the focus
// coming back with the window, after a context menu, or set by the program.
bool focusGivenByUser(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
}

// Marks the fields that select on focus, so that keepCaretOnFocus passes them by.
const auto SelectAllFilterName = QLatin1String("selectAllOnFocus");

class SelectAllOnFocusFilter final : public QObject {
public:
    explicit SelectAllOnFocusFilter(QObject *parent) : QObject(parent)
    {
        setObjectName(SelectAllFilterName);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *field = static_cast<QLineEdit *>(watched);
        switch (event->type()) {
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (!focusGivenByUser(reason))
                break;
            selectAllText(field);
            // A click that gives the focus places the caret after the focus
            // has arrived: select again once the button is released.
            m_clickGaveFocus = reason == Qt::MouseFocusReason;
            break;
        }
        case QEvent::MouseButtonRelease:
            if (m_clickGaveFocus) {
                m_clickGaveFocus = false;
                // A drag over part of the text keeps the part dragged over.
                if (!field->hasSelectedText())
                    selectAllText(field);
            }
            break;
        case QEvent::FocusOut:
            m_clickGaveFocus = false;
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool m_clickGaveFocus = false;
};

// Qt's line edit selects its whole text when it is tabbed into (Tab,
// Shift+Tab, a shortcut). For a field that keeps its caret, that focus is
// handed on as a plain focus, which leaves text and caret alone.
class KeepCaretOnFocusFilter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusIn)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason &&
            reason != Qt::ShortcutFocusReason)
            return false;
        QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
};

// Keeps only the digits 0-9 of whatever reaches the text: pasted or dropped
// text and the program's own writes.
class DigitsValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        QString digits;
        digits.reserve(input.size());
        int newPos = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (isAsciiDigit(input[i])) {
                digits += input[i];
                if (i < pos)
                    ++newPos;
            }
        }
        input = digits;
        pos = newPos;
        return Acceptable;
    }
};

class DigitsOnlyFilter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!isTypedCharacter(key))
            return false;
        const QString text = key->text();
        return !std::all_of(text.cbegin(), text.cend(), isAsciiDigit);
    }
};

class RejectKeysFilter final : public QObject {
public:
    // A text field takes no typed input at all; a list keeps Space, which
    // opens it (as F4 and Alt+Down do).
    enum class Kind { TextField, List };

    RejectKeysFilter(Kind kind, QObject *parent) : QObject(parent), m_kind(kind) {}

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::InputMethod)
            return m_kind == Kind::TextField &&
                   !static_cast<QInputMethodEvent *>(event)->commitString().isEmpty();
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (m_kind == Kind::List)
            return key->key() != Qt::Key_Space && isTypedCharacter(key);
        return isTypedCharacter(key) || isEditingKey(key);
    }

private:
    Kind m_kind;
};

bool aboveMaximum(const QString &text, double maximum)
{
    try {
        return textValue(text) > maximum;
    } catch (const Overflow &) {
        // Beyond the range of a number at all ("1E400"): certainly too large.
        return true;
    }
}

// Emptying the field runs its change handler, which checks again, finds 0 and
// passes; only then is the message shown, once.
void rejectField(QLineEdit *field)
{
    field->setText(QString());
    services().showMessage(field->window(), QStringLiteral("Bitte nur gültige Zahlen eingeben!"),
                           QStringLiteral("Solar und GZK"));
}

} // namespace

void fillPositionList(QComboBox *list, int element)
{
    static const char16_t *const units[] = {u"°", u"'", u"''"};
    const QString unit = QString::fromUtf16(units[element]);
    const QSignalBlocker blocker(list);
    QStringList entries;
    const int last = element == 0 ? 30 : 59;
    entries.reserve(last + 1);
    for (int k = 0; k <= last; ++k)
        entries.append(QString::number(k) + unit);
    list->addItems(entries);
    list->setCurrentIndex(0);
}

void selectAllText(QLineEdit *field)
{
    field->selectAll();
}

void selectAllOnFocus(QLineEdit *field)
{
    field->installEventFilter(new SelectAllOnFocusFilter(field));
}

void keepCaretOnFocus(QWidget *form)
{
    const auto fields = form->findChildren<QLineEdit *>();
    for (QLineEdit *field : fields) {
        if (!field->findChild<QObject *>(SelectAllFilterName, Qt::FindDirectChildrenOnly))
            field->installEventFilter(new KeepCaretOnFocusFilter(field));
    }
}

void acceptDigitsOnly(QLineEdit *field)
{
    field->setValidator(new DigitsValidator(field));
    field->installEventFilter(new DigitsOnlyFilter(field));
}

void rejectAllKeys(QWidget *control)
{
    if (auto *list = qobject_cast<QComboBox *>(control)) {
        list->installEventFilter(new RejectKeysFilter(RejectKeysFilter::Kind::List, list));
        // Typing into the open list would move its highlight in the same way.
        list->view()->installEventFilter(
            new RejectKeysFilter(RejectKeysFilter::Kind::List, list->view()));
        if (QLineEdit *edit = list->lineEdit())
            edit->installEventFilter(new RejectKeysFilter(RejectKeysFilter::Kind::TextField, edit));
        return;
    }
    control->installEventFilter(new RejectKeysFilter(RejectKeysFilter::Kind::TextField, control));
}

void validateField(double maximum, QLineEdit *field)
{
    if (aboveMaximum(field->text(), maximum))
        rejectField(field);
}

} // namespace Gui
