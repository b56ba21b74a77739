#include "main/haupt.h"
#include "rekti/rektiform.h"
#include "solar/solarform.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

#include <memory>

// What a screen reader and a keyboard user meet: every field and list of the
// main window and both calculators says in German what it holds, each "="
// button what it computes, and both calculations can be worked through from
// the main window to the new row of the result list without the mouse.
class tst_Accessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init();
    void cleanup();

    void namesInTheTree_data();
    void namesInTheTree();
    void solarByKeyboard();
    void rektiByKeyboard();

private:
    void startProgram();
    QWidget *openForm(const QString &form);

    IsolatedStore store;
    std::unique_ptr<RecordingServices> recorder;
    std::unique_ptr<Haupt> haupt;
};

namespace {

QString focusedName()
{
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Keys go to whatever has the focus, as they do for a user.
void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int times = 1)
{
    for (int i = 0; i < times; ++i)
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Walks through a form by keyboard. Each blank-separated item is one Tab (or
// Shift+Tab for "<name") that must reach the control named, followed by what
// is done there: "=text" typed, ">n" the Down key n times, "!" Space or "^"
// Enter. Returns where the focus went instead, or nothing.
QString walk(const QString &script)
{
    for (QString item : script.split(u' ', Qt::SkipEmptyParts)) {
        const bool back = item.startsWith(u'<');
        key(back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        item.remove(0, back ? 1 : 0);
        const qsizetype end = item.indexOf(QRegularExpression(QStringLiteral("[=>!^]")));
        if (focusedName() != item.left(end))
            return item.left(end) + u" expected, the focus is on " + focusedName();
        const QString rest = end < 0 ? QString() : item.mid(end + 1);
        if (end >= 0 && item[end] == u'=')
            QTest::keyClicks(QApplication::focusWidget(), rest);
        else if (end >= 0 && item[end] == u'>')
            key(Qt::Key_Down, Qt::NoModifier, rest.toInt());
        else if (end >= 0)
            key(item[end] == u'!' ? Qt::Key_Space : Qt::Key_Return);
    }
    return {};
}

} // namespace

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
    QCOMPARE(focusedName(), s("Text1h_0"));
}

QWidget *tst_Accessibility::openForm(const QString &form)
{
    if (form == u"Haupt")
        return haupt.get();
    const bool solar = form == u"Solar";
    haupt->findChild<QPushButton *>(solar ? s("Command2") : s("Command3"))->click();
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
    QTest::addColumn<QString>("someNames"); // objectName=accessible name|…

    QTest::newRow("Haupt")
        << s("Haupt") << 0
        << s("Text1h_0=Name|txtDateh_0=Geburtsdatum, Tag|txtDateh_2=Geburtsdatum, "
             "Jahr|txtTime0h_1=Geburtszeit, Minuten|List1=Ergebnisliste|"
             "Command4=Berechnung des Solars öffnen|"
             "Command5=Berechnung der Rektifikation öffnen");
    QTest::newRow("Solar") << s("Solar") << 5
                           << s("cmbDeg13_0=Radix-Sonnenposition, Grad|txtDeg1_1=Ergebnis A, "
                                "Bogenminuten|txtDeg2_2=Ergebnis B, Bogensekunden|"
                                "txtTime1_0=Uhrzeit des Solars in Greenwich, Stunden|"
                                "cmbGMT=Zeitzone|Combo1=Tagesverschiebung|"
                                "Command2=Schritt 2 berechnen: Differenz Sonnenbewegung");
    QTest::newRow("Rekti") << s("Rekti") << 12
                           << s("txtJahre_1=Alter beim Ereignis, Tage|txtDeg1_0=Direktionsbogen, "
                                "Grad|txtTime9_2=gesuchte Zeitdifferenz, Sekunden|"
                                "Combo2=Korrektur um 360 Grad|"
                                "Command13=Schritt 8 berechnen: gesuchte Zeitdifferenz");
}

void tst_Accessibility::namesInTheTree()
{
    QFETCH(QString, form);
    QFETCH(int, stepButtons);
    QFETCH(QString, someNames);
    startProgram();
    QWidget *window = openForm(form);
    QVERIFY(window);

    QList<QAccessibleInterface *> pending{QAccessible::queryAccessibleInterface(window)};
    QHash<QString, QString> names; // objectName → accessible name
    QSet<QString> fieldNames;
    int described = 0;
    while (!pending.isEmpty()) {
        QAccessibleInterface *node = pending.takeFirst();
        // The entries of a drop-down list are its value, not fields of the form.
        for (int i = 0; node->role() != QAccessible::ComboBox && i < node->childCount(); ++i) {
            if (QAccessibleInterface *child = node->child(i))
                pending << child;
        }
        if (!node->object())
            continue;
        const QString control = node->object()->objectName(), name = node->text(QAccessible::Name);
        names.insert(control, name);
        if (qobject_cast<QLineEdit *>(node->object()) ||
            qobject_cast<QComboBox *>(node->object())) {
            QVERIFY2(!name.isEmpty(), qPrintable(control));
            QVERIFY2(!fieldNames.contains(name), qPrintable(name + u" twice"));
            fieldNames.insert(name);
        }
        const auto *button = qobject_cast<QPushButton *>(node->object());
        if (button && button->text() == u"=") {
            QVERIFY2(name.startsWith(u"Schritt ") && name.contains(u" berechnen: "),
                     qPrintable(control));
            QVERIFY2(node->text(QAccessible::Description).contains(u" = "), qPrintable(control));
            ++described;
        }
    }
    QCOMPARE(described, stepButtons);
    // The tree reaches every field and list of the form, those of hidden pages too.
    QCOMPARE(fieldNames.size(), window->findChildren<QLineEdit *>().size() +
                                    window->findChildren<QComboBox *>().size());
    for (const QString &pair : someNames.split(u'|'))
        QCOMPARE(pair.section(u'=', 0, 0) + u'=' + names.value(pair.section(u'=', 0, 0)), pair);
}

// The Solar return of the worked example, from the main window to its row,
// with nothing but keys.
void tst_Accessibility::solarByKeyboard()
{
    startProgram();
    QTest::keyClicks(QApplication::focusWidget(), s("Erika Muster"));
    QCOMPARE(walk(s("txtDateh_0=3 txtDateh_1=7 txtDateh_2=1975 Text3h_0 txtTime0h_0 txtTime0h_1 "
                    "txtTime0h_2 Command1 Command2!")),
             QString());
    QPointer<SolarForm> solar = haupt->findChild<SolarForm *>();
    QVERIFY(solar);
    QTRY_VERIFY(solar->isActiveWindow());

    // "Schritt 1-3": the sign, the year, then the three positions, each
    // chosen with the arrow keys.
    QCOMPARE(focusedName(), s("Text1_0"));
    QTest::keyClicks(QApplication::focusWidget(), s("Krebs"));
    QCOMPARE(walk(s("Text1_1=2024 cmbDeg13_0>14 cmbDeg13_1>22 cmbDeg13_2>30 cmbDeg1_0>13 "
                    "cmbDeg1_1>50 cmbDeg1_2>10 cmbDeg2_0>14 cmbDeg2_1>47 cmbDeg2_2>25 Command2!")),
             QString());
    QCOMPARE(state(solar, s("txtDeg1=,,")), s("txtDeg1=0,57,15"));
    // The radix Sun is already carried from the header.
    QCOMPARE(walk(s("cmbDeg5_0 cmbDeg5_1 cmbDeg5_2 Command3^ qt_tabwidget_tabbar Command6!")),
             QString());
    QCOMPARE(state(solar, s("txtDeg2=,,")), s("txtDeg2=0,32,20"));
    QCOMPARE(solar->findChild<QTabWidget *>(s("SSTab1"))->currentIndex(), 1);

    // "Schritt 4-5", the zone "+1" and the day shift "+0h" as preselected;
    // then back to "Okay" the way it came.
    QCOMPARE(walk(s("Command7 Command4^ cmbGMT Command1! Text1_2=12 Text1_3=7 Text1_4=2024 Combo1 "
                    "Command5^")),
             QString());
    QVERIFY(solar->resultReady());
    QCOMPARE(walk(s("<Combo1 <Text1_4 <Text1_3 <Text1_2 <Command1 <cmbGMT <Command4 <Command7 "
                    "<Command6^")),
             QString());
    QTRY_VERIFY(solar.isNull());

    QCOMPARE(recorder->messages, QList<RecordedMessage>());
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1), (ResultRow{s("Solar"), s("12.7.2024"), s("14h33m17s")}));
    // Back in the name field once the desktop activates the main window again.
    QCOMPARE(haupt->focusWidget()->objectName(), s("Text1h_0"));
}

