#include "solar/solarform.h"
#include "ui_solarform.h"

#include "core/numbers.h"
#include "core/overflow.h"
#include "settings/store.h"
#include "solar/solar_steps.h"
#include "ui/formbinding.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"
#include "ui/mainwindowaccess.h"
#include "ui/resultlist.h"
#include "ui/services.h"

#include <QColor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>

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

void fillPicker(PickerArray &pickers)
{
    FillDegreePicker(pickers);
    FillMinutePicker(pickers);
    FillSecondPicker(pickers);
}

} // namespace

SolarForm::SolarForm(MainWindowAccess &main, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Solar>()),
      m_values(std::make_unique<WidgetValues>(this)), m_main(main)
{
    // Before the lists exist: a screen reader asks about a list once.
    InstallAccessibleListNames();
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());

    m_text1 = FieldArray(this, QStringLiteral("Text1"), 5);
    m_birthDate = FieldArray(this, QStringLiteral("txtDateh"), 3);
    m_radix = PickerArray(this, QStringLiteral("cmbDeg13"), 3);
    m_date1 = PickerArray(this, QStringLiteral("cmbDeg1"), 3);
    m_date2 = PickerArray(this, QStringLiteral("cmbDeg2"), 3);
    m_radix3 = PickerArray(this, QStringLiteral("cmbDeg5"), 3);

    const struct {
        const char16_t *fields;
        QColor colour;
    } fieldColours[] = {
        {u"txtDeg01", Date2},    {u"txtDeg02", Date1},         {u"txtDeg03", Date1},
        {u"txtDeg1", MotionA},   {u"txtDeg4", MotionA},        {u"txtDeg2", DistanceB},
        {u"txtDeg3", DistanceB}, {u"txtTime1", GreenwichTime}, {u"txtTime2", GreenwichTime},
        {u"txtTime3", ZoneTime}, {u"txtTime4", FinalTime},     {u"txtDateh", BirthDate},
    };
    for (const auto &[fields, colour] : fieldColours) {
        for (int i = 0; i < 3; ++i)
            SetFieldColour(findChild<QLineEdit *>(ControlKey(QString::fromUtf16(fields), i)),
                           colour);
    }
    for (PickerArray *pickers : {&m_date1, &m_date2}) {
        for (int i = 0; i < 3; ++i)
            SetListColour(pickers->at(i), White);
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

    // Typing into the sign, the years and the dates replaces the whole entry;
    // the ephemeris positions of dates 1 and 2 change only through their lists.
    for (int i = 0; i < m_text1.size(); ++i)
        SelectAllOnFocus(m_text1.at(i));
    for (int i = 0; i < m_birthDate.size(); ++i)
        SelectAllOnFocus(m_birthDate.at(i));
    // The fields of the steps keep the caret where the user put it.
    KeepCaretOnFocus(this);
    for (PickerArray *pickers : {&m_date1, &m_date2}) {
        for (int i = 0; i < 3; ++i)
            RejectAllKeys(pickers->at(i));
    }
    RejectAllKeys(ui->Combo1);

    // Step 1: every change of a picked position, also by the program while
    // the form fills and restores its pickers, is carried into the fields of
    // steps 2 and 3.
    for (PickerArray *pickers : {&m_radix, &m_date1, &m_date2, &m_radix3}) {
        const QString name = pickers->name();
        pickers->onClick(
            [this, name](int index) { apply(SolarSteps::PickerClicked(*m_values, name, index)); });
    }
    const auto step = [this](Effects (*run)(const FormValues &)) {
        return [this, run] {
            apply(run(*m_values));
        };
    };
    connect(ui->Command2, &QPushButton::clicked, this, step(&SolarSteps::Command2_Click));
    connect(ui->Command3, &QPushButton::clicked, this, step(&SolarSteps::Command3_Click));
    connect(ui->Command4, &QPushButton::clicked, this, step(&SolarSteps::Command4_Click));
    connect(ui->Command1, &QPushButton::clicked, this, step(&SolarSteps::Command1_Click));
    connect(ui->Command5, &QPushButton::clicked, this, step(&SolarSteps::Command5_Click));
    connect(ui->Command6, &QPushButton::clicked, this, &SolarForm::okayClicked);
    connect(ui->Command7, &QPushButton::clicked, this, &SolarForm::reject);
    connect(ui->SSTab1, &QTabWidget::currentChanged, this, &SolarForm::pageChanged);

    // Worked from the keyboard alone: the cursor starts in the sign, the
    // first entry of the workflow, and Ctrl+Tab turns the pages from anywhere.
    AddPageShortcuts(ui->SSTab1);
    ui->Text1_0->setFocus(Qt::OtherFocusReason);

    ui->SSTab1->setCurrentIndex(0);
    pageChanged(0);
    load();
    // The sign restored from the last use is selected, ready to be typed over.
    SelectAllText(ui->Text1_0);
}

