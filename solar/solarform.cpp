#include "solar/solarform.h"
#include "ui_solarform.h"

#include "core/numbers.h"
#include "settings/entrieskeeper.h"
#include "sheet/sheetactions.h"
#include "sheet/sheetbuilders.h"
#include "solar/checkdialog.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"

#include <QColor>
#include <QDate>
#include <QKeyEvent>

#include <cmath>

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
    : QDialog(parent), ui(std::make_unique<Ui::SolarForm>()), m_start(std::move(start))
{
    // Before the lists exist: a screen reader asks about a list once.
    InstallAccessibleListNames();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    CentreOnScreen(this);

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
    paint();

    // Typing into the sign, the years and the dates replaces the whole entry;
    // the ephemeris positions of dates 1 and 2 change only through their lists.
    for (QLineEdit *field : {ui->Text1_0, ui->Text1_1, ui->Text1_2, ui->Text1_3, ui->Text1_4,
                             ui->txtDateh_0, ui->txtDateh_1, ui->txtDateh_2})
        SelectAllOnFocus(field);
    // The fields of the steps keep the caret where the user put it.
    KeepCaretOnFocus(this);
    for (const PickerTriple *pickers : {&m_date1, &m_date2}) {
        for (QComboBox *picker : *pickers)
            RejectAllKeys(picker);
    }
    RejectAllKeys(ui->Combo1);

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
    connect(ui->Command2, &QPushButton::clicked, this, &SolarForm::computeSunMotion);
    connect(ui->Command3, &QPushButton::clicked, this, &SolarForm::computeDistanceToRadix);
    connect(ui->Command4, &QPushButton::clicked, this, &SolarForm::computeGreenwichTime);
    connect(ui->Command1, &QPushButton::clicked, this, &SolarForm::computeZoneTime);
    connect(ui->Command5, &QPushButton::clicked, this, &SolarForm::computeFinalTime);
    connect(ui->Command6, &QPushButton::clicked, this, &SolarForm::okayClicked);
    connect(ui->Command7, &QPushButton::clicked, this, &SolarForm::reject);
    connect(ui->SSTab1, &QTabWidget::currentChanged, this, &SolarForm::showPage);
    connect(ui->cmdKontrolle, &QPushButton::clicked, this, &SolarForm::openCheck);
    attachSheetMenu(
        ui->cmdRechenblatt, calculationSheetTexts(), [this] { return calculationSheet(); },
        [this] { return solarSheetFileName(m_start.personName, ui->Text1_1->text()); });

    // Worked from the keyboard alone: the cursor starts in the sign, the
    // first entry of the workflow, and Ctrl+Tab turns the pages from anywhere.
    AddPageShortcuts(ui->SSTab1);
    ui->Text1_0->setFocus(Qt::OtherFocusReason);

    ui->SSTab1->setCurrentIndex(0);
    showPage(0);
    load();
    KeepEntriesAsTheyChange(this, storedControls());
    // The sign restored from the last use is selected, ready to be typed over.
    SelectAllText(ui->Text1_0);
}

SolarForm::~SolarForm()
{
    // A form that goes without being closed (the program ends while it is
    // open) keeps its entries too.
    save();
}

void SolarForm::paint()
{
    const struct {
        const FieldTriple &fields;
        QColor colour;
    } fieldColours[] = {
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
    };
    for (const auto &[fields, colour] : fieldColours) {
        for (QLineEdit *field : fields)
            SetFieldColour(field, colour);
    }
    for (const PickerTriple *pickers : {&m_date1, &m_date2}) {
        for (QComboBox *picker : *pickers)
            SetListColour(picker, White);
    }
    for (QLabel *step :
         {ui->Label157_0, ui->Label157_1, ui->Label157_2, ui->Label157_3, ui->Label157_4})
        SetLabelColour(step, Grey);
    const struct {
        QFrame *line;
        QColor colour;
    } lineColours[] = {
        {ui->Line1, Grey},           {ui->Line2, Grey},           {ui->Line3, Date2},
        {ui->Line4, Date2},          {ui->Line5, Date2},          {ui->Line6, Date1},
        {ui->Line7, Date1},          {ui->Line8, Date1},          {ui->Line9, Date1},
        {ui->Line10, Grey},          {ui->Line11, Grey},          {ui->Line12, Grey},
        {ui->Line13, GreenwichTime}, {ui->Line14, GreenwichTime}, {ui->Line15, GreenwichTime},
        {ui->Line16, GreenwichTime},
    };
    for (const auto &[line, colour] : lineColours)
        SetLineColour(line, colour);
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
        ui->cmbGMT->addItem(hours > 0 ? u'+' + PlainInteger(hours) : PlainInteger(hours));
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
            FillPositionList(pickers[i], i);
            if (carry)
                (this->*carry)(i);
        }
    }
    for (size_t i = 0; i < 3; ++i)
        m_birthDate[i]->setText(m_start.birthDate[i]);

    if (m_start.restoreEntries)
        RestoreControls(storedControls());
    if (m_start.solarPreset)
        ApplyPreset(*m_start.solarPreset, ui->Text1_0, ui->Text1_1, m_radix);
}

