#include "main/haupt.h"

#include "main/documents.h"
#include "rekti/rektiform.h"
#include "settings/store.h"
#include "solar/solarform.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"
#include "ui/resultlist.h"
#include "ui/services.h"

#include "ui_haupt.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

Haupt::Haupt(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Haupt>())
{
    ui->setupUi(this);

    // A fixed single border: the user can minimise the window but neither
    // maximise nor resize it.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());

    m_name = FieldArray(this, QStringLiteral("Text1h"), 1);
    m_birthDate = FieldArray(this, QStringLiteral("txtDateh"), 3);
    m_birthPlace = FieldArray(this, QStringLiteral("Text3h"), 1);
    m_birthTime = FieldArray(this, QStringLiteral("txtTime0h"), 3);
    m_list = std::make_unique<ResultList>(ui->List1);

    // Tabbing or clicking into a person field selects its text, so that typing
    // replaces the old entry.
    for (const FieldArray *fields : {&m_name, &m_birthDate, &m_birthPlace, &m_birthTime}) {
        for (int index = 0; index < fields->size(); ++index)
            SelectAllOnFocus(fields->at(index));
    }
    m_birthDate.onChange([this](int index) { txtDateh_Change(index); });
    m_birthTime.onChange([this](int index) { txtTime0h_Change(index); });

    connect(ui->Command2, &QPushButton::clicked, this, &Haupt::Command2_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &Haupt::Command3_Click);
    connect(ui->Command7, &QPushButton::clicked, this, &Haupt::Command7_Click);
    connect(ui->Command8, &QPushButton::clicked, this, &Haupt::Command8_Click);
    connect(ui->Command9, &QPushButton::clicked, this, &Haupt::Command9_Click);
    connect(ui->Command10, &QPushButton::clicked, this, &Haupt::Command10_Click);
    m_documents = new DocumentLinks(this);

    // The program can also end without this window being closed: at logout
    // the session manager asks for the data first, and the application may be
    // told to quit. Both save what closing the window would have saved.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &Haupt::saveOnExit);
#ifndef QT_NO_SESSIONMANAGER
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this] { saveOnExit(); });
#endif

    Form_Load();
}

Haupt::~Haupt()
{
    // A calculator still open when the window goes away (the program quitting
    // over it) is deleted first, while the list and the person fields that it
    // may read or append to still exist, and without running the activate
    // handler on a window that is being torn down.
    const auto forms = findChildren<QDialog *>(Qt::FindDirectChildrenOnly);
    for (QDialog *form : forms) {
        disconnect(form, nullptr, this, nullptr);
        delete form;
    }
}

QWidget *Haupt::window()
{
    return this;
}

FieldTexts Haupt::birthDate() const
{
    return m_birthDate.triple();
}

QString Haupt::personName() const
{
    return m_name.text(0);
}

ResultList &Haupt::resultList()
{
    return *m_list;
}

void Haupt::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shown || event->spontaneous())
        return;
    m_shown = true;
    if (const QScreen *where = screen())
        move(where->availableGeometry().center() - rect().center());
    Form_Activate();
}

void Haupt::closeEvent(QCloseEvent *event)
{
    // Closing is never refused: the close box ends the program as "Beenden"
    // does.
    Form_Unload();
    event->accept();
}

// Enter on a button that has the focus presses it, as Space does; Enter in a
// person field runs nothing.
void Haupt::keyPressEvent(QKeyEvent *event)
{
    if (!PressFocusedButtonOnEnter(this, event))
        QWidget::keyPressEvent(event);
}

void Haupt::Form_Load()
{
    NewSolarCalculation = 0;
    NewRektiCalculation = 0;

    // Blank headers: the header line carries no words. The headers come before
    // the restore, so that the restored rows fill all three columns.
    m_list->addColumnHeader(QStringLiteral("     "));
    m_list->addColumnHeader(QStringLiteral("  "));
    m_list->addColumnHeader(QStringLiteral("   "));
    RestoreResultList(*m_list);

    // Each restored date or time element passes its range check as a typed one
    // would: a stored value above its maximum comes back empty, with the message.
    RestoreFieldsByName(m_name, 0);
    RestoreFieldsByName(m_birthDate, 2);
    RestoreFieldsByName(m_birthPlace, 0);
    RestoreFieldsByName(m_birthTime, 2);

    m_documents->buildTeachingMenu();
}

