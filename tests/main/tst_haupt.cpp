#include "main/haupt.h"
#include "settings/store.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <memory>

namespace {

template <class T> T *control(QWidget &form, const char *name)
{
    return form.findChild<T *>(QLatin1String(name));
}

const char *const PersonFields[] = {"Text1h_0", "txtDateh_0",  "txtDateh_1",  "txtDateh_2",
                                    "Text3h_0", "txtTime0h_0", "txtTime0h_1", "txtTime0h_2"};

QList<ResultRow> rowsOf(Haupt &haupt)
{
    QList<ResultRow> rows;
    for (int position = 1; position <= haupt.resultList().rowCount(); ++position)
        rows.append(haupt.resultList().row(position));
    return rows;
}

QString stored(const char *key)
{
    return ReadSetting(Store::FormsApplication, Store::FormsSection, QLatin1String(key));
}

QString storedListValue(const char *key)
{
    return ReadSetting(Store::ListApplication, Store::ListSection, QLatin1String(key));
}

// Types text key by key, as a user would; unlike QTest::keyClicks also
// characters beyond ASCII ("Köln").
void type(QWidget *field, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Lets the application quit as it does when the desktop ends it: the event
// loop returns and QCoreApplication::aboutToQuit is emitted.
void quitApplication()
{
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

const ResultRow SolarRow{QStringLiteral("Solar"), QStringLiteral("12.7.2024"),
                         QStringLiteral("14h33m17s")};
const ResultRow RektiRow{QStringLiteral("Rektifikation"), QStringLiteral("Heirat, 1990"),
                         QStringLiteral("0h-3m-26s")};
const ResultRow ThirdRow{QStringLiteral("Solar"), QStringLiteral("5.7.2009"),
                         QStringLiteral("14h5m33s")};

} // namespace

class TestHaupt : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void layout_data();
    void layout();
    void windowAndTabOrder();
    void firstStartWithEmptyStore();

    void rangeChecks_data();
    void rangeChecks();
    void storedValueAboveMaximumIsEmptied();

    void restart_data();
    void restart();

    void deleteSelectedRow_data();
    void deleteSelectedRow();
    void deleteSelectedRowOfEmptyList();
    void deleteAll_data();
    void deleteAll();
    void newCalculation();

    void calculatorOpensModalAndGivesBackTheCursor();
    void quittingSavesOnce();

private:
    IsolatedStore m_store;
    std::unique_ptr<RecordingServices> m_services;
};

void TestHaupt::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    m_services = std::make_unique<RecordingServices>();
}

void TestHaupt::init()
{
    QVERIFY(m_store.clear());
    m_services->clear();
}

// Every control where the layout table puts it, with its caption, and the
// caption fully visible in the form's font.
void TestHaupt::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    const auto row = [](const char *name, int x, int y, int w, int h, const QString &caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << QRect(x, y, w, h) << caption;
    };
    const QString field; // a text field or the list: no caption
    row("Label2", 12, 16, 173, 17, QStringLiteral("Name"));
    row("Text1h_0", 12, 32, 249, 19, field);
    row("txtDateh_0", 312, 32, 21, 19, field);
    row("txtDateh_1", 336, 32, 21, 19, field);
    row("txtDateh_2", 360, 32, 33, 19, field);
    row("Text3h_0", 404, 32, 121, 19, field);
    row("txtTime0h_0", 312, 76, 25, 19, field);
    row("txtTime0h_1", 352, 76, 25, 19, field);
    row("txtTime0h_2", 396, 76, 25, 19, field);
    row("Command1", 12, 68, 249, 33, QStringLiteral("Programmbedienung"));
    row("Command2", 12, 112, 249, 37, QStringLiteral("1. Solarhoroskop"));
    row("Command3", 12, 156, 249, 37,
        QStringLiteral("2. Rektifikation mit primär dirigierten Achsen"));
    row("Command6", 12, 240, 249, 37, QStringLiteral("Lehrmaterialien"));
    row("Command7", 12, 284, 249, 37, QStringLiteral("Neue Berechnung starten"));
    row("Command8", 360, 380, 249, 33, QStringLiteral("Beenden"));
    row("Label3", 312, 16, 73, 17, QStringLiteral("Geburtsdatum"));
    row("Label4", 404, 16, 93, 17, QStringLiteral("Geburtsort"));
    row("Label42", 336, 80, 17, 17, QStringLiteral(" h"));
    row("Label41", 376, 80, 17, 17, QStringLiteral(" m"));
    row("Label40", 420, 80, 25, 17, QStringLiteral(" s"));
    row("Label5", 312, 60, 125, 17, QStringLiteral("Geburtszeit"));
    row("Command4", 268, 112, 29, 37, QStringLiteral("?"));
    row("Command5", 268, 156, 29, 37, QStringLiteral("?"));
    row("Label6", 8, 348, 145, 17, QString()); // web addresses: checked for fit only
    row("Label7", 8, 364, 93, 17, QString());
    row("Label9", 8, 398, 293, 17, QString());
    row("Command9", 464, 328, 143, 29, QStringLiteral("Liste löschen"));
    row("List1", 312, 112, 295, 209, field);
    row("Command10", 312, 328, 143, 29, QStringLiteral("markierte Zeile löschen"));
}

