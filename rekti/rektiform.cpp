#include "rekti/rektiform.h"

#include "ui_rektiform.h"

#include "core/fieldchecks.h"
#include "core/overflow.h"
#include "rekti/rekti_steps.h"
#include "settings/store.h"
#include "ui/formbinding.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"
#include "ui/mainwindowaccess.h"
#include "ui/resultlist.h"
#include "ui/services.h"

#include <QColor>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>

namespace {

const QString Gzk = QStringLiteral("GZK");

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
const QColor Quotient(255, 255, 192);
const QColor RamcPlusQuotient(192, 255, 255);
const QColor CorrectedRamc(255, 128, 255);
const QColor CorrectedRamcInTime(255, 192, 255);
const QColor StepNumber(192, 192, 192);

} // namespace

RektiForm::RektiForm(MainWindowAccess &main, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Rekti>()), m_main(main)
{
    // Before the lists exist: a screen reader asks about a list once.
    InstallAccessibleListNames();
    ui->setupUi(this);
    // A fixed single border: neither resizable nor minimisable nor maximisable.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());

    m_values = std::make_unique<WidgetValues>(this);
    m_Text1 = FieldArray(this, QStringLiteral("Text1"), 4);
    m_Text7 = FieldArray(this, QStringLiteral("Text7"), 1);
    m_txtDateh = FieldArray(this, QStringLiteral("txtDateh"), 3);
    m_txtTime0 = FieldArray(this, QStringLiteral("txtTime0"), 3);
    m_txtSternZeit1 = FieldArray(this, QStringLiteral("txtSternZeit1"), 2);
    m_txtSTernZeit2 = FieldArray(this, QStringLiteral("txtSTernZeit2"), 2);
    m_txtDeg3 = FieldArray(this, QStringLiteral("txtDeg3"), 3);
    m_txtDeg4 = FieldArray(this, QStringLiteral("txtDeg4"), 3);
    m_txtDeg6 = FieldArray(this, QStringLiteral("txtDeg6"), 3);
    m_txtDeg7 = FieldArray(this, QStringLiteral("txtDeg7"), 3);
    m_txtTime2 = FieldArray(this, QStringLiteral("txtTime2"), 3);
    m_txtJahre = FieldArray(this, QStringLiteral("txtJahre"), 2);
    m_txtJahre2 = FieldArray(this, QStringLiteral("txtJahre2"), 2);
    m_txtTime7 = FieldArray(this, QStringLiteral("txtTime7"), 3);

    const struct {
        const char16_t *fields;
        int count;
        QColor colour;
    } fieldColours[] = {
        {u"txtDateh", 3, BirthDate},
        {u"txtJahre", 2, White},
        {u"txtJahre2", 2, AgeCopy},
        {u"txtDeg1", 3, DirectionArc},
        {u"txtDeg2", 3, DirectionArc},
        {u"txtDeg15", 3, DirectionArc},
        {u"txtTime1", 3, ArcInTime},
        {u"txtTime3", 3, ArcInTime},
        {u"txtTime2", 3, SiderealTimeOfBirth},
        {u"txtTime7", 3, SiderealTimeOfBirth},
        {u"txtTime4", 3, EventSum},
        {u"txtTime5", 3, FinalTime},
        {u"txtTime9", 3, FinalTime},
        {u"txtDeg5", 3, FirstDifference},
        {u"txtDeg10", 3, FirstDifference},
        {u"txtDeg8", 3, SecondDifference},
        {u"txtDeg9", 3, SecondDifference},
        {u"txtDeg11", 3, Quotient},
        {u"txtdeg12", 3, Quotient},
        {u"txtDeg13", 3, RamcPlusQuotient},
        {u"txtDeg16", 3, CorrectedRamc},
        {u"txtDeg17", 3, CorrectedRamc},
        {u"txtTime6", 3, CorrectedRamcInTime},
        {u"txtTime8", 3, CorrectedRamcInTime},
    };
    for (const auto &[fields, count, colour] : fieldColours) {
        for (int i = 0; i < count; ++i)
            SetFieldColour(findChild<QLineEdit *>(ControlKey(QString::fromUtf16(fields), i)),
                           colour);
    }
    SetFieldColour(ui->Text1_0, BirthDate);
    SetFieldColour(ui->Text2, DaysPerYear);
    for (QLineEdit *constant : {ui->Text3, ui->Text4, ui->Text6})
        SetFieldColour(constant, Constant);
    for (QLabel *step : {ui->Label157, ui->Label158, ui->Label159, ui->Label160_0, ui->Label160_1,
                         ui->Label160_2, ui->Label160_3, ui->Label160_4})
        SetLabelColour(step, StepNumber);

    // Typing replaces the whole entry of a field that gets the focus.
    for (const FieldArray *fields :
         {&m_Text1, &m_Text7, &m_txtDateh, &m_txtDeg3, &m_txtDeg4, &m_txtDeg6, &m_txtDeg7,
          &m_txtJahre, &m_txtSternZeit1, &m_txtSTernZeit2, &m_txtTime0}) {
        for (int i = 0; i < fields->size(); ++i)
            SelectAllOnFocus(fields->at(i));
    }
    SelectAllOnFocus(ui->Text5);
    // The other fields keep the caret where the user put it.
    KeepCaretOnFocus(this);

    // Numbers that are typed take digits only; the program's own fields are
    // read-only, and the two correction lists are chosen, never typed.
    for (const FieldArray *fields :
         {&m_txtDeg3, &m_txtDeg4, &m_txtDeg6, &m_txtDeg7, &m_txtJahre, &m_txtTime0}) {
        for (int i = 0; i < fields->size(); ++i)
            AcceptDigitsOnly(fields->at(i));
    }
    AcceptDigitsOnly(ui->Text5);
    RejectAllKeys(ui->Combo1);
    RejectAllKeys(ui->Combo2);

    m_txtJahre.onChange([this](int index) { txtJahre_Change(index); });
    m_txtTime0.onChange([this](int index) { txtTime0_Change(index); });
    for (FieldArray *fields : {&m_txtDeg3, &m_txtDeg4, &m_txtDeg6, &m_txtDeg7})
        fields->onChange([this, fields](int index) { AngleField_Change(*fields, index); });
    for (FieldArray *fields : {&m_txtSternZeit1, &m_txtSTernZeit2})
        fields->onChange([this, fields](int) { SiderealTime_Change(*fields); });

    const std::pair<QPushButton *, Step> steps[] = {
        {ui->Command2, &RektiSteps::Command2_Click},
        {ui->Command3, &RektiSteps::Command3_Click},
        {ui->Command4, &RektiSteps::Command4_Click},
        {ui->Command5, &RektiSteps::Command5_Click},
        {ui->Command6, &RektiSteps::Command6_Click},
        {ui->Command7, &RektiSteps::Command7_Click},
        {ui->Command8, &RektiSteps::Command8_Click},
        {ui->Command9, &RektiSteps::Command9_Click},
        {ui->Command10, &RektiSteps::Command10_Click},
        {ui->Command11, &RektiSteps::Command11_Click},
        {ui->Command12, &RektiSteps::Command12_Click},
        {ui->Command13, &RektiSteps::Command13_Click},
    };
    for (const auto &[button, step] : steps)
        connect(button, &QPushButton::clicked, this, [this, step = step] { runStep(step); });
    connect(ui->Command1, &QPushButton::clicked, this, &RektiForm::Command1_Click);
    connect(ui->Command14, &QPushButton::clicked, this, &RektiForm::Command14_Click);
    connect(ui->SSTab1, &QTabWidget::currentChanged, this, &RektiForm::SSTab1_Click);

    // Worked from the keyboard alone: the cursor starts in the sidereal time
    // of birth, the first entry of the workflow, and Ctrl+Tab turns the pages
    // from anywhere.
    AddPageShortcuts(ui->SSTab1);
    ui->txtTime0_0->setFocus(Qt::OtherFocusReason);

    // Centred on the screen.
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->availableGeometry().center() - rect().center());

    Form_Load();
    // The time restored from the last use is selected, ready to be typed over.
    SelectAllText(ui->txtTime0_0);
}

