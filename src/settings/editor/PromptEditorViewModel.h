#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <functional>

class ModelContext;
#include "Prompt.h"
class PromptGlobalVariable;
class UserDefaults;

// The full editor of one prompt: copies of its title, description and template that reach
// the prompt only on save, and the palette of global lists whose snippets go to the
// clipboard.
class PromptEditorViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QObject *prompt READ promptObject WRITE setPromptObject NOTIFY promptChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString description READ description WRITE setDescription NOTIFY descriptionChanged)
    Q_PROPERTY(QString template READ templateText WRITE setTemplateText NOTIFY templateChanged)
    // One entry per global list, by key: {key, snippet, help, values (the first ten)}.
    Q_PROPERTY(QVariantList variables READ variables NOTIFY variablesChanged)

public:
    static constexpr int PreviewValueCount = 10;
    using BackupAction = std::function<void()>;

    // Over the shared store (the view's own instance).
    explicit PromptEditorViewModel(QObject *parent = nullptr);
    PromptEditorViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent = nullptr);
    ~PromptEditorViewModel() override;

    QObject *promptObject() const;
    Prompt *prompt() const { return m_prompt; }
    void setPromptObject(QObject *object);
    // Takes the prompt's current texts as the starting copies.
    void setPrompt(Prompt *prompt);

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    QString description() const { return m_description; }
    void setDescription(const QString &description);
    QString templateText() const { return m_template; }
    void setTemplateText(const QString &text);
    QVariantList variables() const;

    // "frontend_frameworks" reads "Frontend Frameworks".
    static QString labelForKey(const QString &key);
    // "{{Frontend Frameworks: [frontend_frameworks]}}"
    static QString snippetForKey(const QString &key);
    // The first ten values, one per line.
    static QString helpForValues(const QStringList &values);

    // Puts the key's snippet on the clipboard; copied() shows the confirmation.
    Q_INVOKABLE void copySnippet(const QString &key);
    // Writes the three texts and the update time to the prompt, closes, and backs the
    // library up after the current event.
    Q_INVOKABLE void save();
    // Closes without touching the prompt.
    Q_INVOKABLE void cancel();

    // What runs after a save (the store's backup); replaced by tests.
    void setBackupAction(BackupAction action) { m_backup = std::move(action); }

Q_SIGNALS:
    void promptChanged();
    void titleChanged();
    void descriptionChanged();
    void templateChanged();
    void variablesChanged();
    void copied();
    void closed();

private:
    QList<PromptGlobalVariable *> sortedVariables() const;

    ModelContext *m_context = nullptr;
    QPointer<Prompt> m_prompt;
    QString m_title;
    QString m_description;
    QString m_template;
    BackupAction m_backup;
};
