#pragma once

#include "PersistentModel.h"

#include <QList>

class Prompt;
class UserAttribute;
Q_MOC_INCLUDE("UserAttribute.h")

// One category of the library.
class PromptCategory : public PersistentModel {
    Q_OBJECT
    Q_PROPERTY(QUuid id READ id WRITE setId NOTIFY idChanged)
    Q_PROPERTY(QString idText READ idText NOTIFY idChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)
    Q_PROPERTY(QString iconSymbol READ iconSymbol WRITE setIconSymbol NOTIFY iconSymbolChanged)
    Q_PROPERTY(QString categoryDescription READ categoryDescription WRITE setCategoryDescription NOTIFY categoryDescriptionChanged)
    Q_PROPERTY(qint64 sortOrder READ sortOrder WRITE setSortOrder NOTIFY sortOrderChanged)
    Q_PROPERTY(UserAttribute *attributes READ attributes NOTIFY attributesChanged)
    Q_PROPERTY(bool isHidden READ isHidden NOTIFY isHiddenChanged)

public:
    explicit PromptCategory(QObject *parent = nullptr);
    ModelType modelType() const override { return ModelType::Category; }

    QUuid id() const { return m_id; }
    QString idText() const { return uuidText(m_id); }
    void setId(const QUuid &id);
    QString name() const { return m_name; }
    void setName(const QString &name);
    QString iconSymbol() const { return m_iconSymbol; }
    void setIconSymbol(const QString &symbol);
    // A null QString means absent.
    QString categoryDescription() const { return m_categoryDescription; }
    void setCategoryDescription(const QString &text);
    qint64 sortOrder() const { return m_sortOrder; }
    void setSortOrder(qint64 order);

    // Inverse of Prompt.categories, in the order the links were made.
    const QList<Prompt *> &prompts() const { return m_prompts; }
    void setPrompts(const QList<Prompt *> &prompts);
    UserAttribute *attributes() const { return m_attributes; }
    void setAttributes(UserAttribute *attribute);

    bool isHidden() const;
    Q_INVOKABLE UserAttribute *ensureAttribute();

Q_SIGNALS:
    void idChanged();
    void nameChanged();
    void iconSymbolChanged();
    void categoryDescriptionChanged();
    void sortOrderChanged();
    void promptsChanged();
    void attributesChanged();
    void isHiddenChanged();

protected:
    void nullifyRelationships() override;
    QList<PersistentModel *> linkedObjects() const override;

private:
    friend class Prompt;
    friend class StoreRepository;
    template <typename, auto, auto> friend struct UserAttributeLink;
    void emitDerivedChanged();
    void forwardAttributeSignals(UserAttribute *attribute);
    QUuid m_id;
    QString m_name;
    QString m_iconSymbol = QStringLiteral("folder");
    QString m_categoryDescription;
    qint64 m_sortOrder = 0;
    QList<Prompt *> m_prompts;
    UserAttribute *m_attributes = nullptr;
};
