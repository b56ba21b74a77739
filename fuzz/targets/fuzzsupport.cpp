#include "fuzzsupport.h"

#include <QLocale>

#include <array>
#include <cstdio>
#include <cstdlib>

void Finding(const char *what, const QString &detail)
{
    std::fprintf(stderr, "\n==== FINDING: %s\n%s\n", what, qUtf8Printable(detail));
    std::abort();
}

void PinLocale(FuzzedDataProvider &data)
{
    static const std::array<QLocale, 5> locales{
        QLocale::c(), QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::German, QLocale::Switzerland)};
    QLocale::setDefault(locales[data.ConsumeIntegralInRange<size_t>(0, locales.size() - 1)]);
}

QString ConsumeText(FuzzedDataProvider &data, size_t maxLength)
{
    return QString::fromStdString(data.ConsumeRandomLengthString(maxLength));
}

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Digits from position i on; returns the position after them.
qsizetype skipDigits(const QString &text, qsizetype i)
{
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

} // namespace

bool IsPlainInteger(const QString &text)
{
    const qsizetype start = text.startsWith(u'-') ? 1 : 0;
    const qsizetype end = skipDigits(text, start);
    if (end != text.size() || end == start)
        return false;
    if (text[start] == u'0' && end - start > 1)
        return false; // a leading zero
    return text != QLatin1String("-0");
}

bool IsPlainNumber(const QString &text)
{
    const QString point = QLocale().decimalPoint();
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype wholeStart = i;
    i = skipDigits(text, i);
    if (i == wholeStart || (text[wholeStart] == u'0' && i - wholeStart > 1))
        return false;
    bool zero = i - wholeStart == 1 && text[wholeStart] == u'0';
    if (QStringView(text).mid(i).startsWith(point)) {
        i += point.size();
        const qsizetype fractionStart = i;
        i = skipDigits(text, i);
        if (i == fractionStart || text[i - 1] == u'0')
            return false; // no digits, or a trailing zero that the shortest form drops
        zero = false;
    }
    if (i < text.size() && text[i] == u'E') {
        ++i;
        if (i == text.size() || (text[i] != u'+' && text[i] != u'-'))
            return false;
        const qsizetype exponentStart = ++i;
        i = skipDigits(text, i);
        if (i - exponentStart < 2)
            return false;
    }
    if (zero && text.startsWith(u'-'))
        return false; // "-0"
    return i == text.size();
}

