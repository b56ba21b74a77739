#include "main/haupt.h"
#include "rekti/rektiform.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMetaEnum>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>

#include <memory>

// What a screen reader and a keyboard user meet: every field and list of the
// main window and both calculators says in German what it holds, each "="
// button what it computes, and both calculations can be worked through from
// the main window to the new row of the result list without the mouse.
class tst_Accessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void namesInTheTree_data();
    void namesInTheTree();
    void pagesByKeyboard_data();
    void pagesByKeyboard();
    void solarByKeyboard();
    void rektiByKeyboard();
    void resultListByKeyboard();

private:
    void startProgram();
    QWidget *openForm(const QString &form);

    IsolatedStore store;
    std::unique_ptr<RecordingServices> recorder;
    std::unique_ptr<Haupt> haupt;
};

namespace {

struct Node {
    int depth;
    QAccessible::Role role;
    QString name;
    QString value;
    QString description;
    QObject *object;
};

void collect(QAccessibleInterface *node, int depth, QList<Node> &nodes)
{
    nodes.append({depth, node->role(), node->text(QAccessible::Name),
                  node->text(QAccessible::Value), node->text(QAccessible::Description),
                  node->object()});
    // The entries of a drop-down list are its value, not fields of the form.
    if (node->role() == QAccessible::ComboBox)
        return;
    for (int i = 0; i < node->childCount(); ++i) {
        if (QAccessibleInterface *child = node->child(i))
            collect(child, depth + 1, nodes);
    }
}

QList<Node> accessibleTree(QWidget *form)
{
    QList<Node> nodes;
    collect(QAccessible::queryAccessibleInterface(form), 0, nodes);
    return nodes;
}

// With VELMORA_A11Y_DUMP set to a folder, the tree of each form is written
// there as a11y-<form>.txt: role | name | value | description [objectName].
void dump(const QString &form, const QList<Node> &nodes)
{
    const QString folder = qEnvironmentVariable("VELMORA_A11Y_DUMP");
    if (folder.isEmpty())
        return;
    QFile file(QDir(folder).filePath(QStringLiteral("a11y-%1.txt").arg(form.toLower())));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        qWarning("cannot write %s", qPrintable(file.fileName()));
        return;
    }
    QTextStream out(&file);
    const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    for (const Node &node : nodes) {
        out << QString(node.depth * 2, u' ') << roles.valueToKey(node.role) << " | " << node.name
            << " | " << node.value << " | " << node.description;
        if (node.object && !node.object->objectName().isEmpty())
            out << " [" << node.object->objectName() << ']';
        out << '\n';
    }
}

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result << QString::fromUtf8(text);
    return result;
}

QWidget *focused()
{
    return QApplication::focusWidget();
}

QString focusedName()
{
    return focused() ? focused()->objectName() : QString();
}

// Keys go to whatever has the focus, as they do for a user.
void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focused(), key, modifiers);
}

void typed(const QString &text)
{
    QTest::keyClicks(focused(), text);
}

void keys(Qt::Key key, int times)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(focused(), key);
}

} // namespace

// Tab (or Shift+Tab) once; the focus must land on the next control of the
// workflow.
#define TAB(name)                                                                                  \
    do {                                                                                           \
        key(Qt::Key_Tab);                                                                          \
        QCOMPARE(focusedName(), QStringLiteral(name));                                             \
    } while (false)
#define BACKTAB(name)                                                                              \
    do {                                                                                           \
        key(Qt::Key_Backtab, Qt::ShiftModifier);                                                   \
        QCOMPARE(focusedName(), QStringLiteral(name));                                             \
    } while (false)

void tst_Accessibility::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void tst_Accessibility::init()
{
    QVERIFY(store.clear());
    recorder = std::make_unique<RecordingServices>();
}

void tst_Accessibility::cleanup()
{
    haupt.reset();
    recorder.reset();
}

void tst_Accessibility::startProgram()
{
    haupt = std::make_unique<Haupt>();
    haupt->show();
    QVERIFY(QTest::qWaitForWindowActive(haupt.get()));
    QCOMPARE(focusedName(), QStringLiteral("Text1h_0"));
}

