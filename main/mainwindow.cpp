#include "main/mainwindow.h"

#include "main/documents.h"
#include "rekti/rectificationform.h"
#include "solar/solarform.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"
#include "ui/resultlist.h"
#include "ui/services.h"

#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

MainWindow::MainWindow(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(this);

    // A fixed single border: the user can minimise the window but neither
    // maximise nor resize it.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());

    m_birthDate = {ui->txtDateh_0, ui->txtDateh_1, ui->txtDateh_2};
    m_birthTime = {ui->txtTime0h_0, ui->txtTime0h_1, ui->txtTime0h_2};
    m_list = std::make_unique<ResultList>(ui->List1);

    // Tabbing or clicking into a person field selects its text, so that typing
    // replaces the old entry.
    for (QLineEdit *field : {ui->Text1h_0, m_birthDate[0], m_birthDate[1], m_birthDate[2],
                             ui->Text3h_0, m_birthTime[0], m_birthTime[1], m_birthTime[2]})
        SelectAllOnFocus(field);
    // A day up to 31, a month up to 12, a year up to 3000; a time of day.
    const double dateMaxima[] = {31, 12, 3000};
    const double timeMaxima[] = {23, 59, 59};
    for (int i = 0; i < 3; ++i) {
        for (const auto &[field, max] :
             {std::pair{m_birthDate[i], dateMaxima[i]}, std::pair{m_birthTime[i], timeMaxima[i]}}) {
            connect(field, &QLineEdit::textChanged, this,
                    [field = field, max = max] { ValidateField(max, field); });
        }
    }

    m_documents = new DocumentLinks(this);
    OpenMenuOnClick(ui->Command1,
                    [this](const QPoint &where) { m_documents->showDocumentMenu(where); });
    connect(ui->Command2, &QPushButton::clicked, this, &MainWindow::openSolar);
    connect(ui->Command3, &QPushButton::clicked, this, &MainWindow::openRectification);
    connect(ui->Command4, &QPushButton::clicked, m_documents, &DocumentLinks::openSolarExample);
    connect(ui->Command5, &QPushButton::clicked, m_documents,
            &DocumentLinks::openRectificationExample);
    OpenMenuOnClick(ui->Command6,
                    [this](const QPoint &where) { m_documents->showTeachingMenu(where); });
    connect(ui->Command7, &QPushButton::clicked, this, &MainWindow::startNewCalculation);
    connect(ui->Command8, &QPushButton::clicked, this, &MainWindow::close);
    connect(ui->Command9, &QPushButton::clicked, this, &MainWindow::deleteAllRows);
    connect(ui->Command10, &QPushButton::clicked, this, &MainWindow::deleteMarkedRow);
    // The two web sites, reached from the keyboard after the list's buttons.
    ShowAsLink(ui->Label6, ProviderText(), ProviderUrl());
    ShowAsLink(ui->Label7, PublisherText(), PublisherUrl());
    setTabOrder(ui->Command10, ui->Label6);
    setTabOrder(ui->Label6, ui->Label7);

    // The program can also end without this window being closed: at logout
    // the session manager asks for the data first, and the application may be
    // told to quit. Both save what closing the window would have saved.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::saveOnExit);
#ifndef QT_NO_SESSIONMANAGER
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { saveOnExit(); });
#endif

    load();
}

MainWindow::~MainWindow() = default;

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    if (const QScreen *where = screen())
        move(where->availableGeometry().center() - rect().center());
    focusName();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing is never refused: the close box ends the program as "Beenden"
    // does.
    saveOnExit();
    event->accept();
}

// Enter on a button that has the focus presses it, as Space does; Enter in a
// person field runs nothing.
void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (!PressFocusedButtonOnEnter(this, event))
        QWidget::keyPressEvent(event);
}

// The person fields in the order of their restore.
QList<Store::Controls> MainWindow::storedControls() const
{
    using K = Store::Key;
    return {{K::PersonName, {ui->Text1h_0}},
            {K::BirthDate, {m_birthDate[0], m_birthDate[1], m_birthDate[2]}},
            {K::BirthPlace, {ui->Text3h_0}},
            {K::BirthTime, {m_birthTime[0], m_birthTime[1], m_birthTime[2]}}};
}

