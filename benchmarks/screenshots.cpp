// Screenshots of every window of velmora, for checking the fixed layouts at
// a given scale: the splash, the main window, both pages of the Solar form,
// the three pages of the rectification form, the form "Sternzeit der Geburt"
// empty and worked with its check, and the exercises (task 4711 of each
// kind, the rectification also with its sidereal time worked by the student),
// then the rectification task 4711 worked in the calculator with its check.
// Of the Solar: task 4711, whose two days lie in two signs, and task 4712,
// set in Chicago with "+24h", each with its solution; task 4711 worked in
// the calculator across the sign, with its check. Beside them, for the page
// layout, the exercise sheets and calculation sheets of both kinds and the
// calculation sheet of the sidereal time as PDF files; then the practice
// examination before, while and after it runs, and its record as a PDF file.
//
//   QT_SCALE_FACTOR=2 xvfb-run -a velmora_shots /tmp/shots dpi2
//
// writes /tmp/shots/dpi2-splash.png, dpi2-main.png, dpi2-solar-1.png, ...
// Each window is shown on the screen and rendered at the screen's device
// pixel ratio. The settings store is a temporary one with a person and a few
// result rows, so that the fields and the list carry text.

#include "core/rules.h"
#include "exercise/exercisesheet.h"
#include "exercise/exercisewindow.h"
#include "exercise/solartask.h"
#include "main/mainwindow.h"
#include "main/splashscreen.h"
#include "pruefung/examwindow.h"
#include "record/causes.h"
#include "record/recorder.h"
#include "rekti/rectificationform.h"
#include "solar/solarform.h"
#include "sternzeit/siderealform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace Core;
using namespace Gui;
using namespace Sheets;
using namespace Exercise;
using namespace App;

namespace {

QString g_folder;
QString g_prefix;
int g_failures = 0;

void shoot(QWidget *window, const QString &name)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        std::fprintf(stderr, "%s was not exposed\n", qPrintable(name));
    QTest::qWait(200);
    const QString path = g_folder + u'/' + g_prefix + u'-' + name + QStringLiteral(".png");
    const QPixmap picture = window->grab();
    if (!picture.save(path)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        ++g_failures;
        return;
    }
    std::printf("%s  %dx%d logical, %dx%d pixels\n", qPrintable(path), window->width(),
                window->height(), picture.width(), picture.height());
}

void shootPages(QWidget *form, const QString &name)
{
    auto *tabs = form->findChild<QTabWidget *>(QStringLiteral("SSTab1"));
    if (!tabs) {
        std::fprintf(stderr, "%s has no SSTab1\n", qPrintable(name));
        ++g_failures;
        return;
    }
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        shoot(form, name + u'-' + QString::number(page + 1));
    }
}

void typeInto(QWidget *form, const QString &fields, const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i)
        form->findChild<QLineEdit *>(fields + u'_' + QString::number(i))->setText(texts.at(i));
}

void click(QWidget *form, std::initializer_list<const char *> buttons)
{
    for (const char *name : buttons)
        form->findChild<QPushButton *>(QLatin1String(name))->click();
}

QStringList texts(const SexagesimalTriple &t)
{
    return {QString::number(t.units), QString::number(t.minutes), QString::number(t.seconds)};
}

