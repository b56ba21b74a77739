#include "astro/zodiac.h"
#include "exercise/rectificationtask.h"
#include "exercise/siderealtask.h"
#include "exercise/solartask.h"
#include "fortschritt/historymodel.h"
#include "fortschritt/practice.h"
#include "fortschritt/progress.h"

#include <QSortFilterProxyModel>
#include <QTest>

using namespace Progress;
using namespace Qt::StringLiterals;
using Core::TaskKind;
using Record::Entry;

namespace {

// Local clock times, as the weeks are counted.
QDateTime at(int year, int month, int day, int hour = 12)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 30));
}

Entry entry(const QDateTime &time, TaskKind kind, bool right, const QString &cause = {},
            int seconds = -1)
{
    Entry e;
    e.time = time.toUTC();
    e.kind = kind;
    e.right = right;
    e.cause = right ? QString() : cause;
    e.seconds = seconds;
    return e;
}

} // namespace

class tst_Progress : public QObject {
    Q_OBJECT

private slots:
    // Weeks begin on Monday; the days of a turn of the year belong to the
    // year of their week's Thursday.
    void weeklyShares_data()
    {
        QTest::addColumn<QList<Entry>>("entries");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Sunday night and Monday morning")
            << QList<Entry>{entry(at(2026, 12, 6, 23), TaskKind::Solar, true),
                            entry(at(2026, 12, 7, 0), TaskKind::Solar, false),
                            entry(at(2026, 12, 7, 1), TaskKind::Solar, true)}
            << QStringList{u"KW 49/2026 Solar 1/1"_s, u"KW 50/2026 Solar 1/2"_s};
        QTest::newRow("two kinds in a week, the kinds in their order")
            << QList<Entry>{entry(at(2026, 12, 9), TaskKind::Sidereal, false),
                            entry(at(2026, 12, 8), TaskKind::Rectification, true),
                            entry(at(2026, 12, 10), TaskKind::Solar, false),
                            entry(at(2026, 12, 11), TaskKind::Rectification, false)}
            << QStringList{u"KW 50/2026 Solar 0/1"_s, u"KW 50/2026 Rektifikation 1/2"_s,
                           u"KW 50/2026 Sternzeit 0/1"_s};
        QTest::newRow("the turn of the year, weeks in order")
            << QList<Entry>{entry(at(2027, 1, 4), TaskKind::Solar, true),
                            entry(at(2027, 1, 1), TaskKind::Solar, true),
                            entry(at(2026, 12, 28), TaskKind::Solar, false)}
            << QStringList{u"KW 53/2026 Solar 1/2"_s, u"KW 1/2027 Solar 1/1"_s};
        QTest::newRow("nothing") << QList<Entry>{} << QStringList{};
    }
    void weeklyShares()
    {
        QFETCH(QList<Entry>, entries);
        QFETCH(QStringList, expected);
        QStringList shares;
        for (const WeekShare &s : Progress::weeklyShares(entries))
            shares.append(u"%1 %2 %3/%4"_s.arg(weekLabel(s.week), kindName(s.kind))
                              .arg(s.right)
                              .arg(s.total));
        QCOMPARE(shares, expected);
    }

    // The causes of wrong answers within 30 days before now, most frequent
    // first; right answers, older and later ones not counted.
    void frequentCauses_data()
    {
        const QDateTime now = at(2026, 12, 7);
        QTest::addColumn<QList<Entry>>("entries");
        QTest::addColumn<QStringList>("expected");
        const auto wrong = [&](double daysAgo, const QString &cause) {
            return entry(now.addSecs(-static_cast<qint64>(daysAgo * 86400)), TaskKind::Solar, false,
                         cause);
        };
        QTest::newRow("older than 30 days excluded")
            << QList<Entry>{wrong(1, u"solar.zone"_s), wrong(29.9, u"gzk.table-value"_s),
                            wrong(30.1, u"gzk.table-value"_s), wrong(31, u"gzk.table-value"_s),
                            wrong(2, u"gzk.table-value"_s)}
            << QStringList{u"gzk.table-value 2 Tabellenwert falsch gelesen"_s,
                           u"solar.zone 1 Zeitzone vergessen"_s};
        QTest::newRow("right answers and the future not counted")
            << QList<Entry>{entry(now.addDays(-1), TaskKind::Solar, true, u"solar.zone"_s),
                            wrong(-1, u"solar.zone"_s), wrong(3, u"solar.minus-24h"_s)}
            << QStringList{u"solar.minus-24h 1 −24 h vergessen"_s};
        QTest::newRow("a code this version does not know keeps its code")
            << QList<Entry>{wrong(1, u"solar.new"_s), wrong(1, u"solar.new"_s),
                            wrong(1, u"solar.zone"_s)}
            << QStringList{u"solar.new 2 solar.new"_s, u"solar.zone 1 Zeitzone vergessen"_s};
    }
    void frequentCauses()
    {
        QFETCH(QList<Entry>, entries);
        QFETCH(QStringList, expected);
        QStringList causes;
        for (const CauseCount &c : Progress::frequentCauses(entries, at(2026, 12, 7)))
            causes.append(u"%1 %2 %3"_s.arg(c.code).arg(c.count).arg(c.name));
        QCOMPARE(causes, expected);
    }