RektiForm::~RektiForm()
{
    // A form destroyed without being closed (the program ends while it is
    // open) still keeps what the user typed.
    Form_Unload();
}

void RektiForm::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}

// The form has no default button: Enter in a field runs no step. Enter on a
// button that has the focus presses it, as Space does.
void RektiForm::keyPressEvent(QKeyEvent *event)
{
    if (!PressFocusedButtonOnEnter(this, event))
        QDialog::keyPressEvent(event);
}

void RektiForm::Form_Load()
{
    SetFieldColour(ui->Text1_3, DecimalYears);
    m_resultReady = false;
    // The preselections run no handler of their own: the lists have none.
    ui->Combo1->setCurrentIndex(0); // "-0h"
    ui->Combo2->setCurrentIndex(0); // " 0"
    ui->Combo3->setCurrentIndex(1); // "+0"
    ui->Combo4->setCurrentIndex(1); // "+0"
    ui->SSTab1->setCurrentIndex(0);
    SSTab1_Click();

    const FieldTexts birthDate = m_main.birthDate();
    for (int i = 0; i < 3; ++i)
        m_txtDateh.setText(i, birthDate[static_cast<std::size_t>(i)]);

    if (NewRektiCalculation)
        return;

    // Each restored text runs the field's change handler as typing would:
    // the range checks see the restored values, and the restored sidereal
    // time of birth and age are copied into their later steps before those
    // copies are restored themselves.
    RestoreFieldsByName(m_Text1, 3);
    RestoreFieldsByName(m_Text7, 0);
    RestoreFieldsByName(m_txtTime0, 2);
    RestoreFieldsByName(m_txtSternZeit1, 1);
    RestoreFieldsByName(m_txtSTernZeit2, 1);
    RestoreFieldsByName(m_txtDeg3, 2);
    RestoreFieldsByName(m_txtDeg4, 2);
    RestoreFieldsByName(m_txtDeg6, 2);
    RestoreFieldsByName(m_txtDeg7, 2);
    RestoreFieldsByName(m_txtTime2, 2);
    RestoreFieldsByName(m_txtJahre, 1);
    RestoreFieldsByName(m_txtJahre2, 1);
    RestoreFieldsByName(m_txtTime7, 2);

    m_Text1.setText(0, m_main.personName());
}

