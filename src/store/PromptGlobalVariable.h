#pragma once

#include "PersistentModel.h"

#include <QStringList>

// A named list of values that templates refer to as "[key]".
class PromptGlobalVariable : public PersistentModel {
    Q_OBJECT
    Q_PROPERTY(QString key READ key WRITE setKey NOTIFY keyChanged)
    Q_PROPERTY(QStringList values READ values WRITE setValues NOTIFY valuesChanged)

public:
    explicit PromptGlobalVariable(QObject *parent = nullptr) : PersistentModel(parent) {}
    PromptGlobalVariable(const QString &key, const QStringList &values, QObject *parent = nullptr)
        : PersistentModel(parent), m_key(key), m_values(values)
    {
    }
    ModelType modelType() const override { return ModelType::GlobalVariable; }

    QString key() const { return m_key; }
    void setKey(const QString &key) { assign(m_key, key, &PromptGlobalVariable::keyChanged); }
    QStringList values() const { return m_values; }
    void setValues(const QStringList &values) { assign(m_values, values, &PromptGlobalVariable::valuesChanged); }

Q_SIGNALS:
    void keyChanged();
    void valuesChanged();

protected:
    void nullifyRelationships() override {}
    QList<PersistentModel *> linkedObjects() const override { return {}; }

private:
    QString m_key;
    QStringList m_values;
};
