#include "rekti/rektiform.h"
#include "settings/store.h"
#include "tests/support/testsupport.h"
#include "ui/mainwindowaccess.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace {

// The main window as the form sees it: a person, a birth date and a list.
class FakeMain final : public MainWindowAccess {
public:
    FakeMain() : m_view(new QTreeView(&m_window)), m_list(m_view) {}

    QWidget *window() override { return &m_window; }
    FieldTexts birthDate() const override { return date; }
    QString personName() const override { return name; }
    ResultList &resultList() override { return m_list; }

    FieldTexts date{QStringLiteral("12"), QStringLiteral("3"), QStringLiteral("1980")};
    QString name = QStringLiteral("Erika Muster");

private:
    QWidget m_window;
    QTreeView *m_view;
    ResultList m_list;
};

QString gzk()
{
    return QStringLiteral("GZK");
}

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

QStringList list(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result << s(text);
    return result;
}

RecordedMessage invalidNumber()
{
    return {QStringLiteral("Bitte nur gültige Zahlen eingeben!"), QStringLiteral("Solar und GZK")};
}

} // namespace

class TestRektiForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controlsAndCaptions();
    void captionsFit();
    void wholeRectification_data();
    void wholeRectification();
    void stepMessages_data();
    void stepMessages();
    void rangeChecks_data();
    void rangeChecks();
    void siderealTimeOfBirthLosesLastDigit_data();
    void siderealTimeOfBirthLosesLastDigit();
    void keyFilters();
    void pagingAndHeaderColour();
    void entriesComeBack_data();
    void entriesComeBack();
    void newCalculationStartsEmpty();

private:
    RektiForm *open();
    QLineEdit *field(const QString &name) const;
    QTabWidget *tabs() const;
    void showPageOf(QWidget *control);
    void type(const QString &name, const QString &text);
    void click(const QString &button);
    QStringList texts(const QString &control, int count = 3) const;
    // Runs one action of a recipe: "field=text", "Command7", "Combo1:1" or "page:2".
    void act(const QString &action);

    IsolatedStore m_store;
    std::unique_ptr<RecordingServices> m_services;
    std::unique_ptr<FakeMain> m_main;
    QPointer<RektiForm> m_form;
};

void TestRektiForm::init()
{
    QVERIFY(m_store.clear());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    NewRektiCalculation = 0;
    m_services = std::make_unique<RecordingServices>();
    m_main = std::make_unique<FakeMain>();
}

void TestRektiForm::cleanup()
{
    delete m_form;
    m_main.reset();
    m_services.reset();
}

RektiForm *TestRektiForm::open()
{
    delete m_form;
    m_form = new RektiForm(*m_main, m_main->window());
    m_form->setAttribute(Qt::WA_DeleteOnClose);
    m_form->show();
    m_form->activateWindow();
    if (!QTest::qWaitForWindowActive(m_form))
        qWarning("the form did not become active");
    return m_form;
}

QLineEdit *TestRektiForm::field(const QString &name) const
{
    auto *edit = m_form->findChild<QLineEdit *>(name);
    if (!edit)
        qFatal("no field %s", qPrintable(name));
    return edit;
}

QTabWidget *TestRektiForm::tabs() const
{
    return m_form->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
}

void TestRektiForm::showPageOf(QWidget *control)
{
    // As the user does: the page that holds the control is brought forward.
    for (int page = 0; page < tabs()->count(); ++page) {
        if (tabs()->widget(page)->isAncestorOf(control))
            tabs()->setCurrentIndex(page);
    }
}

void TestRektiForm::type(const QString &name, const QString &text)
{
    QLineEdit *edit = field(name);
    showPageOf(edit);
    // Clicking into a field selects its text, so that the keys replace it.
    m_form->setFocus();
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, text);
}

void TestRektiForm::click(const QString &button)
{
    auto *pushButton = m_form->findChild<QPushButton *>(button);
    if (!pushButton)
        qFatal("no button %s", qPrintable(button));
    showPageOf(pushButton);
    QTest::mouseClick(pushButton, Qt::LeftButton);
}

