#pragma once

#include "PersistentModel.h"

#include <QAbstractListModel>
#include <QPointer>

#include <functional>

class ModelContext;

// A list model over the objects of one type that pass a filter, in a given order. It
// follows the context: after any change it refreshes once per event-loop turn and reports
// the difference as row removals, insertions and moves.
class LiveQuery : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using Filter = std::function<bool(const PersistentModel *)>;
    using LessThan = std::function<bool(const PersistentModel *, const PersistentModel *)>;
    enum Roles { ObjectRole = Qt::UserRole + 1 };

    // No filter keeps every object; no order keeps store order.
    LiveQuery(ModelContext *context, ModelType type, Filter filter = {}, LessThan lessThan = {},
              QObject *parent = nullptr);

    void setFilter(Filter filter);
    void setLessThan(LessThan lessThan);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_rows.size()); }
    Q_INVOKABLE QObject *get(int row) const;
    const QList<PersistentModel *> &objects() const { return m_rows; }

public Q_SLOTS:
    // Recomputes the rows now instead of at the next turn.
    void refresh();

Q_SIGNALS:
    void countChanged();

private:
    void apply(const QList<PersistentModel *> &next);

    QPointer<ModelContext> m_context;
    ModelType m_type;
    Filter m_filter;
    LessThan m_lessThan;
    QList<PersistentModel *> m_rows;
};