void TestHaupt::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    Haupt haupt;
    QWidget *widget = haupt.findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->geometry(), geometry);

    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        QCOMPARE(button->text(), caption);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QVERIFY2(button->fontMetrics().horizontalAdvance(caption) <= room.width(),
                 qPrintable(caption));
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        if (!caption.isNull())
            QCOMPARE(label->text(), caption);
        QVERIFY(!label->text().isEmpty());
        const QRect room = label->contentsRect();
        const QRect needed = label->fontMetrics().boundingRect(
            room, Qt::AlignLeft | Qt::AlignTop | (label->wordWrap() ? Qt::TextWordWrap : 0),
            label->text());
        QVERIFY2(room.contains(needed), qPrintable(label->text()));
    } else if (auto *field = qobject_cast<QLineEdit *>(widget)) {
        // The widest entry that each field takes must show whole: a four-digit
        // year, two digits elsewhere.
        const QString widest =
            name == u"txtDateh_2" ? QStringLiteral("3000") : QStringLiteral("28");
        QVERIFY(field->fontMetrics().horizontalAdvance(widest) + 8 <= field->width());
        QVERIFY(field->fontMetrics().height() + 4 <= field->height());
    } else {
        QVERIFY(qobject_cast<QTreeView *>(widget));
    }
}