void RektiForm::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;

    NewRektiCalculation = 0;
    SaveFieldsByName(m_Text1, 3);
    SaveFieldsByName(m_txtTime0, 2);
    SaveFieldsByName(m_txtSternZeit1, 1);
    SaveFieldsByName(m_txtSTernZeit2, 1);
    SaveFieldsByName(m_txtDeg3, 2);
    SaveFieldsByName(m_txtDeg4, 2);
    SaveFieldsByName(m_txtDeg6, 2);
    SaveFieldsByName(m_txtDeg7, 2);
    SaveFieldsByName(m_txtTime2, 2);
    SaveFieldsByName(m_txtTime7, 2);
    SaveFieldsByName(m_txtJahre, 1);
    SaveFieldsByName(m_txtJahre2, 1);
    SaveFieldsByName(m_Text7, 0);
}

void RektiForm::SSTab1_Click()
{
    const QColor &colour = ui->SSTab1->currentIndex() == 0 ? White : SiderealTimeOfBirth;
    for (int i = 0; i < m_txtTime0.size(); ++i)
        SetFieldColour(m_txtTime0.at(i), colour);
}

void RektiForm::Command1_Click()
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

    if (AppendResult(
            this, m_main.resultList(), [this] { return RektiSteps::ResultRowOf(*m_values); }, Gzk))
        accept();
}

void RektiForm::Command14_Click()
{
    reject();
}

void RektiForm::txtJahre_Change(int index)
{
    // Up to 120 years and 364 further days; both elements are checked at every
    // change, then the changed one is copied into step 2.
    ValidateField(120, m_txtJahre.at(0));
    ValidateField(364, m_txtJahre.at(1));
    apply(RektiSteps::txtJahre_Change(*m_values, index));
}

void RektiForm::txtTime0_Change(int index)
{
    // A sidereal time beyond 23 h 59 m 59 s loses the character just typed;
    // removing it runs this handler again on the shorter text, which copies it.
    if (TimeFieldsOutOfRange(m_txtTime0.triple())) {
        showMessage(QStringLiteral("Zeit ungültig!"), Gzk);
        QString text = m_txtTime0.text(index);
        text.chop(1);
        m_txtTime0.setText(index, text);
    }
    apply(RektiSteps::txtTime0_Change(*m_values, index));
}

void RektiForm::AngleField_Change(FieldArray &fields, int index)
{
    // A table value within its sign: at most 29°59'59''.
    ValidateTripleField(29, 59, 59, fields, index);
}

void RektiForm::SiderealTime_Change(FieldArray &fields)
{
    // A row of the house tables: hours up to 23, minutes up to 59.
    ValidateField(23, fields.at(0));
    ValidateField(59, fields.at(1));
}

void RektiForm::runStep(Step step)
{
    try {
        apply(step(*m_values));
    } catch (const Overflow &) {
        // The steps answer an overflow themselves; this keeps one that slips
        // through from leaving the event loop.
        showMessage(QStringLiteral("Überlauf!"), Gzk);
    }
}

void RektiForm::apply(const Effects &effects)
{
    ApplyEffects(this, effects, m_resultReady);
}

void RektiForm::showMessage(const QString &text, const QString &title)
{
    services().showMessage(this, text, title);
}