QStringList TestRektiForm::texts(const QString &control, int count) const
{
    QStringList result;
    for (int i = 0; i < count; ++i)
        result << field(control + u'_' + QString::number(i))->text();
    return result;
}

void TestRektiForm::act(const QString &action)
{
    if (action.contains(u'=')) {
        type(action.section(u'=', 0, 0), action.section(u'=', 1));
    } else if (action.startsWith(QStringLiteral("page:"))) {
        tabs()->setCurrentIndex(action.section(u':', 1).toInt());
    } else if (action.contains(u':')) {
        auto *list = m_form->findChild<QComboBox *>(action.section(u':', 0, 0));
        QVERIFY(list);
        list->setCurrentIndex(action.section(u':', 1).toInt());
    } else {
        click(action);
    }
}

void TestRektiForm::controlsAndCaptions()
{
    open();
    QCOMPARE(m_form->objectName(), QStringLiteral("Rekti"));
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Rektifikation mit primär dirigierten Achsen"));
    QCOMPARE(m_form->size(), QSize(671, 677));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
    QVERIFY(
        !(m_form->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    QCOMPARE(tabs()->count(), 3);
    QCOMPARE(tabs()->tabText(0), QStringLiteral("Schritt 1-4"));
    QCOMPARE(tabs()->tabText(1), QStringLiteral("Schritt 5"));
    QCOMPARE(tabs()->tabText(2), QStringLiteral("Schritt 6-8"));

    const QHash<QString, QStringList> lists{
        {QStringLiteral("Combo1"), {QStringLiteral("-0h"), QStringLiteral("-24h")}},
        {QStringLiteral("Combo2"),
         {QStringLiteral(" 0"), QStringLiteral("+360"), QStringLiteral("- 360")}},
        {QStringLiteral("Combo3"),
         {QStringLiteral("-30"), QStringLiteral("+0"), QStringLiteral("+30")}},
        {QStringLiteral("Combo4"),
         {QStringLiteral("-30"), QStringLiteral("+0"), QStringLiteral("+30")}},
    };
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        const auto *list = m_form->findChild<QComboBox *>(it.key());
        QVERIFY2(list && !list->isEditable(), qPrintable(it.key()));
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        QCOMPARE(entries, it.value());
    }

    QCOMPARE(field(QStringLiteral("Text2"))->text(), QStringLiteral("365"));
    QCOMPARE(field(QStringLiteral("Text4"))->text(), QStringLiteral("00°59'08''"));
    QCOMPARE(field(QStringLiteral("Text3"))->text(), QStringLiteral("4 m"));
    QCOMPARE(field(QStringLiteral("Text6"))->text(), QStringLiteral("4 m"));

    // Fields that only the program fills take no keys and are left out by Tab.
    const QStringList programFields{
        QStringLiteral("Text1_0"),     QStringLiteral("Text1_3"),    QStringLiteral("txtDateh_2"),
        QStringLiteral("txtJahre2_0"), QStringLiteral("Text2"),      QStringLiteral("Text4"),
        QStringLiteral("txtDeg1_0"),   QStringLiteral("txtdeg12_1"), QStringLiteral("txtDeg17_2"),
        QStringLiteral("txtTime5_0"),  QStringLiteral("txtTime9_2"), QStringLiteral("Text6")};
    for (const QString &name : programFields) {
        QVERIFY2(field(name)->isReadOnly(), qPrintable(name));
        QVERIFY2(!(field(name)->focusPolicy() & Qt::TabFocus), qPrintable(name));
    }
    const QHash<QString, int> limits{
        {QStringLiteral("txtTime0_1"), 2},      {QStringLiteral("txtSternZeit1_0"), 2},
        {QStringLiteral("txtSTernZeit2_1"), 2}, {QStringLiteral("txtDeg7_2"), 2},
        {QStringLiteral("Text5"), 3},           {QStringLiteral("Text7_0"), 17},
        {QStringLiteral("Text1_2"), 10}};
    for (auto it = limits.cbegin(); it != limits.cend(); ++it)
        QCOMPARE(field(it.key())->maxLength(), it.value());
    QCOMPARE(field(QStringLiteral("txtJahre_0"))->maxLength(), QLineEdit().maxLength());
}

void TestRektiForm::captionsFit()
{
    // Every caption is shown whole at 8 pt Arial: it fits its label, and no
    // field, list or button of the same page covers it.
    open();
    QStringList cut;
    for (const QLabel *label : m_form->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect();
        const QRect needed =
            label->wordWrap()
                ? metrics.boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text())
                : QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                      metrics.tightBoundingRect(label->text()).size(), room);
        bool covered = false;
        const QRect shown = needed.translated(label->pos());
        for (const QWidget *sibling : label->parentWidget()->findChildren<QWidget *>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<const QLabel *>(sibling) && !sibling->isHidden() &&
                sibling->geometry().intersects(shown))
                covered = true;
        }
        if (!room.contains(needed) || covered)
            cut << label->objectName();
    }
    for (const QPushButton *button : m_form->findChildren<QPushButton *>()) {
        const QFontMetrics metrics(button->font());
        if (metrics.horizontalAdvance(button->text()) >= button->width())
            cut << button->objectName();
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
}

