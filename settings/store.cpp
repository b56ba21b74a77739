#include "settings/store.h"

#include "core/numbers.h"
#include "core/overflow.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <cmath>
#include <map>
#include <memory>

using namespace Gui;

namespace Store {

using namespace Core;

namespace {

// QSettings parses a store file once for all the objects that have it open
// at the same time, but parses it anew when the last of them is gone. A full
// result list is about 100 000 keys, so one object per store file stays open
// for the application's life: the save on closing then finds the list that
// the load has read and rewrites nothing that has not changed.
void keepParsed(const QString &fileName, const QString &application)
{
    static QHash<QString, QPointer<QSettings>> kept;
    if (!QCoreApplication::instance() || kept.value(fileName))
        return;
    // Owned by the application object, so it goes before Qt's own statics.
    kept.insert(fileName, new QSettings(QSettings::NativeFormat, QSettings::UserScope,
                                        QStringLiteral("velmora"), application,
                                        QCoreApplication::instance()));
}

// One section of one application of the store, opened once for all the keys
// that a routine reads or writes.
class Section {
public:
    Section(const QString &application, const QString &section)
        : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("velmora"),
                     application)
    {
        keepParsed(m_settings.fileName(), application);
        m_settings.beginGroup(section);
    }

    // A value that someone typed into the file by hand with an unquoted comma
    // ("Geburt, Heirat") comes back from QSettings as a list of its parts,
    // without the blanks around the commas: it is joined again with ", ", as
    // German text writes a comma. Every other value is read as its text.
    QString read(const QString &key) const
    {
        const QVariant value = m_settings.value(key);
        if (value.typeId() == QMetaType::QStringList)
            return value.toStringList().join(QStringLiteral(", "));
        return value.toString();
    }

    bool contains(const QString &key) const { return m_settings.contains(key); }

    // A value that the store already holds is not written again: a list of
    // 32 767 rows that has not changed since the last run costs no rewrite of
    // the file when the program closes.
    void write(const QString &key, const QString &value)
    {
        const QVariant stored = m_settings.value(key);
        if (stored.typeId() == QMetaType::QString && stored.toString() == value)
            return;
        m_settings.setValue(key, value);
    }

    // What was written reaches the file now, not when the program ends.
    void sync()
    {
        m_settings.sync();
        // A FormatError only says that lines of a hand-edited file could not
        // be read; they are dropped and the file is written all the same.
        if (m_settings.status() == QSettings::AccessError)
            qWarning("settings store %s could not be written", qPrintable(m_settings.fileName()));
    }

private:
    QSettings m_settings;
};

// A stored whole number (picker position, row count) read as the program reads
// every number: textValue, rounded half to even. Text without a leading number
// is 0. A value beyond 16 bits, which the program never writes, is reported
// as such through `tooLarge` (the caller decides) and reads as 0.
qint16 storedInteger(const QString &text, bool *tooLarge = nullptr)
{
    if (tooLarge)
        *tooLarge = false;
    const double value = readNumber(text);
    try {
        return roundToInt16(value);
    } catch (const Overflow &) {
        if (tooLarge)
            *tooLarge = value > 0;
        return 0;
    }
}

QString key(const QString &prefix, int number)
{
    return prefix + plainInteger(number);
}

// The one table of the store's key prefixes.
struct Prefix {
    Key key;
    const char16_t *prefix;
};
constexpr Prefix Prefixes[] = {
    {Key::SolarDate1, u"1"},
    {Key::SolarDate2, u"2"},
    {Key::SolarRadixOfStep3, u"5"},
    {Key::SolarRadix, u"13"},
    {Key::SolarHeader, u"textbox"},
    {Key::RectificationHeader, u"Text1"},
    {Key::RectificationEvent, u"Text7"},
    {Key::RectificationBirthSiderealTime, u"txtTime0"},
    {Key::RectificationSmallerRowTime, u"txtSternZeit1"},
    {Key::RectificationGreaterRowTime, u"txtSTernZeit2"},
    {Key::RectificationGreaterValue, u"txtDeg3"},
    {Key::RectificationSmallerValue, u"txtDeg4"},
    {Key::RectificationCorrectedValue, u"txtDeg6"},
    {Key::RectificationSmallerValue2, u"txtDeg7"},
    {Key::RectificationBirthSiderealTimeOfStep4, u"txtTime2"},
    {Key::RectificationAge, u"txtJahre"},
    {Key::RectificationAgeOfStep2, u"txtJahre2"},
    {Key::RectificationBirthSiderealTimeOfStep8, u"txtTime7"},
    {Key::PersonName, u"Text1h"},
    {Key::BirthDate, u"txtDateh"},
    {Key::BirthPlace, u"Text3h"},
    {Key::BirthTime, u"txtTime0h"},
    {Key::SiderealBirthDate, u"txtDateh"},
    {Key::SiderealPlace, u"Text3"},
    {Key::SiderealCivilTime, u"txtTime0"},
    {Key::SiderealZone, u"cmbZone"},
    {Key::SiderealLongitude, u"txtLaenge"},
    {Key::SiderealEastWest, u"cmbLaenge"},
    {Key::SiderealEphemeris, u"txtEphemeride"},
};

QString prefixOf(Key key)
{
    for (const Prefix &p : Prefixes) {
        if (p.key == key)
            return QString::fromUtf16(p.prefix);
    }
    return {};
}

QString sectionOf(Key key)
{
    return key >= Key::SiderealBirthDate ? SiderealSection : FormsSection;
}

// The sections that the controls of a table live in, each once.
QStringList sectionsOf(const QList<Controls> &table)
{
    QStringList sections;
    for (const Controls &controls : table) {
        if (!sections.contains(sectionOf(controls.key)))
            sections << sectionOf(controls.key);
    }
    return sections;
}

void saveElements(Section &s, const Controls &controls)
{
    const QString prefix = prefixOf(controls.key);
    for (int e = 0; e < controls.elements.size(); ++e) {
        QWidget *element = controls.elements[e];
        if (const auto *list = qobject_cast<QComboBox *>(element))
            s.write(key(prefix, e), plainInteger(list->currentIndex()));
        else if (const auto *field = qobject_cast<QLineEdit *>(element))
            s.write(key(prefix, e), field->text());
    }
}

void restoreElements(const Section &s, const Controls &controls)
{
    const QString prefix = prefixOf(controls.key);
    for (int e = 0; e < controls.elements.size(); ++e) {
        const QString stored = s.read(key(prefix, e));
        QWidget *element = controls.elements[e];
        if (auto *list = qobject_cast<QComboBox *>(element)) {
            // A list never stored keeps the entry its form preselects (the
            // zone "+1", not the first entry "+14").
            if (!s.contains(key(prefix, e)))
                continue;
            int position = storedInteger(stored);
            // A position the list does not have was not written by this
            // program: the first entry is the value, as for a missing key.
            if (position < 0 || position >= list->count())
                position = 0;
            list->setCurrentIndex(position);
        } else if (auto *field = qobject_cast<QLineEdit *>(element)) {
            field->setText(stored);
        }
    }
}

} // namespace

