#include "BrowserRowModel.h"

#include "Prompt.h"
#include "PromptCategory.h"

#include <QHash>
#include <QSet>

namespace {
// Above this size a change is announced as a reset: the walk below is quadratic at worst,
// and a list that long is a search result the user is still typing into.
constexpr qsizetype MaxDiffRows = 1500;

// What makes two rows "the same row" across two builds, so the view keeps its delegate.
struct RowKey {
    BrowserRowModel::Kind kind;
    const void *object;
    QUuid section;
    bool operator==(const RowKey &other) const = default;
};

size_t qHash(const RowKey &key, size_t seed = 0)
{
    return qHashMulti(seed, int(key.kind), key.object, key.section);
}

RowKey keyOf(const BrowserRowModel::Row &row)
{
    const void *object = row.prompt ? static_cast<const void *>(row.prompt.data())
                                     : static_cast<const void *>(row.category.data());
    return {row.kind, object, row.sectionId};
}

bool sameContent(const BrowserRowModel::Row &a, const BrowserRowModel::Row &b)
{
    return a.title == b.title && a.icon == b.icon && a.description == b.description && a.count == b.count
        && a.expanded == b.expanded && a.index == b.index && a.inCard == b.inCard && a.lastInGroup == b.lastInGroup
        && a.match == b.match && a.titleMarkup == b.titleMarkup && a.descriptionMarkup == b.descriptionMarkup;
}

bool hasDuplicateKeys(const QList<BrowserRowModel::Row> &rows)
{
    QSet<RowKey> seen;
    seen.reserve(rows.size());
    for (const BrowserRowModel::Row &row : rows) {
        const RowKey key = keyOf(row);
        if (seen.contains(key))
            return true;
        seen.insert(key);
    }
    return false;
}
} // namespace

int BrowserRowModel::indexOfSame(const Row &row) const
{
    const RowKey key = keyOf(row);
    for (int i = 0; i < m_rows.size(); ++i)
        if (keyOf(m_rows.at(i)) == key)
            return i;
    return -1;
}

int BrowserRowModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant BrowserRowModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row &r = m_rows.at(index.row());
    switch (role) {
    case KindRole:
        return int(r.kind);
    case PromptRole:
        return QVariant::fromValue<QObject *>(r.prompt.data());
    case CategoryRole:
        return QVariant::fromValue<QObject *>(r.category.data());
    case SectionIdRole:
        return r.sectionId.isNull() && r.kind != Kind::SectionHeader ? QString() : r.sectionId.toString(QUuid::WithoutBraces).toUpper();
    case TitleRole:
        return r.title;
    case IconRole:
        return r.icon;
    case DescriptionRole:
        return r.description;
    case CountRole:
        return r.count;
    case ExpandedRole:
        return r.expanded;
    case IndexRole:
        return r.index;
    case InCardRole:
        return r.inCard;
    case LastInGroupRole:
        return r.lastInGroup;
    case MatchRole:
        return int(r.match);
    case TitleMarkupRole:
        return r.titleMarkup;
    case DescriptionMarkupRole:
        return r.descriptionMarkup;
    }
    return {};
}

QHash<int, QByteArray> BrowserRowModel::roleNames() const
{
    return {{KindRole, "kind"},         {PromptRole, "prompt"},   {CategoryRole, "category"},
            {SectionIdRole, "sectionId"}, {TitleRole, "title"},   {IconRole, "icon"},
            {DescriptionRole, "description"}, {CountRole, "count"}, {ExpandedRole, "expanded"},
            {IndexRole, "position"},       {InCardRole, "inCard"},
            {LastInGroupRole, "lastInGroup"}, {MatchRole, "match"},
            {TitleMarkupRole, "titleMarkup"}, {DescriptionMarkupRole, "descriptionMarkup"}};
}

void BrowserRowModel::setRows(QList<Row> rows)
{
    const qsizetype before = m_rows.size();
    if (m_rows.size() > MaxDiffRows || rows.size() > MaxDiffRows || hasDuplicateKeys(m_rows)
        || hasDuplicateKeys(rows)) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    } else {
        applyDiff(rows);
    }
    if (m_rows.size() != before)
        Q_EMIT countChanged();
}