void TestRektiForm::wholeRectification_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("decimalYears");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                            << QStringLiteral("34,3287671232877");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << QStringLiteral("34.3287671232877");
}

void TestRektiForm::wholeRectification()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, decimalYears);
    QLocale::setDefault(locale);
    open();
    QCOMPARE(texts(QStringLiteral("txtDateh")), (list({"12", "3", "1980"})));
    QCOMPARE(field(QStringLiteral("Text1_0"))->text(), QStringLiteral("Erika Muster"));

    // Steps 1 to 4: the age at the event gives the direction arc and the
    // sidereal time of the event.
    type(QStringLiteral("txtTime0_0"), QStringLiteral("6"));
    type(QStringLiteral("txtTime0_1"), QStringLiteral("2"));
    type(QStringLiteral("txtTime0_2"), QStringLiteral("10"));
    QCOMPARE(texts(QStringLiteral("txtTime2")), (list({"6", "2", "10"})));
    QCOMPARE(texts(QStringLiteral("txtTime7")), (list({"6", "2", "10"})));
    type(QStringLiteral("Text7_0"), QStringLiteral("Hochzeit"));
    type(QStringLiteral("txtJahre_0"), QStringLiteral("34"));
    type(QStringLiteral("txtJahre_1"), QStringLiteral("120"));
    QCOMPARE(texts(QStringLiteral("txtJahre2"), 2), (list({"34", "120"})));
    click(QStringLiteral("Command2"));
    QCOMPARE(field(QStringLiteral("Text1_3"))->text(), decimalYears);
    click(QStringLiteral("Command3"));
    for (const char16_t *arc : {u"txtDeg1", u"txtDeg2", u"txtDeg15"})
        QCOMPARE(texts(QString::fromUtf16(arc)), (list({"33", "49", "58"})));
    click(QStringLiteral("Command4"));
    QCOMPARE(texts(QStringLiteral("txtTime1")), (list({"2", "15", "20"})));
    QCOMPARE(texts(QStringLiteral("txtTime3")), (list({"2", "15", "20"})));
    click(QStringLiteral("Command5"));
    QCOMPARE(texts(QStringLiteral("txtTime4")), (list({"8", "17", "30"})));
    QCOMPARE(m_form->findChild<QComboBox *>(QStringLiteral("Combo1"))->currentIndex(), 0);
    click(QStringLiteral("Command6"));
    QCOMPARE(texts(QStringLiteral("txtTime5")), (list({"8", "17", "30"})));

    // Step 5: interpolation in the house tables.
    click(QStringLiteral("Command1"));
    QCOMPARE(tabs()->currentIndex(), 1);
    type(QStringLiteral("txtSternZeit1_0"), QStringLiteral("8"));
    type(QStringLiteral("txtSternZeit1_1"), QStringLiteral("16"));
    type(QStringLiteral("txtSTernZeit2_0"), QStringLiteral("8"));
    type(QStringLiteral("txtSTernZeit2_1"), QStringLiteral("20"));
    const QStringList greater = list({"15", "20", "0"}), smaller = list({"14", "18", "30"}),
                      corrected = list({"14", "50", "10"});
    for (int i = 0; i < 3; ++i) {
        type(u"txtDeg3_" + QString::number(i), greater[i]);
        type(u"txtDeg4_" + QString::number(i), smaller[i]);
        type(u"txtDeg6_" + QString::number(i), corrected[i]);
        type(u"txtDeg7_" + QString::number(i), smaller[i]);
    }
    click(QStringLiteral("Command7"));
    QCOMPARE(texts(QStringLiteral("txtDeg5")), (list({"1", "1", "30"})));
    QCOMPARE(texts(QStringLiteral("txtDeg10")), (list({"1", "1", "30"})));
    click(QStringLiteral("Command8"));
    QCOMPARE(texts(QStringLiteral("txtDeg9")), (list({"0", "31", "40"})));
    click(QStringLiteral("Command9"));
    QCOMPARE(texts(QStringLiteral("txtDeg11")), (list({"0", "30", "54"})));

    // Steps 6 to 8: corrected RAMC, in time, minus the sidereal time of birth.
    click(QStringLiteral("Command1"));
    QCOMPARE(tabs()->currentIndex(), 2);
    type(QStringLiteral("Text5"), QStringLiteral("123"));
    click(QStringLiteral("Command10"));
    QCOMPARE(texts(QStringLiteral("txtDeg13")), (list({"123", "30", "54"})));
    click(QStringLiteral("Command11"));
    QCOMPARE(texts(QStringLiteral("txtDeg16")), (list({"89", "40", "56"})));
    QCOMPARE(texts(QStringLiteral("txtDeg17")), (list({"89", "40", "56"})));
    click(QStringLiteral("Command12"));
    QCOMPARE(texts(QStringLiteral("txtTime6")), (list({"5", "58", "44"})));
    QCOMPARE(texts(QStringLiteral("txtTime8")), (list({"5", "58", "44"})));
    QVERIFY(!m_form->resultReady());
    click(QStringLiteral("Command13"));
    QCOMPARE(texts(QStringLiteral("txtTime9")), (list({"0", "-3", "-26"})));
    QVERIFY(m_form->resultReady());
    QCOMPARE(m_services->messages, QList<RecordedMessage>());

    click(QStringLiteral("Command1"));
    QTRY_VERIFY(!m_form);
    QCOMPARE(m_main->resultList().rowCount(), 1);
    QCOMPARE(m_main->resultList().row(1),
             (ResultRow{QStringLiteral("Rektifikation"), QStringLiteral("Hochzeit"),
                        QStringLiteral("0h-3m-26s")}));
}

