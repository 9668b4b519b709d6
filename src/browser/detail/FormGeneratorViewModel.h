#pragma once

#include "FormFieldModel.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

#include "FormViewModel.h"
class UserDefaults;

// The fill-in form under a prompt's header: its fields, the numbered validation messages,
// the rendered preview, the instruction block shown on the first ten appearances and the
// copy that ends the form.
class FormGeneratorViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the prompt detail")
    Q_PROPERTY(FormFieldModel *fields READ fields CONSTANT)
    Q_PROPERTY(QStringList messages READ messages NOTIFY messagesChanged)
    // The messages the user is shown: those of fields left, or all after a try to copy.
    Q_PROPERTY(QStringList numberedMessages READ numberedMessages NOTIFY messagesChanged)
    Q_PROPERTY(bool splitPreview READ splitPreview NOTIFY splitPreviewChanged)
    Q_PROPERTY(bool isValid READ isValid NOTIFY messagesChanged)
    Q_PROPERTY(QString previewText READ previewText NOTIFY previewTextChanged)
    Q_PROPERTY(bool showInstructions READ showInstructions NOTIFY showInstructionsChanged)
    Q_PROPERTY(QColor textColor MEMBER m_textColor WRITE setTextColor NOTIFY colorsChanged)
    Q_PROPERTY(QColor accentColor MEMBER m_accentColor WRITE setAccentColor NOTIFY colorsChanged)
    Q_PROPERTY(QColor missingColor MEMBER m_missingColor WRITE setMissingColor NOTIFY colorsChanged)

public:
    static constexpr const char *InstructionCountKey = "instructionShownCount";
    static constexpr int InstructionAppearances = 10;
    // From this many fields on, the preview stays on screen beside the fields.
    static constexpr int SplitFieldCount = 6;

    // One run of the preview as it is drawn.
    struct Run {
        enum class Style { Text, Value, Missing };
        QString text;
        Style style = Style::Text;
        bool operator==(const Run &other) const = default;
    };

    FormGeneratorViewModel(FormViewModel *form, UserDefaults *defaults, QObject *parent = nullptr);

    FormFieldModel *fields() { return &m_fields; }
    FormViewModel *form() const { return m_form; }
    QStringList messages() const { return m_messages; }
    QStringList numberedMessages() const;
    bool isValid() const { return m_messages.isEmpty(); }
    QString previewText() const { return m_previewText; }
    QList<Run> previewRuns() const;
    bool showInstructions() const { return m_showInstructions; }
    bool splitPreview() const { return m_fields.count() >= SplitFieldCount; }

    // Called once per appearance of the form: decides whether the instructions show this
    // time and counts the showing.
    Q_INVOKABLE void appear();
    // Validates, puts the rendered prompt on the clipboard and counts a use. False (and
    // nothing done) while a field still needs a value.
    Q_INVOKABLE bool copyToClipboard();
    // The form's own copy: the clipboard first, while the panel still has the focus, then
    // finished() so the panel can go back to the library and hide.
    Q_INVOKABLE bool copyAndFinish();
    // The copy asked for by the keyboard or by a click on the greyed copy button: copies and
    // finishes a complete form (returns -1); on an incomplete one shows every message and
    // returns the row of the first field to fix.
    Q_INVOKABLE int tryCopy();

    void setTextColor(const QColor &color);
    void setAccentColor(const QColor &color);
    void setMissingColor(const QColor &color);

Q_SIGNALS:
    void messagesChanged();
    void previewTextChanged();
    void showInstructionsChanged();
    void colorsChanged();
    void finished();
    void splitPreviewChanged();

private:
    void refresh();
    void renderPreview();

    QPointer<FormViewModel> m_form;
    QPointer<UserDefaults> m_defaults;
    FormFieldModel m_fields;
    QStringList m_messages;
    QStringList m_shownMessages;
    QString m_previewText;
    bool m_showInstructions = false;
    QColor m_textColor = QColor(255, 255, 255);
    QColor m_accentColor = QColor(191, 90, 242);
    QColor m_missingColor = QColor(255, 69, 58, 150);
};
