#include "rekti/rektiform.h"
#include "settings/store.h"
#include "tests/support/testsupport.h"
#include "ui/mainwindowaccess.h"
#include "ui/resultlist.h"

#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

// The form's own part of the rectification: its controls, the range checks
// of what is typed, the messages as they reach the user, paging, colours and
// the entries kept between openings. The arithmetic of the steps is tested
// on the steps themselves, the whole rectification from the main window.
namespace {

// The main window as the form sees it: a person, a birth date and a list.
class FakeMain final : public MainWindowAccess {
public:
    QWidget *window() override { return &m_window; }
    FieldTexts birthDate() const override
    {
        return {QStringLiteral("12"), QStringLiteral("3"), QStringLiteral("1980")};
    }
    QString personName() const override { return name; }
    ResultList &resultList() override { return m_list; }

    QString name = QStringLiteral("Erika Muster");

private:
    QWidget m_window;
    ResultList m_list{new QTreeView(&m_window)};
};

} // namespace

class TestRektiForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void structure();
    void messages_data();
    void messages();
    void pagingAndHeaderColour();
    void entriesComeBack_data();
    void entriesComeBack();

private:
    void open();
    QLineEdit *field(const char *name) const { return m_form->findChild<QLineEdit *>(s(name)); }
    QTabWidget *tabs() const { return m_form->findChild<QTabWidget *>(QStringLiteral("SSTab1")); }
    void run(const QString &actions) { act(m_form, actions); }

    IsolatedStore m_store;
    std::unique_ptr<RecordingServices> m_services;
    std::unique_ptr<FakeMain> m_main;
    QPointer<RektiForm> m_form;
    QString m_seen;
};

void TestRektiForm::init()
{
    QVERIFY(m_store.clear());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    NewRektiCalculation = 0;
    m_services = std::make_unique<RecordingServices>();
    m_services->whileShown = [this](const RecordedMessage &) {
        const auto *focused = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        m_seen = focused ? focused->text() : QString();
    };
    m_main = std::make_unique<FakeMain>();
}

void TestRektiForm::cleanup()
{
    delete m_form;
    m_main.reset();
    m_services.reset();
}

void TestRektiForm::open()
{
    delete m_form;
    m_form = new RektiForm(*m_main, m_main->window());
    m_form->setAttribute(Qt::WA_DeleteOnClose);
    m_form->show();
    m_form->activateWindow();
    if (!QTest::qWaitForWindowActive(m_form))
        qWarning("the form did not become active");
}

