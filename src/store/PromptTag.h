#pragma once

#include "PersistentModel.h"

#include <QList>

class Prompt;

// A tag name; tags are looked up by name.
class PromptTag : public PersistentModel {
    Q_OBJECT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)

public:
    explicit PromptTag(QObject *parent = nullptr) : PersistentModel(parent) {}
    ModelType modelType() const override { return ModelType::Tag; }

    QString name() const { return m_name; }
    void setName(const QString &name) { assign(m_name, name, &PromptTag::nameChanged); }
    // Inverse of Prompt.tags.
    const QList<Prompt *> &prompts() const { return m_prompts; }
    void setPrompts(const QList<Prompt *> &prompts);

Q_SIGNALS:
    void nameChanged();
    void promptsChanged();

protected:
    void nullifyRelationships() override;
    QList<PersistentModel *> linkedObjects() const override;

private:
    friend class Prompt;
    QString m_name;
    QList<Prompt *> m_prompts;
};
