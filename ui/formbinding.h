#ifndef UI_FORMBINDING_H
#define UI_FORMBINDING_H

#include "core/effects.h"
#include "core/resultrow.h"

#include <functional>

class QColor;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;
class ResultList;

// What the two calculator forms share between their controls and the pure
// steps: the steps read the controls by their objectNames through
// WidgetValues, and their answer is carried out by ApplyEffects, the one place
// where a form's controls are written.

class WidgetValues final : public FormValues {
public:
    explicit WidgetValues(const QWidget *form) : m_form(form) {}

    QString text(const QString &control, int index) const override;
    int position(const QString &control, int index) const override;
    int count(const QString &control, int index) const override;
    QString selectedText(const QString &control, int index) const override;

private:
    const QWidget *m_form;
};

// Carries out a step's effects in order: every text written runs the field's
// change handler, every list position set runs its click handler, before the
// next effect; messages are shown through the services with the form as
// parent. A result longer than its read-only field shows its leading digits.
void ApplyEffects(QWidget *form, const Effects &effects, bool &resultReady);

// "Okay" on a calculator's last page after its final step: composes the row
// and appends it to the main window's list. Answers false, after one message
// titled like the calculator's other messages, when the row cannot be composed
// ("Überlauf!") or the list already holds its 32 767 rows ("Liste ist voll"):
// the form then stays open with its entries.
bool AppendResult(QWidget *form, ResultList &list, const std::function<ResultRow()> &compose,
                  const QString &title);

// The colours that show which values belong together, set through the
// palette: a text field's Base, a selection-only list's Base and Button (its
// face), a label's Window, a plain line's WindowText.
void SetFieldColour(QLineEdit *field, const QColor &colour);
void SetListColour(QComboBox *list, const QColor &colour);
void SetLabelColour(QLabel *label, const QColor &colour);
void SetLineColour(QFrame *line, const QColor &colour);

#endif
