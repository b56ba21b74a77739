// Start-up, load and save figures of velmora, each case measured in a fresh
// process so that no cache of an earlier case helps a later one:
//
//   splash      process start until the splash window is on screen (exposed
//               and painted), with the program's own start-up code
//   load-empty  building the main window (its whole load sequence) with an
//               empty settings store and no teaching documents
//   load-full   the same with 32 767 result rows and the person fields in the
//               store and 1 000 teaching documents in pdf/lehrmaterialien/
//   save-full   closing that main window: the result list and the person
//               fields are written to the store (nothing has changed)
//   save-changed the same with every row of the store one place off the
//               list's (as if the first row had been deleted and not yet
//               written), so that every key of the list is written anew
//   add-row     a calculator's finished row added as the list's 32 767th row
//               and written to the store at once (the store then holds 32 767
//               rows; the row replaces the last one, deleted before)
//   solar-entry one write of the Solar calculator's entries as it makes it a
//               second after a key (one entry changed), with 1 000 rows in the
//               result list and the form's entries in the store
//   rekti-entry the same for the rectification calculator
//
// Every case also gives the processor time of the measured part (for the
// splash: of the whole process until then), the median of the time until the
// window's first paint ("shown") for the loads, and the process's peak
// resident memory at the end of the measured part (getrusage).
//
//   velmora_bench [--runs N] [case ...]      (default: 5 runs of every case)
//
// The store lives in a temporary folder (XDG_CONFIG_HOME), never the user's.
// The program looks for its documents beside its own file, so the benchmark
// places a copy of itself beside a temporary pdf/ tree and runs the cases
// from there. Run it from a release build: a debug build with the
// sanitizers measures the sanitizers.

#include "main/mainwindow.h"
#include "main/splashscreen.h"
#include "rekti/rectificationform.h"
#include "settings/entrieskeeper.h"
#include "solar/solarform.h"
#include "ui/resultlist.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>

using namespace Gui;
using namespace App;

namespace {

const QStringList AllCases = {QStringLiteral("splash"),       QStringLiteral("load-empty"),
                              QStringLiteral("load-full"),    QStringLiteral("save-full"),
                              QStringLiteral("save-changed"), QStringLiteral("add-row"),
                              QStringLiteral("solar-entry"),  QStringLiteral("rekti-entry")};
constexpr int FullRows = 32767;
constexpr int EntryCaseRows = 1000;
constexpr int TeachingDocuments = 1000;

// The system-wide monotonic clock, so that a child can measure from a moment
// that its parent took just before starting it.
qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The processor time of this process: under a busy machine the wall-clock
// figures grow, this one hardly.
qint64 cpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double peakResidentMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // ru_maxrss is in kilobytes on Linux
}

void report(const char *key, double value)
{
    std::printf("%s=%.3f\n", key, value);
    std::fflush(stdout);
}

// The start-up of main.cpp, as far as the splash.
void startLikeTheProgram()
{
    QApplication::setOrganizationName(QStringLiteral("velmora"));
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setStyle(QStringLiteral("Fusion"));
}

// Watches a window until its first paint has been handed to the screen.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget *window, std::function<void()> done) : m_done(std::move(done))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // The paint itself runs after this filter, and its flush to the
            // screen right after; the queued call comes after both.
            QTimer::singleShot(0, this, m_done);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_done;
    bool m_seen = false;
};