void TestRektiForm::stepMessages_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("emptiedAndFocused");

    QTest::newRow("negative after -24h")
        << list({"txtTime0_0=21", "txtTime0_1=0", "txtTime0_2=30", "Command5", "Combo1:1",
                 "Command6"})
        << QStringLiteral("Wert darf nicht negativ sein!") << QString();
    QTest::newRow("division before the differences")
        << list({"Command9"}) << QStringLiteral("Nulldivision!") << QString();
    QTest::newRow("difference beyond a sign")
        << list({"txtDeg3_0=29", "txtDeg3_1=0", "txtDeg3_2=0", "txtDeg4_0=0", "txtDeg4_1=0",
                 "txtDeg4_2=0", "Combo3:2", "Command7", "Command9"})
        << QStringLiteral("Winkel ungültig!") << QString();
    QTest::newRow("RAMC above 360")
        << list({"Text5=361", "Command10"}) << QStringLiteral("RAMC ist maximal 360° möglich!")
        << QStringLiteral("Text5");
    QTest::newRow("corrected RAMC negative")
        << list({"txtJahre_0=34", "txtJahre_1=120", "Command2", "Command3", "Text5=10", "Command10",
                 "Command11"})
        << QStringLiteral("Wert darf nicht negativ oder größer als 360 werden!") << QString();
}

