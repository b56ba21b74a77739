#include "main/documents.h"
#include "main/mainwindow.h"
#include "tests/support/testsupport.h"
#include "ui/resultlist.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

using namespace Qt::StringLiterals;

// The main window: the result list's buttons, the documents and web sites,
// the keyboard, and the splash that opens it.
class tst_MainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_store.clear()); }
    void deletingRows();
    void documentsAndLinks();

private:
    IsolatedStore m_store;
};

namespace {
ResultRow row(int n)
{
    return {u"Solar"_s, QString::number(n), u"1h2m3s"_s};
}
} // namespace

void tst_MainWindow::deletingRows()
{
    RecordingServices recorder;
    MainWindow window;
    ResultList &list = window.resultList();
    list.appendRows({row(1), row(2), row(3), row(4)});
    list.setCurrentPosition(2);
    Click(&window, "Command10");
    QCOMPARE(list.rowCount(), 3);
    QCOMPARE(list.row(2), row(3));
    QCOMPARE(list.currentPosition(), 2); // the successor is marked
    list.setCurrentPosition(3);
    Click(&window, "Command10");
    QCOMPARE(list.currentPosition(), 2); // the last row's predecessor
    QCOMPARE(list.row(2), row(3));
    // Ctrl+click on the marked row, or a click below the rows, takes the mark
    // off while the row stays current: then nothing is deleted.
    window.show();
    QTreeView *view = list.view();
    const QPoint marked = view->visualRect(view->model()->index(1, 0)).center();
    for (const auto &[modifier, place] :
         {std::pair{Qt::ControlModifier, marked},
          std::pair{Qt::NoModifier, QPoint(marked.x(), view->viewport()->height() - 2)}}) {
        list.setCurrentPosition(2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifier, place);
        Click(&window, "Command10");
        QCOMPARE(list.rowCount(), 2);
    }
    // Enter on the focused button presses it, as Space does.
    auto *all = window.findChild<QPushButton *>(u"Command9"_s);
    all->setFocus();
    QTest::keyClick(all, Qt::Key_Return);
    QCOMPARE(list.rowCount(), 0);
    Click(&window, "Command10");
    QCOMPARE(recorder.messages, QStringList{u"velmora: Liste ist leer"_s});
}

void tst_MainWindow::documentsAndLinks()
{
    RecordingServices recorder;
    MainWindow window;
    window.show();
    for (const char16_t *item : {u"prog", u"fpsolar", u"fpgzk"})
        window.findChild<QAction *>(QString::fromUtf16(item))->trigger();
    Click(&window, "Command4");
    Click(&window, "Command5");
    QStringList files;
    for (const QUrl &url : std::as_const(recorder.urls))
        files << url.toLocalFile().section(u'/', -3);
    QCOMPARE(files,
             (QStringList{u"pdf/other/Programmbedienung.pdf"_s, u"pdf/other/Fahrplan Solar.pdf"_s,
                          u"pdf/other/Fahrplan GZK.pdf"_s, u"pdf/other/Berechnung des Solars.pdf"_s,
                          u"pdf/other/Berechnung der Rektifikation.pdf"_s}));
    // Each web site opens from its link label, by the keyboard too.
    recorder.urls.clear();
    for (const char16_t *name : {u"Label6", u"Label7"}) {
        auto *label = window.findChild<QLabel *>(QString::fromUtf16(name));
        QVERIFY(label->text().contains(u"www.example."_s));
        emit label->linkActivated(QString());
    }
    QCOMPARE(recorder.urls, (QList{ProviderUrl(), PublisherUrl()}));
    QCOMPARE(PublisherUrl().toString(), u"http://www.example.com"_s);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
