#include "rekti/rectificationform.h"

#include "ui_rectificationform.h"

#include "core/calendar.h"
#include "core/notation.h"
#include "core/numbers.h"
#include "record/causes.h"
#include "rekti/rectificationcheckdialog.h"
#include "rekti/rectificationsheet.h"
#include "settings/entrieskeeper.h"
#include "sheet/sheetactions.h"
#include "sheet/sheetparts.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"
#include "ui/services.h"

#include <QColor>
#include <QDate>

namespace Rectification {

using namespace Core;
using namespace Gui;
using namespace Sheets;

namespace {

// The colours tell which values belong together: a result has the colour of
// the fields of later steps that it is copied into.
const QColor White(255, 255, 255);
const QColor BirthDate(255, 192, 255);
const QColor AgeCopy(192, 255, 255);
const QColor DaysPerYear(224, 224, 224);
const QColor DecimalYears(207, 253, 185);
const QColor Constant(192, 192, 192);
const QColor DirectionArc(192, 255, 192);
const QColor ArcInTime(255, 255, 128);
const QColor SiderealTimeOfBirth(255, 192, 128);
const QColor EventSum(255, 255, 192);
const QColor FinalTime(255, 255, 0);
const QColor FirstDifference(192, 255, 192);
const QColor SecondDifference(255, 128, 255);
const QColor QuotientColour(255, 255, 192);
const QColor RamcPlusQuotient(192, 255, 255);
const QColor CorrectedRamc(255, 128, 255);
const QColor CorrectedRamcInTime(255, 192, 255);
const QColor StepNumber(192, 192, 192);

} // namespace

RectificationForm::RectificationForm(CalculatorStart start, QWidget *parent)
    : CalculatorDialog(parent), ui(std::make_unique<Ui::RectificationForm>()),
      m_start(std::move(start))
{
    m_opened.start();
    ui->setupUi(this);
    setUpWindow(ui->SSTab1, false);
    setFixedSize(size());

    collectFields();
    tableFields();
    paint();
    setUpTyping();
    connectChecks();
    connectSteps();
    connectButtons();

    // Worked from the keyboard alone: the cursor starts in the sidereal time
    // of birth, the first entry of the workflow.
    ui->txtTime0_0->setFocus(Qt::OtherFocusReason);
    showBeginningOfText(ui->Text1_3);
    load();

    // From here on every change of an input is read into the state at once,
    // and the entries are kept as they change and when the form closes.
    followInputs([this] { readFields(); });
    Store::keepEntriesAsTheyChange(this, storedControls());
    saveOnClosing([controls = storedControls()] { Store::saveControls(controls); });
    // The time restored from the last use is selected, ready to be typed over.
    selectAllText(ui->txtTime0_0);
}

// The form's fields, by what they hold: an angle, a time or a date in three
// fields, an age or a house-table row in two.
void RectificationForm::collectFields()
{
    m_birthDate = {ui->txtDateh_0, ui->txtDateh_1, ui->txtDateh_2};
    m_birthSiderealTime = {ui->txtTime0_0, ui->txtTime0_1, ui->txtTime0_2};
    m_birthSiderealTimeOfStep4 = {ui->txtTime2_0, ui->txtTime2_1, ui->txtTime2_2};
    m_birthSiderealTimeOfStep8 = {ui->txtTime7_0, ui->txtTime7_1, ui->txtTime7_2};
    m_age = {ui->txtJahre_0, ui->txtJahre_1};
    m_ageOfStep2 = {ui->txtJahre2_0, ui->txtJahre2_1};
    m_arc = {ui->txtDeg1_0, ui->txtDeg1_1, ui->txtDeg1_2};
    m_arcOfStep3 = {ui->txtDeg2_0, ui->txtDeg2_1, ui->txtDeg2_2};
    m_arcOfStep6 = {ui->txtDeg15_0, ui->txtDeg15_1, ui->txtDeg15_2};
    m_arcInTime = {ui->txtTime1_0, ui->txtTime1_1, ui->txtTime1_2};
    m_arcInTimeOfStep4 = {ui->txtTime3_0, ui->txtTime3_1, ui->txtTime3_2};
    m_eventSiderealTime = {ui->txtTime4_0, ui->txtTime4_1, ui->txtTime4_2};
    m_siderealTimeWithinDay = {ui->txtTime5_0, ui->txtTime5_1, ui->txtTime5_2};
    m_smallerRowTime = {ui->txtSternZeit1_0, ui->txtSternZeit1_1};
    m_greaterRowTime = {ui->txtSTernZeit2_0, ui->txtSTernZeit2_1};
    m_greaterValue = {ui->txtDeg3_0, ui->txtDeg3_1, ui->txtDeg3_2};
    m_smallerValue = {ui->txtDeg4_0, ui->txtDeg4_1, ui->txtDeg4_2};
    m_tableStep = {ui->txtDeg5_0, ui->txtDeg5_1, ui->txtDeg5_2};
    m_tableStepOfStep5 = {ui->txtDeg10_0, ui->txtDeg10_1, ui->txtDeg10_2};
    m_correctedValue = {ui->txtDeg6_0, ui->txtDeg6_1, ui->txtDeg6_2};
    m_smallerValue2 = {ui->txtDeg7_0, ui->txtDeg7_1, ui->txtDeg7_2};
    m_towardsPlanet = {ui->txtDeg8_0, ui->txtDeg8_1, ui->txtDeg8_2};
    m_towardsPlanetOfStep5 = {ui->txtDeg9_0, ui->txtDeg9_1, ui->txtDeg9_2};
    m_quotient = {ui->txtDeg11_0, ui->txtDeg11_1, ui->txtDeg11_2};
    m_quotientOfStep6 = {ui->txtdeg12_0, ui->txtdeg12_1, ui->txtdeg12_2};
    m_ramcPlusQuotient = {ui->txtDeg13_0, ui->txtDeg13_1, ui->txtDeg13_2};
    m_correctedRamc = {ui->txtDeg16_0, ui->txtDeg16_1, ui->txtDeg16_2};
    m_correctedRamcOfStep7 = {ui->txtDeg17_0, ui->txtDeg17_1, ui->txtDeg17_2};
    m_ramcInTime = {ui->txtTime6_0, ui->txtTime6_1, ui->txtTime6_2};
    m_ramcInTimeOfStep8 = {ui->txtTime8_0, ui->txtTime8_1, ui->txtTime8_2};
    m_correction = {ui->txtTime9_0, ui->txtTime9_1, ui->txtTime9_2};
}

// The table values of step 5, typed within their signs.
QList<const FieldTriple *> RectificationForm::tableValueFields() const
{
    return {&m_greaterValue, &m_smallerValue, &m_correctedValue, &m_smallerValue2};
}

void RectificationForm::setUpTyping()
{
    // Typing replaces the whole entry of a field that gets the focus.
    QList<QLineEdit *> typed{ui->Text1_0,
                             ui->Text1_1,
                             ui->Text1_2,
                             ui->Text1_3,
                             ui->Text7_0,
                             ui->Text5,
                             ui->txtSternZeit1_0,
                             ui->txtSternZeit1_1,
                             ui->txtSTernZeit2_0,
                             ui->txtSTernZeit2_1,
                             m_age[0],
                             m_age[1]};
    for (const FieldTriple *fields : {&m_birthDate, &m_birthSiderealTime})
        typed << QList<QLineEdit *>(fields->begin(), fields->end());
    for (const FieldTriple *fields : tableValueFields())
        typed << QList<QLineEdit *>(fields->begin(), fields->end());
    for (QLineEdit *field : std::as_const(typed))
        selectAllOnFocus(field);
    // The other fields keep the caret where the user put it.
    keepCaretOnFocus(this);

    // Numbers that are typed take digits only; the program's own fields are
    // read-only, and the two correction lists are chosen, never typed.
    for (const FieldTriple *fields : tableValueFields()) {
        for (QLineEdit *field : *fields)
            acceptDigitsOnly(field);
    }
    for (QLineEdit *field : {m_age[0], m_age[1], ui->Text5})
        acceptDigitsOnly(field);
    for (QLineEdit *field : m_birthSiderealTime)
        acceptDigitsOnly(field);
    rejectAllKeys(ui->Combo1);
    rejectAllKeys(ui->Combo2);
}

// The range checks and the copies made while typing.
void RectificationForm::connectChecks()
{
    for (int i = 0; i < 2; ++i)
        connect(m_age[i], &QLineEdit::textChanged, this, [this, i] { ageChanged(i); });
    for (int i = 0; i < 3; ++i) {
        connect(m_birthSiderealTime[i], &QLineEdit::textChanged, this,
                [this, i] { birthSiderealTimeChanged(i); });
    }
    // A table value within its sign: at most 29°59'59''.
    for (const FieldTriple *fields : tableValueFields()) {
        const double maxima[] = {29, 59, 59};
        for (int i = 0; i < 3; ++i) {
            QLineEdit *field = (*fields)[i];
            connect(field, &QLineEdit::textChanged, this,
                    [field, max = maxima[i]] { validateField(max, field); });
        }
    }
    // A row of the house tables: hours up to 23, minutes up to 59.
    for (const auto *row : {&m_smallerRowTime, &m_greaterRowTime}) {
        for (QLineEdit *field : *row) {
            connect(field, &QLineEdit::textChanged, this, [row = *row] {
                validateField(23, row[0]);
                validateField(59, row[1]);
            });
        }
    }
}

void RectificationForm::connectButtons()
{
    connect(ui->Command1, &QPushButton::clicked, this, &RectificationForm::okayClicked);
    connect(ui->Command14, &QPushButton::clicked, this, &RectificationForm::reject);
    attachSheetMenu(
        ui->cmdRechenblatt, calculationSheetTexts(), [this] { return calculationSheet(); },
        [this] { return rectificationSheetFileName(m_start.personName); });
    connect(ui->cmdKontrolle, &QPushButton::clicked, this, &RectificationForm::openCheck);
    connect(ui->cmdSternzeitRechnen, &QPushButton::clicked, this,
            &RectificationForm::computeBirthSiderealTime);
    connect(ui->SSTab1, &QTabWidget::currentChanged, this, &RectificationForm::showPage);
}

RectificationForm::~RectificationForm() = default;

void RectificationForm::paint()
{
    paintFields({
        {m_birthDate, BirthDate},
        {m_arc, DirectionArc},
        {m_arcOfStep3, DirectionArc},
        {m_arcOfStep6, DirectionArc},
        {m_arcInTime, ArcInTime},
        {m_arcInTimeOfStep4, ArcInTime},
        {m_birthSiderealTimeOfStep4, SiderealTimeOfBirth},
        {m_birthSiderealTimeOfStep8, SiderealTimeOfBirth},
        {m_eventSiderealTime, EventSum},
        {m_siderealTimeWithinDay, FinalTime},
        {m_correction, FinalTime},
        {m_tableStep, FirstDifference},
        {m_tableStepOfStep5, FirstDifference},
        {m_towardsPlanet, SecondDifference},
        {m_towardsPlanetOfStep5, SecondDifference},
        {m_quotient, QuotientColour},
        {m_quotientOfStep6, QuotientColour},
        {m_ramcPlusQuotient, RamcPlusQuotient},
        {m_correctedRamc, CorrectedRamc},
        {m_correctedRamcOfStep7, CorrectedRamc},
        {m_ramcInTime, CorrectedRamcInTime},
        {m_ramcInTimeOfStep8, CorrectedRamcInTime},
    });
    for (QLineEdit *field : m_age)
        setFieldColour(field, White);
    for (QLineEdit *field : m_ageOfStep2)
        setFieldColour(field, AgeCopy);
    setFieldColour(ui->Text1_0, BirthDate);
    setFieldColour(ui->Text2, DaysPerYear);
    for (QLineEdit *constant : {ui->Text3, ui->Text4, ui->Text6})
        setFieldColour(constant, Constant);
    for (QLabel *step : {ui->Label157, ui->Label158, ui->Label159, ui->Label160_0, ui->Label160_1,
                         ui->Label160_2, ui->Label160_3, ui->Label160_4})
        setLabelColour(step, StepNumber);
    setFieldColour(ui->Text1_3, DecimalYears);
}

// The stored controls in the order of their restore. Each restored text runs
// the field's change handler as typing would: the range checks see the
// restored values, and the restored sidereal time of birth and age are copied
// into their later steps before those copies are restored themselves.
QList<Store::Controls> RectificationForm::storedControls() const
{
    using K = Store::Key;
    const auto list = [](const auto &fields) {
        return QList<QWidget *>(fields.begin(), fields.end());
    };
    return {
        {K::RectificationHeader, {ui->Text1_0, ui->Text1_1, ui->Text1_2, ui->Text1_3}},
        {K::RectificationEvent, {ui->Text7_0}},
        {K::RectificationBirthSiderealTime, list(m_birthSiderealTime)},
        {K::RectificationSmallerRowTime, list(m_smallerRowTime)},
        {K::RectificationGreaterRowTime, list(m_greaterRowTime)},
        {K::RectificationGreaterValue, list(m_greaterValue)},
        {K::RectificationSmallerValue, list(m_smallerValue)},
        {K::RectificationCorrectedValue, list(m_correctedValue)},
        {K::RectificationSmallerValue2, list(m_smallerValue2)},
        {K::RectificationBirthSiderealTimeOfStep4, list(m_birthSiderealTimeOfStep4)},
        {K::RectificationAge, list(m_age)},
        {K::RectificationAgeOfStep2, list(m_ageOfStep2)},
        {K::RectificationBirthSiderealTimeOfStep8, list(m_birthSiderealTimeOfStep8)},
    };
}

void RectificationForm::load()
{
    m_resultReady = false;
    // The preselections run no handler of their own: the lists have none.
    ui->Combo1->setCurrentIndex(0); // "-0h"
    ui->Combo2->setCurrentIndex(0); // " 0"
    ui->Combo3->setCurrentIndex(1); // "+0"
    ui->Combo4->setCurrentIndex(1); // "+0"
    ui->SSTab1->setCurrentIndex(0);
    showPage();

    for (size_t i = 0; i < 3; ++i)
        m_birthDate[i]->setText(m_start.birthDate[i]);
    const bool restore = Store::openCalculation(Store::RectificationTask, m_start);
    if (restore)
        Store::restoreControls(storedControls());
    ui->Text1_0->setText(m_start.personName);
    m_state.task = m_start.task;
    showTaskSummary(ui->lblAufgabeDaten, m_state.task);
    // A task started anew: what it gives over the empty fields; every write
    // runs the field's handler, so the sidereal time reaches steps 4 and 8.
    if (m_state.task && !restore) {
        const Core::GivenTask &task = *m_state.task;
        ui->Text1_1->setText(task.place);
        ui->Text7_0->setText(task.event);
        ui->Text1_2->setText(Notation::date(task.eventDate));
        showInFields(m_birthSiderealTime, secondsToTriple(task.birthSiderealTime));
    }
}

// The form's side of the table of steps: the fields that hold each entry a
// step reads, each step's button, and the fields that show its result (a
// result may stand in more than one field).
void RectificationForm::tableFields()
{
    using E = Entries;
    m_entryFields = {
        {&E::directionArc, &m_arcOfStep3},
        {&E::birthSiderealTime, &m_birthSiderealTimeOfStep4},
        {&E::arcInTime, &m_arcInTimeOfStep4},
        {&E::eventSiderealTime, &m_eventSiderealTime},
        {&E::greaterTableValue, &m_greaterValue},
        {&E::smallerTableValue, &m_smallerValue},
        {&E::correctedTableValue, &m_correctedValue},
        {&E::smallerTableValue2, &m_smallerValue2},
        {&E::tableStep, &m_tableStepOfStep5},
        {&E::towardsPlanet, &m_towardsPlanetOfStep5},
        {&E::quotient, &m_quotientOfStep6},
        {&E::ramcPlusQuotient, &m_ramcPlusQuotient},
        {&E::arcOfStep6, &m_arcOfStep6},
        {&E::correctedRamc, &m_correctedRamcOfStep7},
        {&E::ramcInTime, &m_ramcInTime},
        {&E::birthSiderealTimeOfStep8, &m_birthSiderealTimeOfStep8},
        {&E::correction, &m_correction},
    };
    m_buttons = {ui->Command2,  ui->Command3,  ui->Command4,  ui->Command5,
                 ui->Command6,  ui->Command7,  ui->Command8,  ui->Command9,
                 ui->Command10, ui->Command11, ui->Command12, ui->Command13};
    m_resultFields = {{{},
                       {&m_arc},
                       {&m_arcInTime},
                       {&m_eventSiderealTime},
                       {&m_siderealTimeWithinDay},
                       {&m_tableStep},
                       {&m_towardsPlanet},
                       {&m_quotient},
                       {&m_ramcPlusQuotient},
                       {&m_correctedRamc},
                       {&m_ramcInTime, &m_ramcInTimeOfStep8},
                       {&m_correction}}};
}

void RectificationForm::readFields()
{
    Entries &e = m_state.entries;
    e.age = {readNumber(m_ageOfStep2[0]->text()), readNumber(m_ageOfStep2[1]->text())};
    e.decimalYears = regionalValue(ui->Text1_3->text());
    for (const auto &[entry, fields] : std::as_const(m_entryFields))
        e.*entry = readTriple(*fields);
    e.dayHours = readNumber(ui->Combo1->currentText());
    e.firstSignCorrection = readNumber(ui->Combo3->currentText());
    e.secondSignCorrection = readNumber(ui->Combo4->currentText());
    e.ramc = readNumber(ui->Text5->text());
    e.circleCorrection = regionalValue(ui->Combo2->currentText());

    const auto two = [](const std::array<QLineEdit *, 2> &f) {
        return std::array<QString, 2>{f[0]->text(), f[1]->text()};
    };
    Header &h = m_state.header;
    h.event = ui->Text7_0->text();
    h.eventDate = ui->Text1_2->text();
    h.birthSiderealTime = textsOf(m_birthSiderealTime);
    h.age = two(m_age);
    h.smallerRow = two(m_smallerRowTime);
    h.greaterRow = two(m_greaterRowTime);
    h.dayReduction = ui->Combo1->currentText();
    h.firstCorrection = ui->Combo3->currentText();
    h.secondCorrection = ui->Combo4->currentText();
    h.circleCorrection = ui->Combo2->currentText();
    readHeader(h, textsOf(m_birthDate));
    markStale();
}

void RectificationForm::connectSteps()
{
    for (int step = 0; step < StepCount; ++step)
        connect(m_buttons[static_cast<std::size_t>(step)], &QPushButton::clicked, this,
                [this, step] { run(Step(step)); });
}

void RectificationForm::run(Step step)
{
    readFields();
    if (const auto message = m_state.run(step)) {
        markStale();
        showStepMessage(this, *message, title());
        if (step == RamcSumStep && *message == ramcTooLarge()) {
            // The RAMC is typed again.
            ui->Text5->setText(QString());
            ui->Text5->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    // The result goes into its fields and into the fields of the later steps
    // that read it, as the state has written them; every write is read back
    // into the state, so what is to be written is taken first.
    const StepRule &r = rule(step);
    const Results results = m_state.results();
    const Entries entries = m_state.entries;
    if (step == DecimalYearsStep)
        ui->Text1_3->setText(plainNumber(*results.decimalYears));
    for (const FieldTriple *fields : m_resultFields[static_cast<std::size_t>(step)])
        showInFields(*fields, *r.shown(results));
    for (const auto &[entry, fields] : std::as_const(m_entryFields)) {
        for (const Copy &copy : r.copies) {
            if (copy.entry == entry)
                showInFields(*fields, entries.*entry);
        }
    }
    if (step == SumStep)
        ui->Combo1->setCurrentIndex(entries.dayHours < 0 ? 1 : 0);
    if (step == CorrectionStep)
        m_resultReady = true;
    readFields();
}

// A stale result keeps its text, struck through, and says so.
void RectificationForm::markStale()
{
    for (int step = 0; step < StepCount; ++step) {
        const bool stale = m_state.status(step) == StepLedger::Status::Stale;
        if (step == DecimalYearsStep)
            Gui::markStale(ui->Text1_3, stale);
        for (const FieldTriple *fields : m_resultFields[static_cast<std::size_t>(step)])
            for (QLineEdit *field : *fields)
                Gui::markStale(field, stale);
    }
}

// Up to 120 years and 364 further days; both elements are checked at every
// change, then the changed one is copied into step 2.
void RectificationForm::ageChanged(int element)
{
    validateField(120, m_age[0]);
    validateField(364, m_age[1]);
    m_ageOfStep2[element]->setText(m_age[element]->text());
}

// A sidereal time beyond 23 h 59 m 59 s loses the character just typed;
// removing it runs this handler again on the shorter text, which copies it.
void RectificationForm::birthSiderealTimeChanged(int element)
{
    QLineEdit *field = m_birthSiderealTime[element];
    if (readTriple(m_birthSiderealTime).timeOutOfRange()) {
        services().showMessage(this, QStringLiteral("Zeit ungültig!"), title());
        field->setText(field->text().chopped(std::min<qsizetype>(1, field->text().size())));
    }
    m_birthSiderealTimeOfStep8[element]->setText(field->text());
    m_birthSiderealTimeOfStep4[element]->setText(field->text());
}

void RectificationForm::showPage()
{
    const QColor &colour = ui->SSTab1->currentIndex() == 0 ? White : SiderealTimeOfBirth;
    for (QLineEdit *field : m_birthSiderealTime)
        setFieldColour(field, colour);
}

void RectificationForm::okayClicked()
{
    const int page = ui->SSTab1->currentIndex();
    if (page < ui->SSTab1->count() - 1) {
        ui->SSTab1->setCurrentIndex(page + 1);
        return;
    }
    // From the last page "Okay" always leads back to the first; the form
    // closes with the row only once step 8 has been computed.
    ui->SSTab1->setCurrentIndex(0);
    if (!m_resultReady)
        return;
    readFields();
    // A time difference that no longer follows from the inputs is not handed in.
    const int stale = m_state.firstStale(CorrectionStep);
    if (!finalResultIsCurrent(stale >= 0 ? rule(stale).number : 0, title()))
        return;
    const auto row =
        resultRow(m_state.header.event, Sexagesimal::of(*m_state.results().correction));
    if (offerResult(this, row, m_start, title()))
        accept();
}

Sheet RectificationForm::calculationSheet() const
{
    RectificationSheetInput in;
    in.person = {m_start.personName, m_start.birthDate, m_start.birthTime, m_start.birthPlace};
    in.printed = QDate::currentDate();
    in.steps = {{{ui->Label5->text(), ui->Label9->text()},
                 {ui->Label10->text(), {}},
                 {ui->Label16->text(), {}},
                 {ui->Label29->text(), ui->Label46->text()},
                 {ui->Label48->text(), ui->Label55->text()},
                 {ui->Label91->text(), ui->Label92->text()},
                 {ui->Label117->text(), {}},
                 {ui->Label125->text(), {}}}};
    in.worked = m_state.worked();
    // The check with the task's house table, or the one last chosen; none
    // while the task is under examination.
    if (!underExamination(m_start, m_state.task))
        in.check = checkTable(in.worked, tableToCheck(in.worked));
    return rectificationSheet(in);
}

// "…" beside the sidereal time of birth: the calculator of the sidereal time
// opens with the birth this form knows (of a task, with its zone and place);
// on its "Okay" the result is typed into the head, as the student would type
// it, and what depends on it is marked no longer current.
void RectificationForm::computeBirthSiderealTime()
{
    if (!m_start.openSiderealTime)
        return;
    CalculatorStart start;
    start.personName = ui->Text1_0->text();
    start.birthDate = textsOf(m_birthDate);
    start.birthTime = m_start.birthTime;
    start.birthPlace = m_start.birthPlace;
    start.task = m_state.task;
    start.handBack = [this](const SexagesimalTriple &time) {
        showInFields(m_birthSiderealTime, time);
    };
    m_start.openSiderealTime(this, start);
}

// The check opens over the form and leaves it as it is; a calculation it
// cannot check yet gets one message and no dialog.
void RectificationForm::openCheck()
{
    if (checkLocked(this, m_start, m_state.task, checkTitle()))
        return;
    readFields();
    const Worked worked = m_state.worked();
    const auto checked = checkRectification(worked, tableToCheck(worked));
    if (!checked.ok()) {
        showStepMessage(this, checked.message(), checkTitle());
        return;
    }
    // A calculation of a task goes into the record once per opening of the
    // check, judged against the task's house table; another axis or
    // latitude chosen inside the check dialog is not recorded.
    if (m_state.task && m_start.record) {
        const CheckReport &report = checked.value();
        m_start.record(Record::entryOf(*m_state.task, Record::answerOf(worked), report.right,
                                       Record::causeCode(report.cause), m_opened.elapsed() / 1000,
                                       Record::Source::Check));
    }
    auto *dialog = new RectificationCheckDialog(worked, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace Rectification
