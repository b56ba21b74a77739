#include "exercise/solarpage.h"

#include "astro/zodiac.h"
#include "ui_exercisewindow.h"

#include "exercise/exercisesheet.h"
#include "exercise/solaranswer.h"
#include "exercise/solartexts.h"
#include "record/causes.h"
#include "ui/inputhelpers.h"
#include "ui/services.h"

#include <QTableWidgetItem>

#include <algorithm>
#include <initializer_list>

namespace Exercise {

using namespace Gui;

SolarPage::SolarPage(Ui::Uebung &form, WorkIn workIn, KeptWork keptWork)
    : TaskPageOf(form, std::move(workIn), std::move(keptWork))
{
    preparePageTable(ui.tblEphemeride);
    for (QLineEdit *field : answerFields())
        acceptDigitsOnly(field);
}

QString SolarPage::storeKey() const
{
    return QStringLiteral("Solar");
}

// In the order of the verdict's fields: the time, then the date.
QList<QLineEdit *> SolarPage::answerFields() const
{
    return {ui.txtAntwort_0,      ui.txtAntwort_1,      ui.txtAntwort_2,
            ui.txtAntwortDatum_0, ui.txtAntwortDatum_1, ui.txtAntwortDatum_2};
}

void SolarPage::setShown(bool shown)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui.lblEphemeride, ui.tblEphemeride, ui.lblAntwortZeit, ui.txtAntwort_0, ui.lblAntwortH,
             ui.txtAntwort_1, ui.lblAntwortM, ui.txtAntwort_2, ui.lblAntwortS, ui.lblAntwortDatum,
             ui.txtAntwortDatum_0, ui.lblPunkt1, ui.txtAntwortDatum_1, ui.lblPunkt2,
             ui.txtAntwortDatum_2})
        widget->setVisible(shown);
}

bool SolarPage::showTask(int number)
{
    std::optional<SolarTask> task = makeSolarTask(number);
    if (!task)
        return false;
    m_task = std::move(task);
    m_shownSince.start();
    m_exact.reset();
    ui.txtAufgabentext->setHtml(solarTaskHtml(*m_task));
    fillPage();
    for (QLineEdit *field : answerFields())
        field->clear();
    return true;
}

// The ephemeris: the day with its weekday, the Sun at 0h UT.
void SolarPage::fillPage()
{
    QTableWidget *page = ui.tblEphemeride;
    page->setRowCount(static_cast<int>(m_task->page.size()));
    for (int row = 0; row < page->rowCount(); ++row) {
        const EphemerisDay &day = m_task->page.at(row);
        page->setItem(row, 0, new QTableWidgetItem(dayText(day.date)));
        auto *position = new QTableWidgetItem(Astro::positionText(day.position));
        position->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        page->setItem(row, 1, position);
    }
    fitToContents(page);
}

QDateTime SolarPage::exactMoment()
{
    if (!m_exact)
        m_exact = Exercise::exactMoment(*m_task);
    return *m_exact;
}

TaskVerdict SolarPage::judge()
{
    const std::optional<Solar::Worked> worked = keptWork();
    if (worked)
        return judged(checkSolarCalculation(*m_task, *worked), worked);
    const QList<QLineEdit *> fields = answerFields();
    // The exact moment only matters for a right answer.
    return judged(
        checkSolarAnswer(*m_task, {fieldTexts(fields), fieldTexts(fields, 3)}, exactMoment()),
        worked);
}

QString SolarPage::solutionHtml()
{
    return solarSolutionHtml(*m_task, exactMoment());
}

Sheets::Sheet SolarPage::exerciseSheet(int count, QDate printed) const
{
    return solarExerciseSheet(m_task->number, count, printed);
}

Sheets::SheetStep SolarPage::taskOnSheet(int ordinal) const
{
    return solarTaskOnSheet(ordinal, *m_task);
}

} // namespace Exercise
