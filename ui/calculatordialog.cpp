#include "ui/calculatordialog.h"

#include "ui/keyboardaccess.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>

namespace Gui {

CalculatorDialog::CalculatorDialog(QWidget *parent) : QDialog(parent)
{
    // Before the lists exist: a screen reader asks about a list once.
    installAccessibleListNames();
}

CalculatorDialog::~CalculatorDialog()
{
    // A form that goes without being closed (the program ends while it is
    // open) keeps its entries too. Its widgets are still there: they go with
    // the QWidget part, after this.
    save();
}

void CalculatorDialog::done(int result)
{
    save();
    QDialog::done(result);
}

void CalculatorDialog::setUpWindow(QTabWidget *pages, bool fixedSize)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (fixedSize)
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    setWindowFlags(flags);
    if (fixedSize)
        setFixedSize(size());
    centreOnScreen(this);
    if (pages)
        addPageShortcuts(pages);
}

void CalculatorDialog::followInputs(const std::function<void()> &read)
{
    for (QLineEdit *field : findChildren<QLineEdit *>())
        connect(field, &QLineEdit::textChanged, this, read);
    for (QComboBox *list : findChildren<QComboBox *>())
        connect(list, &QComboBox::currentIndexChanged, this, read);
    read();
}

void CalculatorDialog::saveOnClosing(std::function<void()> save)
{
    m_save = std::move(save);
}

void CalculatorDialog::save()
{
    if (m_saved || !m_save)
        return;
    m_saved = true;
    m_save();
}

bool CalculatorDialog::finalResultIsCurrent(int firstStaleStep, const QString &title)
{
    if (firstStaleStep == 0)
        return true;
    showStepMessage(this,
                    QStringLiteral("Das Endergebnis passt nicht mehr zu den Eingaben. Bitte ab "
                                   "Schritt %1 neu rechnen.")
                        .arg(firstStaleStep),
                    title);
    return false;
}

void CalculatorDialog::paintFields(const QList<QPair<FieldTriple, QColor>> &fields)
{
    for (const auto &[triple, colour] : fields) {
        for (QLineEdit *field : triple)
            setFieldColour(field, colour);
    }
}

void CalculatorDialog::paintLines(const QList<QPair<QFrame *, QColor>> &lines)
{
    for (const auto &[line, colour] : lines)
        setLineColour(line, colour);
}

void CalculatorDialog::keyPressEvent(QKeyEvent *event)
{
    if (!pressFocusedButtonOnEnter(this, event))
        QDialog::keyPressEvent(event);
}

} // namespace Gui
