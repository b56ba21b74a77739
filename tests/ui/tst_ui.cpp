#include "tests/support/testsupport.h"
#include "ui/inputhelpers.h"
#include "ui/keyboardaccess.h"
#include "ui/resultlist.h"
#include "ui/windowplacement.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace Core;
using namespace Gui;

// The widget helpers that the windows share, each on a small widget of its
// own: the focus and the key filters of the fields, the pages turned from the
// keyboard, the result list, and where a calculator goes beside the exercises.
class tst_Ui : public QObject {
    Q_OBJECT

private slots:
    // Only the focus that the user gives a field that selects on focus (Tab, a
    // click) selects its whole text; coming back to the window or a focus set
    // by the program keeps the caret, and the form's other fields keep it also
    // when tabbed into or reached by a shortcut.
    void selectAllOnTheUsersFocus_data()
    {
        QTest::addColumn<bool>("selecting"); // the field that selects on focus, or another
        QTest::addColumn<Qt::FocusReason>("reason");
        QTest::addColumn<bool>("selectsAll");
        QTest::newRow("Tab") << true << Qt::TabFocusReason << true;
        QTest::newRow("click") << true << Qt::MouseFocusReason << true;
        QTest::newRow("back to the window") << true << Qt::ActiveWindowFocusReason << false;
        QTest::newRow("set by the program") << true << Qt::OtherFocusReason << false;
        QTest::newRow("other field, Tab") << false << Qt::TabFocusReason << false;
        QTest::newRow("other field, Shift+Tab") << false << Qt::BacktabFocusReason << false;
        QTest::newRow("other field, shortcut") << false << Qt::ShortcutFocusReason << false;
    }

    void selectAllOnTheUsersFocus()
    {
        QFETCH(bool, selecting);
        QFETCH(Qt::FocusReason, reason);
        QFETCH(bool, selectsAll);
        QWidget form;
        auto *layout = new QVBoxLayout(&form);
        auto *name = new QLineEdit(&form);
        auto *step = new QLineEdit(&form);
        layout->addWidget(name);
        layout->addWidget(step);
        selectAllOnFocus(name);
        keepCaretOnFocus(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit *edit = selecting ? name : step;
        edit->setText(u"Hans Meier"_s);
        edit->setFocus();
        edit->setCursorPosition(4); // the caret after "Hans"
        if (reason == Qt::ActiveWindowFocusReason) {
            QWidget elsewhere; // another application's window
            elsewhere.show();
            QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
        } else {
            edit->clearFocus();
            if (reason == Qt::MouseFocusReason)
                QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
            else
                edit->setFocus(reason);
        }
        QVERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText(), selectsAll ? u"Hans Meier"_s : QString());
        if (!selectsAll)
            QCOMPARE(edit->cursorPosition(), 4);
    }

    // A number field takes typed digits only, and a selection-only list no
    // typed character; a shortcut and the keys that move through a list work.
    void keyFilters()
    {
        QLineEdit field(u"56"_s);
        acceptDigitsOnly(&field);
        field.setSelection(1, 1);
        QTest::keyClick(&field, Qt::Key_A); // typed over the "6" it would replace it
        QCOMPARE(field.text() + u'|' + field.selectedText(), u"56|6"_s);
        // Not typing, though its key carries a letter: Ctrl+A selects.
        QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(field.selectedText(), u"56"_s);

        QComboBox list;
        list.addItems({u"+24h"_s, u"-24h"_s, u" 0"_s});
        rejectAllKeys(&list);
        list.show();
        QVERIFY(QTest::qWaitForWindowActive(&list));
        QTest::keyClick(&list, Qt::Key_Minus); // typed, it would pick "-24h"
        QCOMPARE(list.currentIndex(), 0);
        QTest::keyClick(&list, Qt::Key_Down);
        QCOMPARE(list.currentIndex(), 1);
        QTest::keyClick(&list, Qt::Key_Space); // opens the list
        QVERIFY(list.view()->isVisible());
    }

    // Ctrl+Tab and Ctrl+PageDown show the next page, Ctrl+Shift+Tab and
    // Ctrl+PageUp the previous one, round the ends, also from a list below the
    // pages.
    void pageShortcuts()
    {
        QWidget form;
        auto *layout = new QVBoxLayout(&form);
        auto *pages = new QTabWidget(&form);
        for (const QString &caption : {u"1"_s, u"2"_s, u"3"_s})
            pages->addTab(new QWidget, caption);
        auto *list = new QComboBox(&form);
        layout->addWidget(pages);
        layout->addWidget(list);
        addPageShortcuts(pages);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        list->setFocus();
        QList<int> shown;
        for (const QKeyCombination keys :
             {Qt::CTRL | Qt::Key_PageUp, Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown,
              Qt::CTRL | Qt::Key_PageDown, Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab}) {
            QTest::keyClick(list, keys.key(), keys.keyboardModifiers());
            shown << pages->currentIndex();
        }
        QCOMPARE(shown, (QList{2, 0, 1, 2, 1}));
    }

