#ifndef REKTI_REKTIFORM_H
#define REKTI_REKTIFORM_H

#include "core/effects.h"
#include "ui/controlarrays.h"

#include <QDialog>

#include <memory>

namespace Ui {
class Rekti;
}
class MainWindowAccess;
class QKeyEvent;

// The rectification calculator ("Rektifikation mit primär dirigierten
// Achsen"). Built anew at every opening: the constructor runs the load
// sequence (lists preselected, birth date copied, entries of the last use
// restored unless a new calculation was started, then the name taken from the
// main window); closing it by any way runs the unload sequence (entries saved)
// exactly once, and the main window deletes it afterwards.
//
// The form computes nothing itself: each "=" button and each change handler
// asks RektiSteps for the effects of the step and hands them to one writer,
// which applies them to the controls in order. Only the range checks of the
// typed fields and the paging belong to the form.
class RektiForm : public QDialog {
    Q_OBJECT

public:
    explicit RektiForm(MainWindowAccess &main, QWidget *parent = nullptr);
    ~RektiForm() override;

    // True once step 8 has been computed since the form was loaded.
    bool resultReady() const { return m_resultReady; }

    // Every way of closing ("Okay" with a result, "Abbrechen", the close box,
    // Escape) ends here.
    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    using Step = Effects (*)(const FormValues &);

    // Handlers, named after control and event.
    void Form_Load();
    void Form_Unload();
    void SSTab1_Click();
    void Command1_Click();
    void Command14_Click();
    void txtJahre_Change(int index);
    void txtTime0_Change(int index);
    void AngleField_Change(FieldArray &fields, int index);
    void SiderealTime_Change(FieldArray &fields);

    void runStep(Step step);
    // The one writer of the form: carries out the effects of a step in order.
    void apply(const Effects &effects);
    void showMessage(const QString &text, const QString &title);

    std::unique_ptr<Ui::Rekti> ui;
    MainWindowAccess &m_main;
    std::unique_ptr<FormValues> m_values; // the controls, read by name

    // The control arrays that the store keeps, and those with change handlers.
    FieldArray m_Text1;
    FieldArray m_Text7;
    FieldArray m_txtDateh;
    FieldArray m_txtTime0;
    FieldArray m_txtSternZeit1;
    FieldArray m_txtSTernZeit2;
    FieldArray m_txtDeg3;
    FieldArray m_txtDeg4;
    FieldArray m_txtDeg6;
    FieldArray m_txtDeg7;
    FieldArray m_txtTime2;
    FieldArray m_txtJahre;
    FieldArray m_txtJahre2;
    FieldArray m_txtTime7;

    // Step 8 has been computed: only then does "Okay" on the last page add
    // the row and close the form.
    bool m_resultReady = false;
    bool m_unloaded = false;
};

#endif
