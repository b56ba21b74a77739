#include "exercise/exercisewindow.h"
#include "fortschritt/progresswindow.h"
#include "main/mainwindow.h"
#include "record/recorder.h"
#include "tests/support/testsupport.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using App::MainWindow;
using Core::TaskKind;

namespace {

Record::Entry wrong(int number, TaskKind kind, const QString &cause)
{
    return {.kind = kind, .taskNumber = number, .right = false, .cause = cause, .seconds = 80};
}

// The windows "Fortschritt", on screen or hidden: windows of their own.
QList<Progress::ProgressWindow *> progressWindows()
{
    QList<Progress::ProgressWindow *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *progress = qobject_cast<Progress::ProgressWindow *>(window))
            found.append(progress);
    }
    return found;
}

int shownRows(QWidget *progress)
{
    return progress->findChild<QTableView *>(u"tblVerlauf"_s)->model()->rowCount();
}

} // namespace

class tst_ProgressWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }

    // "Verlauf löschen" asks nothing and empties the window at once; Ctrl+Z
    // in the window brings the record back, and the window shows it.
    void deleteAndUndo()
    {
        RecordingServices recorder;
        MainWindow window;
        Record::Recorder &record = window.record();
        for (int n = 1; n <= 3; ++n)
            record.record(wrong(n, TaskKind::Solar, u"solar.zone"_s));
        QTRY_COMPARE(record.readAll().value_or(QList<Record::Entry>()).size(), 3);
        click(&window, "cmdFortschritt");
        QCOMPARE(progressWindows().size(), 1);
        Progress::ProgressWindow *progress = progressWindows().first();
        QCOMPARE(progress->objectName(), u"Fortschritt"_s);
        QVERIFY(QTest::qWaitForWindowActive(progress));
        QCOMPARE(shownRows(progress), 3);
        QCOMPARE(progress->causes().size(), 1);

        click(progress, "cmdVerlaufLoeschen");
        QCOMPARE(recorder.messages, QStringList());
        QCOMPARE(shownRows(progress), 0);
        QVERIFY(progress->causes().isEmpty());
        QCOMPARE(record.readAll()->size(), 0);

        QTest::keySequence(progress, QKeySequence::Undo);
        QCOMPARE(shownRows(progress), 3);
        QCOMPARE(record.readAll()->size(), 3);
        // One window: the button brings it forward again.
        click(&window, "cmdFortschritt");
        QCOMPARE(progressWindows(), QList<Progress::ProgressWindow *>{progress});
        progress->close();
    }

    // "Üben, was fehlt" opens the exercises on a task for the most frequent
    // cause of the last 30 days; without one it says so.
    void practiseWhatIsMissing()
    {
        RecordingServices recorder;
        MainWindow window;
        Record::Recorder &record = window.record();
        record.record(wrong(1, TaskKind::Solar, u"solar.zone"_s));
        record.record(wrong(2, TaskKind::Rectification, u"gzk.other-axis"_s));
        record.record(wrong(3, TaskKind::Rectification, u"gzk.other-axis"_s));
        QTRY_COMPARE(record.readAll().value_or(QList<Record::Entry>()).size(), 3);
        click(&window, "cmdFortschritt");
        QCOMPARE(progressWindows().size(), 1);
        Progress::ProgressWindow *progress = progressWindows().first();
        click(progress, "cmdUebenWasFehlt");
        Exercise::ExerciseWindow *exercises = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *found = qobject_cast<Exercise::ExerciseWindow *>(w))
                exercises = found;
        QVERIFY(exercises && exercises->isVisible());
        QCOMPARE(exercises->kind(), TaskKind::Rectification);
        QCOMPARE(exercises->rectificationTask()->axis, Astro::Axis::AC);
        QCOMPARE(recorder.messages, QStringList());

        click(progress, "cmdVerlaufLoeschen");
        click(progress, "cmdUebenWasFehlt");
        QCOMPARE(
            recorder.messages,
            QStringList{u"Fortschritt: In den letzten 30 Tagen wurde nichts falsch gerechnet."_s});
        progress->close();
    }

private:
    IsolatedStore m_store;
};

QTEST_MAIN(tst_ProgressWindow)
#include "tst_progresswindow.moc"