void Haupt::Form_Activate()
{
    // The cursor goes into the name field with its text selected, ready for the
    // next person. Setting the focus of a window that is not active yet makes
    // the field the one that gets the focus when the window is activated.
    ui->Text1h_0->setFocus(Qt::OtherFocusReason);
    SelectAllText(ui->Text1h_0);
}

void Haupt::Form_Unload()
{
    saveOnExit();
}

Haupt::SavedState Haupt::currentState() const
{
    SavedState state;
    for (int position = 1; position <= m_list->rowCount(); ++position)
        state.rows.append(m_list->row(position));
    for (const FieldArray *fields : {&m_name, &m_birthDate, &m_birthPlace, &m_birthTime}) {
        for (int index = 0; index < fields->size(); ++index)
            state.fields.append(fields->text(index));
    }
    return state;
}

void Haupt::saveOnExit()
{
    // Closing the window and then quitting the application, or a logout that
    // asks for the data and then quits, would otherwise save twice. A logout
    // that was cancelled and followed by more work saves again at the end.
    SavedState state = currentState();
    if (m_saved && *m_saved == state)
        return;

    SaveResultList(*m_list);
    SaveFieldsByName(m_name, 0);
    SaveFieldsByName(m_birthDate, 2);
    SaveFieldsByName(m_birthPlace, 0);
    SaveFieldsByName(m_birthTime, 2);
    m_saved = std::move(state);
}

void Haupt::Command2_Click()
{
    // Built anew at every opening (its constructor loads it) and deleted when
    // it closes, so that nothing of the last calculation survives in it. It is
    // modal: this window takes no input until the calculator has closed, and
    // then the cursor goes back into the name field.
    auto *form = new SolarForm(*this, this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowModality(Qt::ApplicationModal);
    connect(form, &QObject::destroyed, this, &Haupt::Form_Activate);
    form->show();
}

void Haupt::Command3_Click()
{
    // The rectification calculator opens as the Solar one does.
    auto *form = new RektiForm(*this, this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->setWindowModality(Qt::ApplicationModal);
    connect(form, &QObject::destroyed, this, &Haupt::Form_Activate);
    form->show();
}

void Haupt::Command7_Click()
{
    // A new person: the person fields are emptied, the result list stays, and
    // each calculator opens once without its entries of the last use.
    m_name.setText(0, QString());
    m_birthDate.setText(0, QString());
    m_birthDate.setText(1, QString());
    m_birthDate.setText(2, QString());
    m_birthPlace.setText(0, QString());
    m_birthTime.setText(0, QString());
    m_birthTime.setText(1, QString());
    m_birthTime.setText(2, QString());
    NewSolarCalculation = -1;
    NewRektiCalculation = -1;
}

void Haupt::Command8_Click()
{
    close();
}

void Haupt::Command9_Click()
{
    // From the last row up: the same empty list as removing the first row n
    // times, without moving all remaining rows at every step.
    for (int position = m_list->rowCount(); position >= 1; --position)
        m_list->removeRow(position);
}

void Haupt::Command10_Click()
{
    if (m_list->rowCount() < 1) {
        services().showMessage(this, QStringLiteral("Liste ist leer"), QStringLiteral("velmora"));
        return;
    }
    // Only the row that the user sees marked goes. The list can hold rows with
    // none marked (the mark taken off by Ctrl+click or by a click below the
    // rows, while the row stays current): then nothing is deleted.
    const int position = m_list->markedPosition();
    if (position > 0)
        m_list->removeRow(position);
}

void Haupt::txtDateh_Change(int index)
{
    ValidateTripleField(31, 12, 3000, m_birthDate, index);
}

void Haupt::txtTime0h_Change(int index)
{
    ValidateTripleField(23, 59, 59, m_birthTime, index);
}