QString readSetting(const QString &application, const QString &section, const QString &key)
{
    return Section(application, section).read(key);
}

void writeSetting(const QString &application, const QString &section, const QString &key,
                  const QString &value)
{
    Section s(application, section);
    s.write(key, value);
    s.sync();
}

void saveControls(const QList<Controls> &table)
{
    for (const QString &section : sectionsOf(table)) {
        Section s(FormsApplication, section);
        for (const Controls &controls : table) {
            if (sectionOf(controls.key) == section)
                saveElements(s, controls);
        }
        s.sync();
    }
}

void restoreControls(const QList<Controls> &table)
{
    // In the table's order: each restored text runs its field's handlers.
    std::map<QString, std::unique_ptr<Section>> sections;
    for (const Controls &controls : table) {
        std::unique_ptr<Section> &s = sections[sectionOf(controls.key)];
        if (!s)
            s = std::make_unique<Section>(FormsApplication, sectionOf(controls.key));
        restoreElements(*s, controls);
    }
}

void saveResultList(const ResultList &list, int fromPosition)
{
    // The list refuses a row beyond ResultList::MaxRows, so every row number
    // written here fits the 16 bits with which it is read back.
    Section s(ListApplication, ListSection);
    const int n = list.rowCount();
    for (int i = std::max(fromPosition, 1); i <= n; ++i) {
        const ResultRow row = list.row(i);
        s.write(key(QStringLiteral("spalte1"), i), row.column1);
        s.write(key(QStringLiteral("spalte2"), i), row.column2);
        s.write(key(QStringLiteral("spalte3"), i), row.column3);
    }
    s.write(QStringLiteral("count"), plainInteger(n));
    s.sync();
}

void restoreResultList(ResultList &list)
{
    const Section s(ListApplication, ListSection);
    bool tooLarge = false;
    int n = storedInteger(s.read(QStringLiteral("count")), &tooLarge);

    // A count beyond what the list can hold was not written by this program.
    // Take the rows that the store really has, as many as fit: up to the last
    // row of which any key exists.
    if (tooLarge) {
        n = ResultList::MaxRows;
        while (n > 0 && !s.contains(key(QStringLiteral("spalte1"), n)) &&
               !s.contains(key(QStringLiteral("spalte2"), n)) &&
               !s.contains(key(QStringLiteral("spalte3"), n)))
            --n;
    }

    QList<ResultRow> rows;
    rows.reserve(std::max(n, 0));
    for (int i = 1; i <= n; ++i) {
        rows.append({s.read(key(QStringLiteral("spalte1"), i)),
                     s.read(key(QStringLiteral("spalte2"), i)),
                     s.read(key(QStringLiteral("spalte3"), i))});
    }
    list.appendRows(rows);
}

std::optional<Core::GivenTask> keptTask(const QString &key)
{
    return Core::GivenTask::fromText(readSetting(FormsApplication, FormsSection, key));
}

void keepTask(const QString &key, const std::optional<Core::GivenTask> &task)
{
    writeSetting(FormsApplication, FormsSection, key, task ? task->toText() : QString());
}

} // namespace Store