void SolarForm::save()
{
    if (m_saved)
        return;
    m_saved = true;
    SaveControls(storedControls());
}

void SolarForm::done(int result)
{
    save();
    QDialog::done(result);
}

// The form has no default button: Enter in a field runs no step. Enter on a
// button that has the focus presses it, as Space does.
void SolarForm::keyPressEvent(QKeyEvent *event)
{
    if (!PressFocusedButtonOnEnter(this, event))
        QDialog::keyPressEvent(event);
}

Solar::Entries SolarForm::entries() const
{
    // Step 5 writes a fractional hour with the desktop's separator ("14,5")
    // and reads its Greenwich and zone times back with it.
    return {Read(m_date1OfStep2),
            Read(m_date2OfStep2),
            PositionsOf(m_radixOfStep3),
            Read(m_date1OfStep3),
            Read(m_motionOfStep4),
            Read(m_distanceOfStep4),
            Sexagesimal::readWithRegionalPoint(TextsOf(m_greenwichTimeOfStep5)),
            ReadNumber(ui->cmbGMT->currentText()),
            Sexagesimal::readWithRegionalPoint(TextsOf(m_zoneTime)),
            ReadNumber(ui->Combo1->currentText()),
            Read(m_finalTime),
            Read(m_solarDate)};
}

void SolarForm::carryDate1(int element)
{
    const QString degrees = PlainInteger(m_date1[element]->currentIndex());
    m_date1OfStep2[element]->setText(degrees);
    m_date1OfStep3[element]->setText(degrees);
}