void TestHaupt::windowAndTabOrder()
{
    Haupt haupt;
    QCOMPARE(haupt.objectName(), QStringLiteral("Haupt"));
    QCOMPARE(haupt.windowTitle(), QStringLiteral("QVA-Prüfung bestehen! Teil 2,  Solar und GZK"));
    QCOMPARE(haupt.minimumSize(), QSize(614, 425));
    QCOMPARE(haupt.maximumSize(), QSize(614, 425));
    QVERIFY(haupt.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!haupt.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(haupt.font().family(), QStringLiteral("Arial"));
    QCOMPARE(haupt.font().pointSize(), 8);

    const QStringList expected = {
        QStringLiteral("Text1h_0"),    QStringLiteral("txtDateh_0"),  QStringLiteral("txtDateh_1"),
        QStringLiteral("txtDateh_2"),  QStringLiteral("Text3h_0"),    QStringLiteral("txtTime0h_0"),
        QStringLiteral("txtTime0h_1"), QStringLiteral("txtTime0h_2"), QStringLiteral("Command1"),
        QStringLiteral("Command2"),    QStringLiteral("Command3"),    QStringLiteral("Command6"),
        QStringLiteral("Command7"),    QStringLiteral("Command8"),    QStringLiteral("Command4"),
        QStringLiteral("Command5"),    QStringLiteral("Command9"),    QStringLiteral("List1"),
        QStringLiteral("Command10")};
    QStringList order;
    QWidget *start = control<QWidget>(haupt, "Text1h_0");
    QWidget *widget = start;
    do {
        if (widget->focusPolicy() & Qt::TabFocus && haupt.isAncestorOf(widget))
            order.append(widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != start);
    QCOMPARE(order, expected);
}

void TestHaupt::firstStartWithEmptyStore()
{
    WriteSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("Text1h0"),
                 QStringLiteral("Anna Muster"));
    NewSolarCalculation = -1;
    NewRektiCalculation = -1;

    Haupt haupt;
    QCOMPARE(NewSolarCalculation, qint16(0));
    QCOMPARE(NewRektiCalculation, qint16(0));

    // Three columns with blank captions, no rows.
    QAbstractItemModel *model = control<QTreeView>(haupt, "List1")->model();
    QCOMPARE(model->columnCount(), 3);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("     "));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("  "));
    QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("   "));
    QCOMPARE(haupt.resultList().rowCount(), 0);
    for (const char *name : PersonFields) {
        if (qstrcmp(name, "Text1h_0") != 0)
            QVERIFY2(control<QLineEdit>(haupt, name)->text().isEmpty(), name);
    }

    // The cursor waits in the name field, its text selected for the next person.
    haupt.show();
    QVERIFY(QTest::qWaitForWindowActive(&haupt));
    auto *name = control<QLineEdit>(haupt, "Text1h_0");
    QCOMPARE(QApplication::focusWidget(), name);
    QCOMPARE(name->selectedText(), QStringLiteral("Anna Muster"));
    QVERIFY(m_services->messages.isEmpty());
}

void TestHaupt::rangeChecks_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");

    const auto row = [](const char *tag, const char *field, const char *typed, bool accepted) {
        QTest::newRow(tag) << QString::fromLatin1(field) << QString::fromLatin1(typed) << accepted;
    };
    row("day 31", "txtDateh_0", "31", true);
    row("day 32", "txtDateh_0", "32", false);
    row("month 12", "txtDateh_1", "12", true);
    row("month 13", "txtDateh_1", "13", false);
    row("year 3000", "txtDateh_2", "3000", true);
    row("year 3001", "txtDateh_2", "3001", false);
    row("hours 23", "txtTime0h_0", "23", true);
    row("hours 24", "txtTime0h_0", "24", false);
    row("minutes 59", "txtTime0h_1", "59", true);
    row("minutes 60", "txtTime0h_1", "60", false);
    row("seconds 60", "txtTime0h_2", "60", false);
    row("no leading number", "txtDateh_1", "x99", true);
    row("name unchecked", "Text1h_0", "99999", true);
    row("place unchecked", "Text3h_0", "4000", true);
}

void TestHaupt::rangeChecks()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);

    Haupt haupt;
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    auto *edit = haupt.findChild<QLineEdit *>(field);
    edit->setFocus();
    type(edit, typed);

    if (accepted) {
        QCOMPARE(edit->text(), typed);
        QVERIFY(m_services->messages.isEmpty());
    } else {
        QCOMPARE(edit->text(), QString());
        const QList<RecordedMessage> once{{QStringLiteral("Bitte nur gültige Zahlen eingeben!"),
                                           QStringLiteral("Solar und GZK")}};
        QCOMPARE(m_services->messages, once);
    }
}

void TestHaupt::storedValueAboveMaximumIsEmptied()
{
    WriteSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("txtDateh0"),
                 QStringLiteral("32"));
    WriteSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("txtDateh1"),
                 QStringLiteral("7"));

    Haupt haupt;
    QCOMPARE(control<QLineEdit>(haupt, "txtDateh_0")->text(), QString());
    QCOMPARE(control<QLineEdit>(haupt, "txtDateh_1")->text(), QStringLiteral("7"));
    QCOMPARE(m_services->messages.size(), 1);
}