int runSplash(qint64 startedNs)
{
    startLikeTheProgram();
    SplashScreen splash([] { return nullptr; }, 60'000);
    FirstPaint painted(&splash, [startedNs] {
        report("ms", double(monotonicNs() - startedNs) / 1e6);
        report("cpu_ms", double(cpuNs()) / 1e6); // since the process began
        report("peak_mb", peakResidentMb());
        QCoreApplication::exit(0);
    });
    splash.show();
    return QApplication::exec();
}

int runLoad()
{
    startLikeTheProgram();
    QElapsedTimer timer;
    timer.start();
    const qint64 cpuStart = cpuNs();
    MainWindow mainWindow;
    report("ms", double(timer.nsecsElapsed()) / 1e6);
    report("cpu_ms", double(cpuNs() - cpuStart) / 1e6);
    // As the splash does: the window appears with its first paint.
    mainWindow.show();
    FirstPaint painted(&mainWindow, [&timer] {
        report("shown_ms", double(timer.nsecsElapsed()) / 1e6);
        // The peak of the load, before the save at the end of the run.
        report("peak_mb", peakResidentMb());
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

// Moves every stored row up by one, as deleting the first row would, behind
// the back of the window, which writes its own changes at once.
void shiftStoredRows()
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("velmora"),
                    QStringLiteral("velmo"));
    store.beginGroup(QStringLiteral("listview"));
    for (int i = 1; i < FullRows; ++i) {
        for (const char *column : {"spalte1", "spalte2", "spalte3"})
            store.setValue(QLatin1String(column) + QString::number(i),
                           store.value(QLatin1String(column) + QString::number(i + 1)));
    }
    store.setValue(QStringLiteral("count"), QString::number(FullRows - 1));
    store.sync();
}

int runSave(bool changed)
{
    startLikeTheProgram();
    MainWindow mainWindow;
    if (changed)
        shiftStoredRows();
    mainWindow.show();
    FirstPaint painted(&mainWindow, [&mainWindow] {
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = cpuNs();
        mainWindow.close(); // the unload handler saves the list and the person fields
        report("ms", double(timer.nsecsElapsed()) / 1e6);
        report("cpu_ms", double(cpuNs() - cpuStart) / 1e6);
        report("peak_mb", peakResidentMb());
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

int runAddRow()
{
    startLikeTheProgram();
    MainWindow haupt;
    haupt.resultList().removeRow(FullRows); // room for the row
    haupt.show();
    FirstPaint painted(&haupt, [&haupt] {
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = cpuNs();
        const bool added = haupt.addResultRow(
            {QStringLiteral("Solar"), QStringLiteral("5.7.2024"), QStringLiteral("14h33m17s")});
        report("ms", double(timer.nsecsElapsed()) / 1e6);
        report("cpu_ms", double(cpuNs() - cpuStart) / 1e6);
        report("peak_mb", peakResidentMb());
        QCoreApplication::exit(added ? 0 : 1);
    });
    return QApplication::exec();
}

// The main window with its list, a calculator open over it with its entries
// restored; one entry is typed over and the write that follows a second later
// is measured.
int runEntryWrite(bool solar)
{
    startLikeTheProgram();
    MainWindow mainWindow;
    CalculatorStart start;
    start.personName = QStringLiteral("Erika Mustermann");
    QDialog *form = solar ? static_cast<QDialog *>(new Solar::SolarForm(start, &mainWindow))
                          : new Rectification::RectificationForm(start, &mainWindow);
    form->show();
    FirstPaint painted(form, [form, solar] {
        auto *field = form->findChild<QLineEdit *>(solar ? QStringLiteral("Text1_1")
                                                         : QStringLiteral("Text7_0"));
        field->setText(solar ? QStringLiteral("2031") : QStringLiteral("Umzug"));
        auto *keeper = form->findChild<Store::EntriesKeeper *>();
        QElapsedTimer timer;
        timer.start();
        const qint64 cpuStart = cpuNs();
        keeper->saveNow();
        report("ms", double(timer.nsecsElapsed()) / 1e6);
        report("cpu_ms", double(cpuNs() - cpuStart) / 1e6);
        report("peak_mb", peakResidentMb());
        QCoreApplication::exit(0);
    });
    return QApplication::exec();
}

// --- the driver ---------------------------------------------------------

bool writeText(const QString &path, const QString &text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(text.toUtf8()) >= 0;
}

// A store as the program writes it: application "velmo" with the rows,
// application "velmora" with the person fields.
bool writeFullStore(const QString &configHome, int rows = FullRows)
{
    QString list;
    QTextStream out(&list);
    out << "[listview]\ncount=" << rows << '\n';
    for (int i = 1; i <= rows; ++i) {
        if (i % 2) {
            out << "spalte1" << i << "=Solar\n";
            out << "spalte2" << i << '=' << (i % 28 + 1) << '.' << (i % 12 + 1) << '.'
                << (1950 + i % 70) << '\n';
            out << "spalte3" << i << '=' << (i % 24) << "h " << (i % 60) << "m " << (i * 7 % 60)
                << "s\n";
        } else {
            out << "spalte1" << i << "=Rektifikation\n";
            out << "spalte2" << i << "=Heirat am " << (i % 28 + 1) << '.' << (i % 12 + 1) << '.'
                << (1970 + i % 50) << '\n';
            out << "spalte3" << i << "=0h " << (i % 20) << "m " << (i * 11 % 60) << "s\n";
        }
    }
    // The person fields and the entries of both calculators.
    const QString forms = QStringLiteral("[solar]\nText1h0=Erika Mustermann\n"
                                         "txtDateh0=12\ntxtDateh1=5\ntxtDateh2=1980\n"
                                         "Text3h0=Hamburg\n"
                                         "txtTime0h0=14\ntxtTime0h1=30\ntxtTime0h2=0\n"
                                         "textbox0=Stier\ntextbox1=2024\ntextbox2=11\n"
                                         "textbox3=5\ntextbox4=2024\n"
                                         "10=21\n11=30\n12=12\n20=22\n21=27\n22=54\n"
                                         "130=21\n131=55\n132=3\n50=21\n51=55\n52=3\n"
                                         "Text10=Erika Mustermann\nText11=Hamburg\n"
                                         "Text12=1.5.2014\nText13=33,9698630136986\n"
                                         "Text70=Heirat\ntxtTime00=3\ntxtTime01=12\n"
                                         "txtTime02=40\ntxtJahre0=33\ntxtJahre1=354\n");
    return writeText(configHome + QStringLiteral("/velmora/velmo.conf"), list) &&
           writeText(configHome + QStringLiteral("/velmora/velmora.conf"), forms);
}

// A program folder: a copy of this executable beside a pdf/ tree with the
// given number of teaching documents (placeholder files: the program only
// lists their names).
QString makeProgramFolder(const QString &root, int teachingDocuments)
{
    const QString folder = root + QStringLiteral("/program");
    const QString teaching = folder + QStringLiteral("/pdf/lehrmaterialien");
    if (!QDir().mkpath(teaching) || !QDir().mkpath(folder + QStringLiteral("/pdf/other")))
        return {};
    const QString self = QCoreApplication::applicationFilePath();
    const QString copy = folder + u'/' + QFileInfo(self).fileName();
    // A hard link where the file system allows it; a symbolic link would not
    // do, since the program folder is that of the resolved file.
    if (::link(QFile::encodeName(self).constData(), QFile::encodeName(copy).constData()) != 0 &&
        !QFile::copy(self, copy))
        return {};
    for (int i = 1; i <= teachingDocuments; ++i) {
        const QString name =
            QStringLiteral("%1Lektion %2.pdf").arg(i % 100, 2, 10, QLatin1Char('0')).arg(i);
        if (!writeText(teaching + u'/' + name, QStringLiteral("%PDF-1.4\n")))
            return {};
    }
    return copy;
}

struct Sample {
    std::map<QString, double> values;
    bool ok = false;
};

Sample runChild(const QString &program, const QString &caseName, const QString &configHome)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    // The record of the work beside it, never the user's either.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), configHome);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 started = monotonicNs();
    child.start(program, {QStringLiteral("--case"), caseName, QStringLiteral("--started"),
                          QString::number(started)});
    Sample sample;
    if (!child.waitForFinished(120'000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        return sample;
    const QStringList lines =
        QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0)
            sample.values[line.left(equals)] = line.mid(equals + 1).toDouble();
    }
    sample.ok = sample.values.count(QStringLiteral("ms")) != 0 &&
                sample.values.count(QStringLiteral("cpu_ms")) != 0 &&
                sample.values.count(QStringLiteral("peak_mb")) != 0;
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int drive(int runs, QStringList cases)
{
    QTextStream out(stdout);
    QTemporaryDir root;
    if (!root.isValid()) {
        out << "no temporary folder\n";
        return 1;
    }
    const QString emptyProgram = makeProgramFolder(root.filePath(QStringLiteral("empty")), 0);
    const QString fullProgram =
        makeProgramFolder(root.filePath(QStringLiteral("full")), TeachingDocuments);
    if (emptyProgram.isEmpty() || fullProgram.isEmpty()) {
        out << "could not prepare the program folders\n";
        return 1;
    }

    out << "platform " << qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("(default)"))
        << ", " << runs << " runs per case, each in a fresh process\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
               .arg(QStringLiteral("case"), -12)
               .arg(QStringLiteral("median ms"), 10)
               .arg(QStringLiteral("min ms"), 9)
               .arg(QStringLiteral("max ms"), 9)
               .arg(QStringLiteral("shown ms"), 9)
               .arg(QStringLiteral("cpu ms"), 8)
               .arg(QStringLiteral("peak MB"), 8);
    out.flush();

    int failures = 0;
    for (const QString &caseName : cases) {
        const bool full =
            caseName != QStringLiteral("splash") && caseName != QStringLiteral("load-empty");
        std::vector<double> times;
        std::vector<double> shown;
        std::vector<double> cpu;
        double peak = 0;
        for (int run = 0; run < runs; ++run) {
            // A fresh store for every run: the save of one run is not the
            // load of the next.
            const QString configHome =
                root.filePath(QStringLiteral("config-%1-%2").arg(caseName).arg(run));
            QDir().mkpath(configHome);
            const bool entryCase = caseName.endsWith(QStringLiteral("-entry"));
            if (full && !writeFullStore(configHome, entryCase ? EntryCaseRows : FullRows)) {
                out << "could not write the store\n";
                return 1;
            }
            const Sample sample = runChild(full ? fullProgram : emptyProgram, caseName, configHome);
            if (!sample.ok) {
                ++failures;
                continue;
            }
            times.push_back(sample.values.at(QStringLiteral("ms")));
            if (auto it = sample.values.find(QStringLiteral("shown_ms")); it != sample.values.end())
                shown.push_back(it->second);
            cpu.push_back(sample.values.at(QStringLiteral("cpu_ms")));
            peak = std::max(peak, sample.values.at(QStringLiteral("peak_mb")));
        }
        if (times.empty()) {
            out << caseName << ": every run failed\n";
            continue;
        }
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7\n")
                   .arg(caseName, -12)
                   .arg(median(times), 10, 'f', 1)
                   .arg(*std::min_element(times.begin(), times.end()), 9, 'f', 1)
                   .arg(*std::max_element(times.begin(), times.end()), 9, 'f', 1)
                   .arg(shown.empty() ? QStringLiteral("-")
                                      : QString::number(median(shown), 'f', 1),
                        9)
                   .arg(median(cpu), 8, 'f', 1)
                   .arg(peak, 8, 'f', 1);
        out.flush();
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption(
        {QStringLiteral("case"), QStringLiteral("Run one case (child)."), QStringLiteral("name")});
    parser.addOption({QStringLiteral("started"),
                      QStringLiteral("Monotonic clock in ns when the child was started."),
                      QStringLiteral("ns")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Runs per case."), QStringLiteral("n"),
                      QStringLiteral("5")});
    parser.addPositionalArgument(QStringLiteral("case"), AllCases.join(QStringLiteral(", ")));
    parser.addHelpOption();
    parser.process(app);

    if (parser.isSet(QStringLiteral("case"))) {
        const QString caseName = parser.value(QStringLiteral("case"));
        int result = 1;
        if (caseName == QStringLiteral("splash"))
            result = runSplash(parser.value(QStringLiteral("started")).toLongLong());
        else if (caseName.startsWith(QStringLiteral("load-")))
            result = runLoad();
        else if (caseName.startsWith(QStringLiteral("save-")))
            result = runSave(caseName == QStringLiteral("save-changed"));
        else if (caseName == QStringLiteral("add-row"))
            result = runAddRow();
        else if (caseName.endsWith(QStringLiteral("-entry")))
            result = runEntryWrite(caseName == QStringLiteral("solar-entry"));
        return result;
    }

    QStringList cases = parser.positionalArguments();
    if (cases.isEmpty())
        cases = AllCases;
    for (const QString &caseName : cases) {
        if (!AllCases.contains(caseName)) {
            std::fprintf(stderr, "unknown case %s\n", qPrintable(caseName));
            return 2;
        }
    }
    return drive(std::max(1, parser.value(QStringLiteral("runs")).toInt()), cases);
}
