#pragma once

#include "TemplateValidationError.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class ModelContext;

// The "Validate Templates" flow of the settings: the sheet opens at once with "Validating...",
// the check runs after the current event, and its findings open their prompt in the editor.
class TemplateValidationViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by SettingsViewModel")
    Q_PROPERTY(bool isPresented READ isPresented NOTIFY isPresentedChanged)
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
    // One map per finding: promptTitle, error, prompt (null once the prompt is deleted).
    Q_PROPERTY(QVariantList errors READ errors NOTIFY errorsChanged)
    Q_PROPERTY(bool hasErrors READ hasErrors NOTIFY errorsChanged)
    Q_PROPERTY(QObject *editingPrompt READ editingPrompt NOTIFY editingPromptChanged)

public:
    explicit TemplateValidationViewModel(ModelContext *context, QObject *parent = nullptr);

    bool isPresented() const { return m_isPresented; }
    QString message() const { return m_message; }
    QVariantList errors() const;
    bool hasErrors() const { return !m_errors.isEmpty(); }
    const QList<TemplateValidationError> &findings() const { return m_errors; }
    QObject *editingPrompt() const;

    // Opens the sheet and schedules the check; the earlier findings stay until it is done.
    Q_INVOKABLE void start();
    // The check itself (what start() schedules).
    void run();
    Q_INVOKABLE void close();
    // Opens the prompt of the finding at this position in the editor.
    Q_INVOKABLE void edit(int index);
    Q_INVOKABLE void finishEditing();

    static QString summary(qsizetype checked, qsizetype issues);

Q_SIGNALS:
    void isPresentedChanged();
    void messageChanged();
    void errorsChanged();
    void editingPromptChanged();

private:
    void setMessage(const QString &message);
    void setErrors(QList<TemplateValidationError> errors);

    QPointer<ModelContext> m_context;
    bool m_isPresented = false;
    QString m_message;
    QList<TemplateValidationError> m_errors;
    QPointer<Prompt> m_editingPrompt;
};