void MainWindow::load()
{
    // Blank headers: the header line carries no words. The headers come before
    // the restore, so that the restored rows fill all three columns.
    m_list->addColumnHeader(QStringLiteral("     "));
    m_list->addColumnHeader(QStringLiteral("  "));
    m_list->addColumnHeader(QStringLiteral("   "));
    RestoreResultList(*m_list);

    // Each restored date or time element passes its range check as a typed one
    // would: a stored value above its maximum comes back empty, with the message.
    RestoreControls(storedControls());

    m_documents->buildTeachingMenu();
}

// The cursor goes into the name field with its text selected, ready for the
// next person. Setting the focus of a window that is not active yet makes the
// field the one that gets the focus when the window is activated.
void MainWindow::focusName()
{
    ui->Text1h_0->setFocus(Qt::OtherFocusReason);
    SelectAllText(ui->Text1h_0);
}

MainWindow::SavedState MainWindow::currentState() const
{
    SavedState state;
    for (int position = 1; position <= m_list->rowCount(); ++position)
        state.rows.append(m_list->row(position));
    for (const Store::Controls &controls : storedControls()) {
        for (QWidget *field : controls.elements)
            state.fields.append(static_cast<QLineEdit *>(field)->text());
    }
    return state;
}

void MainWindow::saveOnExit()
{
    // Closing the window and then quitting the application, or a logout that
    // asks for the data and then quits, would otherwise save twice. A logout
    // that was cancelled and followed by more work saves again at the end.
    SavedState state = currentState();
    if (m_saved && *m_saved == state)
        return;
    SaveResultList(*m_list);
    SaveControls(storedControls());
    m_saved = std::move(state);
}

CalculatorStart MainWindow::calculatorStart(bool &newCalculation)
{
    CalculatorStart start{ui->Text1h_0->text(), TextsOf(m_birthDate), !newCalculation,
                          [this](const ResultRow &row) {
                              return m_list->appendRow(row);
                          }};
    newCalculation = false;
    return start;
}

// A calculator is built anew at every opening and deleted when it closes, so
// that nothing of the last calculation survives in it. It is modal: this
// window takes no input until the calculator has closed, and then the cursor
// goes back into the name field.
void MainWindow::showCalculator(QDialog *form)
{
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowModality(Qt::ApplicationModal);
    // The name field, not the window, receives the signal: while the window
    // itself is torn down the field is gone before the calculator.
    QLineEdit *name = ui->Text1h_0;
    connect(form, &QObject::destroyed, name, [name] {
        name->setFocus(Qt::OtherFocusReason);
        SelectAllText(name);
    });
    form->show();
}

void MainWindow::openSolar()
{
    showCalculator(new SolarForm(calculatorStart(m_newSolar), this));
}

void MainWindow::openRectification()
{
    showCalculator(new RectificationForm(calculatorStart(m_newRectification), this));
}

// A new person: the person fields are emptied, the result list stays, and
// each calculator opens once without its entries of the last use.
void MainWindow::startNewCalculation()
{
    for (const Store::Controls &controls : storedControls()) {
        for (QWidget *field : controls.elements)
            static_cast<QLineEdit *>(field)->setText(QString());
    }
    m_newSolar = true;
    m_newRectification = true;
}

void MainWindow::deleteAllRows()
{
    // From the last row up: the same empty list as removing the first row n
    // times, without moving all remaining rows at every step.
    for (int position = m_list->rowCount(); position >= 1; --position)
        m_list->removeRow(position);
}

void MainWindow::deleteMarkedRow()
{
    if (m_list->rowCount() < 1) {
        services().showMessage(this, QStringLiteral("Liste ist leer"), QStringLiteral("velmora"));
        return;
    }
    // Only the row that the user sees marked goes. The mark can be taken off
    // (Ctrl+click, a click below the rows) while the row stays current: then
    // nothing is deleted.
    const int position = m_list->markedPosition();
    if (position > 0)
        m_list->removeRow(position);
}