QWidget *tst_Accessibility::openForm(const QString &form)
{
    if (form == u"Haupt")
        return haupt.get();
    const bool solar = form == u"Solar";
    haupt->findChild<QPushButton *>(solar ? QStringLiteral("Command2") : QStringLiteral("Command3"))
        ->click();
    QWidget *opened = solar ? static_cast<QWidget *>(haupt->findChild<SolarForm *>())
                            : static_cast<QWidget *>(haupt->findChild<RektiForm *>());
    if (opened && !QTest::qWaitFor([opened] { return opened->isActiveWindow(); }))
        qWarning("the form did not become active");
    return opened;
}

void tst_Accessibility::namesInTheTree_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("stepButtons");
    QTest::addColumn<QStringList>("someNames"); // objectName, accessible name, …

    QTest::newRow("Haupt") << QStringLiteral("Haupt") << 0
                           << strings({"Text1h_0", "Name", "txtDateh_0", "Geburtsdatum, Tag",
                                       "txtDateh_2", "Geburtsdatum, Jahr", "txtTime0h_1",
                                       "Geburtszeit, Minuten", "List1", "Ergebnisliste", "Command4",
                                       "Berechnung des Solars öffnen", "Command5",
                                       "Berechnung der Rektifikation öffnen"});
    QTest::newRow("Solar") << QStringLiteral("Solar") << 5
                           << strings({"cmbDeg13_0", "Radix-Sonnenposition, Grad", "txtDeg1_1",
                                       "Ergebnis A, Bogenminuten", "txtDeg2_2",
                                       "Ergebnis B, Bogensekunden", "txtTime1_0",
                                       "Uhrzeit des Solars in Greenwich, Stunden", "cmbGMT",
                                       "Zeitzone", "Combo1", "Tagesverschiebung", "Command2",
                                       "Schritt 2 berechnen: Differenz Sonnenbewegung"});
    QTest::newRow("Rekti") << QStringLiteral("Rekti") << 12
                           << strings({"txtJahre_1", "Alter beim Ereignis, Tage", "txtDeg1_0",
                                       "Direktionsbogen, Grad", "txtTime9_2",
                                       "gesuchte Zeitdifferenz, Sekunden", "Combo2",
                                       "Korrektur um 360 Grad", "Command13",
                                       "Schritt 8 berechnen: gesuchte Zeitdifferenz"});
}

void tst_Accessibility::namesInTheTree()
{
    QFETCH(QString, form);
    QFETCH(int, stepButtons);
    QFETCH(QStringList, someNames);
    startProgram();
    QWidget *window = openForm(form);
    QVERIFY(window);

    const QList<Node> nodes = accessibleTree(window);
    dump(form, nodes);

    QHash<QString, QString> names; // objectName → accessible name
    QSet<QString> fieldNames;
    int described = 0;
    for (const Node &node : nodes) {
        if (!node.object)
            continue;
        const QString control = node.object->objectName();
        names.insert(control, node.name);
        if (qobject_cast<QLineEdit *>(node.object) || qobject_cast<QComboBox *>(node.object)) {
            QVERIFY2(!node.name.isEmpty(), qPrintable(control));
            QVERIFY2(!fieldNames.contains(node.name), qPrintable(node.name + u" twice"));
            fieldNames.insert(node.name);
        }
        const auto *button = qobject_cast<QPushButton *>(node.object);
        if (button && button->text() == u"=") {
            QVERIFY2(node.name.startsWith(u"Schritt ") && node.name.contains(u" berechnen: "),
                     qPrintable(control));
            QVERIFY2(node.description.contains(u" = "), qPrintable(control));
            ++described;
        }
    }
    QCOMPARE(described, stepButtons);
    // The tree reaches every field and list of the form, those of hidden pages too.
    const auto fields = window->findChildren<QLineEdit *>();
    const auto lists = window->findChildren<QComboBox *>();
    QCOMPARE(fieldNames.size(), fields.size() + lists.size());

    for (qsizetype i = 0; i + 1 < someNames.size(); i += 2)
        QCOMPARE(names.value(someNames[i]), someNames[i + 1]);
}

