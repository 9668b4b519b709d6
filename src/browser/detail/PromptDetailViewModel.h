#pragma once

#include "FormGeneratorViewModel.h"
#include "PreviewImageProbe.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class FormViewModel;
class ModelContext;
#include "Prompt.h"
class PromptCategory;
class PromptTag;
class UserDefaults;

// The prompt detail: its header (texts, chips, the icon buttons and what they do), the
// copy from the header, the preview-image probe and the administration add menus. The
// form under the header is `form`.
class PromptDetailViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QObject *prompt READ promptObject WRITE setPromptObject NOTIFY promptChanged)
    Q_PROPERTY(FormGeneratorViewModel *form READ form CONSTANT)
    Q_PROPERTY(PreviewImageProbe *preview READ preview CONSTANT)
    Q_PROPERTY(bool isAdminMode READ isAdminMode NOTIFY isAdminModeChanged)
    Q_PROPERTY(QString title READ title NOTIFY headerChanged)
    Q_PROPERTY(QString promptDescription READ promptDescription NOTIFY headerChanged)
    Q_PROPERTY(QString updatedText READ updatedText NOTIFY headerChanged)
    Q_PROPERTY(QString usesText READ usesText NOTIFY headerChanged)
    Q_PROPERTY(bool isFavorite READ isFavorite NOTIFY headerChanged)
    Q_PROPERTY(bool isHidden READ isHidden NOTIFY headerChanged)
    Q_PROPERTY(QString favoriteSymbol READ favoriteSymbol NOTIFY headerChanged)
    Q_PROPERTY(QString favoriteHelp READ favoriteHelp NOTIFY headerChanged)
    Q_PROPERTY(QString hiddenSymbol READ hiddenSymbol NOTIFY headerChanged)
    Q_PROPERTY(QString hiddenHelp READ hiddenHelp NOTIFY headerChanged)
    Q_PROPERTY(QStringList categoryNames READ categoryNames NOTIFY assignmentsChanged)
    Q_PROPERTY(QStringList tagNames READ tagNames NOTIFY assignmentsChanged)
    Q_PROPERTY(QVariantList categoryChoices READ categoryChoices NOTIFY assignmentsChanged)
    Q_PROPERTY(QVariantList tagChoices READ tagChoices NOTIFY assignmentsChanged)

public:
    static constexpr const char *AdminKey = "isAdminMode";

    // Over the shared store and the user's settings (the view's own instance).
    explicit PromptDetailViewModel(QObject *parent = nullptr);
    PromptDetailViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent = nullptr);
    ~PromptDetailViewModel() override;

    QObject *promptObject() const;
    Prompt *prompt() const { return m_prompt; }
    void setPromptObject(QObject *object);
    void setPrompt(Prompt *prompt);

    FormViewModel *formModel() const { return m_formModel; }
    FormGeneratorViewModel *form() { return m_form; }
    PreviewImageProbe *preview() { return m_preview; }
    bool isAdminMode() const;

    QString title() const;
    QString promptDescription() const;
    QString updatedText() const;
    QString usesText() const;
    bool isFavorite() const;
    bool isHidden() const;
    QString favoriteSymbol() const;
    QString favoriteHelp() const;
    QString hiddenSymbol() const;
    QString hiddenHelp() const;
    QStringList categoryNames() const;
    QStringList tagNames() const;
    // Every category (tag) by name, each {name, assigned}; for the add menus.
    QVariantList categoryChoices() const;
    QVariantList tagChoices() const;

    // Called when the detail is shown: fills the form, counts the instructions, probes
    // for a preview image.
    Q_INVOKABLE void appear();
    // The header's copy: the panel stays open; copied() shows the confirmation.
    Q_INVOKABLE bool copyPrompt();
    Q_INVOKABLE void toggleFavorite();
    Q_INVOKABLE void toggleHidden();
    // Appends the category (tag) at this row of categoryChoices (tagChoices) unless the
    // prompt has it already; the update date stays as it is.
    Q_INVOKABLE void addCategory(int choice);
    Q_INVOKABLE void addTag(int choice);

    // "Jan 31, 2024, 3:45 PM" in US English.
    static QString dateTimeText(const QDateTime &at, const QLocale &locale);

Q_SIGNALS:
    void promptChanged();
    void isAdminModeChanged();
    void headerChanged();
    void assignmentsChanged();
    void copied();
    // After the form's copy: the clipboard holds the text and the use is counted.
    void finished();

private:
    void setup();
    QList<PromptCategory *> sortedCategories() const;
    QList<PromptTag *> sortedTags() const;

    ModelContext *m_context = nullptr;
    QPointer<UserDefaults> m_defaults;
    FormViewModel *m_formModel = nullptr;
    FormGeneratorViewModel *m_form = nullptr;
    PreviewImageProbe *m_preview = nullptr;
    QPointer<Prompt> m_prompt;
    bool m_appeared = false;
};
