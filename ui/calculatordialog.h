#ifndef UI_CALCULATORDIALOG_H
#define UI_CALCULATORDIALOG_H

#include "ui/formsupport.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QPair>

#include <functional>

class QFrame;
class QKeyEvent;
class QTabWidget;

namespace Gui {

// What both calculator forms are, around their own steps: a dialog built from
// its Designer form, worked from the keyboard, whose inputs are read into the
// form's calculation state as they change, and whose entries are saved once
// however it closes (Okay, Abbrechen, the close box, Escape, or the program
// ending while it is open).
//
// A form derives from it, builds its ui, and then calls setUpWindow(),
// paints its colours, loads, and finally calls followInputs() and
// saveOnClosing().
class CalculatorDialog : public QDialog {
    Q_OBJECT

public:
    ~CalculatorDialog() override;
    void done(int result) override;

protected:
    explicit CalculatorDialog(QWidget *parent);

    // The window of a calculator: a dialog with a title and a close box,
    // neither minimisable nor maximisable (and not resizable where
    // `fixedSize`), centred on its screen; Ctrl+Tab turns the pages from
    // anywhere (a form of one page passes no pages).
    void setUpWindow(QTabWidget *pages, bool fixedSize);

    // From now on every change of a text or a list position runs `read`, the
    // form's one reading of its fields; it runs once at once.
    void followInputs(const std::function<void()> &read);

    // How the entries are saved on closing; runs once, however the form goes.
    void saveOnClosing(std::function<void()> save);

    // "Okay" hands in no final result that no longer follows from the inputs:
    // for a stale step on its way (its number on the form, 0 for none) it
    // says where to start again and answers false.
    bool finalResultIsCurrent(int firstStaleStep, const QString &title);

    // The colours that show which values belong together.
    static void paintFields(const QList<QPair<FieldTriple, QColor>> &fields);
    static void paintLines(const QList<QPair<QFrame *, QColor>> &lines);

    // The form has no default button: Enter in a field runs no step. Enter on
    // a button that has the focus presses it, as Space does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void save();

    std::function<void()> m_save;
    bool m_saved = false;
};

} // namespace Gui

#endif