bool MentionsInfOrNan(const QString &text)
{
    return text.contains(QLatin1String("inf"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("nan"), Qt::CaseInsensitive);
}

QString Describe(const Effects &effects)
{
    QStringList lines;
    for (const Effect &e : effects) {
        switch (e.kind) {
        case Effect::Kind::SetText:
            lines << ControlKey(e.control, e.index) + QStringLiteral(" := \"") + e.text + u'"';
            break;
        case Effect::Kind::SelectPosition:
            lines << ControlKey(e.control, e.index) + QStringLiteral(" selects ") +
                         QString::number(e.position);
            break;
        case Effect::Kind::SetResultReady:
            lines << QStringLiteral("ResultReady := ") + (e.flag ? u'1' : u'0');
            break;
        case Effect::Kind::SetFocus:
            lines << QStringLiteral("focus ") + ControlKey(e.control, e.index);
            break;
        case Effect::Kind::ShowMessage:
            lines << QStringLiteral("message [") + e.title + QStringLiteral("] ") + e.text;
            break;
        }
    }
    return lines.join(u'\n');
}

void Trace(const QString &line)
{
    static const bool tracing = qEnvironmentVariableIsSet("VELMORA_FUZZ_TRACE");
    if (tracing)
        std::fprintf(stderr, "%s\n", qUtf8Printable(line));
}

void EditText(FuzzedDataProvider &data, ValueMap &form, const std::vector<Control> &fields)
{
    const Control &c = fields[data.ConsumeIntegralInRange<size_t>(0, fields.size() - 1)];
    const int index = c.elements > 0 ? data.ConsumeIntegralInRange(0, c.elements - 1) : -1;
    const QString text = ConsumeText(data);
    Trace(QStringLiteral("type ") + ControlKey(c.name, index) + QStringLiteral(" = \"") + text +
          u'"');
    form.setText(c.name, index, text);
}

void EditList(FuzzedDataProvider &data, ValueMap &form, const std::vector<Control> &lists)
{
    const Control &c = lists[data.ConsumeIntegralInRange<size_t>(0, lists.size() - 1)];
    const int index = c.elements > 0 ? data.ConsumeIntegralInRange(0, c.elements - 1) : -1;
    if (data.ConsumeBool()) {
        QStringList entries;
        const int n = data.ConsumeIntegralInRange(0, 4);
        for (int i = 0; i < n; ++i)
            entries << ConsumeText(data, 12);
        const int position = n == 0 ? -1 : data.ConsumeIntegralInRange(-1, n - 1);
        Trace(QStringLiteral("fill ") + ControlKey(c.name, index) + QStringLiteral(" with ") +
              entries.join(u'|') + QStringLiteral(", select ") + QString::number(position));
        form.setList(c.name, index, entries, position);
    } else {
        const int n = form.count(c.name, index);
        const int position = n == 0 ? -1 : data.ConsumeIntegralInRange(-1, n - 1);
        form.apply({Effect::select(c.name, index, position)});
        Trace(QStringLiteral("select ") + ControlKey(c.name, index) + u' ' +
              QString::number(position) + QStringLiteral(": ") + form.selectedText(c.name, index));
    }
}

qint64 TripleTotal(const Written &written, const QString &control)
{
    return written.value(ControlKey(control, 0)).toLongLong() * 3600 +
           written.value(ControlKey(control, 1)).toLongLong() * 60 +
           written.value(ControlKey(control, 2)).toLongLong();
}

namespace {

// A sexagesimal value: minutes within ±59, seconds within -60..59 (a rounded
// -60 is kept as it is, a positive 60 must have been carried), and no part
// of a sign different from the others.
bool IsProperTriple(qint64 units, qint64 minutes, qint64 seconds)
{
    if (minutes < -59 || minutes > 59 || seconds < -60 || seconds > 59)
        return false;
    const bool anyNegative = units < 0 || minutes < 0 || seconds < 0;
    const bool anyPositive = units > 0 || minutes > 0 || seconds > 0;
    return !(anyNegative && anyPositive);
}

} // namespace

Written CheckAnswer(const char *step, const StepRule &rule, const Effects &effects)
{
    Trace(QStringLiteral("press ") + QString::fromLatin1(step) + QStringLiteral(":\n  ") +
          Describe(effects).replace(u'\n', QStringLiteral("\n  ")));
    const auto fail = [&](const char *what) {
        Finding(what, QString::fromLatin1(step) + u'\n' + Describe(effects));
    };

    qsizetype messages = 0;
    for (const Effect &e : effects)
        messages += e.kind == Effect::Kind::ShowMessage ? 1 : 0;
    if (messages > 1)
        fail("more than one message");
    if (messages == 1) {
        const Effect &m = effects.first();
        if (m.kind != Effect::Kind::ShowMessage)
            fail("a message after writes");
        if (m.title != rule.title)
            fail("message with a foreign title");
        if (!rule.messages.contains(m.text))
            fail("message that this step does not know");
        const Effects rest = effects.mid(1);
        if (!rule.messageWithTail.isEmpty() && m.text == rule.messageWithTail) {
            if (rest != rule.tail)
                fail("message without its documented follow-up");
        } else if (!rest.isEmpty()) {
            fail("a message together with writes");
        }
        return {};
    }

    if (effects.isEmpty()) {
        if (!rule.mayBeEmpty)
            fail("neither writes nor a message");
        return {};
    }

    Written written;
    bool resultReady = false;
    for (qsizetype i = 0; i < effects.size(); ++i) {
        const Effect &e = effects[i];
        switch (e.kind) {
        case Effect::Kind::ShowMessage:
            break;
        case Effect::Kind::SetFocus:
            fail("focus moved without a message");
            break;
        case Effect::Kind::SetResultReady:
            if (!rule.setsResultReady || i != 0 || !e.flag)
                fail("unexpected ResultReady");
            resultReady = true;
            break;
        case Effect::Kind::SelectPosition:
            if (e.control != rule.select)
                fail("selects in a foreign list");
            break;
        case Effect::Kind::SetText: {
            const QString key = ControlKey(e.control, e.index);
            if (written.contains(key))
                fail("writes one field twice");
            written.insert(key, e.text);
            if (rule.copies.contains(e.control))
                break;
            if (MentionsInfOrNan(e.text))
                fail("writes an infinity or a NaN");
            if (rule.numbers.contains(e.control)) {
                if (!IsPlainNumber(e.text))
                    fail("number not written as plain text");
            } else if (rule.triples.contains(e.control) || rule.integers.contains(e.control)) {
                if (!IsPlainInteger(e.text))
                    fail("whole number not written as plain text");
            } else {
                fail("writes a field that is not its own");
            }
            break;
        }
        }
    }
    if (rule.setsResultReady && !resultReady)
        fail("finished without ResultReady");
    for (const QString &c : rule.triples) {
        for (int i = 0; i < 3; ++i) {
            if (!written.contains(ControlKey(c, i)))
                fail("a triple written only in part");
        }
        if (!IsProperTriple(written.value(ControlKey(c, 0)).toLongLong(),
                            written.value(ControlKey(c, 1)).toLongLong(),
                            written.value(ControlKey(c, 2)).toLongLong()))
            fail("a triple that is no proper sexagesimal value");
    }
    for (const QString &c : rule.numbers) {
        bool any = false;
        for (auto it = written.cbegin(); it != written.cend(); ++it)
            any = any || it.key() == c || it.key().startsWith(c + u'_');
        if (!any)
            fail("a result field left unwritten");
    }
    return written;
}

int RunSession(const uint8_t *data, size_t size, const ValueMap &loaded,
               const std::vector<Control> &fields, const std::vector<Control> &lists,
               const std::function<void(FuzzedDataProvider &, ValueMap &)> &press)
{
    try {
        FuzzedDataProvider fdp(data, size);
        PinLocale(fdp);
        ValueMap form = loaded;
        for (int action = 0; action < 64 && fdp.remaining_bytes() > 0; ++action) {
            switch (fdp.ConsumeIntegralInRange(0, 2)) {
            case 0:
                EditText(fdp, form, fields);
                break;
            case 1:
                EditList(fdp, form, lists);
                break;
            default:
                press(fdp, form);
                break;
            }
        }
    } catch (const std::exception &e) {
        Finding("unexpected exception", QString::fromUtf8(e.what()));
    }
    return 0;
}
