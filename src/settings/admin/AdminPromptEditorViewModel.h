#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include "Prompt.h"

class ModelContext;
class UserDefaults;

// The inline category and tag strip under a prompt row in administration mode: the chips of
// the assigned items, the choices of the two add menus, and the changes, each written to the
// prompt at once with a fresh updatedAt.
class AdminPromptEditorViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QObject *prompt READ promptObject WRITE setPromptObject NOTIFY promptChanged)
    Q_PROPERTY(QList<QObject *> categories READ categories NOTIFY categoriesChanged)
    Q_PROPERTY(QList<QObject *> tags READ tags NOTIFY tagsChanged)

public:
    // English; shown through tr().
    static constexpr const char *NoCategoriesText = QT_TR_NOOP("No categories available");
    static constexpr const char *NoTagsText = QT_TR_NOOP("No tags available");

    explicit AdminPromptEditorViewModel(QObject *parent = nullptr);
    AdminPromptEditorViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent = nullptr);

    Prompt *prompt() const { return m_prompt.data(); }
    void setPrompt(Prompt *prompt);
    QObject *promptObject() const;
    void setPromptObject(QObject *prompt);

    // The assigned items, in the prompt's order.
    QList<QObject *> categories() const;
    QList<QObject *> tags() const;

    // The entries of the add menus: every category (tag) of the store by name, without the
    // ones already assigned.
    Q_INVOKABLE QList<QObject *> categoryChoices() const;
    Q_INVOKABLE QList<QObject *> tagChoices() const;
    // The one line an add menu shows when the store has no categories (tags) at all;
    // empty when it has some, even if all of them are assigned.
    Q_INVOKABLE QString categoryMenuText() const;
    Q_INVOKABLE QString tagMenuText() const;

    Q_INVOKABLE void addCategory(QObject *category);
    Q_INVOKABLE void removeCategory(QObject *category);
    Q_INVOKABLE void addTag(QObject *tag);
    Q_INVOKABLE void removeTag(QObject *tag);

Q_SIGNALS:
    void promptChanged();
    void categoriesChanged();
    void tagsChanged();

private:
    void touch();

    QPointer<ModelContext> m_context;
    QPointer<Prompt> m_prompt;
};
