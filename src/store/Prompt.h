#pragma once

#include "PersistentModel.h"

#include <QDateTime>
#include <QList>

class PromptCategory;
class PromptTag;
class UserAttribute;
Q_MOC_INCLUDE("UserAttribute.h")

// One prompt template of the library.
class Prompt : public PersistentModel {
    Q_OBJECT
    Q_PROPERTY(QUuid id READ id WRITE setId NOTIFY idChanged)
    Q_PROPERTY(QString idText READ idText NOTIFY idChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString promptDescription READ promptDescription WRITE setPromptDescription NOTIFY promptDescriptionChanged)
    Q_PROPERTY(QString template READ templateText WRITE setTemplateText NOTIFY templateChanged)
    Q_PROPERTY(QDateTime createdAt READ createdAt WRITE setCreatedAt NOTIFY createdAtChanged)
    Q_PROPERTY(QDateTime updatedAt READ updatedAt WRITE setUpdatedAt NOTIFY updatedAtChanged)
    Q_PROPERTY(bool isHot READ isHot WRITE setHot NOTIFY isHotChanged)
    Q_PROPERTY(bool isActive READ isActive WRITE setActive NOTIFY isActiveChanged)
    Q_PROPERTY(bool isNew READ isNew WRITE setNew NOTIFY isNewChanged)
    Q_PROPERTY(bool isUpdated READ isUpdated WRITE setUpdated NOTIFY isUpdatedChanged)
    Q_PROPERTY(QString externalId READ externalId WRITE setExternalId NOTIFY externalIdChanged)
    Q_PROPERTY(UserAttribute *attributes READ attributes NOTIFY attributesChanged)
    Q_PROPERTY(bool isFavorite READ isFavorite NOTIFY isFavoriteChanged)
    Q_PROPERTY(bool isHidden READ isHidden NOTIFY isHiddenChanged)
    Q_PROPERTY(qint64 usageCount READ usageCount NOTIFY usageCountChanged)

public:
    explicit Prompt(QObject *parent = nullptr);
    ModelType modelType() const override { return ModelType::Prompt; }

    QUuid id() const { return m_id; }
    QString idText() const { return uuidText(m_id); }
    void setId(const QUuid &id);
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    QString promptDescription() const { return m_promptDescription; }
    void setPromptDescription(const QString &text);
    // Read from the store the first time it is asked for; held from then on until a save
    // that leaves it as stored.
    QString templateText() const;
    void setTemplateText(const QString &text);
    // False while the template is only in the store.
    bool holdsTemplate() const { return m_templateHeld; }
    // Counts the changes of the template text, so a copy can tell it is still current
    // without holding the text.
    quint32 templateRevision() const { return m_templateRevision; }
    QDateTime createdAt() const { return m_createdAt; }
    void setCreatedAt(const QDateTime &at);
    QDateTime updatedAt() const { return m_updatedAt; }
    void setUpdatedAt(const QDateTime &at);
    bool isHot() const { return m_isHot; }
    void setHot(bool on);
    bool isActive() const { return m_isActive; }
    void setActive(bool on);
    bool isNew() const { return m_isNew; }
    void setNew(bool on);
    bool isUpdated() const { return m_isUpdated; }
    void setUpdated(bool on);
    // A null QString means absent.
    QString externalId() const { return m_externalId; }
    void setExternalId(const QString &id);

    // Many-to-many with PromptCategory.prompts; an absent list reads as empty.
    const QList<PromptCategory *> &categories() const { return m_categories; }
    void setCategories(const QList<PromptCategory *> &categories);
    void addCategory(PromptCategory *category);
    void removeCategory(PromptCategory *category);
    // Many-to-many with PromptTag.prompts.
    const QList<PromptTag *> &tags() const { return m_tags; }
    void setTags(const QList<PromptTag *> &tags);
    void addTag(PromptTag *tag);
    void removeTag(PromptTag *tag);
    // One-to-one with UserAttribute.prompt.
    UserAttribute *attributes() const { return m_attributes; }
    void setAttributes(UserAttribute *attribute);

    bool isFavorite() const;
    bool isHidden() const;
    qint64 usageCount() const;
    // The user record of this prompt, created (targetID = id) when there is none yet.
    Q_INVOKABLE UserAttribute *ensureAttribute();

Q_SIGNALS:
    void idChanged();
    void titleChanged();
    void promptDescriptionChanged();
    void templateChanged();
    void createdAtChanged();
    void updatedAtChanged();
    void isHotChanged();
    void isActiveChanged();
    void isNewChanged();
    void isUpdatedChanged();
    void externalIdChanged();
    void categoriesChanged();
    void tagsChanged();
    void attributesChanged();
    void isFavoriteChanged();
    void isHiddenChanged();
    void usageCountChanged();

protected:
    void nullifyRelationships() override;
    QList<PersistentModel *> linkedObjects() const override;

private:
    friend class ModelContext;
    friend class PromptCategory;
    friend class PromptTag;
    friend class StoreRepository;
    template <typename, auto, auto> friend struct UserAttributeLink;
    void emitDerivedChanged();
    // Reads the stored template into memory; false (logged) when the store cannot give it.
    bool loadTemplate(QString *error = nullptr) const;
    // Takes a template read elsewhere from the store (a bulk read).
    void holdTemplate(const QString &stored) const;
    // Lets the template go again when it is as stored.
    void dropTemplate();
    void forwardAttributeSignals(UserAttribute *attribute);
    // One side of a many-to-many link (categories or tags): keeps the other side in step.
    template <class T> void setLinks(QList<T *> &links, const QList<T *> &wanted, void (Prompt::*changed)());
    template <class T> void addLink(QList<T *> &links, T *item, void (Prompt::*changed)());
    template <class T> void removeLink(QList<T *> &links, T *item, void (Prompt::*changed)());

    QUuid m_id;
    QString m_title;
    QString m_promptDescription;
    mutable QString m_template;
    mutable bool m_templateHeld = true; // false for a stored prompt until its template is read
    quint32 m_templateRevision = 0;
    QDateTime m_createdAt;
    QDateTime m_updatedAt;
    bool m_isHot = false;
    bool m_isActive = true;
    bool m_isNew = false;
    bool m_isUpdated = false;
    QString m_externalId;
    QList<PromptCategory *> m_categories;
    QList<PromptTag *> m_tags;
    UserAttribute *m_attributes = nullptr;
};
