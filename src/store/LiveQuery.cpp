#include "LiveQuery.h"

#include "ModelContext.h"

#include <QSet>

#include <algorithm>

LiveQuery::LiveQuery(ModelContext *context, ModelType type, Filter filter, LessThan lessThan,
                     QObject *parent)
    : QAbstractListModel(parent), m_context(context), m_type(type), m_filter(std::move(filter)),
      m_lessThan(std::move(lessThan))
{
    connect(context, &ModelContext::objectsChanged, this, &LiveQuery::refresh);
    refresh();
}

void LiveQuery::setFilter(Filter filter)
{
    m_filter = std::move(filter);
    refresh();
}

void LiveQuery::setLessThan(LessThan lessThan)
{
    m_lessThan = std::move(lessThan);
    refresh();
}

int LiveQuery::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant LiveQuery::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role == ObjectRole)
        return QVariant::fromValue<QObject *>(m_rows.at(index.row()));
    return {};
}

QHash<int, QByteArray> LiveQuery::roleNames() const
{
    return {{ObjectRole, "object"}};
}

QObject *LiveQuery::get(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row) : nullptr;
}

void LiveQuery::refresh()
{
    QList<PersistentModel *> next;
    if (m_context) {
        const QList<PersistentModel *> &all = m_context->objects(m_type);
        next.reserve(all.size());
        for (PersistentModel *object : all)
            if (!m_filter || m_filter(object))
                next.append(object);
        if (m_lessThan)
            std::stable_sort(next.begin(), next.end(), m_lessThan);
    }
    apply(next);
}

void LiveQuery::apply(const QList<PersistentModel *> &next)
{
    if (next == m_rows)
        return;
    const int before = int(m_rows.size());
    if (m_rows.isEmpty() || next.isEmpty()) {
        beginResetModel();
        m_rows = next;
        endResetModel();
        if (before != m_rows.size())
            Q_EMIT countChanged();
        return;
    }
    // Remove what left, from the back so indexes stay valid.
    const QSet<PersistentModel *> wanted(next.cbegin(), next.cend());
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        if (!wanted.contains(m_rows.at(row))) {
            beginRemoveRows({}, row, row);
            m_rows.removeAt(row);
            endRemoveRows();
        }
    }
    // Then walk the target order, moving or inserting each row into place.
    for (int row = 0; row < next.size(); ++row) {
        PersistentModel *object = next.at(row);
        if (row < m_rows.size() && m_rows.at(row) == object)
            continue;
        const qsizetype from = m_rows.indexOf(object, row);
        if (from >= 0) {
            beginMoveRows({}, int(from), int(from), {}, row);
            m_rows.move(from, row);
            endMoveRows();
        } else {
            beginInsertRows({}, row, row);
            m_rows.insert(row, object);
            endInsertRows();
        }
    }
    if (before != m_rows.size())
        Q_EMIT countChanged();
}