    void median_data()
    {
        QTest::addColumn<QList<int>>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("odd count") << QList<int>{300, 10, 125} << u"2 min 05 s"_s;
        QTest::newRow("even count: the mean of the middle two")
            << QList<int>{10, 40, 20, 31} << u"26 s"_s;
        QTest::newRow("unknown seconds skipped") << QList<int>{-1, -1, 50, 70} << u"1 min 00 s"_s;
        QTest::newRow("none known") << QList<int>{-1} << u"–"_s;
    }
    void median()
    {
        QFETCH(QList<int>, seconds);
        QFETCH(QString, expected);
        QList<Entry> entries;
        for (int s : seconds)
            entries.append(entry(at(2026, 12, 7), TaskKind::Rectification, true, {}, s));
        // Another kind's times do not count.
        entries.append(entry(at(2026, 12, 7), TaskKind::Solar, true, {}, 9999));
        const std::optional<double> median = medianSeconds(entries, TaskKind::Rectification);
        QCOMPARE(median ? minutesAndSeconds(*median) : u"–"_s, expected);
    }

    // The task practises what the cause shows missing. Where this version's
    // tasks never have the property (no Solar abroad), the task is only of
    // the right kind.
    void practiceTask_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<bool>("siderealOffered");
        QTest::addColumn<QString>("property");
        QTest::newRow("zone: abroad west") << u"solar.zone"_s << false << u"west"_s;
        QTest::newRow("zone's sign: abroad west, not across a sign")
            << u"solar.zone-sign"_s << false << u"west"_s;
        QTest::newRow("A and B: across a sign") << u"solar.swapped-ab"_s << false << u"sign"_s;
        QTest::newRow("across a sign") << u"solar.across-sign"_s << false << u"sign"_s;
        QTest::newRow("other axis: AC") << u"gzk.other-axis"_s << false << u"AC"_s;
        QTest::newRow("table value: any rectification")
            << u"gzk.table-value"_s << false << u"GZK"_s;
        QTest::newRow("sidereal, offered") << u"sternzeit.share"_s << true << u"Sternzeit"_s;
        QTest::newRow("sidereal, not offered") << u"sternzeit.share"_s << false << u"GZK"_s;
        QTest::newRow("no cause") << QString() << true << QString();
    }
    void practiceTask()
    {
        QFETCH(QString, cause);
        QFETCH(bool, siderealOffered);
        QFETCH(QString, property);
        QList<TaskKind> offered{TaskKind::Solar, TaskKind::Rectification};
        if (siderealOffered)
            offered.append(TaskKind::Sidereal);
        const auto practice = Progress::practiceTask(cause, 4711, offered);
        QCOMPARE(practice.has_value(), !property.isEmpty());
        if (!practice)
            return;
        QCOMPARE(practice->number, Progress::practiceTask(cause, 4711, offered)->number);
        QVERIFY(practice->number >= Exercise::FirstTask && practice->number <= Exercise::LastTask);
        if (property == u"west"_s || property == u"sign"_s) {
            QCOMPARE(practice->kind, TaskKind::Solar);
            QVERIFY(practice->matched);
            const auto task = Exercise::makeSolarTask(practice->number);
            const Exercise::EphemerisPair days = task->pair();
            QVERIFY(property == u"west"_s
                        ? task->zone < 0
                        : Astro::signIndex(days.position1) != Astro::signIndex(days.position2));
        } else if (property == u"AC"_s) {
            QCOMPARE(practice->kind, TaskKind::Rectification);
            QVERIFY(practice->matched);
            QCOMPARE(Exercise::makeRectificationTask(practice->number)->axis, Astro::Axis::AC);
        } else {
            QCOMPARE(Core::kindText(practice->kind), property);
        }
    }

    // Clicking a header sorts the values, not their texts.
    void tableSortsByValue_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QList<int>>("expected"); // task numbers, ascending
        QTest::newRow("Zeit") << int(HistoryModel::Time) << QList<int>{100, 10, 9};
        QTest::newRow("Aufgabe") << int(HistoryModel::Task) << QList<int>{9, 10, 100};
        QTest::newRow("Sekunden, unknown first")
            << int(HistoryModel::Seconds) << QList<int>{100, 9, 10};
    }
    void tableSortsByValue()
    {
        QFETCH(int, column);
        QFETCH(QList<int>, expected);
        const auto numbered = [](int number, const QDateTime &time, int seconds) {
            Entry e = entry(time, TaskKind::Solar, true, {}, seconds);
            e.taskNumber = number;
            return e;
        };
        HistoryModel model;
        // As text "02.01.2027" < "30.11.2026" < "31.12.2026", "10" < "100" < "9"
        // and "" < "300" < "45".
        model.setEntries({numbered(10, at(2026, 12, 31), 300), numbered(100, at(2026, 11, 30), -1),
                          numbered(9, at(2027, 1, 2), 45)});
        QSortFilterProxyModel sorted;
        sorted.setSourceModel(&model);
        sorted.setSortRole(HistoryModel::SortRole);
        sorted.sort(column, Qt::AscendingOrder);
        QList<int> numbers;
        for (int row = 0; row < sorted.rowCount(); ++row)
            numbers.append(sorted.index(row, HistoryModel::Task).data().toInt());
        QCOMPARE(numbers, expected);
    }
};

QTEST_GUILESS_MAIN(tst_Progress)
#include "tst_progress.moc"
