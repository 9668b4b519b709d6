#pragma once

#include <QHash>
#include <QList>

// A lookup by key over records in store order. Where several records share a key, the first
// one keeps it and the later ones are passed over: every lookup by id, name or list key in
// the library follows this one rule, so that the sync, the import, the form and the command
// line all pick the same record.
template <class Key, class T> class FirstByKey {
public:
    FirstByKey() = default;
    template <class KeyOf> FirstByKey(const QList<T *> &records, KeyOf keyOf)
    {
        m_byKey.reserve(records.size());
        for (T *record : records)
            add(keyOf(record), record);
    }

    // Files the record under its key unless the key is taken; says whether it was filed.
    bool add(const Key &key, T *record)
    {
        if (m_byKey.contains(key))
            return false;
        m_byKey.insert(key, record);
        m_ordered.append(record);
        return true;
    }
    T *value(const Key &key) const { return m_byKey.value(key, nullptr); }
    bool contains(const Key &key) const { return m_byKey.contains(key); }
    // The records that won their key, in the order they came.
    const QList<T *> &ordered() const { return m_ordered; }

private:
    QHash<Key, T *> m_byKey;
    QList<T *> m_ordered;
};
