#include "main/deletions.h"

#include "ui/resultlist.h"

#include <utility>

RowRemoval::RowRemoval(ResultList &list, int first, int count, std::function<void(int)> written)
    : m_list(list), m_first(first), m_marked(list.currentPosition()), m_written(std::move(written))
{
    for (int position = first; position < first + count; ++position)
        m_rows.append(list.row(position));
}

void RowRemoval::redo()
{
    // From the last row up: removing all rows then never moves the remaining
    // ones, and a single row is removed as "markierte Zeile löschen" does it.
    for (int position = m_first + static_cast<int>(m_rows.size()) - 1; position >= m_first;
         --position)
        m_list.removeRow(position);
    m_written(m_first);
}

void RowRemoval::undo()
{
    if (!m_list.insertRows(m_first, m_rows))
        return;
    m_list.setCurrentPosition(m_marked);
    m_written(m_first);
}

bool RowRemoval::fitsBack() const
{
    return m_rows.size() <= ResultList::MaxRows - m_list.rowCount();
}

PersonEmptying::PersonEmptying(PersonState before, std::function<void(const PersonState &)> apply)
    : m_before(std::move(before)), m_apply(std::move(apply))
{}

void PersonEmptying::redo()
{
    PersonState emptied{QStringList(m_before.fields.size(), QString()), true, true};
    m_apply(emptied);
}

void PersonEmptying::undo()
{
    m_apply(m_before);
}

PersonReplacement::PersonReplacement(PersonState before, PersonState after,
                                     std::function<void(const PersonState &)> apply)
    : m_before(std::move(before)), m_after(std::move(after)), m_apply(std::move(apply))
{}

void PersonReplacement::redo()
{
    m_apply(m_after);
}

void PersonReplacement::undo()
{
    m_apply(m_before);
}
