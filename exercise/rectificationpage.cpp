#include "exercise/rectificationpage.h"
#include "ui_exercisewindow.h"

#include "exercise/exercisesheet.h"
#include "exercise/rectificationanswer.h"
#include "exercise/rectificationtexts.h"
#include "exercise/siderealpage.h"
#include "exercise/solaranswer.h"
#include "record/causes.h"
#include "ui/services.h"

#include <QTableWidgetItem>

#include <algorithm>
#include <initializer_list>

namespace Exercise {

using namespace Gui;

RectificationPage::RectificationPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork)
    : TaskPageOf(form, std::move(workIn), std::move(keptWork))
{
    preparePageTable(ui.tblHaeusertabelle);
    ui.tblHaeusertabelle->setHorizontalHeaderLabels(houseTableHeaders());
    // The correction as the calculator writes it: each part may be negative.
    acceptSignedDigits(answerFields());
}

QString RectificationPage::storeKey() const
{
    return QStringLiteral("GZK");
}

// The correction's hours, minutes and seconds.
QList<QLineEdit *> RectificationPage::answerFields() const
{
    return {ui.txtKorrektur_0, ui.txtKorrektur_1, ui.txtKorrektur_2};
}

void RectificationPage::setShown(bool shown)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui.lblHaeusertabelle, ui.tblHaeusertabelle, ui.lblKorrektur, ui.txtKorrektur_0,
             ui.lblKorrekturH, ui.txtKorrektur_1, ui.lblKorrekturM, ui.txtKorrektur_2,
             ui.lblKorrekturS, ui.chkSternzeitSelbst})
        widget->setVisible(shown);
    m_shown = shown;
    showSiderealPage(shown && m_task && m_task->siderealWorked);
}

// The page of sidereal times, which the page of that kind of task shares.
void RectificationPage::showSiderealPage(bool shown)
{
    ui.lblSternzeiten->setVisible(shown);
    ui.tblSternzeiten->setVisible(shown);
    if (shown)
        fillSiderealPage(ui.tblSternzeiten, m_task->siderealPage);
}

// The task of a number is the same with the box checked or not: its birth,
// event and page stay; only what it gives of the sidereal time of birth
// changes.
bool RectificationPage::showTask(int number)
{
    std::optional<RectificationTask> task = makeRectificationTask(number);
    if (!task)
        return false;
    m_task = std::move(task);
    m_task->siderealWorked = m_siderealWorked;
    m_shownSince.start();
    ui.txtAufgabentext->setHtml(rectificationTaskHtml(*m_task));
    fillPage();
    showSiderealPage(m_shown && m_task->siderealWorked);
    for (QLineEdit *field : answerFields())
        field->clear();
    return true;
}

void RectificationPage::setSiderealWorked(bool worked)
{
    m_siderealWorked = worked;
    if (m_task && m_task->siderealWorked != worked)
        showTask(m_task->number);
}

// The house table's rows around the event's sidereal time, under the
// latitude it is printed for.
void RectificationPage::fillPage()
{
    ui.lblHaeusertabelle->setText(houseTableTitle(*m_task));
    QTableWidget *page = ui.tblHaeusertabelle;
    page->setRowCount(static_cast<int>(m_task->page.size()));
    for (int row = 0; row < page->rowCount(); ++row) {
        const QStringList cells = houseTableCells(m_task->page.at(row));
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            page->setItem(row, column, item);
        }
    }
    fitToContents(page);
}

TaskVerdict RectificationPage::judge()
{
    const std::optional<Rectification::Worked> worked = keptWork();
    return judged(worked ? checkRectificationCalculation(*m_task, *worked)
                         : checkRectificationAnswer(*m_task, fieldTexts(answerFields())),
                  worked);
}

QString RectificationPage::solutionHtml()
{
    return rectificationSolutionHtml(*m_task);
}

Sheets::Sheet RectificationPage::exerciseSheet(int count, QDate printed) const
{
    return rectificationExerciseSheet(m_task->number, count, printed, m_siderealWorked);
}

Sheets::SheetStep RectificationPage::taskOnSheet(int ordinal) const
{
    return rectificationTaskOnSheet(ordinal, *m_task);
}

} // namespace Exercise
