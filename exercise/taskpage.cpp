#include "exercise/taskpage.h"

#include "exercise/solaranswer.h"
#include "ui/services.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

namespace Exercise {

void TaskPage::checkAnswer(QWidget *window)
{
    showVerdict(window, judge());
}

void showVerdict(QWidget *window, const TaskVerdict &verdict)
{
    if (verdict.firstEmpty)
        verdict.firstEmpty->setFocus(Qt::OtherFocusReason);
    Gui::services().showMessage(window, verdict.message, exerciseTitle());
}

void preparePageTable(QTableWidget *page)
{
    page->verticalHeader()->hide();
    page->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    page->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    page->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void fitToContents(QTableWidget *page)
{
    page->resizeColumnsToContents();
    page->resizeRowsToContents();
    const int frame = 2 * page->frameWidth();
    int height = page->horizontalHeader()->height() + frame;
    for (int row = 0; row < page->rowCount(); ++row)
        height += page->rowHeight(row);
    page->setFixedHeight(height);
    page->setFixedWidth(page->horizontalHeader()->length() + frame);
}

} // namespace Exercise