    // The first row becomes current, and the view shows each row's three
    // texts. Ctrl+click on the current row or a click below the rows takes the
    // mark off it, and the row stays current. When the current row goes, its
    // successor becomes current, or for the last row its predecessor.
    void currentAndMarkedRow()
    {
        QTreeView view;
        ResultList list(&view);
        QVERIFY(list.appendRow(numberedRow(1)));
        QCOMPARE(list.currentPosition(), 1);
        for (int n = 2; n <= 4; ++n)
            QVERIFY(list.appendRow(numberedRow(n)));
        QAbstractItemModel *model = view.model();
        QCOMPARE(
            (QStringList{model->index(1, 0).data().toString(), model->index(1, 1).data().toString(),
                         model->index(1, 2).data().toString()}),
            (QStringList{u"Solar"_s, u"2"_s, u"1h2m3s"_s}));
        // A flat list: its rows have no rows or columns of their own.
        QCOMPARE(model->rowCount(model->index(1, 0)) + model->columnCount(model->index(1, 0)), 0);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        list.setCurrentPosition(2);
        const QPoint second = view.visualRect(model->index(1, 0)).center();
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, second);
        QCOMPARE(list.markedPosition(), 0);
        QCOMPARE(list.currentPosition(), 2);
        list.setCurrentPosition(2);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          {second.x(), view.viewport()->height() - 2});
        QCOMPARE(list.markedPosition(), 0);
        QCOMPARE(list.currentPosition(), 2);

        list.removeRow(2);
        QCOMPARE(list.currentPosition(), 2);
        QCOMPARE(list.row(2), numberedRow(3));
        list.setCurrentPosition(3);
        list.removeRow(3);
        QCOMPARE(rowsOf(list), (QList{numberedRow(1), numberedRow(3)}));
        QCOMPARE(list.markedPosition(), 2);
    }

    // Where a calculator of 560 × 700 goes beside an exercise window 760 wide
    // (both with their frames; the screen's free area is 30 pixels short of the
    // screen for a panel).
    void besideTheExercise_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("page");
        QTest::addColumn<QRect>("pageAfter");
        QTest::addColumn<QRect>("calculator");
        const QSize size(560, 700);
        QTest::newRow("room on the right") << QRect(0, 0, 1366, 738) << QRect(0, 0, 760, 600)
                                           << QRect(0, 0, 760, 600) << QRect(QPoint(760, 0), size);
        QTest::newRow("room on the left, kept on screen")
            << QRect(0, 0, 1366, 738) << QRect(700, 100, 600, 500) << QRect(700, 100, 600, 500)
            << QRect(QPoint(140, 38), size);
        QTest::newRow("1024 x 768: the page narrowed")
            << QRect(0, 0, 1024, 738) << QRect(100, 20, 760, 600) << QRect(0, 20, 464, 600)
            << QRect(QPoint(464, 20), size);
        QTest::newRow("too small a screen: as little covered as can be")
            << QRect(0, 0, 800, 570) << QRect(100, 0, 760, 500) << QRect(0, 0, 420, 500)
            << QRect(QPoint(240, 0), size);
    }

    void besideTheExercise()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, page);
        QFETCH(QRect, pageAfter);
        QFETCH(QRect, calculator);
        const SideBySide places = placeBeside(available, page, 420, QSize(560, 700));
        QCOMPARE(places.page, pageAfter);
        QCOMPARE(places.calculator, calculator);
    }

    // Beside a window on screen, not beside a hidden one; the window, too wide
    // for both, is narrowed no further than its minimum width.
    void besideAWindow()
    {
        QWidget page;
        QWidget calculator;
        page.setMinimumWidth(500);
        const QRect screen = page.screen()->availableGeometry();
        page.setGeometry(QRect(screen.topLeft(), QSize(screen.width() - 100, 300)));
        calculator.resize(400, 300);
        const QPoint unplaced = calculator.pos();
        placeBeside(&calculator, &page);
        QCOMPARE(calculator.pos(), unplaced);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        placeBeside(&calculator, &page);
        const int frame = page.frameGeometry().width() - page.width(); // taken for both
        QCOMPARE(page.width(), 500);
        QCOMPARE(calculator.pos(), QPoint(screen.right() + 1 - 400 - frame, screen.top()));
    }
};

QTEST_MAIN(tst_Ui)
#include "tst_ui.moc"