void BrowserRowModel::updateRows(const QList<Row> &rows)
{
    const qsizetype before = m_rows.size();
    const int common = int(std::min(m_rows.size(), rows.size()));
    // Changed rows, announced one contiguous range at a time.
    for (int i = 0; i < common;) {
        if (keyOf(m_rows.at(i)) == keyOf(rows.at(i)) && sameContent(m_rows.at(i), rows.at(i))) {
            ++i;
            continue;
        }
        const int first = i;
        for (; i < common && !(keyOf(m_rows.at(i)) == keyOf(rows.at(i)) && sameContent(m_rows.at(i), rows.at(i))); ++i)
            m_rows[i] = rows.at(i);
        Q_EMIT dataChanged(index(first), index(i - 1));
    }
    if (rows.size() > m_rows.size()) {
        beginInsertRows({}, int(m_rows.size()), int(rows.size()) - 1);
        m_rows.append(rows.mid(m_rows.size()));
        endInsertRows();
    } else if (rows.size() < m_rows.size()) {
        beginRemoveRows({}, int(rows.size()), int(m_rows.size()) - 1);
        m_rows.resize(rows.size());
        endRemoveRows();
    }
    if (m_rows.size() != before)
        Q_EMIT countChanged();
}

void BrowserRowModel::resetRows(QList<Row> rows)
{
    const qsizetype before = m_rows.size();
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    if (m_rows.size() != before)
        Q_EMIT countChanged();
}

void BrowserRowModel::appendRows(const QList<Row> &rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + rows.size()) - 1);
    m_rows.append(rows);
    endInsertRows();
    Q_EMIT countChanged();
}

void BrowserRowModel::setFetcher(std::function<bool()> canFetch, std::function<void()> fetch)
{
    m_canFetch = std::move(canFetch);
    m_fetch = std::move(fetch);
}

bool BrowserRowModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_canFetch && m_canFetch();
}

void BrowserRowModel::fetchMore(const QModelIndex &parent)
{
    if (!parent.isValid() && m_fetch)
        m_fetch();
}

// Turns the current rows into the next ones with removals, moves and insertions, so the
// list keeps its delegates and its scroll position when a section opens or a row moves.
void BrowserRowModel::applyDiff(const QList<Row> &next)
{
    QSet<RowKey> nextKeys;
    nextKeys.reserve(next.size());
    for (const Row &row : next)
        nextKeys.insert(keyOf(row));

    // Removals, back to front, one contiguous range at a time.
    for (int end = int(m_rows.size()) - 1; end >= 0;) {
        if (nextKeys.contains(keyOf(m_rows.at(end)))) {
            --end;
            continue;
        }
        int first = end;
        while (first > 0 && !nextKeys.contains(keyOf(m_rows.at(first - 1))))
            --first;
        beginRemoveRows({}, first, end);
        m_rows.remove(first, end - first + 1);
        endRemoveRows();
        end = first - 1;
    }

    // Every remaining row is wanted; walk the next list and pull or insert each row in place.
    // Rows before position i already match the next list.
    QSet<RowKey> kept;
    kept.reserve(m_rows.size());
    for (const Row &row : std::as_const(m_rows))
        kept.insert(keyOf(row));
    for (int i = 0; i < next.size(); ++i) {
        const RowKey key = keyOf(next.at(i));
        if (!kept.contains(key)) {
            // A run of new rows goes in with one insertion.
            int last = i;
            while (last + 1 < next.size() && !kept.contains(keyOf(next.at(last + 1))))
                ++last;
            beginInsertRows({}, i, last);
            for (int k = i; k <= last; ++k)
                m_rows.insert(k, next.at(k));
            endInsertRows();
            i = last;
            continue;
        }
        if (keyOf(m_rows.at(i)) != key) {
            int from = i + 1;
            while (keyOf(m_rows.at(from)) != key)
                ++from;
            beginMoveRows({}, from, from, {}, i);
            m_rows.move(from, i);
            endMoveRows();
        }
        if (!sameContent(m_rows.at(i), next.at(i))) {
            m_rows[i] = next.at(i);
            Q_EMIT dataChanged(index(i), index(i));
        }
    }
    Q_ASSERT(m_rows.size() == next.size());
}
