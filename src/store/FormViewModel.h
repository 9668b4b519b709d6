#pragma once

#include "Prompt.h"
#include "TemplateForm.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QUuid>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

class ModelContext;
class UserDefaults;

// The fill-in form of one stored prompt: the template form over the prompt's text, its tag
// suffixes and the store's global lists, with each entry remembered per prompt and label
// in the user defaults, and the prompt's title, usage and update date for the view.
class FormViewModel : public QObject {
    Q_OBJECT
    Q_PROPERTY(QVariantMap inputs READ inputsMap NOTIFY inputsChanged)
    Q_PROPERTY(int variableCount READ variableCount NOTIFY variablesChanged)
    Q_PROPERTY(QVariantList variables READ variableList NOTIFY variablesChanged)
    Q_PROPERTY(QVariantMap sortStates READ sortStatesMap NOTIFY sortStatesChanged)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString updatedString READ updatedString NOTIFY updatedStringChanged)
    Q_PROPERTY(qint64 usageCount READ usageCount NOTIFY usageCountChanged)

public:
    using PreviewSegment = TemplateForm::PreviewSegment;

    static constexpr const char *TagTextSuffixKey = "tag_text_suffix";
    static constexpr const char *DefaultTagTextSuffix = "The output shall be in {{language: [languages]}}."; // untranslated: prompt text
    // Stores the default suffix of the tag "text" unless the key already holds a string.
    static void seedTagTextSuffix(UserDefaults *defaults);

    // Without a context there is no prompt and no stored global list; without defaults
    // nothing is remembered, read or written (tag suffixes included).
    explicit FormViewModel(ModelContext *context, UserDefaults *defaults,
                           QObject *parent = nullptr);

    // Loads the prompt (a null id means none), appends its tag suffixes, parses the text
    // against the store's global lists and fills every field.
    Q_INVOKABLE void setup(const QString &templateText, const QUuid &promptId);
    // The same with the global lists given by the caller instead of read from the store.
    void setup(const QString &templateText, const QUuid &promptId,
               const PromptParser::GlobalMap &globals);
    // Fetches the prompt and takes its title, usage count and update date.
    void load(const QUuid &promptId);

    // One message per field that cannot be used yet; empty when the form is complete.
    Q_INVOKABLE QStringList validate() const;
    // The message of one field, empty when its value can be used.
    QString message(const QString &label) const;
    QList<PreviewSegment> previewSegments() const;
    Q_INVOKABLE QVariantList previewSegmentList() const;
    Q_INVOKABLE QString generatedPrompt() const;
    // Counts one use of the prompt and of each of its categories and saves.
    Q_INVOKABLE void recordUsage();

    // Text binding of one field: the entry, or "" when there is none.
    Q_INVOKABLE QString value(const QString &label) const;
    Q_INVOKABLE void setValue(const QString &label, const QString &text);
    // Number binding: 0 when the entry does not read as a number; written with "%g".
    Q_INVOKABLE double numberValue(const QString &label) const;
    Q_INVOKABLE void setNumberValue(const QString &label, double number);
    // Date binding: the current time when the entry is no ISO 8601 date-time; written in UTC.
    Q_INVOKABLE QDateTime dateValue(const QString &label) const;
    Q_INVOKABLE void setDateValue(const QString &label, const QDateTime &date);

    // Entries are remembered as they are made. A caller that may still turn them down (the
    // command line, when the form does not validate) holds them back, then remembers them
    // once they are accepted.
    void holdBackEntries() { m_holdBack = true; }
    void rememberEntries();

    Q_INVOKABLE bool sortState(const QString &label) const { return m_sortStates.value(label); }
    Q_INVOKABLE void setSortState(const QString &label, bool sorted);

    // Where the last value of a field is remembered: "<PROMPT UUID>-<label>", or the label
    // alone when there is no prompt, with "%", "/" and "\\" escaped as %25, %2F and %5C:
    // the settings read those two as group separators, which would let "a/b" and "a//b"
    // share one value.
    QString storageKey(const QString &label) const;
    // The key the value was remembered under before labels were escaped; read as a fallback.
    QString legacyStorageKey(const QString &label) const;

    const QMap<QString, QString> &inputs() const { return m_form.inputs(); }
    QVariantMap inputsMap() const;
    const QList<ParsedPromptVariable> &variables() const { return m_form.variables(); }
    int variableCount() const { return int(m_form.variables().size()); }
    QVariantList variableList() const;
    QVariantMap sortStatesMap() const;
    QString title() const { return m_title; }
    QString updatedString() const { return m_updatedString; }
    qint64 usageCount() const { return m_usageCount; }
    QString templateText() const { return m_form.templateText(); }
    std::optional<QUuid> promptId() const { return m_promptId; }
    Prompt *prompt() const { return m_prompt; }

    // The store's global lists by key; where two share a key the first stored wins.
    static PromptParser::GlobalMap storeGlobals(ModelContext *context);

Q_SIGNALS:
    void inputsChanged();
    void variablesChanged();
    void sortStatesChanged();
    void titleChanged();
    void updatedStringChanged();
    void usageCountChanged();

private:
    void fill(const QString &templateText, const QUuid &promptId,
              const PromptParser::GlobalMap &globals);
    void store(const QString &label, const QString &text);
    std::optional<QString> remembered(const QString &label) const;

    ModelContext *m_context = nullptr;
    QPointer<UserDefaults> m_defaults;

    TemplateForm m_form;
    QMap<QString, bool> m_sortStates;
    QString m_title;
    QString m_updatedString;
    qint64 m_usageCount = 0;
    std::optional<QUuid> m_promptId;
    QPointer<Prompt> m_prompt;
    bool m_holdBack = false;
    QSet<QString> m_heldBack;
};
