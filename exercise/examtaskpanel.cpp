#include "exercise/examtaskpanel.h"
#include "ui_exercisewindow.h"

#include "exercise/rectificationpage.h"
#include "exercise/solarpage.h"
#include "ui/inputhelpers.h"

#include <initializer_list>

namespace Exercise {

ExamTaskPanel::ExamTaskPanel(TaskKind kind, const ExerciseLinks &links, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::Uebung>())
{
    ui->setupUi(this);
    // Both kinds share the form, as in the exercise window; the other kind's
    // page stays hidden.
    auto solar = std::make_unique<SolarPage>(*ui, links.workInSolar, links.solarWork);
    auto rectification = std::make_unique<RectificationPage>(*ui, links.workInRectification,
                                                             links.rectificationWork);
    m_page = kind == TaskKind::Solar ? std::unique_ptr<TaskPage>(std::move(solar))
                                     : std::unique_ptr<TaskPage>(std::move(rectification));
    m_hidden = kind == TaskKind::Solar ? std::unique_ptr<TaskPage>(std::move(rectification))
                                       : std::unique_ptr<TaskPage>(std::move(solar));
    m_hidden->setShown(false);
    m_page->setShown(true);
    setObjectName(QStringLiteral("pruefung") + m_page->storeKey());
    setWindowTitle(QString());
    layout()->setContentsMargins(0, 0, 0, 0);
    // The examination sets the task; nothing here judges or solves it. Its
    // rectification gives the sidereal time of birth, so the page and answer
    // of the sidereal time stay hidden too.
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->lblAufgabe,     ui->txtAufgabe,     ui->cmdAnzeigen,   ui->cmdNeueAufgabe,
             ui->cmbArt,         ui->lblAnzahl,      ui->spnAnzahl,     ui->cmdUebungsblatt,
             ui->cmdPruefen,     ui->cmdLoesung,     ui->txtLoesung,    ui->chkSternzeitSelbst,
             ui->lblSternzeiten, ui->tblSternzeiten, ui->lblSternzeit,  ui->txtSternzeit_0,
             ui->lblSternzeitH,  ui->txtSternzeit_1, ui->lblSternzeitM, ui->txtSternzeit_2,
             ui->lblSternzeitS})
        widget->hide();
    for (QLineEdit *field : m_page->answerFields()) {
        Gui::selectAllOnFocus(field);
        connect(field, &QLineEdit::textEdited, this, &ExamTaskPanel::answerEdited);
    }
    // Alt+R from the keyboard; the other task's page is hidden in its tab.
    ui->cmdInRechner->setText(QStringLiteral("In den &Rechner übernehmen"));
    connect(ui->cmdInRechner, &QPushButton::clicked, this, [this] { m_page->workInCalculator(); });
}

ExamTaskPanel::~ExamTaskPanel() = default;

QPushButton *ExamTaskPanel::workButton() const
{
    return ui->cmdInRechner;
}

QStringList ExamTaskPanel::answerTexts() const
{
    QStringList texts;
    for (const QLineEdit *field : m_page->answerFields())
        texts << field->text();
    return texts;
}

void ExamTaskPanel::setAnswerTexts(const QStringList &texts)
{
    const QList<QLineEdit *> fields = m_page->answerFields();
    for (int i = 0; i < fields.size(); ++i)
        fields[i]->setText(texts.value(i));
}

void ExamTaskPanel::setHandedIn(bool handedIn)
{
    for (QLineEdit *field : m_page->answerFields())
        field->setReadOnly(handedIn);
    ui->txtLoesung->setVisible(handedIn);
    if (handedIn)
        ui->txtLoesung->setHtml(m_page->solutionHtml());
    else
        ui->txtLoesung->clear();
}

} // namespace Exercise
