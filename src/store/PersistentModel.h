#pragma once

#include <QObject>
#include <QString>
#include <QUuid>

class ModelContext;

// The five kinds of stored object, in schema order.
enum class ModelType { Prompt, Category, Tag, GlobalVariable, Attribute };
inline constexpr int ModelTypeCount = 5;

// Canonical upper-case text of a UUID (8-4-4-4-12), as used in files and settings keys.
QString uuidText(const QUuid &id);
// Parses canonical UUID text (either case); a null QUuid when the text is not a UUID.
QUuid uuidFromText(const QString &text);

// What every stored object shares: the context it lives in, its persistent identifier
// and its place in the context's change tracking.
class PersistentModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(qint64 persistentId READ persistentId CONSTANT)

public:
    enum class State { Detached, Inserted, Clean, Changed, Deleted };

    virtual ModelType modelType() const = 0;

    // Row id in the store; assigned when the object is inserted into a context, 0 before.
    qint64 persistentId() const { return m_rowId; }
    ModelContext *context() const { return m_context; }
    State state() const { return m_state; }
    bool isDeleted() const { return m_state == State::Deleted; }

protected:
    explicit PersistentModel(QObject *parent = nullptr) : QObject(parent) {}

    // Records a change of a stored field or relationship with the owning context.
    void markChanged();
    // Assigns a stored field; notifies and records the change only when the value differs.
    template <class Self, class T> bool assign(T &field, const T &value, void (Self::*signal)())
    {
        if (field == value)
            return false;
        field = value;
        markChanged();
        Q_EMIT(static_cast<Self *>(this)->*signal)();
        return true;
    }
    // Makes sure an object linked to this one lives in the same context.
    void adopt(PersistentModel *other);
    // Clears every relationship (the nullify rule); called by the context on delete.
    virtual void nullifyRelationships() = 0;
    // Objects this one links to, so that inserting it brings them along.
    virtual QList<PersistentModel *> linkedObjects() const = 0;

private:
    friend class ModelContext;
    friend class StoreRepository;
    ModelContext *m_context = nullptr;
    qint64 m_rowId = 0;
    State m_state = State::Detached;
};
