#include "sternzeit/siderealform.h"

#include "ui_siderealform.h"

#include "core/notation.h"
#include "core/numbers.h"
#include "core/rules.h"
#include "record/causes.h"
#include "settings/entrieskeeper.h"
#include "sheet/sheetactions.h"
#include "sheet/sheetparts.h"
#include "sternzeit/siderealcheck.h"
#include "sternzeit/siderealcheckdialog.h"
#include "sternzeit/siderealsheet.h"
#include "ui/inputhelpers.h"
#include "ui/services.h"

#include <QColor>
#include <QDate>

#include <cstdlib>

namespace Sidereal {

using namespace Core;
using namespace Gui;
using namespace Sheets;

namespace {

// The colours tell which values belong together: a result has the colour of
// the fields of later steps that it is copied into.
const QColor Given(224, 224, 224);
const QColor BirthDate(255, 192, 255);
const QColor UniversalTimeColour(192, 255, 255);
const QColor EphemerisCopy(255, 192, 128);
const QColor ShareColour(255, 255, 128);
const QColor LongitudeTime(192, 255, 192);
const QColor Sum(255, 255, 192);
const QColor Final(255, 255, 0);
const QColor Constant(192, 192, 192);
const QColor StepNumber(192, 192, 192);

bool blank(const FieldTexts &texts)
{
    return texts[0].trimmed().isEmpty() && texts[1].trimmed().isEmpty() &&
           texts[2].trimmed().isEmpty();
}

} // namespace

SiderealForm::SiderealForm(CalculatorStart start, QWidget *parent)
    : CalculatorDialog(parent), ui(std::make_unique<Ui::SiderealForm>()), m_start(std::move(start))
{
    m_opened.start();
    ui->setupUi(this);
    setUpWindow(nullptr, true);

    collectFields();
    paint();
    setUpTyping();
    connectChecks();
    connectButtons();
    load();

    // From here on every change of an input is read into the state at once,
    // and the entries are kept as they change and when the form closes.
    followInputs([this] { readFields(); });
    Store::keepEntriesAsTheyChange(this, storedControls());
    saveOnClosing([controls = storedControls()] { Store::saveControls(controls); });
    focusFirstEntry();
}

SiderealForm::~SiderealForm() = default;

// The form's fields, by what they hold, and its side of the table of steps:
// the fields of each entry a step reads, each step's button and the field of
// its result.
void SiderealForm::collectFields()
{
    m_birthDate = {ui->txtDateh_0, ui->txtDateh_1, ui->txtDateh_2};
    m_civilTime = {ui->txtTime0_0, ui->txtTime0_1, ui->txtTime0_2};
    m_ephemeris = {ui->txtEphemeride_0, ui->txtEphemeride_1, ui->txtEphemeride_2};
    m_longitude = {ui->txtLaenge_0, ui->txtLaenge_1};
    m_civilTimeOfStep1 = {ui->txtTime1_0, ui->txtTime1_1, ui->txtTime1_2};
    m_universalTime = {ui->txtTime2_0, ui->txtTime2_1, ui->txtTime2_2};
    m_universalTimeOfStep3 = {ui->txtTime3_0, ui->txtTime3_1, ui->txtTime3_2};
    m_share = {ui->txtTime4_0, ui->txtTime4_1, ui->txtTime4_2};
    m_longitudeOfStep4 = {ui->txtLaenge2_0, ui->txtLaenge2_1};
    m_longitudeTime = {ui->txtTime5_0, ui->txtTime5_1, ui->txtTime5_2};
    m_ephemerisOfStep5 = {ui->txtTime6_0, ui->txtTime6_1, ui->txtTime6_2};
    m_universalTimeOfStep5 = {ui->txtTime7_0, ui->txtTime7_1, ui->txtTime7_2};
    m_shareOfStep5 = {ui->txtTime8_0, ui->txtTime8_1, ui->txtTime8_2};
    m_longitudeTimeOfStep5 = {ui->txtTime9_0, ui->txtTime9_1, ui->txtTime9_2};
    m_sum = {ui->txtTime10_0, ui->txtTime10_1, ui->txtTime10_2};
    m_siderealTime = {ui->txtTime11_0, ui->txtTime11_1, ui->txtTime11_2};
    using E = Entries;
    m_entryFields = {{&E::civilTime, &m_civilTimeOfStep1},
                     {&E::universalTime, &m_universalTimeOfStep3},
                     {&E::ephemerisOfStep5, &m_ephemerisOfStep5},
                     {&E::universalTimeOfStep5, &m_universalTimeOfStep5},
                     {&E::shareOfStep5, &m_shareOfStep5},
                     {&E::longitudeTimeOfStep5, &m_longitudeTimeOfStep5},
                     {&E::sum, &m_sum}};
    m_buttons = {ui->cmdWeltzeit, ui->cmdZuschlag, ui->cmdLaengeZeit, ui->cmdSumme,
                 ui->cmdErgebnis};
    m_resultFields = {&m_universalTime, &m_share, &m_longitudeTime, &m_sum, &m_siderealTime};
}

void SiderealForm::paint()
{
    paintFields({
        {m_birthDate, BirthDate},
        {m_civilTimeOfStep1, Given},
        {m_universalTime, UniversalTimeColour},
        {m_universalTimeOfStep3, UniversalTimeColour},
        {m_universalTimeOfStep5, UniversalTimeColour},
        {m_share, ShareColour},
        {m_shareOfStep5, ShareColour},
        {m_longitudeTime, LongitudeTime},
        {m_longitudeTimeOfStep5, LongitudeTime},
        {m_ephemerisOfStep5, EphemerisCopy},
        {m_sum, Sum},
        {m_siderealTime, Final},
    });
    for (QLineEdit *field : {ui->txtZone_0, ui->txtLaenge2_0, ui->txtLaenge2_1, ui->txtOstWest_0})
        setFieldColour(field, Given);
    setFieldColour(ui->txtEphemeridentag_0, UniversalTimeColour);
    for (QLineEdit *constant : {ui->Text9_0, ui->Text4_0})
        setFieldColour(constant, Constant);
    for (QLabel *step :
         {ui->lblNummer_0, ui->lblNummer_1, ui->lblNummer_2, ui->lblNummer_3, ui->lblNummer_4})
        setLabelColour(step, StepNumber);
}

void SiderealForm::setUpTyping()
{
    // Typing replaces the whole entry of a field that gets the focus.
    QList<QLineEdit *> typed{ui->Text3_0, m_longitude[0], m_longitude[1]};
    for (const FieldTriple *fields : {&m_birthDate, &m_civilTime, &m_ephemeris})
        typed << QList<QLineEdit *>(fields->begin(), fields->end());
    for (QLineEdit *field : std::as_const(typed))
        selectAllOnFocus(field);
    keepCaretOnFocus(this);
    // Numbers are typed as digits; the sides of Greenwich, the zone and the
    // whole days are chosen, never typed.
    typed.removeOne(ui->Text3_0);
    for (QLineEdit *field : std::as_const(typed))
        acceptDigitsOnly(field);
    for (QComboBox *list : {ui->cmbZone_0, ui->cmbLaenge_0, ui->cmbTag_0})
        rejectAllKeys(list);
}

// The range checks and the copies made while typing.
void SiderealForm::connectChecks()
{
    for (int i = 0; i < 3; ++i) {
        // A day up to 31, a month up to 12, a year up to 3000, as on the
        // main window.
        QLineEdit *day = m_birthDate[i];
        const double dateMaxima[] = {31, 12, 3000};
        connect(day, &QLineEdit::textChanged, this,
                [day, max = dateMaxima[i]] { validateField(max, day); });
        connect(m_civilTime[i], &QLineEdit::textChanged, this, [this, i] { civilTimeChanged(i); });
        connect(m_ephemeris[i], &QLineEdit::textChanged, this, [this, i] { ephemerisChanged(i); });
    }
    // Up to 180 degrees and 59 minutes of arc; beyond 180°00' step 4 refuses.
    for (QLineEdit *field : m_longitude)
        connect(field, &QLineEdit::textChanged, this, &SiderealForm::copyLongitude);
    connect(ui->cmbLaenge_0, &QComboBox::currentIndexChanged, this, &SiderealForm::copyLongitude);
    connect(ui->cmbZone_0, &QComboBox::currentIndexChanged, this, &SiderealForm::copyZone);
}

void SiderealForm::connectButtons()
{
    for (int step = 0; step < StepCount; ++step)
        connect(m_buttons[static_cast<std::size_t>(step)], &QPushButton::clicked, this,
                [this, step] { run(Step(step)); });
    connect(ui->cmdOkay, &QPushButton::clicked, this, &SiderealForm::okayClicked);
    connect(ui->cmdAbbrechen, &QPushButton::clicked, this, &SiderealForm::reject);
    connect(ui->cmdKontrolle, &QPushButton::clicked, this, &SiderealForm::openCheck);
    attachSheetMenu(
        ui->cmdRechenblatt, calculationSheetTexts(), [this] { return calculationSheet(); },
        [this] { return siderealSheetFileName(m_start.personName); });
}

// The stored controls in the order of their restore; each restored text and
// position runs the control's handlers, so the copies in the steps follow.
QList<Store::Controls> SiderealForm::storedControls() const
{
    using K = Store::Key;
    const auto list = [](const auto &fields) {
        return QList<QWidget *>(fields.begin(), fields.end());
    };
    return {{K::SiderealBirthDate, list(m_birthDate)}, {K::SiderealPlace, {ui->Text3_0}},
            {K::SiderealCivilTime, list(m_civilTime)}, {K::SiderealZone, {ui->cmbZone_0}},
            {K::SiderealLongitude, list(m_longitude)}, {K::SiderealEastWest, {ui->cmbLaenge_0}},
            {K::SiderealEphemeris, list(m_ephemeris)}};
}

void SiderealForm::load()
{
    // The German zone, east of Greenwich; no whole days yet.
    ui->cmbZone_0->setCurrentIndex(ui->cmbZone_0->findText(QStringLiteral("+1")));
    ui->cmbLaenge_0->setCurrentIndex(0);
    ui->cmbTag_0->setCurrentIndex(0);
    copyZone();
    copyLongitude();
    ui->Text9_0->setText(
        Notation::decimal(FixedDecimal::fromTenThousandths(ShareTenThousandthsPerHour)) +
        QStringLiteral(" s"));
    ui->Text4_0->setText(QStringLiteral("4 m"));

    // Opened over the rectification, the form works its birth and keeps no
    // task of its own: a task gives the birth whole, a free calculation
    // continues the last one. Opened for a task of the sidereal time, it
    // keeps that task as the other calculators keep theirs.
    const bool restore = m_start.handBack ? m_start.restoreEntries && !m_start.task
                                          : Store::openCalculation(Store::SiderealTask, m_start);
    if (restore)
        Store::restoreControls(storedControls());
    takeStart();
    m_state.task = m_start.task;
    showTaskSummary(ui->lblAufgabeDaten, m_state.task);
}

// The birth data the form is given replace what was restored: every part the
// main window or the rectification knows, and of a task its zone and place.
void SiderealForm::takeStart()
{
    ui->Text1_0->setText(m_start.personName);
    if (!blank(m_start.birthDate))
        showInFields(m_birthDate, m_start.birthDate);
    if (!blank(m_start.birthTime))
        showInFields(m_civilTime, m_start.birthTime);
    if (!m_start.birthPlace.trimmed().isEmpty())
        ui->Text3_0->setText(m_start.birthPlace);
    if (!m_start.task)
        return;
    const GivenTask &task = *m_start.task;
    ui->cmbZone_0->setCurrentIndex(ui->cmbZone_0->findText(Notation::zone(task.zone)));
    const int arc = std::abs(task.longitudeMinutes);
    m_longitude[0]->setText(plainInteger(arc / 60));
    m_longitude[1]->setText(plainInteger(arc % 60));
    ui->cmbLaenge_0->setCurrentIndex(task.longitudeMinutes < 0 ? 1 : 0);
}

// The cursor starts in the first entry still empty, ready to be typed.
void SiderealForm::focusFirstEntry()
{
    QList<QLineEdit *> entries(m_birthDate.begin(), m_birthDate.end());
    entries << QList<QLineEdit *>(m_civilTime.begin(), m_civilTime.end()) << m_longitude[0]
            << m_longitude[1] << QList<QLineEdit *>(m_ephemeris.begin(), m_ephemeris.end());
    for (QLineEdit *field : std::as_const(entries)) {
        if (field->text().isEmpty()) {
            field->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    ui->cmdWeltzeit->setFocus(Qt::OtherFocusReason);
}

// A time of day: hours up to 23, minutes and seconds up to 59; then step 1
// takes it.
void SiderealForm::civilTimeChanged(int element)
{
    const double maxima[] = {23, 59, 59};
    validateField(maxima[element], m_civilTime[element]);
    m_civilTimeOfStep1[element]->setText(m_civilTime[element]->text());
}

// The ephemeris value of step 2, which step 5 adds. A sidereal time beyond
// 23 h 59 m 59 s loses the character just typed, as the rectification's does.
void SiderealForm::ephemerisChanged(int element)
{
    QLineEdit *field = m_ephemeris[element];
    if (readTriple(m_ephemeris).timeOutOfRange()) {
        services().showMessage(this, QStringLiteral("Zeit ungültig!"), title());
        field->setText(field->text().chopped(std::min<qsizetype>(1, field->text().size())));
    }
    m_ephemerisOfStep5[element]->setText(field->text());
}

void SiderealForm::copyZone()
{
    ui->txtZone_0->setText(ui->cmbZone_0->currentText());
}

void SiderealForm::copyLongitude()
{
    validateField(MaxLongitudeDegrees, m_longitude[0]);
    validateField(59, m_longitude[1]);
    for (int i = 0; i < 2; ++i)
        m_longitudeOfStep4[i]->setText(m_longitude[i]->text());
    ui->txtOstWest_0->setText(ui->cmbLaenge_0->currentText());
}

void SiderealForm::readFields()
{
    Entries &e = m_state.entries;
    e.birthDate = readTriple(m_birthDate);
    for (const auto &[entry, fields] : std::as_const(m_entryFields))
        e.*entry = readTriple(*fields);
    e.zone = readNumber(ui->txtZone_0->text());
    e.longitude = Sexagesimal::read(
        {m_longitudeOfStep4[0]->text(), m_longitudeOfStep4[1]->text(), QStringLiteral("0")});
    e.eastWest = ui->txtOstWest_0->text() == QStringLiteral("W") ? -1 : 1;
    e.dayHours = readNumber(ui->cmbTag_0->currentText());

    Header &h = m_state.header;
    h.birthDateTexts = textsOf(m_birthDate);
    h.civilTimeTexts = textsOf(m_civilTime);
    h.zoneText = ui->cmbZone_0->currentText();
    h.longitudeTexts = {m_longitude[0]->text(), m_longitude[1]->text()};
    h.eastWestText = ui->cmbLaenge_0->currentText();
    h.ephemerisTexts = textsOf(m_ephemeris);
    h.place = ui->Text3_0->text();
    readHeader(h);
    markStale();
}

void SiderealForm::run(Step step)
{
    readFields();
    if (const auto message = m_state.run(step)) {
        markStale();
        showStepMessage(this, *message, title());
        return;
    }
    // The result goes into its field and into the fields of the later steps
    // that read it, as the state has written them; every write is read back
    // into the state, so what is to be written is taken first.
    const Results results = m_state.results();
    const Entries entries = m_state.entries;
    showInFields(*m_resultFields[static_cast<std::size_t>(step)], *rule(step).shown(results));
    for (const Copy &copy : rule(step).copies) {
        for (const auto &[entry, fields] : std::as_const(m_entryFields)) {
            if (copy.entry == entry)
                showInFields(*fields, entries.*entry);
        }
    }
    if (step == UniversalTimeStep)
        ui->txtEphemeridentag_0->setText(Notation::date(results.universalTime->ephemerisDay));
    if (step == SumStep)
        ui->cmbTag_0->setCurrentIndex(ui->cmbTag_0->findText(
            entries.dayHours > 0
                ? QStringLiteral("+24h")
                : (entries.dayHours == 0 ? QStringLiteral("+0h")
                                         : plainNumber(entries.dayHours) + QStringLiteral("h"))));
    readFields();
}

// A stale result keeps its text, struck through, and says so.
void SiderealForm::markStale()
{
    for (int step = 0; step < StepCount; ++step) {
        const bool stale = m_state.status(step) == StepLedger::Status::Stale;
        for (QLineEdit *field : *m_resultFields[static_cast<std::size_t>(step)])
            Gui::markStale(field, stale);
        if (step == UniversalTimeStep)
            Gui::markStale(ui->txtEphemeridentag_0, stale);
    }
}

// "Okay" hands in the sidereal time of birth once step 5 has given it and
// while it still follows from the inputs.
void SiderealForm::okayClicked()
{
    readFields();
    if (m_state.status(WithinDayStep) == StepLedger::Status::NotComputed) {
        showStepMessage(this,
                        QStringLiteral("Die Sternzeit der Geburt ist noch nicht berechnet: "
                                       "bitte zuerst die Schritte bis Schritt 5 rechnen."),
                        title());
        return;
    }
    const int stale = m_state.firstStale(WithinDayStep);
    if (!finalResultIsCurrent(stale >= 0 ? rule(stale).number : 0, title()))
        return;
    const SexagesimalTriple time = *m_state.results().siderealTime;
    if (m_start.handBack) {
        m_start.handBack(time);
        accept();
        return;
    }
    if (offerResult(this, resultRow(m_state.entries.birthDate, Sexagesimal::of(time)), m_start,
                    title()))
        accept();
}

Sheet SiderealForm::calculationSheet() const
{
    SiderealSheetInput in;
    in.person = {m_start.personName, textsOf(m_birthDate), textsOf(m_civilTime),
                 ui->Text3_0->text()};
    in.printed = QDate::currentDate();
    const QList<QLabel *> headings{ui->lblSchritt_0, ui->lblSchritt_1, ui->lblSchritt_2,
                                   ui->lblSchritt_3, ui->lblSchritt_4};
    const QList<QLabel *> explanations{ui->lblErklaerung_0, ui->lblErklaerung_1,
                                       ui->lblErklaerung_2, ui->lblErklaerung_3,
                                       ui->lblErklaerung_4};
    for (int i = 0; i < 5; ++i)
        in.steps[static_cast<std::size_t>(i)] = {headings[i]->text(), explanations[i]->text()};
    in.worked = m_state.worked();
    in.check = checkTable(in.worked);
    return siderealSheet(in);
}

// The check opens over the form and leaves it as it is; a calculation it
// cannot check yet gets one message and no dialog.
void SiderealForm::openCheck()
{
    readFields();
    const auto checked = checkSidereal(m_state.worked());
    if (!checked.ok()) {
        showStepMessage(this, checked.message(), checkTitle());
        return;
    }
    // A task of the sidereal time goes into the record once per opening of
    // the check; one opened over a rectification belongs to that task, whose
    // own check judges it.
    if (m_state.task && m_state.task->kind == Core::TaskKind::Sidereal && m_start.record) {
        const Cause cause = checked.value().cause;
        m_start.record(Record::entryOf(*m_state.task, Record::answerOf(m_state.worked()),
                                       cause == Cause::Right, Record::causeCode(cause),
                                       m_opened.elapsed() / 1000, Record::Source::Check));
    }
    auto *dialog = new SiderealCheckDialog(checked.value(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace Sidereal