SolarForm::~SolarForm()
{
    // A form that goes without being closed (the program ends while it is
    // open) keeps its entries too.
    unload();
}

void SolarForm::load()
{
    m_resultReady = false;

    for (int hours = 12; hours >= -12; --hours)
        ui->cmbGMT->addItem(hours > 0 ? u'+' + PlainInteger(hours) : PlainInteger(hours));
    ui->cmbGMT->setCurrentIndex(11); // "+1", the German time zone
    ui->Combo1->setCurrentIndex(0);  // "+0h", no day shift

    // The header's radix picker is filled before the one of step 3, so that
    // its first selection is not carried there.
    fillPicker(m_radix);
    fillPicker(m_date1);
    fillPicker(m_date2);
    fillPicker(m_radix3);

    const FieldTexts birthDate = m_main.birthDate();
    for (int i = 0; i < 3; ++i)
        m_birthDate.setText(i, birthDate[static_cast<size_t>(i)]);

    if (NewSolarCalculation)
        return;
    // The radix comes back last, so that it is carried into step 3 over the
    // restored radix picker of step 3.
    RestorePickers(m_date1, QStringLiteral("1"));
    RestorePickers(m_date2, QStringLiteral("2"));
    RestorePickers(m_radix3, QStringLiteral("5"));
    RestorePickers(m_radix, QStringLiteral("13"));
    RestoreFieldsByNumber(m_text1, 4);
}

void SolarForm::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    NewSolarCalculation = 0;
    SavePickers(m_date1, QStringLiteral("1"));
    SavePickers(m_date2, QStringLiteral("2"));
    SavePickers(m_radix3, QStringLiteral("5"));
    SavePickers(m_radix, QStringLiteral("13"));
    SaveFieldsByNumber(m_text1, 4);
}

void SolarForm::done(int result)
{
    unload();
    QDialog::done(result);
}

// The form has no default button: Enter in a field runs no step. Enter on a
// button that has the focus presses it, as Space does.
void SolarForm::keyPressEvent(QKeyEvent *event)
{
    if (!PressFocusedButtonOnEnter(this, event))
        QDialog::keyPressEvent(event);
}

// The one writer of the form. Writing a text runs the field's change handler
// and selecting a position runs the picker's click handler before the next
// effect is applied, exactly as a user's edit or choice would.
void SolarForm::apply(const Effects &effects)
{
    ApplyEffects(this, effects, m_resultReady);
}

// The sign, the year and the radix Sun stay in view over both pages; on the
// second page they are tinted, so that the header reads as given data.
void SolarForm::pageChanged(int page)
{
    const QColor colour = page == 1 ? HeaderOnSecondPage : White;
    SetFieldColour(ui->Text1_0, colour);
    SetFieldColour(ui->Text1_1, colour);
    for (int i = 0; i < 3; ++i)
        SetListColour(m_radix.at(i), colour);
}

// "Okay" pages on from "Schritt 1-3"; on "Schritt 4-5" it goes back to the
// first page and, once the final step has succeeded, adds the Solar to the
// main window's list and closes.
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

    if (AppendResult(
            this, m_main.resultList(), [this] { return SolarSteps::ResultRowOf(*m_values); },
            SolarSteps::Title()))
        accept();
}