// The rectification of the worked example, from the main window to its row,
// with nothing but keys.
void tst_Accessibility::rektiByKeyboard()
{
    startProgram();
    QTest::keyClicks(QApplication::focusWidget(), s("Erika Muster"));
    QCOMPARE(walk(s("txtDateh_0 txtDateh_1 txtDateh_2 Text3h_0 txtTime0h_0 txtTime0h_1 "
                    "txtTime0h_2 Command1 Command2 Command3^")),
             QString());
    QPointer<RektiForm> rekti = haupt->findChild<RektiForm *>();
    QVERIFY(rekti);
    QTRY_VERIFY(rekti->isActiveWindow());

    // Each page in workflow order, after the header's sidereal time of birth;
    // "Okay" pages on.
    QCOMPARE(focusedName(), s("txtTime0_0"));
    QTest::keyClicks(QApplication::focusWidget(), s("6"));
    QCOMPARE(walk(s("txtTime0_1=2 txtTime0_2=10 qt_tabwidget_tabbar Text7_0=Hochzeit Text1_2 "
                    "txtJahre_0=34 txtJahre_1=120 Command2! Command3^ Command4! Command5^ Combo1 "
                    "Command6! Command14 Command1^")),
             QString());
    QCOMPARE(state(rekti, s("txtTime5=,,")), s("txtTime5=8,17,30"));
    QCOMPARE(walk(s("txtTime0_0 txtTime0_1 txtTime0_2 qt_tabwidget_tabbar txtSternZeit1_0=8 "
                    "txtSternZeit1_1=16 txtSTernZeit2_0=8 txtSTernZeit2_1=20 txtDeg3_0=15 "
                    "txtDeg3_1=20 txtDeg3_2=0 txtDeg4_0=14 txtDeg4_1=18 txtDeg4_2=30 Combo3 "
                    "Command7^ txtDeg6_0=14 txtDeg6_1=50 txtDeg6_2=10 txtDeg7_0=14 txtDeg7_1=18 "
                    "txtDeg7_2=30 Combo4 Command8! Command9^ Command14 Command1!")),
             QString());
    QCOMPARE(state(rekti, s("txtDeg11=,,")), s("txtDeg11=0,30,54"));
    QCOMPARE(walk(s("txtTime0_0 txtTime0_1 txtTime0_2 qt_tabwidget_tabbar Text5=123 Command10^ "
                    "Combo2 Command11! Command12^ Command13! Command14 Command1^")),
             QString());
    QTRY_VERIFY(rekti.isNull());

    QCOMPARE(recorder->messages, QList<RecordedMessage>());
    QCOMPARE(haupt->resultList().rowCount(), 1);
    QCOMPARE(haupt->resultList().row(1),
             (ResultRow{s("Rektifikation"), s("Hochzeit"), s("0h-3m-26s")}));
    // Back in the name field once the desktop activates the main window again.
    QCOMPARE(haupt->focusWidget()->objectName(), s("Text1h_0"));
}

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