void tst_Accessibility::pagesByKeyboard_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control"); // has the focus on the first page
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("page");

    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const struct {
        const char *form, *header, *onPage, *okay;
        int last;
    } forms[] = {{"Solar", "Text1_0", "cmbDeg1_0", "Command6", 1},
                 {"Rekti", "txtTime0_0", "txtJahre_0", "Command1", 2}};
    for (const auto &f : forms) {
        for (const char *control : {f.header, f.onPage, f.okay, "qt_tabwidget_tabbar"}) {
            const QString row = QLatin1String(f.form) + u' ' + QLatin1String(control);
            QTest::addRow("%s Ctrl+Tab", qPrintable(row))
                << QString::fromLatin1(f.form) << QString::fromLatin1(control) << int(Qt::Key_Tab)
                << ctrl << 1;
            QTest::addRow("%s Ctrl+PageDown", qPrintable(row))
                << QString::fromLatin1(f.form) << QString::fromLatin1(control)
                << int(Qt::Key_PageDown) << ctrl << 1;
            QTest::addRow("%s Ctrl+Shift+Tab", qPrintable(row))
                << QString::fromLatin1(f.form) << QString::fromLatin1(control)
                << int(Qt::Key_Backtab) << ctrlShift << f.last;
            QTest::addRow("%s Ctrl+PageUp", qPrintable(row))
                << QString::fromLatin1(f.form) << QString::fromLatin1(control)
                << int(Qt::Key_PageUp) << ctrl << f.last;
        }
    }
}

void tst_Accessibility::pagesByKeyboard()
{
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, page);
    startProgram();
    QWidget *window = openForm(form);
    QVERIFY(window);
    auto *tabs = window->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    auto *target = window->findChild<QWidget *>(control);
    QVERIFY(target);
    target->setFocus(Qt::TabFocusReason);
    QCOMPARE(focused(), target);
    const int before = target->property("currentIndex").toInt(); // a list keeps its choice

    ::key(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(tabs->currentIndex(), page);
    if (qobject_cast<QComboBox *>(target))
        QCOMPARE(target->property("currentIndex").toInt(), before);
}

// The Solar return of the worked example, from the main window to its row,
// with nothing but keys.
void tst_Accessibility::solarByKeyboard()
{
    startProgram();
    typed(QStringLiteral("Erika Muster"));
    TAB("txtDateh_0");
    typed(QStringLiteral("3"));
    TAB("txtDateh_1");
    typed(QStringLiteral("7"));
    TAB("txtDateh_2");
    typed(QStringLiteral("1975"));
    for (const char *name : {"Text3h_0", "txtTime0h_0", "txtTime0h_1", "txtTime0h_2", "Command1"}) {
        key(Qt::Key_Tab);
        QCOMPARE(focusedName(), QLatin1String(name));
    }
    TAB("Command2"); // "1. Solarhoroskop"
    key(Qt::Key_Space);
    QPointer<SolarForm> solar = haupt->findChild<SolarForm *>();
    QVERIFY(solar);
    QTRY_VERIFY(solar->isActiveWindow());
    auto *tabs = solar->findChild<QTabWidget *>(QStringLiteral("SSTab1"));

    // Page "Schritt 1-3": the sign, the year, then the three positions, each
    // chosen with the arrow keys.
    QCOMPARE(focusedName(), QStringLiteral("Text1_0"));
    typed(QStringLiteral("Krebs"));
    TAB("Text1_1");
    typed(QStringLiteral("2024"));
    const struct {
        const char *pickers;
        int positions[3];
    } picks[] = {{"cmbDeg13", {14, 22, 30}}, {"cmbDeg1", {13, 50, 10}}, {"cmbDeg2", {14, 47, 25}}};
    for (const auto &[pickers, positions] : picks) {
        for (int i = 0; i < 3; ++i) {
            key(Qt::Key_Tab);
            QCOMPARE(focusedName(), QLatin1String(pickers) + u'_' + QString::number(i));
            keys(Qt::Key_Down, positions[i]);
            QCOMPARE(qobject_cast<QComboBox *>(focused())->currentIndex(), positions[i]);
        }
    }
    TAB("Command2");
    key(Qt::Key_Space);
    QCOMPARE(solar->findChild<QLineEdit *>(QStringLiteral("txtDeg1_1"))->text(), u"57");
    TAB("cmbDeg5_0"); // the radix Sun, already carried from the header
    TAB("cmbDeg5_1");
    TAB("cmbDeg5_2");
    TAB("Command3");
    key(Qt::Key_Return);
    QCOMPARE(solar->findChild<QLineEdit *>(QStringLiteral("txtDeg2_1"))->text(), u"32");
    TAB("qt_tabwidget_tabbar");
    TAB("Command6"); // "Okay" pages on
    key(Qt::Key_Space);
    QCOMPARE(tabs->currentIndex(), 1);

    // Page "Schritt 4-5".
    TAB("Command7");
    TAB("Command4");
    key(Qt::Key_Return);
    TAB("cmbGMT"); // "+1" stays
    TAB("Command1");
    key(Qt::Key_Space);
    TAB("Text1_2");
    typed(QStringLiteral("12"));
    TAB("Text1_3");
    typed(QStringLiteral("7"));
    TAB("Text1_4");
    typed(QStringLiteral("2024"));
    TAB("Combo1"); // "+0h" stays
    TAB("Command5");
    key(Qt::Key_Return);
    QVERIFY(solar->resultReady());
    // Back to "Okay", the way it came.
    for (const char *name : {"Combo1", "Text1_4", "Text1_3", "Text1_2", "Command1", "cmbGMT",
                             "Command4", "Command7"}) {
        key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusedName(), QLatin1String(name));
    }
    BACKTAB("Command6");
    key(Qt::Key_Return);
    QTRY_VERIFY(solar.isNull());

    QCOMPARE(recorder->messages, QList<RecordedMessage>());
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1),
             (ResultRow{QStringLiteral("Solar"), QStringLiteral("12.7.2024"),
                        QStringLiteral("14h33m17s")}));
    // Back in the name field once the desktop activates the main window again.
    QCOMPARE(haupt->focusWidget()->objectName(), QStringLiteral("Text1h_0"));
}