// Everything typed and every row is back after the program has been closed and
// started again, whichever way the window was closed.
void TestHaupt::restart_data()
{
    QTest::addColumn<bool>("byCloseBox");
    QTest::newRow("Beenden") << false;
    QTest::newRow("close box") << true;
}

void TestHaupt::restart()
{
    QFETCH(bool, byCloseBox);
    const QStringList typed = {QStringLiteral("Anna Muster"), QStringLiteral("05"),
                               QStringLiteral("7"),           QStringLiteral("1970"),
                               QStringLiteral("Köln, Rhein"), QStringLiteral("14"),
                               QStringLiteral("05"),          QStringLiteral("0")};
    {
        auto haupt = std::make_unique<Haupt>();
        haupt->show();
        QVERIFY(QTest::qWaitForWindowExposed(haupt.get()));
        for (int i = 0; i < typed.size(); ++i)
            type(control<QLineEdit>(*haupt, PersonFields[i]), typed.at(i));
        QVERIFY(haupt->resultList().appendRow(SolarRow));
        QVERIFY(haupt->resultList().appendRow(RektiRow));

        if (byCloseBox)
            QVERIFY(haupt->close());
        else
            QTest::mouseClick(control<QPushButton>(*haupt, "Command8"), Qt::LeftButton);
        QVERIFY(!haupt->isVisible());
    }

    // The store holds the values under the keys that earlier versions wrote.
    QCOMPARE(stored("Text1h0"), QStringLiteral("Anna Muster"));
    QCOMPARE(stored("txtDateh2"), QStringLiteral("1970"));
    QCOMPARE(stored("txtTime0h0"), QStringLiteral("14"));
    QCOMPARE(storedListValue("count"), QStringLiteral("2"));
    QCOMPARE(storedListValue("spalte32"), QStringLiteral("0h-3m-26s"));

    Haupt again;
    QCOMPARE(rowsOf(again), (QList<ResultRow>{SolarRow, RektiRow}));
    for (int i = 0; i < typed.size(); ++i)
        QCOMPARE(control<QLineEdit>(again, PersonFields[i])->text(), typed.at(i));
    QVERIFY(m_services->messages.isEmpty());
}

void TestHaupt::deleteSelectedRow_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QList<ResultRow>>("remaining");

    QTest::newRow("first") << 1 << QList<ResultRow>{RektiRow, ThirdRow};
    QTest::newRow("second") << 2 << QList<ResultRow>{SolarRow, ThirdRow};
    QTest::newRow("last") << 3 << QList<ResultRow>{SolarRow, RektiRow};
    QTest::newRow("none marked") << 0 << QList<ResultRow>{SolarRow, RektiRow, ThirdRow};
}

void TestHaupt::deleteSelectedRow()
{
    QFETCH(int, current);
    QFETCH(QList<ResultRow>, remaining);

    Haupt haupt;
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    for (const ResultRow &row : {SolarRow, RektiRow, ThirdRow})
        QVERIFY(haupt.resultList().appendRow(row));
    haupt.resultList().setCurrentPosition(current);

    QTest::mouseClick(control<QPushButton>(haupt, "Command10"), Qt::LeftButton);
    QCOMPARE(rowsOf(haupt), remaining);
    QVERIFY(m_services->messages.isEmpty());
}

void TestHaupt::deleteSelectedRowOfEmptyList()
{
    Haupt haupt;
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    QTest::mouseClick(control<QPushButton>(haupt, "Command10"), Qt::LeftButton);
    const QList<RecordedMessage> empty{
        {QStringLiteral("Liste ist leer"), QStringLiteral("velmora")}};
    QCOMPARE(m_services->messages, empty);
    QCOMPARE(haupt.resultList().rowCount(), 0);
}

void TestHaupt::deleteAll_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("empty list") << 0;
    QTest::newRow("three rows") << 3;
}

