#ifndef MAIN_HAUPT_H
#define MAIN_HAUPT_H

#include "core/resultrow.h"
#include "ui/controlarrays.h"
#include "ui/mainwindowaccess.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class Haupt;
}
class DocumentLinks;
class QCloseEvent;
class QKeyEvent;
class QShowEvent;

// The main window: the person's data (name, birth date, birth place, birth
// time), the buttons that open the two calculators, and the result list that
// collects one row per finished calculation. It stays open for the whole run;
// closing it ends the program.
//
// The person fields and the result list are kept in the settings store: read
// back when the window is built, written when it closes. The calculators read
// the person fields and append their rows through MainWindowAccess; the
// window hands them nothing else.
class Haupt : public QWidget, public MainWindowAccess {
    Q_OBJECT

public:
    explicit Haupt(QWidget *parent = nullptr);
    ~Haupt() override;

    // MainWindowAccess
    QWidget *window() override;
    FieldTexts birthDate() const override;
    QString personName() const override;
    ResultList &resultList() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Handlers, named after control and event.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void Command2_Click();
    void Command3_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void txtDateh_Change(int index);
    void txtTime0h_Change(int index);

    // What the unload writes: the rows of the list and the eight person fields.
    struct SavedState {
        QList<ResultRow> rows;
        QStringList fields;
        friend bool operator==(const SavedState &, const SavedState &) = default;
    };
    SavedState currentState() const;
    // Runs the unload save when the program ends by any road (close box,
    // "Beenden", the session's logout, the application quitting), but only
    // once for the same contents.
    void saveOnExit();

    std::unique_ptr<Ui::Haupt> ui;
    FieldArray m_name;       // Text1h
    FieldArray m_birthDate;  // txtDateh: day, month, year
    FieldArray m_birthPlace; // Text3h
    FieldArray m_birthTime;  // txtTime0h: hours, minutes, seconds
    std::unique_ptr<ResultList> m_list;
    DocumentLinks *m_documents; // document and teaching menus, "?" buttons, link labels
    bool m_shown = false;
    std::optional<SavedState> m_saved;
};

#endif
