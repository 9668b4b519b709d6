#include "BrowserListWalk.h"

#include "Prompt.h"

#include <QtCore/qnamespace.h>

#include <algorithm>

using Kind = BrowserRowModel::Kind;

bool BrowserListWalk::isStop(const BrowserRowModel::Row &row)
{
    switch (row.kind) {
    case Kind::Prompt:
    case Kind::SectionHeader:
    case Kind::CategoryHeader:
    case Kind::More:
    case Kind::HiddenCategory:
        return true;
    case Kind::LibraryHeader:
    case Kind::Empty:
    case Kind::MatchCount:
    case Kind::CloseHeader:
        return false;
    }
    return false;
}

bool BrowserListWalk::isHeader(const BrowserRowModel::Row &row)
{
    return row.kind == Kind::SectionHeader || row.kind == Kind::CategoryHeader;
}

QList<int> BrowserListWalk::stops() const
{
    QList<int> out;
    for (int row = 0; row < m_rows.size(); ++row)
        if (isStop(m_rows.at(row)))
            out.append(row);
    return out;
}

int BrowserListWalk::firstStop() const
{
    for (int row = 0; row < m_rows.size(); ++row)
        if (isStop(m_rows.at(row)))
            return row;
    return -1;
}

int BrowserListWalk::lastStop() const
{
    for (int row = int(m_rows.size()) - 1; row >= 0; --row)
        if (isStop(m_rows.at(row)))
            return row;
    return -1;
}

int BrowserListWalk::firstPrompt() const
{
    for (int row = 0; row < m_rows.size(); ++row)
        if (m_rows.at(row).kind == Kind::Prompt)
            return row;
    return -1;
}

int BrowserListWalk::rowOf(const Prompt *prompt) const
{
    for (int row = 0; prompt && row < m_rows.size(); ++row)
        if (m_rows.at(row).prompt.data() == prompt)
            return row;
    return -1;
}

bool BrowserListWalk::editsText(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home || key == Qt::Key_End;
}

std::optional<int> BrowserListWalk::rowsNeeded(int key, int at, int page)
{
    if (key == Qt::Key_End)
        return -1;
    if (key == Qt::Key_Down)
        return at + 1;
    if (key == Qt::Key_PageDown)
        return at + std::max(1, page);
    return std::nullopt;
}

int BrowserListWalk::step(int from, Step to, int page) const
{
    const QList<int> all = stops();
    if (all.isEmpty())
        return -1;
    if (to == Step::First)
        return all.first();
    if (to == Step::Last)
        return all.last();
    // Where `from` lies among the stops: on one, or between two (a caption row).
    const auto at = std::lower_bound(all.begin(), all.end(), from);
    if (from < 0 || at == all.end())
        return from < 0 ? all.first() : all.last();
    const int index = int(at - all.begin());
    const bool onStop = *at == from;
    const int pageSize = std::max(1, page);
    int target = index;
    switch (to) {
    case Step::Next:
        target = onStop ? index + 1 : index;
        break;
    case Step::Previous:
        target = index - 1;
        break;
    case Step::PageDown:
        target = index + (onStop ? pageSize : pageSize - 1);
        break;
    case Step::PageUp:
        target = index - pageSize;
        break;
    case Step::First:
    case Step::Last:
        break;
    }
    return all.at(std::clamp(target, 0, int(all.size()) - 1));
}

int BrowserListWalk::headerOf(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return -1;
    const BrowserRowModel::Row &here = m_rows.at(row);
    if (isHeader(here))
        return row;
    // Only the contents of a section are drawn in its card; hot prompts and results are not.
    if (!here.inCard)
        return -1;
    for (int up = row - 1; up >= 0; --up) {
        const BrowserRowModel::Row &above = m_rows.at(up);
        if (isHeader(above))
            return above.sectionId == here.sectionId ? up : -1;
    }
    return -1;
}

int BrowserListWalk::firstInside(int header) const
{
    if (header < 0 || header + 1 >= m_rows.size() || !isHeader(m_rows.at(header)) || !m_rows.at(header).expanded)
        return -1;
    const BrowserRowModel::Row &next = m_rows.at(header + 1);
    return next.inCard && !isHeader(next) && next.sectionId == m_rows.at(header).sectionId ? header + 1 : -1;
}

BrowserListWalk::Outcome BrowserListWalk::onKey(int key, int at, int page) const
{
    using Act = Outcome::Act;
    const auto move = [&](Step to) { return Outcome{true, step(at, to, page), Act::None}; };
    const bool valid = at >= 0 && at < m_rows.size();
    switch (key) {
    case Qt::Key_Down:
        return move(Step::Next);
    case Qt::Key_Up:
        return at < 0 ? move(Step::Next) : move(Step::Previous);
    case Qt::Key_PageDown:
        return move(Step::PageDown);
    case Qt::Key_PageUp:
        return move(Step::PageUp);
    case Qt::Key_Home:
        return move(Step::First);
    case Qt::Key_End:
        return move(Step::Last);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!valid)
            return {};
        return {true, at, isHeader(m_rows.at(at)) ? Act::Toggle : Act::Activate};
    case Qt::Key_Right:
        if (valid && isHeader(m_rows.at(at)) && !m_rows.at(at).expanded)
            return {true, at, Act::Toggle};
        if (const int inside = firstInside(at); inside >= 0)
            return {true, inside, Act::None};
        return {true, at, Act::None};
    case Qt::Key_Left: {
        const int header = headerOf(at);
        if (header < 0)
            return {true, at, Act::None};
        if (header != at)
            return {true, header, Act::None};
        return {true, at, m_rows.at(at).expanded ? Act::Toggle : Act::None};
    }
    default:
        return {};
    }
}