// The rectification of the worked example, from the main window to its row,
// with nothing but keys.
void tst_Accessibility::rektiByKeyboard()
{
    startProgram();
    typed(QStringLiteral("Erika Muster"));
    for (const char *name : {"txtDateh_0", "txtDateh_1", "txtDateh_2", "Text3h_0", "txtTime0h_0",
                             "txtTime0h_1", "txtTime0h_2", "Command1", "Command2"}) {
        key(Qt::Key_Tab);
        QCOMPARE(focusedName(), QLatin1String(name));
    }
    TAB("Command3"); // "2. Rektifikation mit primär dirigierten Achsen"
    key(Qt::Key_Return);
    QPointer<RektiForm> rekti = haupt->findChild<RektiForm *>();
    QVERIFY(rekti);
    QTRY_VERIFY(rekti->isActiveWindow());
    auto *tabs = rekti->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    const auto texts = [&rekti](const char *fields) {
        QStringList result;
        for (int i = 0; i < 3; ++i)
            result << rekti
                          ->findChild<QLineEdit *>(QLatin1String(fields) + u'_' +
                                                   QString::number(i))
                          ->text();
        return result;
    };

    // Each row: the control that the next Tab reaches, what is typed there
    // (or the key that presses it), in workflow order.
    const struct {
        const char *control;
        const char *typed;
        Qt::Key press;
    } walk[] = {
        // Page "Schritt 1-4", after the header's sidereal time of birth.
        {"txtTime0_1", "2", {}},
        {"txtTime0_2", "10", {}},
        {"qt_tabwidget_tabbar", "", {}},
        {"Text7_0", "Hochzeit", {}},
        {"Text1_2", "", {}},
        {"txtJahre_0", "34", {}},
        {"txtJahre_1", "120", {}},
        {"Command2", "", Qt::Key_Space},
        {"Command3", "", Qt::Key_Return},
        {"Command4", "", Qt::Key_Space},
        {"Command5", "", Qt::Key_Return},
        {"Combo1", "", {}},
        {"Command6", "", Qt::Key_Space},
        {"Command14", "", {}},
        {"Command1", "", Qt::Key_Return}, // "Okay": on to "Schritt 5"
        {"txtTime0_0", "", {}},
        {"txtTime0_1", "", {}},
        {"txtTime0_2", "", {}},
        {"qt_tabwidget_tabbar", "", {}},
        {"txtSternZeit1_0", "8", {}},
        {"txtSternZeit1_1", "16", {}},
        {"txtSTernZeit2_0", "8", {}},
        {"txtSTernZeit2_1", "20", {}},
        {"txtDeg3_0", "15", {}},
        {"txtDeg3_1", "20", {}},
        {"txtDeg3_2", "0", {}},
        {"txtDeg4_0", "14", {}},
        {"txtDeg4_1", "18", {}},
        {"txtDeg4_2", "30", {}},
        {"Combo3", "", {}},
        {"Command7", "", Qt::Key_Return},
        {"txtDeg6_0", "14", {}},
        {"txtDeg6_1", "50", {}},
        {"txtDeg6_2", "10", {}},
        {"txtDeg7_0", "14", {}},
        {"txtDeg7_1", "18", {}},
        {"txtDeg7_2", "30", {}},
        {"Combo4", "", {}},
        {"Command8", "", Qt::Key_Space},
        {"Command9", "", Qt::Key_Return},
        {"Command14", "", {}},
        {"Command1", "", Qt::Key_Space}, // "Okay": on to "Schritt 6-8"
        {"txtTime0_0", "", {}},
        {"txtTime0_1", "", {}},
        {"txtTime0_2", "", {}},
        {"qt_tabwidget_tabbar", "", {}},
        {"Text5", "123", {}},
        {"Command10", "", Qt::Key_Return},
        {"Combo2", "", {}},
        {"Command11", "", Qt::Key_Space},
        {"Command12", "", Qt::Key_Return},
        {"Command13", "", Qt::Key_Space},
        {"Command14", "", {}},
        {"Command1", "", {}},
    };
    QCOMPARE(focusedName(), QStringLiteral("txtTime0_0"));
    typed(QStringLiteral("6"));
    for (const auto &[control, text, press] : walk) {
        key(Qt::Key_Tab);
        QCOMPARE(focusedName(), QLatin1String(control));
        typed(QString::fromUtf8(text));
        if (press)
            key(press);
        if (qstrcmp(control, "Command6") == 0)
            QCOMPARE(texts("txtTime5"), strings({"8", "17", "30"}));
        if (qstrcmp(control, "Command9") == 0)
            QCOMPARE(texts("txtDeg11"), strings({"0", "30", "54"}));
    }
    QCOMPARE(tabs->currentIndex(), 2);
    QCOMPARE(texts("txtTime9"), strings({"0", "-3", "-26"}));
    key(Qt::Key_Return); // "Okay" adds the row and closes
    QTRY_VERIFY(rekti.isNull());

    QCOMPARE(recorder->messages, QList<RecordedMessage>());
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1),
             (ResultRow{QStringLiteral("Rektifikation"), QStringLiteral("Hochzeit"),
                        QStringLiteral("0h-3m-26s")}));
    // Back in the name field once the desktop activates the main window again.
    QCOMPARE(haupt->focusWidget()->objectName(), QStringLiteral("Text1h_0"));
}

// The arrows move the current row of the result list; Enter on "markierte
// Zeile löschen" removes it.
void tst_Accessibility::resultListByKeyboard()
{
    startProgram();
    ResultList &list = haupt->resultList();
    for (const char *time : {"1h0m0s", "2h0m0s", "3h0m0s"})
        list.appendRow({QStringLiteral("Solar"), QStringLiteral("1.1.2024"), QLatin1String(time)});
    for (int i = 0; i < 17; ++i) // from the name field to the list
        key(Qt::Key_Tab);
    QCOMPARE(focusedName(), QStringLiteral("List1"));
    QCOMPARE(list.currentPosition(), 1);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    QCOMPARE(list.currentPosition(), 3);
    key(Qt::Key_Up);
    QCOMPARE(list.currentPosition(), 2);
    TAB("Command10");
    key(Qt::Key_Return);
    QCOMPARE(list.rowCount(), 2);
    QCOMPARE(list.row(2).column3, QStringLiteral("3h0m0s"));
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
