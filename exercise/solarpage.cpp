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
    : ui(form), m_workIn(std::move(workIn)), m_keptWork(std::move(keptWork))
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
    const QList<QLineEdit *> fields = answerFields();
    std::optional<Solar::Worked> worked;
    if (m_keptWork)
        worked = m_keptWork(m_task->number);
    if (worked && !anyComputed(worked->status))
        worked.reset();
    SolarVerdict verdict;
    if (worked) {
        verdict = checkSolarCalculation(*m_task, *worked);
    } else {
        const SolarAnswer answer{{fields[0]->text(), fields[1]->text(), fields[2]->text()},
                                 {fields[3]->text(), fields[4]->text(), fields[5]->text()}};
        // The exact moment only matters for a right answer.
        verdict = checkSolarAnswer(*m_task, answer, exactMoment());
    }
    TaskVerdict judged{outcomeOf(verdict.outcome), verdict.message};
    judged.calculation = worked.has_value();
    if (verdict.outcome == SolarVerdict::Outcome::Incomplete && verdict.firstEmpty >= 0)
        judged.firstEmpty = fields.at(verdict.firstEmpty);
    // An answer judged, as the record of the work keeps it.
    if (verdict.outcome != SolarVerdict::Outcome::Incomplete) {
        const bool right = judged.outcome == TaskVerdict::Outcome::Right;
        judged.record = Record::entryOf(
            givenTask(*m_task),
            worked ? Record::answerOf(*worked)
                   : Record::typedAnswer({fields[0]->text(), fields[1]->text(), fields[2]->text()},
                                         {fields[3]->text(), fields[4]->text(), fields[5]->text()}),
            right,
            right           ? QString()
            : verdict.cause ? Record::causeCode(*verdict.cause)
                            : Record::causeCode(TaskKind::Solar, verdict.hint),
            m_shownSince.elapsed() / 1000, Record::Source::Exercise);
    }
    return judged;
}

QString SolarPage::solutionHtml()
{
    return solarSolutionHtml(*m_task, exactMoment());
}

void SolarPage::workInCalculator()
{
    if (m_workIn)
        m_workIn(*m_task);
}

Sheets::Sheet SolarPage::exerciseSheet(int count, QDate printed) const
{
    return solarExerciseSheet(m_task->number, count, printed);
}

QString SolarPage::exerciseSheetFileName(int count) const
{
    return solarExerciseSheetFileName(m_task->number, count);
}

std::optional<Core::GivenTask> SolarPage::given() const
{
    return m_task ? std::optional(givenTask(*m_task)) : std::nullopt;
}

Sheets::SheetStep SolarPage::taskOnSheet(int ordinal) const
{
    return solarTaskOnSheet(ordinal, *m_task);
}

QString SolarPage::answerText() const
{
    const QList<QLineEdit *> fields = answerFields();
    if (std::all_of(fields.begin(), fields.end(),
                    [](const QLineEdit *field) { return field->text().isEmpty(); }))
        return {};
    return fields[0]->text() + QStringLiteral(" | ") + fields[1]->text() + QStringLiteral(" | ") +
           fields[2]->text() + QStringLiteral(", ") + fields[3]->text() + u'.' + fields[4]->text() +
           u'.' + fields[5]->text();
}

} // namespace Exercise
