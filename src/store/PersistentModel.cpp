#include "PersistentModel.h"

#include "ModelContext.h"

QString uuidText(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QUuid uuidFromText(const QString &text)
{
    // Only the canonical 36-character form counts, braces and other spellings do not.
    if (text.size() != 36)
        return {};
    return QUuid::fromString(text);
}

void PersistentModel::markChanged()
{
    if (m_context)
        m_context->objectChanged(this);
}

void PersistentModel::adopt(PersistentModel *other)
{
    if (m_context && other && !other->m_context)
        m_context->insert(other);
}
