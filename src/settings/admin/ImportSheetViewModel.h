#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>

class ModelContext;
class UserDefaults;

// The state of the JSON import sheet: the pasted text, and the one result line of the last
// "Save Prompts". The import itself is PromptImporter's.
class ImportSheetViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString jsonText READ jsonText WRITE setJsonText NOTIFY jsonTextChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY jsonTextChanged)
    Q_PROPERTY(QString errorMessage READ errorMessage NOTIFY resultChanged)
    Q_PROPERTY(QString successMessage READ successMessage NOTIFY resultChanged)

public:
    // Over the program's store; a save that wrote prompts makes a backup.
    explicit ImportSheetViewModel(QObject *parent = nullptr);
    ImportSheetViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent = nullptr);

    QString jsonText() const { return m_jsonText; }
    void setJsonText(const QString &text);
    bool canSave() const { return !m_jsonText.isEmpty(); }
    QString errorMessage() const { return m_errorMessage; }
    QString successMessage() const { return m_successMessage; }

    // Runs after a save that wrote at least one prompt.
    void setCreateBackup(std::function<void()> createBackup) { m_createBackup = std::move(createBackup); }

    // Imports the text. On success the editor empties for the next paste; on failure the
    // text stays so it can be corrected.
    Q_INVOKABLE void save();

Q_SIGNALS:
    void jsonTextChanged();
    void resultChanged();

private:
    QPointer<ModelContext> m_context;
    std::function<void()> m_createBackup;
    QString m_jsonText;
    QString m_errorMessage;
    QString m_successMessage;
};