void TestHaupt::deleteAll()
{
    QFETCH(int, rows);

    Haupt haupt;
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    for (int i = 0; i < rows; ++i)
        QVERIFY(haupt.resultList().appendRow(SolarRow));
    haupt.resultList().setCurrentPosition(2);

    QTest::mouseClick(control<QPushButton>(haupt, "Command9"), Qt::LeftButton);
    QCOMPARE(haupt.resultList().rowCount(), 0);
    QVERIFY(m_services->messages.isEmpty());
}

void TestHaupt::newCalculation()
{
    Haupt haupt;
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    for (const char *name : PersonFields)
        type(control<QLineEdit>(haupt, name), QStringLiteral("1"));
    QVERIFY(haupt.resultList().appendRow(SolarRow));

    QTest::mouseClick(control<QPushButton>(haupt, "Command7"), Qt::LeftButton);
    for (const char *name : PersonFields)
        QVERIFY2(control<QLineEdit>(haupt, name)->text().isEmpty(), name);
    QCOMPARE(rowsOf(haupt), QList<ResultRow>{SolarRow});
    QCOMPARE(NewSolarCalculation, qint16(-1));
    QCOMPARE(NewRektiCalculation, qint16(-1));
    QVERIFY(m_services->messages.isEmpty());
}

// Each opening builds the calculator anew over the blocked main window; once
// it has closed, the cursor is back in the name field with the name selected.
void TestHaupt::calculatorOpensModalAndGivesBackTheCursor()
{
    Haupt haupt;
    haupt.show();
    QVERIFY(QTest::qWaitForWindowActive(&haupt));
    auto *name = control<QLineEdit>(haupt, "Text1h_0");
    type(name, QStringLiteral("Anna"));
    auto *open = control<QPushButton>(haupt, "Command2");

    QPointer<QDialog> previous;
    for (int opening = 1; opening <= 2; ++opening) {
        QTest::mouseClick(open, Qt::LeftButton);
        QVERIFY(QApplication::focusWidget() != name);
        auto *solar = control<QDialog>(haupt, "Solar");
        QVERIFY(solar);
        QVERIFY(solar != previous);
        QVERIFY(solar->isVisible());
        QCOMPARE(solar->windowModality(), Qt::ApplicationModal);
        QVERIFY(QTest::qWaitForWindowExposed(solar));

        solar->reject();
        previous = solar;
        QTRY_VERIFY(previous.isNull());
        QCOMPARE(haupt.focusWidget(), name);
        QCOMPARE(name->selectedText(), QStringLiteral("Anna"));
    }

    // The program may end over an open calculator: the window goes with it.
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(control<QDialog>(haupt, "Solar"));
}

// At logout the desktop may end the program without closing its window: the
// rows and the person fields are saved all the same, and only once.
void TestHaupt::quittingSavesOnce()
{
    Haupt haupt;
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    auto *name = control<QLineEdit>(haupt, "Text1h_0");
    type(name, QStringLiteral("Anna"));
    QVERIFY(haupt.resultList().appendRow(SolarRow));

    quitApplication();
    QCOMPARE(stored("Text1h0"), QStringLiteral("Anna"));
    QCOMPARE(storedListValue("spalte11"), QStringLiteral("Solar"));

    // Nothing is written a second time for the same contents: a value that
    // reached the store otherwise meanwhile stays, through a second quit and
    // through closing the window.
    const auto marker = QStringLiteral("not written again");
    WriteSetting(Store::FormsApplication, Store::FormsSection, QStringLiteral("Text1h0"), marker);
    quitApplication();
    QVERIFY(haupt.close());
    QCOMPARE(stored("Text1h0"), marker);

    // Work done after a quit that did not happen (a cancelled logout) is saved
    // when the program really ends.
    haupt.show();
    QVERIFY(QTest::qWaitForWindowExposed(&haupt));
    name->setText(QStringLiteral("Berta"));
    QVERIFY(haupt.close());
    QCOMPARE(stored("Text1h0"), QStringLiteral("Berta"));
}

QTEST_MAIN(TestHaupt)
#include "tst_haupt.moc"