// The steps of a rectification task as a student without a slip types them.
void workTask(QWidget *form, const Exercise::RectificationTask &task)
{
    const Exercise::RectificationHandSolution &hand = task.hand;
    const auto row = [&task](int index) {
        const qint32 seconds = task.page.at(index).siderealSeconds();
        return QStringList{QString::number(seconds / 3600), QString::number(seconds / 60 % 60)};
    };
    const auto choose = [form](const char *list, const QString &entry) {
        auto *box = form->findChild<QComboBox *>(QLatin1String(list));
        box->setCurrentIndex(box->findText(entry));
    };
    const auto sign = [](double degrees) -> QString {
        return QLatin1String(degrees > 0 ? "+30" : degrees < 0 ? "-30" : "+0");
    };
    typeInto(form, QStringLiteral("txtJahre"),
             {QString::number(hand.age.years), QString::number(hand.age.days)});
    click(form, {"Command2", "Command3", "Command4", "Command5", "Command6"});
    typeInto(form, QStringLiteral("txtSternZeit1"), row(hand.smallerRow));
    typeInto(form, QStringLiteral("txtSTernZeit2"), row(hand.smallerRow + 1));
    typeInto(form, QStringLiteral("txtDeg3"), texts(hand.greaterValue));
    typeInto(form, QStringLiteral("txtDeg4"), texts(hand.smallerValue));
    choose("Combo3", sign(hand.firstSignCorrection));
    typeInto(form, QStringLiteral("txtDeg6"), texts(hand.planetValue));
    typeInto(form, QStringLiteral("txtDeg7"), texts(hand.smallerValue));
    choose("Combo4", sign(hand.secondSignCorrection));
    click(form, {"Command7", "Command8", "Command9"});
    form->findChild<QLineEdit *>(QStringLiteral("Text5"))->setText(QString::number(hand.ramc));
    click(form, {"Command10"});
    choose("Combo2", QLatin1String(hand.circleCorrection > 0   ? "+360"
                                   : hand.circleCorrection < 0 ? "- 360"
                                                               : " 0"));
    click(form, {"Command11", "Command12", "Command13"});
}

// A Solar task whose two days lie in two signs as a student works it: the
// positions picked, A and B worked by hand across the sign and typed into
// step 4 (steps 2 and 3 would refuse the pair), then steps 4 and 5.
void workAcrossTheSign(QWidget *form, const Exercise::SolarTask &task)
{
    const auto pick = [form](const char *lists, const SexagesimalTriple &t) {
        const int positions[] = {t.units, t.minutes, t.seconds};
        for (int i = 0; i < 3; ++i)
            form->findChild<QComboBox *>(QLatin1String(lists) + u'_' + QString::number(i))
                ->setCurrentIndex(positions[i]);
    };
    const Exercise::SolarHandSolution &hand = task.hand;
    const auto within = [](qint32 position) {
        return secondsToTriple(position % ArcSecondsPerSign);
    };
    pick("cmbDeg1", within(task.pair().position1));
    pick("cmbDeg2", within(task.pair().position2));
    typeInto(form, QStringLiteral("txtDeg4"), texts(hand.motion));
    typeInto(form, QStringLiteral("txtDeg3"), texts(hand.distance));
    form->findChild<QTabWidget *>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
    click(form, {"Command4", "Command1", "Command5"});
    const QString date[] = {QString::number(hand.date.day()), QString::number(hand.date.month()),
                            QString::number(hand.date.year())};
    for (int i = 0; i < 3; ++i)
        form->findChild<QLineEdit *>(QStringLiteral("Text1_") + QString::number(i + 2))
            ->setText(date[i]);
}

bool writeStore(const QString &configHome)
{
    const QString folder = configHome + QStringLiteral("/velmora");
    QDir().mkpath(folder);
    QFile forms(folder + QStringLiteral("/velmora.conf"));
    QFile list(folder + QStringLiteral("/velmo.conf"));
    if (!forms.open(QIODevice::WriteOnly) || !list.open(QIODevice::WriteOnly))
        return false;
    forms.write("[solar]\nText1h0=Erika Mustermann\ntxtDateh0=28\ntxtDateh1=12\n"
                "txtDateh2=1980\nText3h0=Hamburg\ntxtTime0h0=14\ntxtTime0h1=30\n"
                "txtTime0h2=45\n");
    list.write("[listview]\ncount=3\n"
               "spalte11=Solar\nspalte21=28.12.2024\nspalte31=7h 41m 17s\n"
               "spalte12=Rektifikation\nspalte22=Heirat\nspalte32=0h 4m 12s\n"
               "spalte13=Solar\nspalte23=28.12.2025\nspalte33=13h 30m 2s\n");
    return true;
}

