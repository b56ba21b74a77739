#include "ui/formbinding.h"

#include "core/overflow.h"
#include "ui/resultlist.h"
#include "ui/services.h"

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>

namespace {

const QComboBox *listNamed(const QWidget *form, const QString &control, int index)
{
    return form->findChild<QComboBox *>(ControlKey(control, index));
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

QString WidgetValues::text(const QString &control, int index) const
{
    const auto *field = m_form->findChild<QLineEdit *>(ControlKey(control, index));
    return field ? field->text() : QString();
}

int WidgetValues::position(const QString &control, int index) const
{
    const QComboBox *list = listNamed(m_form, control, index);
    return list ? list->currentIndex() : -1;
}

int WidgetValues::count(const QString &control, int index) const
{
    const QComboBox *list = listNamed(m_form, control, index);
    return list ? list->count() : 0;
}

QString WidgetValues::selectedText(const QString &control, int index) const
{
    const QComboBox *list = listNamed(m_form, control, index);
    return list ? list->currentText() : QString();
}

void ApplyEffects(QWidget *form, const Effects &effects, bool &resultReady)
{
    for (const Effect &effect : effects) {
        const QString name = ControlKey(effect.control, effect.index);
        switch (effect.kind) {
        case Effect::Kind::SetText:
            if (auto *field = form->findChild<QLineEdit *>(name)) {
                field->setText(effect.text);
                if (field->isReadOnly())
                    field->setCursorPosition(0);
            }
            break;
        case Effect::Kind::SelectPosition:
            if (auto *list = form->findChild<QComboBox *>(name))
                list->setCurrentIndex(effect.position);
            break;
        case Effect::Kind::SetResultReady:
            resultReady = effect.flag;
            break;
        case Effect::Kind::SetFocus:
            if (auto *control = form->findChild<QWidget *>(name))
                control->setFocus(Qt::OtherFocusReason);
            break;
        case Effect::Kind::ShowMessage:
            services().showMessage(form, effect.text, effect.title);
            break;
        }
    }
}

bool AppendResult(QWidget *form, ResultList &list, const std::function<ResultRow()> &compose,
                  const QString &title)
{
    ResultRow row;
    try {
        row = compose();
    } catch (const Overflow &) {
        services().showMessage(form, QStringLiteral("Überlauf!"), title);
        return false;
    }
    // The list counts its rows in 16 bits: a full list takes no further row,
    // and the form stays open rather than pretend that the row was added.
    if (!list.appendRow(row)) {
        services().showMessage(form, QStringLiteral("Liste ist voll"), title);
        return false;
    }
    return true;
}

void SetFieldColour(QLineEdit *field, const QColor &colour)
{
    setColour(field, QPalette::Base, colour);
}

void SetListColour(QComboBox *list, const QColor &colour)
{
    setColour(list, QPalette::Base, colour);
    setColour(list, QPalette::Button, colour);
}

void SetLabelColour(QLabel *label, const QColor &colour)
{
    setColour(label, QPalette::Window, colour);
    label->setAutoFillBackground(true);
}

void SetLineColour(QFrame *line, const QColor &colour)
{
    setColour(line, QPalette::WindowText, colour);
}
