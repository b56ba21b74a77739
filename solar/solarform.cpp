#include "solar/solarform.h"
#include "ui_solarform.h"

#include "astro/zodiac.h"
#include "core/numbers.h"
#include "record/causes.h"
#include "settings/entrieskeeper.h"
#include "sheet/sheetactions.h"
#include "sheet/sheetparts.h"
#include "solar/checkdialog.h"
#include "solar/solarsheet.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"

#include <QColor>
#include <QDate>

#include <cmath>

namespace Solar {

using namespace Core;
using namespace Gui;
using namespace Sheets;

namespace {

// The colours tell which values belong together: a result has the colour of
// the field of the next step that it is copied into.
const QColor White(255, 255, 255);
const QColor HeaderOnSecondPage(0, 192, 192);
const QColor Grey(192, 192, 192);
const QColor Date2(128, 128, 255);
const QColor Date1(255, 192, 128);
const QColor MotionA(192, 255, 192);
const QColor DistanceB(255, 128, 128);
const QColor GreenwichTime(192, 255, 255);
const QColor ZoneTime(255, 255, 192);
const QColor FinalTime(255, 255, 0);
const QColor BirthDate(255, 192, 255);

} // namespace

SolarForm::SolarForm(CalculatorStart start, QWidget *parent)
    : CalculatorDialog(parent), ui(std::make_unique<Ui::SolarForm>()), m_start(std::move(start))
{
    m_opened.start();
    ui->setupUi(this);
    setUpWindow(ui->SSTab1, true);

    collectFields();
    paint();
    setUpTyping();
    connectSteps();

    // Worked from the keyboard alone: the cursor starts in the sign, the
    // first entry of the workflow.
    ui->Text1_0->setFocus(Qt::OtherFocusReason);

    ui->SSTab1->setCurrentIndex(0);
    showPage(0);
    load();

    // From here on every change of an input is read into the state at once,
    // and the entries are kept as they change and when the form closes.
    followInputs([this] { readFields(); });
    Store::keepEntriesAsTheyChange(this, storedControls());
    saveOnClosing([controls = storedControls()] { Store::saveControls(controls); });
    // The sign restored from the last use is selected, ready to be typed over.
    selectAllText(ui->Text1_0);
}

// The form's fields and lists, by what they hold, and the form's side of the
// table of steps: the fields of each entry a step reads or shows.
void SolarForm::collectFields()
{
    m_radix = {ui->cmbDeg13_0, ui->cmbDeg13_1, ui->cmbDeg13_2};
    m_date1 = {ui->cmbDeg1_0, ui->cmbDeg1_1, ui->cmbDeg1_2};
    m_date2 = {ui->cmbDeg2_0, ui->cmbDeg2_1, ui->cmbDeg2_2};
    m_radixOfStep3 = {ui->cmbDeg5_0, ui->cmbDeg5_1, ui->cmbDeg5_2};
    m_date1OfStep2 = {ui->txtDeg02_0, ui->txtDeg02_1, ui->txtDeg02_2};
    m_date2OfStep2 = {ui->txtDeg01_0, ui->txtDeg01_1, ui->txtDeg01_2};
    m_date1OfStep3 = {ui->txtDeg03_0, ui->txtDeg03_1, ui->txtDeg03_2};
    m_motion = {ui->txtDeg1_0, ui->txtDeg1_1, ui->txtDeg1_2};
    m_motionOfStep4 = {ui->txtDeg4_0, ui->txtDeg4_1, ui->txtDeg4_2};
    m_distance = {ui->txtDeg2_0, ui->txtDeg2_1, ui->txtDeg2_2};
    m_distanceOfStep4 = {ui->txtDeg3_0, ui->txtDeg3_1, ui->txtDeg3_2};
    m_greenwichTime = {ui->txtTime1_0, ui->txtTime1_1, ui->txtTime1_2};
    m_greenwichTimeOfStep5 = {ui->txtTime2_0, ui->txtTime2_1, ui->txtTime2_2};
    m_zoneTime = {ui->txtTime3_0, ui->txtTime3_1, ui->txtTime3_2};
    m_finalTime = {ui->txtTime4_0, ui->txtTime4_1, ui->txtTime4_2};
    m_birthDate = {ui->txtDateh_0, ui->txtDateh_1, ui->txtDateh_2};
    m_solarDate = {ui->Text1_2, ui->Text1_3, ui->Text1_4};
    using E = Entries;
    m_entryFields = {{&E::motionShown, &m_motion},
                     {&E::motion, &m_motionOfStep4},
                     {&E::distanceShown, &m_distance},
                     {&E::distance, &m_distanceOfStep4},
                     {&E::greenwichShown, &m_greenwichTime},
                     {&E::greenwichTime, &m_greenwichTimeOfStep5},
                     {&E::zoneTime, &m_zoneTime},
                     {&E::finalTime, &m_finalTime}};
    m_resultFields = {&m_motion, &m_distance, &m_greenwichTime, &m_zoneTime, &m_finalTime};
}

void SolarForm::setUpTyping()
{
    // Typing into the sign, the years and the dates replaces the whole entry;
    // the ephemeris positions of dates 1 and 2 change only through their lists.
    for (QLineEdit *field : {ui->Text1_0, ui->Text1_1, ui->Text1_2, ui->Text1_3, ui->Text1_4,
                             ui->txtDateh_0, ui->txtDateh_1, ui->txtDateh_2})
        selectAllOnFocus(field);
    // The fields of the steps keep the caret where the user put it.
    keepCaretOnFocus(this);
    for (const PickerTriple *pickers : {&m_date1, &m_date2}) {
        for (QComboBox *picker : *pickers)
            rejectAllKeys(picker);
    }
    rejectAllKeys(ui->Combo1);
}

void SolarForm::connectSteps()
{
    // Step 1: every change of a picked position, also by the program while
    // the form fills and restores its lists, is carried into steps 2 and 3.
    const auto onPick = [this](const PickerTriple &pickers, void (SolarForm::*carry)(int)) {
        for (int i = 0; i < 3; ++i) {
            connect(pickers[i], &QComboBox::currentIndexChanged, this, [this, carry, i](int p) {
                if (p >= 0) // -1: the list was emptied, there is nothing to carry
                    (this->*carry)(i);
            });
        }
    };
    onPick(m_date1, &SolarForm::carryDate1);
    onPick(m_date2, &SolarForm::carryDate2);
    onPick(m_radix, &SolarForm::carryRadix);
    const struct {
        QPushButton *button;
        Step step;
    } steps[] = {{ui->Command2, MotionStep},
                 {ui->Command3, DistanceStep},
                 {ui->Command4, GreenwichStep},
                 {ui->Command1, ZoneStep},
                 {ui->Command5, FinalStep}};
    for (const auto &[button, step] : steps)
        connect(button, &QPushButton::clicked, this, [this, step = step] { run(step); });
    connect(ui->Command6, &QPushButton::clicked, this, &SolarForm::okayClicked);
    connect(ui->Command7, &QPushButton::clicked, this, &SolarForm::reject);
    connect(ui->SSTab1, &QTabWidget::currentChanged, this, &SolarForm::showPage);
    connect(ui->cmdKontrolle, &QPushButton::clicked, this, &SolarForm::openCheck);
    attachSheetMenu(
        ui->cmdRechenblatt, calculationSheetTexts(), [this] { return calculationSheet(); },
        [this] { return solarSheetFileName(m_start.personName, ui->Text1_1->text()); });
}

SolarForm::~SolarForm() = default;

void SolarForm::paint()
{
    paintFields({
        {m_date2OfStep2, Date2},
        {m_date1OfStep2, Date1},
        {m_date1OfStep3, Date1},
        {m_motion, MotionA},
        {m_motionOfStep4, MotionA},
        {m_distance, DistanceB},
        {m_distanceOfStep4, DistanceB},
        {m_greenwichTime, GreenwichTime},
        {m_greenwichTimeOfStep5, GreenwichTime},
        {m_zoneTime, ZoneTime},
        {m_finalTime, FinalTime},
        {m_birthDate, BirthDate},
    });
    for (const PickerTriple *pickers : {&m_date1, &m_date2}) {
        for (QComboBox *picker : *pickers)
            setListColour(picker, White);
    }
    for (QLabel *step :
         {ui->Label157_0, ui->Label157_1, ui->Label157_2, ui->Label157_3, ui->Label157_4})
        setLabelColour(step, Grey);
    paintLines({
        {ui->Line1, Grey},
        {ui->Line2, Grey},
        {ui->Line3, Date2},
        {ui->Line4, Date2},
        {ui->Line5, Date2},
        {ui->Line6, Date1},
        {ui->Line7, Date1},
        {ui->Line8, Date1},
        {ui->Line9, Date1},
        {ui->Line10, Grey},
        {ui->Line11, Grey},
        {ui->Line12, Grey},
        {ui->Line13, GreenwichTime},
        {ui->Line14, GreenwichTime},
        {ui->Line15, GreenwichTime},
        {ui->Line16, GreenwichTime},
    });
}

// The stored controls in the order of their restore: the radix comes back
// last of the lists, so that it is carried into step 3 over the restored
// radix of step 3.
QList<Store::Controls> SolarForm::storedControls() const
{
    using K = Store::Key;
    const auto list = [](const PickerTriple &p) {
        return QList<QWidget *>{p[0], p[1], p[2]};
    };
    return {{K::SolarDate1, list(m_date1)},
            {K::SolarDate2, list(m_date2)},
            {K::SolarRadixOfStep3, list(m_radixOfStep3)},
            {K::SolarRadix, list(m_radix)},
            {K::SolarHeader, {ui->Text1_0, ui->Text1_1, ui->Text1_2, ui->Text1_3, ui->Text1_4}}};
}

void SolarForm::load()
{
    m_resultReady = false;

    for (int hours = 12; hours >= -12; --hours)
        ui->cmbGMT->addItem(hours > 0 ? u'+' + plainInteger(hours) : plainInteger(hours));
    ui->cmbGMT->setCurrentIndex(11); // "+1", the German time zone
    ui->Combo1->setCurrentIndex(0);  // "+0h", no day shift

    // The header's radix is filled before the radix of step 3, so that its
    // first selection is not carried there.
    const struct {
        const PickerTriple &pickers;
        void (SolarForm::*carry)(int);
    } lists[] = {{m_radix, &SolarForm::carryRadix},
                 {m_date1, &SolarForm::carryDate1},
                 {m_date2, &SolarForm::carryDate2},
                 {m_radixOfStep3, nullptr}};
    for (const auto &[pickers, carry] : lists) {
        for (int i = 0; i < 3; ++i) {
            fillPositionList(pickers[i], i);
            if (carry)
                (this->*carry)(i);
        }
    }
    for (size_t i = 0; i < 3; ++i)
        m_birthDate[i]->setText(m_start.birthDate[i]);

    const bool restore = Store::openCalculation(Store::SolarTask, m_start);
    if (restore)
        Store::restoreControls(storedControls());
    m_state.task = m_start.task;
    showTaskSummary(ui->lblAufgabeDaten, m_state.task);
    // A task started anew: its sign, year and radix Sun in the head; the
    // radix lists run their handlers, as picking does, and carry the radix
    // into step 3.
    if (m_state.task && !restore) {
        const Core::GivenTask &task = *m_state.task;
        ui->Text1_0->setText(Astro::signName(task.radixSun / Core::ArcSecondsPerSign));
        ui->Text1_1->setText(QString::number(task.solarYear));
        const SexagesimalTriple within = secondsToTriple(task.radixSun % Core::ArcSecondsPerSign);
        m_radix[0]->setCurrentIndex(within.units);
        m_radix[1]->setCurrentIndex(within.minutes);
        m_radix[2]->setCurrentIndex(within.seconds);
    }
}

void SolarForm::readFields()
{
    Entries &e = m_state.entries;
    e.date1 = readTriple(m_date1OfStep2);
    e.date2 = readTriple(m_date2OfStep2);
    e.radix = positionsOf(m_radixOfStep3);
    e.date1OfStep3 = readTriple(m_date1OfStep3);
    // Step 5 writes a fractional hour with the desktop's separator ("14,5")
    // and reads its Greenwich and zone times back with it.
    for (const auto &[entry, fields] : std::as_const(m_entryFields))
        e.*entry = entry == &Entries::greenwichTime || entry == &Entries::zoneTime
                       ? Sexagesimal::readWithRegionalPoint(textsOf(*fields))
                       : readTriple(*fields);
    e.zoneHours = readNumber(ui->cmbGMT->currentText());
    e.dayShiftHours = readNumber(ui->Combo1->currentText());
    e.date = readTriple(m_solarDate);

    Header &h = m_state.header;
    h.sign = ui->Text1_0->text();
    h.year = ui->Text1_1->text();
    h.birthDate = textsOf(m_birthDate);
    h.radix = positionsOf(m_radix);
    h.sunDate1 = positionsOf(m_date1);
    h.sunDate2 = positionsOf(m_date2);
    h.solarDate = textsOf(m_solarDate);
    h.zoneText = ui->cmbGMT->currentText();
    h.dayShiftText = ui->Combo1->currentText();
    readHeader(h);
    markStale();
}

void SolarForm::carryDate1(int element)
{
    const QString degrees = plainInteger(m_date1[element]->currentIndex());
    m_date1OfStep2[element]->setText(degrees);
    m_date1OfStep3[element]->setText(degrees);
}

void SolarForm::carryDate2(int element)
{
    m_date2OfStep2[element]->setText(plainInteger(m_date2[element]->currentIndex()));
}

void SolarForm::carryRadix(int element)
{
    // While the form fills its lists, the radix of step 3 may still be empty
    // or half filled: the position is carried only into a list that holds the
    // same entries.
    QComboBox *target = m_radixOfStep3[element];
    if (target->count() == m_radix[element]->count())
        target->setCurrentIndex(m_radix[element]->currentIndex());
}

void SolarForm::run(Step step)
{
    readFields();
    if (const auto message = m_state.run(step)) {
        markStale();
        showStepMessage(this, *message, title());
        return;
    }
    // The result goes into its field and into the fields of the next step
    // that read it, as the state has written them; every write is read back
    // into the state, so what is to be written is taken first.
    const Entries entries = m_state.entries;
    for (const Copy &copy : rule(step).copies) {
        for (const auto &[entry, fields] : std::as_const(m_entryFields)) {
            if (copy.entry == entry)
                showInFields(*fields, entries.*entry);
        }
    }
    if (step == FinalStep)
        m_resultReady = true;
    readFields();
}

// A stale result keeps its text, struck through, and says so to a screen
// reader and in its tooltip.
void SolarForm::markStale()
{
    for (int step = 0; step < StepCount; ++step) {
        const bool stale = m_state.status(step) == StepLedger::Status::Stale;
        for (QLineEdit *field : *m_resultFields[static_cast<std::size_t>(step)])
            Gui::markStale(field, stale);
    }
}

// The sign, the year and the radix Sun stay in view over both pages; on the
// second page they are tinted, so that the header reads as given data.
void SolarForm::showPage(int page)
{
    const QColor colour = page == 1 ? HeaderOnSecondPage : White;
    setFieldColour(ui->Text1_0, colour);
    setFieldColour(ui->Text1_1, colour);
    for (QComboBox *picker : m_radix)
        setListColour(picker, colour);
}

// "Okay" pages on from "Schritt 1-3"; on "Schritt 4-5" it goes back to the
// first page and, once the final step has succeeded, hands the Solar to the
// result list and closes.
void SolarForm::okayClicked()
{
    const int page = ui->SSTab1->currentIndex();
    if (page != 1) {
        ui->SSTab1->setCurrentIndex(page + 1);
        return;
    }
    ui->SSTab1->setCurrentIndex(0);
    if (!m_resultReady)
        return;
    readFields();
    // A final time that no longer follows from the inputs is not handed in.
    const int stale = m_state.firstStale(FinalStep);
    if (!finalResultIsCurrent(stale >= 0 ? rule(stale).number : 0, title()))
        return;
    if (offerResult(this, resultRow(m_state.entries.date, *m_state.results().final), m_start,
                    title()))
        accept();
}

// The check opens beside the form and leaves it as it is; input it cannot
// work with gets one message and no dialog.
void SolarForm::openCheck()
{
    if (checkLocked(this, m_start, m_state.task, checkTitle()))
        return;
    readFields();
    const auto comparison = compare(m_state.worked());
    if (!comparison.ok()) {
        showStepMessage(this, comparison.message(), checkTitle());
        return;
    }
    // A calculation of a task goes into the record once per opening of the
    // check; what is changed inside the check dialog is not.
    if (m_state.task && m_start.record) {
        const Cause cause = comparison.value().cause;
        m_start.record(Record::entryOf(*m_state.task, Record::answerOf(m_state.worked()),
                                       cause == Cause::Right, Record::causeCode(cause),
                                       m_opened.elapsed() / 1000, Record::Source::Check));
    }
    auto *dialog = new CheckDialog(comparison.value(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

Sheet SolarForm::calculationSheet() const
{
    SolarSheetInput in;
    in.person = {m_start.personName, m_start.birthDate, m_start.birthTime, m_start.birthPlace};
    in.printed = QDate::currentDate();
    in.steps = {{{ui->Label51->text(), ui->Label1->text()},
                 {ui->Label4->text(), {}},
                 {ui->Label13->text(), {}},
                 {ui->Label17->text(), {}},
                 {QStringLiteral("Zeitzone und Tageskorrektur"), ui->Label27->text()}}};
    in.worked = m_state.worked();
    // While its task is under examination the sheet closes without the check.
    const auto comparison = compare(in.worked);
    if (comparison.ok() && !underExamination(m_start, m_state.task))
        in.check = comparison.value();
    return solarSheet(in);
}

} // namespace Solar