void TestRektiForm::structure()
{
    open();
    QCOMPARE(m_form->objectName(), QStringLiteral("Rekti"));
    QCOMPARE(m_form->size(), QSize(671, 677));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(
        !(m_form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    QCOMPARE(cutCaptions(m_form, true, false).join(u','), QString());
}

// The range checks of what is typed, and the steps that read a list of the
// form or put the cursor back: each says so once, titled as the calculator.
void TestRektiForm::messages_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::addColumn<QString>("expected");

    const QString invalid = s("Bitte nur gültige Zahlen eingeben!|Solar und GZK");
    const auto row = [](const char *tag, const char *actions, const QString &message,
                        const char *expected) {
        QTest::newRow(tag) << s(actions) << message << s(expected);
    };
    row("table value 29 degrees", "txtDeg3_0=29", {}, "txtDeg3_0=29");
    row("table value 30 degrees", "txtDeg3_0=30", invalid, "txtDeg3_0=");
    row("smaller value 60 minutes", "txtDeg4_1=60", invalid, "txtDeg4_1=");
    row("corrected value 60 seconds", "txtDeg6_2=60", invalid, "txtDeg6_2=");
    row("smaller value again 30 degrees", "txtDeg7_0=30", invalid, "txtDeg7_0=");
    row("120 years", "txtJahre_0=120", {}, "txtJahre_0=120 txtJahre2_0=120");
    row("121 years", "txtJahre_0=121", invalid, "txtJahre_0= txtJahre2_0=");
    row("364 days", "txtJahre_1=364", {}, "txtJahre_1=364 txtJahre2_1=364");
    row("365 days", "txtJahre_1=365", invalid, "txtJahre_1= txtJahre2_1=");
    row("table time 23 h", "txtSternZeit1_0=23", {}, "txtSternZeit1_0=23");
    row("table time 24 h", "txtSternZeit1_0=24", invalid, "txtSternZeit1_0=");
    row("table time 60 m", "txtSTernZeit2_1=60", invalid, "txtSTernZeit2_1=");
    // A sidereal time of birth out of range loses the character just typed,
    // once the message has been read; the copies follow.
    const QString time = s("Zeit ungültig!|GZK");
    row("sidereal time 67 s", "txtTime0=6,2,10 txtTime0_2=67", time,
        "seen=67 txtTime0=6,2,6 txtTime2=6,2,6 txtTime7=6,2,6");
    row("sidereal time 24 h", "txtTime0=6,2,10 txtTime0_0=24", time,
        "seen=24 txtTime0=2,2,10 txtTime2=2,2,10 txtTime7=2,2,10");
    row("negative after -24h", "txtTime0=21,0,30 Command5 Combo1:1 Command6",
        s("Wert darf nicht negativ sein!|GZK"), "txtTime5=,,");
    row("difference beyond a sign", "txtDeg3=29,0,0 txtDeg4=0,0,0 Combo3:2 Command7 Command9",
        s("Winkel ungültig!|GZK"), "txtDeg11=,,");
    row("RAMC above 360", "Text5=361 Command10", s("RAMC ist maximal 360° möglich!|GZK"),
        "Text5= @Text5 txtDeg13=,,");
}

void TestRektiForm::messages()
{
    QFETCH(QString, actions);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    open();
    run(actions);
    QStringList said;
    for (const RecordedMessage &box : m_services->messages)
        said << box.text + u'|' + box.title;
    QCOMPARE(said.join(u'/'), message);
    // "seen=": the text of the focused field while the message was open.
    const QString seen = expected.startsWith(u"seen=") ? expected.section(u' ', 0, 0) : QString();
    QCOMPARE(seen.mid(5), seen.isEmpty() ? QString() : m_seen);
    QCOMPARE(state(m_form, expected.mid(seen.size())), expected.mid(seen.size()).trimmed());
}

void TestRektiForm::pagingAndHeaderColour()
{
    open();
    const QColor white(255, 255, 255), copies(255, 192, 128);
    const auto header = [this] {
        return field("txtTime0_1")->palette().color(QPalette::Base);
    };
    QCOMPARE(header(), white);
    QCOMPARE(field("Text1_3")->palette().color(QPalette::Base), QColor(207, 253, 185));
    for (int page : {1, 2}) {
        run(s("Command1"));
        QCOMPARE(tabs()->currentIndex(), page);
        QCOMPARE(header(), copies);
    }
    // Before step 8 "Okay" on the last page only goes back to the first.
    run(s("Command1"));
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(header(), white);
    QVERIFY(m_form && m_form->isVisible());
    QCOMPARE(m_main->resultList().rowCount(), 0);
    QCOMPARE(m_services->messages, QList<RecordedMessage>());

    // Step 8 on empty fields still counts: the row carries zeros.
    run(s("Command13 Command1"));
    QTRY_VERIFY(!m_form);
    QCOMPARE(m_main->resultList().row(1), (ResultRow{s("Rektifikation"), QString(), s("0h0m0s")}));
}

void TestRektiForm::entriesComeBack_data()
{
    QTest::addColumn<QString>("closing");
    QTest::newRow("Abbrechen") << s("Command14");
    QTest::newRow("close box") << s("close");
    QTest::newRow("Escape") << s("Escape");
}

void TestRektiForm::entriesComeBack()
{
    QFETCH(QString, closing);
    open();
    const QString typed = s("Text1_2=1.6.2014 Text7_0=Hochzeit txtTime0=6,2,10 txtJahre=34,120 "
                            "txtSTernZeit2_1=20 txtDeg6_2=10");
    run(typed + s(" Command2 Command3 Combo2:1 Text5=123"));
    const QString decimalYears = field("Text1_3")->text();
    if (closing == u"close")
        m_form->close();
    else if (closing == u"Escape")
        QTest::keyClick(m_form, Qt::Key_Escape);
    else
        run(closing);
    QTRY_VERIFY(!m_form);
    QCOMPARE(m_main->resultList().rowCount(), 0);

    // The keys are the control's name and the element number.
    QStringList stored;
    for (const char *key : {"txtSTernZeit21", "Text70", "txtTime72", "Text13"})
        stored << ReadSetting(Store::FormsApplication, Store::FormsSection, s(key));
    QCOMPARE(stored, (QStringList{s("20"), s("Hochzeit"), s("10"), decimalYears}));

    m_main->name = s("Max");
    open();
    QCOMPARE(m_services->messages, QList<RecordedMessage>());
    // The copies come back with the entries; results and the RAMC start
    // empty, the lists at their preselections.
    QCOMPARE(field("Text1_3")->text(), decimalYears);
    const QString expected = typed + s(" Text1_0=Max txtTime2=6,2,10 txtTime7=6,2,10 "
                                       "txtJahre2=34,120 txtDeg1=,, Text5= Combo2:0 Combo3:1");
    QCOMPARE(state(m_form, expected), expected);
    QCOMPARE(tabs()->currentIndex(), 0);
    QVERIFY(!m_form->resultReady());
}

QTEST_MAIN(TestRektiForm)
#include "tst_rektiform.moc"