void TestRektiForm::stepMessages()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, message);
    QFETCH(QString, emptiedAndFocused);
    open();
    for (const QString &action : actions)
        act(action);
    QCOMPARE(m_services->messages, (QList<RecordedMessage>{{message, gzk()}}));
    if (!emptiedAndFocused.isEmpty()) {
        QCOMPARE(field(emptiedAndFocused)->text(), QString());
        QCOMPARE(QApplication::focusWidget(), field(emptiedAndFocused));
    }
}

void TestRektiForm::rangeChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("table value 29 degrees") << s("txtDeg3_0") << s("29") << true;
    QTest::newRow("table value 30 degrees") << s("txtDeg3_0") << s("30") << false;
    QTest::newRow("smaller value 60 minutes") << s("txtDeg4_1") << s("60") << false;
    QTest::newRow("corrected value 59 seconds") << s("txtDeg6_2") << s("59") << true;
    QTest::newRow("smaller value again 30 degrees") << s("txtDeg7_0") << s("30") << false;
    QTest::newRow("120 years") << s("txtJahre_0") << s("120") << true;
    QTest::newRow("121 years") << s("txtJahre_0") << s("121") << false;
    QTest::newRow("364 days") << s("txtJahre_1") << s("364") << true;
    QTest::newRow("365 days") << s("txtJahre_1") << s("365") << false;
    QTest::newRow("table time 23 h") << s("txtSternZeit1_0") << s("23") << true;
    QTest::newRow("table time 24 h") << s("txtSternZeit1_0") << s("24") << false;
    QTest::newRow("table time 59 m") << s("txtSTernZeit2_1") << s("59") << true;
    QTest::newRow("table time 60 m") << s("txtSTernZeit2_1") << s("60") << false;
}

void TestRektiForm::rangeChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    open();
    type(name, typed);
    QCOMPARE(field(name)->text(), accepted ? typed : QString());
    QCOMPARE(m_services->messages,
             accepted ? QList<RecordedMessage>() : QList<RecordedMessage>{invalidNumber()});
    // The age is copied into step 2 as it stands after the check.
    if (name.startsWith(QStringLiteral("txtJahre_")))
        QCOMPARE(field(u"txtJahre2_" + name.right(1))->text(), field(name)->text());
}

void TestRektiForm::siderealTimeOfBirthLosesLastDigit_data()
{
    QTest::addColumn<int>("element");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("67 seconds") << 2 << s("67") << s("6");
    QTest::newRow("24 hours") << 0 << s("24") << s("2");
    QTest::newRow("60 minutes") << 1 << s("60") << s("6");
}

void TestRektiForm::siderealTimeOfBirthLosesLastDigit()
{
    QFETCH(int, element);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    open();
    type(QStringLiteral("txtTime0_0"), QStringLiteral("6"));
    type(QStringLiteral("txtTime0_1"), QStringLiteral("2"));
    type(QStringLiteral("txtTime0_2"), QStringLiteral("10"));

    const QString name = u"txtTime0_" + QString::number(element);
    QString shownWhileBoxOpen;
    m_services->whileShown = [&](const RecordedMessage &) {
        shownWhileBoxOpen = field(name)->text();
    };
    type(name, typed);
    QCOMPARE(m_services->messages,
             (QList<RecordedMessage>{{QStringLiteral("Zeit ungültig!"), gzk()}}));
    QCOMPARE(shownWhileBoxOpen, typed);
    QCOMPARE(field(name)->text(), kept);
    const QStringList now = texts(QStringLiteral("txtTime0"));
    QCOMPARE(texts(QStringLiteral("txtTime2")), now);
    QCOMPARE(texts(QStringLiteral("txtTime7")), now);
}

