#include "core/effects.h"

QString ControlKey(const QString &control, int index)
{
    return index < 0 ? control : control + u'_' + QString::number(index);
}

FieldTexts FormValues::triple(const QString &control) const
{
    return {text(control, 0), text(control, 1), text(control, 2)};
}

Effect Effect::setText(const QString &control, int index, const QString &text)
{
    Effect e;
    e.kind = Kind::SetText;
    e.control = control;
    e.index = index;
    e.text = text;
    return e;
}

Effect Effect::select(const QString &control, int index, int position)
{
    Effect e;
    e.kind = Kind::SelectPosition;
    e.control = control;
    e.index = index;
    e.position = position;
    return e;
}

Effect Effect::resultReady(bool ready)
{
    Effect e;
    e.kind = Kind::SetResultReady;
    e.flag = ready;
    return e;
}

Effect Effect::focus(const QString &control, int index)
{
    Effect e;
    e.kind = Kind::SetFocus;
    e.control = control;
    e.index = index;
    return e;
}

Effect Effect::message(const QString &text, const QString &title)
{
    Effect e;
    e.kind = Kind::ShowMessage;
    e.text = text;
    e.title = title;
    return e;
}

Effects WriteTriple(const QString &control, const FieldTexts &texts)
{
    return {Effect::setText(control, 0, texts[0]), Effect::setText(control, 1, texts[1]),
            Effect::setText(control, 2, texts[2])};
}

Effects WriteTriple(const QString &control, const SexagesimalTriple &triple)
{
    return WriteTriple(control, TripleToFields(triple));
}

QString MessageOf(const Effects &effects)
{
    for (const Effect &e : effects) {
        if (e.kind == Effect::Kind::ShowMessage)
            return e.text;
    }
    return {};
}

void ValueMap::setText(const QString &control, int index, const QString &text)
{
    m_texts.insert(ControlKey(control, index), text);
}

void ValueMap::setTriple(const QString &control, const FieldTexts &texts)
{
    for (int i = 0; i < 3; ++i)
        setText(control, i, texts[static_cast<size_t>(i)]);
}

void ValueMap::setList(const QString &control, int index, const QStringList &entries, int position)
{
    m_lists.insert(ControlKey(control, index), List{entries, position});
}

QString ValueMap::text(const QString &control, int index) const
{
    return m_texts.value(ControlKey(control, index));
}

int ValueMap::position(const QString &control, int index) const
{
    return m_lists.value(ControlKey(control, index)).position;
}

int ValueMap::count(const QString &control, int index) const
{
    return static_cast<int>(m_lists.value(ControlKey(control, index)).entries.size());
}

QString ValueMap::selectedText(const QString &control, int index) const
{
    const List list = m_lists.value(ControlKey(control, index));
    return list.entries.value(list.position);
}

void ValueMap::apply(const Effects &effects)
{
    for (const Effect &e : effects) {
        if (e.kind == Effect::Kind::SetText)
            setText(e.control, e.index, e.text);
        else if (e.kind == Effect::Kind::SelectPosition)
            m_lists[ControlKey(e.control, e.index)].position = e.position;
    }
}
