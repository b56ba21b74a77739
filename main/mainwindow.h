#ifndef MAIN_MAINWINDOW_H
#define MAIN_MAINWINDOW_H

#include "core/resultrow.h"
#include "settings/store.h"
#include "ui/formsupport.h"

#include <QList>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

namespace Ui {
class MainWindow;
}
class DocumentLinks;
class QCloseEvent;
class QDialog;
class QKeyEvent;
class QShowEvent;
class ResultList;

// The main window: the person's data (name, birth date, birth place, birth
// time), the buttons that open the two calculators, and the result list that
// collects one row per finished calculation. It stays open for the whole run;
// closing it ends the program.
//
// The person fields and the result list are kept in the settings store: read
// back when the window is built, written when it closes. A calculator is
// given the person's name and birth date when it opens and offers its
// finished row back; the window appends it while the list has room.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    ResultList &resultList() { return *m_list; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void load();
    void focusName();
    QList<Store::Controls> storedControls() const;
    // Runs the save when the program ends by any road (close box, "Beenden",
    // the session's logout, the application quitting), but only once for the
    // same contents.
    void saveOnExit();

    void openSolar();
    void openRectification();
    CalculatorStart calculatorStart(bool &newCalculation);
    void showCalculator(QDialog *form);
    void startNewCalculation();
    void deleteAllRows();
    void deleteMarkedRow();

    // What the save writes: the rows of the list and the eight person fields.
    struct SavedState {
        QList<ResultRow> rows;
        QStringList fields;
        friend bool operator==(const SavedState &, const SavedState &) = default;
    };
    SavedState currentState() const;

    std::unique_ptr<Ui::MainWindow> ui;
    FieldTriple m_birthDate; // day, month, year
    FieldTriple m_birthTime; // hours, minutes, seconds
    std::unique_ptr<ResultList> m_list;
    DocumentLinks *m_documents;
    // "Neue Berechnung starten" was pressed: the calculator opens once
    // without its entries of the last use.
    bool m_newSolar = false;
    bool m_newRectification = false;
    bool m_shown = false;
    std::optional<SavedState> m_saved;
};

#endif