void SolarForm::carryDate2(int element)
{
    m_date2OfStep2[element]->setText(PlainInteger(m_date2[element]->currentIndex()));
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

void SolarForm::computeSunMotion()
{
    const Solar::Entries e = entries();
    const auto a = Solar::sunMotion(e.date1, e.date2);
    if (Succeeded(this, a, Solar::title())) {
        Show(m_motion, a.value());
        Show(m_motionOfStep4, a.value());
    }
}

void SolarForm::computeDistanceToRadix()
{
    const Solar::Entries e = entries();
    const auto b = Solar::distanceToRadix(e.radix, e.date1OfStep3);
    if (Succeeded(this, b, Solar::title())) {
        Show(m_distance, b.value());
        Show(m_distanceOfStep4, b.value());
    }
}

void SolarForm::computeGreenwichTime()
{
    const Solar::Entries e = entries();
    const auto time = Solar::greenwichTime(e.motion, e.distance);
    if (Succeeded(this, time, Solar::title())) {
        Show(m_greenwichTime, time.value());
        Show(m_greenwichTimeOfStep5, time.value());
    }
}

void SolarForm::computeZoneTime()
{
    const Solar::Entries e = entries();
    const auto time = Solar::zoneTime(e.greenwichTime, e.zoneHours);
    if (Succeeded(this, time, Solar::title()))
        Show(m_zoneTime, time.value().plainTexts());
}

void SolarForm::computeFinalTime()
{
    const Solar::Entries e = entries();
    const auto time = Solar::finalTime(e.zoneTime, e.dayShiftHours);
    if (Succeeded(this, time, Solar::title())) {
        m_resultReady = true;
        Show(m_finalTime, time.value().plainTexts());
    }
}

// The sign, the year and the radix Sun stay in view over both pages; on the
// second page they are tinted, so that the header reads as given data.
void SolarForm::showPage(int page)
{
    const QColor colour = page == 1 ? HeaderOnSecondPage : White;
    SetFieldColour(ui->Text1_0, colour);
    SetFieldColour(ui->Text1_1, colour);
    for (QComboBox *picker : m_radix)
        SetListColour(picker, colour);
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
    const Solar::Entries e = entries();
    if (OfferResult(this, Solar::resultRow(e.date, e.finalTime), m_start, Solar::title()))
        accept();
}

namespace {

// A result field triple, once its step has written it.
std::optional<SolarCheck::ClockTime> ClockOf(const FieldTriple &fields)
{
    const FieldTexts texts = TextsOf(fields);
    if (texts[0].isEmpty() && texts[1].isEmpty() && texts[2].isEmpty())
        return std::nullopt;
    const auto whole = [](const QString &text) {
        const double value = ReadNumber(text);
        return std::isfinite(value) && std::fabs(value) < 1e6 ? static_cast<int>(value) : 0;
    };
    return SolarCheck::ClockTime{whole(texts[0]), whole(texts[1]), whole(texts[2])};
}

SolarCheck::Angle AngleOf(const PickerTriple &pickers)
{
    return {pickers[0]->currentIndex(), pickers[1]->currentIndex(), pickers[2]->currentIndex()};
}

// The picked entries with their units, as the lists show them: "14°".
TextTriple EntriesOf(const PickerTriple &pickers)
{
    return {pickers[0]->currentText(), pickers[1]->currentText(), pickers[2]->currentText()};
}

} // namespace

SolarCheck::HandCalculation SolarForm::handCalculation() const
{
    SolarCheck::HandCalculation hand;
    hand.sign = ui->Text1_0->text();
    hand.year = ui->Text1_1->text();
    hand.birthDay = m_birthDate[0]->text();
    hand.birthMonth = m_birthDate[1]->text();
    hand.radix = AngleOf(m_radix);
    hand.sunDate1 = AngleOf(m_date1);
    hand.sunDate2 = AngleOf(m_date2);
    hand.greenwichTime = ClockOf(m_greenwichTime);
    const double zone = ReadNumber(ui->cmbGMT->currentText());
    hand.zoneHours = std::isfinite(zone) ? static_cast<int>(zone) : 0;
    hand.finalTime = ClockOf(m_finalTime);
    hand.solarDate = TextsOf(m_solarDate);
    return hand;
}

// The check opens beside the form and leaves it as it is; input it cannot
// work with gets one message and no dialog.
void SolarForm::openCheck()
{
    const auto comparison = SolarCheck::Compare(handCalculation());
    if (!comparison.ok()) {
        ShowStepMessage(this, comparison.message(), SolarCheck::title());
        return;
    }
    auto *dialog = new CheckDialog(comparison.value(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

Sheet SolarForm::calculationSheet() const
{
    SolarSheetValues v;
    v.person = {m_start.personName, m_start.birthDate, m_start.birthTime, m_start.birthPlace};
    v.printed = QDate::currentDate();
    v.steps = {
        {{ui->Label51->text(), ui->Label1->text()},
         {ui->Label4->text(), {}},
         {ui->Label13->text(), {}},
         {ui->Label17->text(), ui->Label18->text() + QStringLiteral(" ÷ ") + ui->Label19->text()},
         {{}, ui->Label27->text()}}};
    v.sign = ui->Text1_0->text();
    v.year = ui->Text1_1->text();
    v.radixSun = EntriesOf(m_radix);
    v.sunDate1 = EntriesOf(m_date1);
    v.sunDate2 = EntriesOf(m_date2);
    v.motionDate2 = TextsOf(m_date2OfStep2);
    v.motionDate1 = TextsOf(m_date1OfStep2);
    v.motion = TextsOf(m_motion);
    v.distanceRadix = EntriesOf(m_radixOfStep3);
    v.distanceDate1 = TextsOf(m_date1OfStep3);
    v.distance = TextsOf(m_distance);
    v.formulaDistance = TextsOf(m_distanceOfStep4);
    v.formulaMotion = TextsOf(m_motionOfStep4);
    v.greenwichTime = TextsOf(m_greenwichTime);
    v.zoneFrom = TextsOf(m_greenwichTimeOfStep5);
    v.timeZone = ui->cmbGMT->currentText();
    v.zoneTime = TextsOf(m_zoneTime);
    v.solarDate = TextsOf(m_solarDate);
    v.dayShift = ui->Combo1->currentText();
    v.finalTime = TextsOf(m_finalTime);

    const auto comparison = SolarCheck::Compare(handCalculation());
    if (comparison.ok()) {
        SheetTable check;
        check.title = QStringLiteral("Kontrolle mit genauer Rechnung");
        check.columnHeaders = QStringList{QString()} + SolarCheck::columnHeaders();
        for (const SolarCheck::Row &row : comparison.value().rows)
            check.rows << QStringList{row.caption, row.hand, row.exact, row.deviation};
        check.finding = comparison.value().finding + u' ' + SolarCheck::convention();
        v.check = check;
    }
    return solarSheet(v);
}
