#include "settings/store.h"

#include "core/numbers.h"
#include "core/overflow.h"
#include "ui/controlarrays.h"
#include "ui/resultlist.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <cmath>

qint16 NewSolarCalculation = 0;
qint16 NewRektiCalculation = 0;

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

Section formsSection()
{
    return Section(Store::FormsApplication, Store::FormsSection);
}

// A stored whole number (picker position, row count) read as the program reads
// every number: TextValue, rounded half to even. Text without a leading number
// is 0. A value beyond 16 bits, which the program never writes, is reported
// as such through `tooLarge` (the caller decides) and reads as 0.
qint16 storedInteger(const QString &text, bool *tooLarge = nullptr)
{
    if (tooLarge)
        *tooLarge = false;
    double value = 0;
    try {
        value = TextValue(text);
    } catch (const Overflow &) {
        // Beyond any number ("1E400"): its sign is the text's first one.
        value = text.trimmed().startsWith(u'-') ? -HUGE_VAL : HUGE_VAL;
    }
    try {
        return RoundToInt16(value);
    } catch (const Overflow &) {
        if (tooLarge)
            *tooLarge = value > 0;
        return 0;
    }
}

QString key(const QString &prefix, int number)
{
    return prefix + PlainInteger(number);
}

int lastElement(int last, int size)
{
    Q_ASSERT_X(last < size, "settings store", "last element beyond the control array");
    return std::min(last, size - 1);
}

} // namespace

QString ReadSetting(const QString &application, const QString &section, const QString &key)
{
    return Section(application, section).read(key);
}

void WriteSetting(const QString &application, const QString &section, const QString &key,
                  const QString &value)
{
    Section s(application, section);
    s.write(key, value);
    s.sync();
}

void SavePickers(const PickerArray &pickers, const QString &prefix)
{
    Section s = formsSection();
    for (int e = 0; e < pickers.size(); ++e)
        s.write(key(prefix, e), PlainInteger(pickers.position(e)));
    s.sync();
}

void RestorePickers(PickerArray &pickers, const QString &prefix)
{
    const Section s = formsSection();
    for (int e = 0; e < pickers.size(); ++e) {
        int position = storedInteger(s.read(key(prefix, e)));
        // A position the list does not have was not written by this program:
        // the first entry is the value, as for a missing key.
        if (position < 0 || position >= pickers.at(e)->count())
            position = 0;
        pickers.select(e, position);
    }
}

void SaveFieldsByNumber(const FieldArray &fields, int last)
{
    Section s = formsSection();
    for (int i = 0; i <= lastElement(last, fields.size()); ++i)
        s.write(key(QStringLiteral("textbox"), i), fields.text(i));
    s.sync();
}

void RestoreFieldsByNumber(FieldArray &fields, int last)
{
    const Section s = formsSection();
    for (int i = 0; i <= lastElement(last, fields.size()); ++i)
        fields.setText(i, s.read(key(QStringLiteral("textbox"), i)));
}

void SaveFieldsByName(const FieldArray &fields, int last)
{
    Section s = formsSection();
    for (int i = 0; i <= lastElement(last, fields.size()); ++i)
        s.write(key(fields.name(), i), fields.text(i));
    s.sync();
}

void RestoreFieldsByName(FieldArray &fields, int last)
{
    const Section s = formsSection();
    for (int i = 0; i <= lastElement(last, fields.size()); ++i)
        fields.setText(i, s.read(key(fields.name(), i)));
}

void SaveResultList(const ResultList &list)
{
    // The list refuses a row beyond ResultList::MaxRows, so every row number
    // written here fits the 16 bits with which it is read back.
    Section s(Store::ListApplication, Store::ListSection);
    const int n = list.rowCount();
    for (int i = 1; i <= n; ++i) {
        const ResultRow row = list.row(i);
        s.write(key(QStringLiteral("spalte1"), i), row.column1);
        s.write(key(QStringLiteral("spalte2"), i), row.column2);
        s.write(key(QStringLiteral("spalte3"), i), row.column3);
    }
    s.write(QStringLiteral("count"), PlainInteger(n));
    s.sync();
}

void RestoreResultList(ResultList &list)
{
    const Section s(Store::ListApplication, Store::ListSection);
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
