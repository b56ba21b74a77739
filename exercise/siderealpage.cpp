#include "exercise/siderealpage.h"
#include "ui_exercisewindow.h"

#include "exercise/exercisesheet.h"
#include "exercise/siderealanswer.h"
#include "exercise/siderealtexts.h"
#include "exercise/solaranswer.h"
#include "record/causes.h"
#include "ui/services.h"

#include <QTableWidgetItem>

#include <algorithm>
#include <initializer_list>

namespace Exercise {

using namespace Gui;

void fillSiderealPage(QTableWidget *table, const QList<SiderealDay> &page)
{
    table->setRowCount(static_cast<int>(page.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        const QStringList cells = siderealPageCells(page.at(row));
        table->setItem(row, 0, new QTableWidgetItem(cells.at(0)));
        auto *time = new QTableWidgetItem(cells.at(1));
        time->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, 1, time);
    }
    fitToContents(table);
}

SiderealPage::SiderealPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork)
    : TaskPageOf(form, std::move(workIn), std::move(keptWork))
{
    preparePageTable(ui.tblSternzeiten);
    // A sum taken below 0h may be typed with its minus.
    acceptSignedDigits(answerFields());
}

QString SiderealPage::storeKey() const
{
    return QStringLiteral("Sternzeit");
}

// The sidereal time's hours, minutes and seconds.
QList<QLineEdit *> SiderealPage::answerFields() const
{
    return {ui.txtSternzeit_0, ui.txtSternzeit_1, ui.txtSternzeit_2};
}

// The page of sidereal times is shared with the rectification page, which
// shows it for its own task.
void SiderealPage::setShown(bool shown)
{
    for (QWidget *widget :
         std::initializer_list<QWidget *>{ui.lblSternzeiten, ui.tblSternzeiten, ui.lblSternzeit,
                                          ui.txtSternzeit_0, ui.lblSternzeitH, ui.txtSternzeit_1,
                                          ui.lblSternzeitM, ui.txtSternzeit_2, ui.lblSternzeitS})
        widget->setVisible(shown);
    if (shown && m_task)
        fillSiderealPage(ui.tblSternzeiten, m_task->page);
}

bool SiderealPage::showTask(int number)
{
    std::optional<SiderealTask> task = makeSiderealTask(number);
    if (!task)
        return false;
    m_task = std::move(task);
    m_shownSince.start();
    ui.txtAufgabentext->setHtml(siderealTaskHtml(*m_task));
    fillSiderealPage(ui.tblSternzeiten, m_task->page);
    for (QLineEdit *field : answerFields())
        field->clear();
    return true;
}

TaskVerdict SiderealPage::judge()
{
    const std::optional<Sidereal::Worked> worked = keptWork();
    return judged(worked ? checkSiderealCalculation(*worked)
                         : checkSiderealAnswer(*m_task, fieldTexts(answerFields())),
                  worked);
}

QString SiderealPage::solutionHtml()
{
    return siderealSolutionHtml(*m_task);
}

Sheets::Sheet SiderealPage::exerciseSheet(int count, QDate printed) const
{
    return siderealExerciseSheet(m_task->number, count, printed);
}

Sheets::SheetStep SiderealPage::taskOnSheet(int ordinal) const
{
    return siderealTaskOnSheet(ordinal, *m_task);
}

} // namespace Exercise
