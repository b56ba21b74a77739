#include "ui/controlarrays.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace {

// The elements of a control array are named like "txtDeg1_0". A missing one is
// a fault of the form, never of the user's data: stop at once with its name.
template <typename Control>
QList<Control *> findElements(QWidget *form, const QString &name, int count)
{
    QList<Control *> elements;
    elements.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString objectName = name + u'_' + QString::number(i);
        auto *element = form ? form->findChild<Control *>(objectName) : nullptr;
        if (!element)
            qFatal("control array element %s not found", qPrintable(objectName));
        elements.append(element);
    }
    return elements;
}

} // namespace

FieldArray::FieldArray(QWidget *form, const QString &name, int count)
    : m_name(name), m_fields(findElements<QLineEdit>(form, name, count))
{}

QLineEdit *FieldArray::at(int index) const
{
    Q_ASSERT_X(index >= 0 && index < size(), "FieldArray::at", qPrintable(m_name));
    return m_fields.at(index);
}

QString FieldArray::text(int index) const
{
    return at(index)->text();
}

void FieldArray::setText(int index, const QString &text)
{
    at(index)->setText(text);
}

FieldTexts FieldArray::triple() const
{
    return {text(0), text(1), text(2)};
}

void FieldArray::onChange(std::function<void(int index)> handler)
{
    for (int i = 0; i < size(); ++i) {
        QLineEdit *field = m_fields.at(i);
        QObject::connect(field, &QLineEdit::textChanged, field, [handler, i] { handler(i); });
    }
}

PickerArray::PickerArray(QWidget *form, const QString &name, int count)
    : m_name(name), m_pickers(findElements<QComboBox>(form, name, count))
{}

QComboBox *PickerArray::at(int index) const
{
    Q_ASSERT_X(index >= 0 && index < size(), "PickerArray::at", qPrintable(m_name));
    return m_pickers.at(index);
}

int PickerArray::position(int index) const
{
    return at(index)->currentIndex();
}

void PickerArray::select(int index, int position)
{
    QComboBox *picker = at(index);
    if (position < 0 || position >= picker->count())
        return;
    picker->setCurrentIndex(position);
}

void PickerArray::click(int index)
{
    Q_ASSERT_X(index >= 0 && index < size(), "PickerArray::click", qPrintable(m_name));
    if (m_handler && *m_handler)
        (*m_handler)(index);
}

void PickerArray::onClick(std::function<void(int index)> handler)
{
    if (m_handler) {
        *m_handler = std::move(handler);
        return;
    }
    m_handler = std::make_shared<std::function<void(int)>>(std::move(handler));
    for (int i = 0; i < size(); ++i) {
        QComboBox *picker = m_pickers.at(i);
        QObject::connect(picker, &QComboBox::currentIndexChanged, picker,
                         [shared = m_handler, i](int position) {
                             // -1: the list was emptied; there is nothing to choose.
                             if (position >= 0 && *shared)
                                 (*shared)(i);
                         });
    }
}