void TestRektiForm::keyFilters()
{
    open();
    type(QStringLiteral("txtDeg3_0"), QStringLiteral("a-. 1"));
    QCOMPARE(field(QStringLiteral("txtDeg3_0"))->text(), QStringLiteral("1"));
    type(QStringLiteral("Text5"), QStringLiteral("1x2,3"));
    QCOMPARE(field(QStringLiteral("Text5"))->text(), QStringLiteral("123"));
    // The event and the event's date are free text.
    type(QStringLiteral("Text1_2"), QStringLiteral("1.6.2014"));
    QCOMPARE(field(QStringLiteral("Text1_2"))->text(), QStringLiteral("1.6.2014"));

    // Typing into a selection-only list would pick the entry starting with
    // the keys; these two lists change only by choosing.
    for (const char16_t *name : {u"Combo1", u"Combo2"}) {
        auto *list = m_form->findChild<QComboBox *>(QString::fromUtf16(name));
        showPageOf(list);
        list->setFocus();
        QTest::keyClicks(list, QStringLiteral("-2+"));
        QCOMPARE(list->currentIndex(), 0);
    }

    // Enter in a field runs no step; on a focused button it presses it.
    type(QStringLiteral("txtJahre_1"), QStringLiteral("73"));
    QTest::keyClick(field(QStringLiteral("txtJahre_1")), Qt::Key_Return);
    QCOMPARE(field(QStringLiteral("Text1_3"))->text(), QString());
    auto *decimalYears = m_form->findChild<QPushButton *>(QStringLiteral("Command2"));
    decimalYears->setFocus();
    QTest::keyClick(decimalYears, Qt::Key_Return);
    QCOMPARE(field(QStringLiteral("Text1_3"))->text(), QStringLiteral("0,2"));

    // Clicking back into a field selects its entry: the next key replaces it.
    type(QStringLiteral("txtJahre_0"), QStringLiteral("34"));
    type(QStringLiteral("txtJahre_0"), QStringLiteral("5"));
    QCOMPARE(field(QStringLiteral("txtJahre_0"))->text(), QStringLiteral("5"));
}

void TestRektiForm::pagingAndHeaderColour()
{
    open();
    const QColor white(255, 255, 255), copies(255, 192, 128);
    const auto header = [this] {
        return field(QStringLiteral("txtTime0_1"))->palette().color(QPalette::Base);
    };
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(header(), white);
    QCOMPARE(field(QStringLiteral("Text1_3"))->palette().color(QPalette::Base),
             QColor(207, 253, 185));

    click(QStringLiteral("Command1"));
    QCOMPARE(tabs()->currentIndex(), 1);
    QCOMPARE(header(), copies);
    click(QStringLiteral("Command1"));
    QCOMPARE(tabs()->currentIndex(), 2);
    QCOMPARE(header(), copies);

    // Before step 8 "Okay" on the last page only goes back to the first.
    click(QStringLiteral("Command1"));
    QCOMPARE(tabs()->currentIndex(), 0);
    QCOMPARE(header(), white);
    QVERIFY(m_form && m_form->isVisible());
    QCOMPARE(m_main->resultList().rowCount(), 0);
    QCOMPARE(m_services->messages, QList<RecordedMessage>());

    // Step 8 on empty fields still counts: the row carries zeros.
    tabs()->setCurrentIndex(2);
    QCOMPARE(header(), copies);
    click(QStringLiteral("Command13"));
    click(QStringLiteral("Command1"));
    QTRY_VERIFY(!m_form);
    QCOMPARE(m_main->resultList().row(1),
             (ResultRow{QStringLiteral("Rektifikation"), QString(), QStringLiteral("0h0m0s")}));
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
    const QStringList typed =
        list({"Text1_2=1.6.2014", "Text7_0=Hochzeit", "txtTime0_0=6", "txtTime0_1=2",
              "txtTime0_2=10", "txtJahre_0=34", "txtJahre_1=120", "txtSternZeit1_0=8",
              "txtSternZeit1_1=16", "txtSTernZeit2_0=8", "txtSTernZeit2_1=20", "txtDeg3_0=15",
              "txtDeg4_1=18", "txtDeg6_2=10", "txtDeg7_0=14"});
    for (const QString &action : typed)
        act(action);
    for (const char *action : {"Command2", "Command3", "Combo2:1", "Text5=123"})
        act(s(action));
    const QString decimalYears = field(QStringLiteral("Text1_3"))->text();

    if (closing == QStringLiteral("close"))
        m_form->close();
    else if (closing == QStringLiteral("Escape"))
        QTest::keyClick(m_form, Qt::Key_Escape);
    else
        click(closing);
    QTRY_VERIFY(!m_form);
    QCOMPARE(m_main->resultList().rowCount(), 0);

    // The keys are the control's name and the element number.
    QSettings settings(Store::FormsApplication, Store::FormsApplication);
    settings.beginGroup(Store::FormsSection);
    QCOMPARE(settings.value(QStringLiteral("txtSTernZeit21")).toString(), QStringLiteral("20"));
    QCOMPARE(settings.value(QStringLiteral("Text70")).toString(), QStringLiteral("Hochzeit"));
    QCOMPARE(settings.value(QStringLiteral("txtTime72")).toString(), QStringLiteral("10"));
    QCOMPARE(settings.value(QStringLiteral("Text13")).toString(), decimalYears);

    m_main->name = QStringLiteral("Max Muster");
    open();
    QCOMPARE(m_services->messages, QList<RecordedMessage>());
    for (const QString &action : typed)
        QCOMPARE(field(action.section(u'=', 0, 0))->text(), action.section(u'=', 1));
    QCOMPARE(field(QStringLiteral("Text1_0"))->text(), QStringLiteral("Max Muster"));
    QCOMPARE(field(QStringLiteral("Text1_3"))->text(), decimalYears);
    QCOMPARE(texts(QStringLiteral("txtTime2")), (list({"6", "2", "10"})));
    QCOMPARE(texts(QStringLiteral("txtTime7")), (list({"6", "2", "10"})));
    QCOMPARE(texts(QStringLiteral("txtJahre2"), 2), (list({"34", "120"})));
    // Results and the RAMC start empty, the lists at their preselections.
    QCOMPARE(texts(QStringLiteral("txtDeg1")), (list({"", "", ""})));
    QCOMPARE(field(QStringLiteral("Text5"))->text(), QString());
    QCOMPARE(m_form->findChild<QComboBox *>(QStringLiteral("Combo2"))->currentIndex(), 0);
    QCOMPARE(m_form->findChild<QComboBox *>(QStringLiteral("Combo3"))->currentIndex(), 1);
    QCOMPARE(tabs()->currentIndex(), 0);
    QVERIFY(!m_form->resultReady());
}