// The window "Fortschritt" over 300 answers of ten weeks, opened by its button.
void shootProgress(MainWindow &mainWindow)
{
    Record::Recorder &record = mainWindow.record();
    constexpr int Count = 300;
    int written = 0;
    QObject::connect(&record, &Record::Recorder::stored, &record,
                     [&written](int n) { written += n; });
    const QList<Record::CauseName> &causes = Record::causeNames();
    for (int i = 0; i < Count; ++i) {
        Record::Entry e;
        e.time = QDateTime::currentDateTimeUtc().addSecs(qint64(i - Count) * 70 * 86'400 / Count);
        e.kind = static_cast<TaskKind>(i % 3);
        e.taskNumber = 1 + (i * 7919) % 999'999;
        e.answer = QStringLiteral("14 | 5 | 33");
        e.right = (i * 37) % 100 < 40 + 50 * i / Count;
        e.cause = e.right ? QString() : causes.at((i * i) % causes.size()).code;
        e.seconds = i % 10 == 0 ? -1 : 60 + (i * 13) % 900;
        record.record(e);
    }
    QTRY_COMPARE_WITH_TIMEOUT(written, Count, 10'000);
    mainWindow.findChild<QPushButton *>(QStringLiteral("cmdFortschritt"))->click();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("Fortschritt"))
            shoot(window, QStringLiteral("fortschritt"));
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Never the user's own store.
    QTemporaryDir store;
    if (!store.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(store.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(store.path()));

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("velmora"));
    QApplication::setApplicationName(QStringLiteral("velmora"));
    QApplication::setStyle(QStringLiteral("Fusion"));

    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: velmora_shots FOLDER PREFIX\n");
        return 2;
    }
    g_folder = arguments.at(1);
    g_prefix = arguments.at(2);
    if (!QDir().mkpath(g_folder) || !writeStore(store.path()))
        return 1;

    {
        SplashScreen splash([] { return nullptr; }, 60'000);
        shoot(&splash, QStringLiteral("splash"));
    }

    MainWindow mainWindow;
    shoot(&mainWindow, QStringLiteral("main"));
    {
        Solar::SolarForm solar(CalculatorStart{}, &mainWindow);
        shootPages(&solar, QStringLiteral("solar"));
        // The worked example computed, then date 1 picked anew: every result
        // from step 2 on is marked as no longer current.
        const auto pick = [&solar](const char *lists, std::array<int, 3> positions) {
            for (int i = 0; i < 3; ++i)
                solar.findChild<QComboBox *>(QLatin1String(lists) + u'_' + QString::number(i))
                    ->setCurrentIndex(positions[static_cast<std::size_t>(i)]);
        };
        pick("cmbDeg13", {14, 22, 30});
        pick("cmbDeg1", {13, 50, 10});
        pick("cmbDeg2", {14, 47, 25});
        for (const char *step : {"Command2", "Command3", "Command4", "Command1", "Command5"})
            solar.findChild<QPushButton *>(QLatin1String(step))->click();
        pick("cmbDeg1", {13, 50, 11});
        shootPages(&solar, QStringLiteral("solar-stale"));
        solar.hide();
    }
    {
        Rectification::RectificationForm rekti(CalculatorStart{}, &mainWindow);
        shootPages(&rekti, QStringLiteral("rekti"));
        rekti.hide();
    }
    {
        // The birth in Berlin of the document "Berechnung der Sternzeit",
        // worked, and its check.
        Sidereal::SiderealForm sternzeit(CalculatorStart{}, &mainWindow);
        shoot(&sternzeit, QStringLiteral("sternzeit"));
        typeInto(&sternzeit, QStringLiteral("txtDateh"),
                 {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1987")});
        typeInto(&sternzeit, QStringLiteral("txtTime0"),
                 {QStringLiteral("14"), QStringLiteral("35"), QStringLiteral("0")});
        typeInto(&sternzeit, QStringLiteral("txtLaenge"),
                 {QStringLiteral("13"), QStringLiteral("24")});
        typeInto(&sternzeit, QStringLiteral("txtEphemeride"),
                 {QStringLiteral("8"), QStringLiteral("42"), QStringLiteral("41")});
        click(&sternzeit,
              {"cmdWeltzeit", "cmdZuschlag", "cmdLaengeZeit", "cmdSumme", "cmdErgebnis"});
        shoot(&sternzeit, QStringLiteral("sternzeit-gerechnet"));
        click(&sternzeit, {"cmdKontrolle"});
        if (auto *check = sternzeit.findChild<QDialog *>(QStringLiteral("Kontrolle"))) {
            shoot(check, QStringLiteral("sternzeit-kontrolle"));
            check->close();
        }
        saveSheetPdfTo(&sternzeit, sternzeit.calculationSheet(),
                       g_folder + u'/' + g_prefix + QStringLiteral("-rechenblatt-sternzeit.pdf"),
                       calculationSheetTexts());
        sternzeit.hide();
    }
    // Opened by its button, as the student opens it.
    mainWindow.findChild<QPushButton *>(QStringLiteral("cmdUebungen"))->click();
    // A window of its own, not a child of the main window.
    ExerciseWindow *exercises = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<ExerciseWindow *>(window))
            exercises = found;
    }
    if (exercises) {
        exercises->showTask(4711);
        shoot(exercises, QStringLiteral("uebung"));
        click(exercises, {"cmdLoesung"});
        shoot(exercises, QStringLiteral("uebung-zeichengrenze"));
        exercises->showTask(4712);
        click(exercises, {"cmdLoesung"});
        shoot(exercises, QStringLiteral("uebung-ausland"));
        saveSheetPdfTo(exercises, Exercise::solarExerciseSheet(4711, 2, QDate::currentDate()),
                       g_folder + u'/' + g_prefix + QStringLiteral("-uebungsblatt-solar.pdf"),
                       Exercise::exerciseSheetTexts());
        exercises->showTask(4711);
        exercises->findChild<QComboBox *>(QStringLiteral("cmbArt"))->setCurrentIndex(1);
        shoot(exercises, QStringLiteral("uebung-gzk"));
        // The same task with its sidereal time of birth worked by the student.
        auto *worked = exercises->findChild<QCheckBox *>(QStringLiteral("chkSternzeitSelbst"));
        worked->setChecked(true);
        shoot(exercises, QStringLiteral("uebung-gzk-sternzeit"));
        worked->setChecked(false);
        const Exercise::RectificationTask task = *exercises->rectificationTask();
        saveSheetPdfTo(exercises,
                       Exercise::rectificationExerciseSheet(4711, 2, QDate::currentDate()),
                       g_folder + u'/' + g_prefix + QStringLiteral("-uebungsblatt-gzk.pdf"),
                       Exercise::exerciseSheetTexts());
        // Into the calculator, worked, and checked with the task's house table.
        exercises->findChild<QPushButton *>(QStringLiteral("cmdInRechner"))->click();
        if (auto *form = mainWindow.findChild<Rectification::RectificationForm *>()) {
            workTask(form, task);
            click(form, {"cmdKontrolle"});
            if (auto *check = form->findChild<QDialog *>(QStringLiteral("Kontrolle"))) {
                check->findChild<QComboBox *>(QStringLiteral("cmbAchse"))
                    ->setCurrentIndex(task.axis == Astro::Axis::AC ? 1 : 0);
                typeInto(check, QStringLiteral("txtBreite"),
                         {QString::number(task.latitudeMinutes / 60),
                          QString::number(task.latitudeMinutes % 60)});
                shoot(check, QStringLiteral("rekti-kontrolle"));
                check->close();
            }
            shootPages(form, QStringLiteral("rekti-gzk"));
            saveSheetPdfTo(form, form->calculationSheet(),
                           g_folder + u'/' + g_prefix + QStringLiteral("-rechenblatt-gzk.pdf"),
                           calculationSheetTexts());
            form->close();
        }
        // The Solar task of the same number in its calculator, named at the
        // top, worked across the sign and checked.
        exercises->findChild<QComboBox *>(QStringLiteral("cmbArt"))->setCurrentIndex(0);
        exercises->findChild<QPushButton *>(QStringLiteral("cmdInRechner"))->click();
        if (auto *form = mainWindow.findChild<Solar::SolarForm *>()) {
            shoot(form, QStringLiteral("solar-aufgabe"));
            workAcrossTheSign(form, *exercises->task());
            shootPages(form, QStringLiteral("solar-zeichengrenze"));
            click(form, {"cmdKontrolle"});
            if (auto *check = form->findChild<QDialog *>(QStringLiteral("Kontrolle"))) {
                shoot(check, QStringLiteral("solar-kontrolle"));
                check->close();
            }
            saveSheetPdfTo(form, form->calculationSheet(),
                           g_folder + u'/' + g_prefix + QStringLiteral("-rechenblatt-solar.pdf"),
                           calculationSheetTexts());
            form->close();
        }
        // A task abroad named at the calculator's top.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        exercises->showTask(4712);
        exercises->findChild<QPushButton *>(QStringLiteral("cmdInRechner"))->click();
        if (auto *form = mainWindow.findChild<Solar::SolarForm *>()) {
            shoot(form, QStringLiteral("solar-ausland"));
            form->close();
        }
        // The task of the sidereal time of the same number, its sheet, and its
        // calculator named at the top.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        exercises->findChild<QComboBox *>(QStringLiteral("cmbArt"))->setCurrentIndex(2);
        exercises->showTask(4711);
        shoot(exercises, QStringLiteral("uebung-sternzeit"));
        saveSheetPdfTo(exercises, Exercise::siderealExerciseSheet(4711, 2, QDate::currentDate()),
                       g_folder + u'/' + g_prefix + QStringLiteral("-uebungsblatt-sternzeit.pdf"),
                       Exercise::exerciseSheetTexts());
        exercises->findChild<QPushButton *>(QStringLiteral("cmdInRechner"))->click();
        if (auto *form = mainWindow.findChild<Sidereal::SiderealForm *>()) {
            shoot(form, QStringLiteral("sternzeit-aufgabe"));
            form->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } else {
        std::fprintf(stderr, "the exercises did not open\n");
        ++g_failures;
    }
    // The practice examination with the tasks 4711: before, while and after
    // it runs, and its record as a PDF file.
    mainWindow.findChild<QPushButton *>(QStringLiteral("cmdPruefung"))->click();
    Examination::ExamWindow *exam = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<Examination::ExamWindow *>(window))
            exam = found;
    }
    if (exam) {
        shoot(exam, QStringLiteral("pruefung"));
        exam->begin(4711, 4711, 90);
        shoot(exam, QStringLiteral("pruefung-laeuft"));
        exam->findChild<QTabWidget *>(QStringLiteral("tabAufgaben"))->setCurrentIndex(1);
        shoot(exam, QStringLiteral("pruefung-gzk"));
        exam->handIn();
        shoot(exam, QStringLiteral("pruefung-ergebnis"));
        saveSheetPdfTo(exam, exam->protocolSheet(),
                       g_folder + u'/' + g_prefix + QStringLiteral("-pruefungsprotokoll.pdf"),
                       Examination::protocolTexts());
    } else {
        std::fprintf(stderr, "the examination did not open\n");
        ++g_failures;
    }
    shootProgress(mainWindow);
    return g_failures == 0 ? 0 : 1;
}
