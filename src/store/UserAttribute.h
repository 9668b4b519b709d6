#pragma once

#include "PersistentModel.h"

#include <QDateTime>

class Prompt;
class PromptCategory;
Q_MOC_INCLUDE("Prompt.h")
Q_MOC_INCLUDE("PromptCategory.h")

// Per-user state of one prompt or one category. Kept apart from shipped content so that
// content can be rewritten or recreated; it finds its owner again through targetID.
class UserAttribute : public PersistentModel {
    Q_OBJECT
    Q_PROPERTY(QUuid targetID READ targetID WRITE setTargetID NOTIFY targetIDChanged)
    Q_PROPERTY(Prompt *prompt READ prompt NOTIFY promptChanged)
    Q_PROPERTY(PromptCategory *category READ category NOTIFY categoryChanged)
    Q_PROPERTY(bool isFavorite READ isFavorite WRITE setFavorite NOTIFY isFavoriteChanged)
    Q_PROPERTY(QDateTime lastUsedAt READ lastUsedAt WRITE setLastUsedAt NOTIFY lastUsedAtChanged)
    Q_PROPERTY(qint64 usageCount READ usageCount WRITE setUsageCount NOTIFY usageCountChanged)
    Q_PROPERTY(bool isHidden READ isHidden WRITE setHidden NOTIFY isHiddenChanged)

public:
    explicit UserAttribute(QObject *parent = nullptr);
    ModelType modelType() const override { return ModelType::Attribute; }

    QUuid targetID() const { return m_targetID; }
    void setTargetID(const QUuid &id);
    Prompt *prompt() const { return m_prompt; }
    void setPrompt(Prompt *prompt);
    PromptCategory *category() const { return m_category; }
    void setCategory(PromptCategory *category);
    bool isFavorite() const { return m_isFavorite; }
    void setFavorite(bool on);
    // Invalid QDateTime means absent.
    QDateTime lastUsedAt() const { return m_lastUsedAt; }
    void setLastUsedAt(const QDateTime &at);
    qint64 usageCount() const { return m_usageCount; }
    void setUsageCount(qint64 count);
    bool isHidden() const { return m_isHidden; }
    void setHidden(bool on);

Q_SIGNALS:
    void targetIDChanged();
    void promptChanged();
    void categoryChanged();
    void isFavoriteChanged();
    void lastUsedAtChanged();
    void usageCountChanged();
    void isHiddenChanged();

protected:
    void nullifyRelationships() override;
    QList<PersistentModel *> linkedObjects() const override;

private:
    friend class Prompt;
    friend class PromptCategory;
    friend class StoreRepository;
    template <typename, auto, auto> friend struct UserAttributeLink;
    QUuid m_targetID;
    Prompt *m_prompt = nullptr;
    PromptCategory *m_category = nullptr;
    bool m_isFavorite = false;
    QDateTime m_lastUsedAt;
    qint64 m_usageCount = 0;
    bool m_isHidden = false;
};
