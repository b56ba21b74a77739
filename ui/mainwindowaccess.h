#ifndef UI_MAINWINDOWACCESS_H
#define UI_MAINWINDOWACCESS_H

#include "core/sexagesimal.h"

class QWidget;
class ResultList;

// What a calculator form takes from the main window while it loads and when it
// finishes: the person fields by name, the result list, and the window that
// owns the calculator while it is shown modally.
class MainWindowAccess {
public:
    virtual ~MainWindowAccess() = default;
    virtual QWidget *window() = 0;
    virtual FieldTexts birthDate() const = 0; // txtDateh 0-2: day, month, year
    virtual QString personName() const = 0;   // Text1h 0
    virtual ResultList &resultList() = 0;
};

#endif