void TestRektiForm::newCalculationStartsEmpty()
{
    open();
    for (const char *action : {"Text7_0=Hochzeit", "txtTime0_0=6", "txtJahre_0=34"})
        act(s(action));
    click(QStringLiteral("Command14"));
    QTRY_VERIFY(!m_form);

    NewRektiCalculation = -1;
    open();
    QCOMPARE(field(QStringLiteral("Text7_0"))->text(), QString());
    QCOMPARE(field(QStringLiteral("txtTime0_0"))->text(), QString());
    QCOMPARE(field(QStringLiteral("txtJahre_0"))->text(), QString());
    QCOMPARE(field(QStringLiteral("Text1_0"))->text(), QString());
    QCOMPARE(texts(QStringLiteral("txtDateh")), (list({"12", "3", "1980"})));
    QCOMPARE(m_form->findChild<QComboBox *>(QStringLiteral("Combo1"))->currentText(),
             QStringLiteral("-0h"));
    QCOMPARE(m_form->findChild<QComboBox *>(QStringLiteral("Combo4"))->currentText(),
             QStringLiteral("+0"));

    // What is typed in the new calculation is what the next opening restores.
    type(QStringLiteral("txtJahre_0"), QStringLiteral("40"));
    click(QStringLiteral("Command14"));
    QTRY_VERIFY(!m_form);
    QCOMPARE(NewRektiCalculation, qint16(0));
    open();
    QCOMPARE(field(QStringLiteral("txtJahre_0"))->text(), QStringLiteral("40"));
    QCOMPARE(field(QStringLiteral("Text7_0"))->text(), QString());
    QCOMPARE(field(QStringLiteral("Text1_0"))->text(), QStringLiteral("Erika Muster"));
}

QTEST_MAIN(TestRektiForm)
#include "tst_rektiform.moc"
