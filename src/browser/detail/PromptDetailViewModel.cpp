#include "PromptDetailViewModel.h"

#include "DataController.h"
#include "FormViewModel.h"
#include "ModelContext.h"
#include "NameCollator.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QLocale>

#include <algorithm>

namespace {
template <class T> void sortByName(QList<T *> &items)
{
    NameCollator::sort(items, [](const T *item) { return item->name(); });
}

QVariantMap choice(const QString &name, bool assigned)
{
    return {{QStringLiteral("name"), name}, {QStringLiteral("assigned"), assigned}};
}
} // namespace

PromptDetailViewModel::PromptDetailViewModel(QObject *parent)
    : PromptDetailViewModel(DataController::shared()->mainContext(), UserDefaults::standard(), parent)
{
}

PromptDetailViewModel::PromptDetailViewModel(ModelContext *context, UserDefaults *defaults,
                                             QObject *parent)
    : QObject(parent), m_context(context), m_defaults(defaults),
      m_formModel(new FormViewModel(context, defaults, this)),
      m_form(new FormGeneratorViewModel(m_formModel, defaults, this)),
      m_preview(new PreviewImageProbe(defaults, this))
{
    connect(m_form, &FormGeneratorViewModel::finished, this, &PromptDetailViewModel::finished);
    if (defaults)
        connect(defaults, &UserDefaults::valueChanged, this, [this](const QString &key) {
            if (key == QLatin1String(AdminKey))
                Q_EMIT isAdminModeChanged();
        });
    // New or renamed categories and tags change the add menus.
    if (context)
        connect(context, &ModelContext::objectsChanged, this,
                &PromptDetailViewModel::assignmentsChanged);
}

PromptDetailViewModel::~PromptDetailViewModel() = default;

QObject *PromptDetailViewModel::promptObject() const
{
    return m_prompt.data();
}

void PromptDetailViewModel::setPromptObject(QObject *object)
{
    setPrompt(qobject_cast<Prompt *>(object));
}

void PromptDetailViewModel::setPrompt(Prompt *prompt)
{
    if (prompt == m_prompt)
        return;
    const QUuid previousId = m_prompt ? m_prompt->id() : QUuid();
    if (m_prompt)
        disconnect(m_prompt, nullptr, this, nullptr);
    m_prompt = prompt;
    if (prompt) {
        for (auto signal : {&Prompt::titleChanged, &Prompt::promptDescriptionChanged,
                            &Prompt::updatedAtChanged, &Prompt::usageCountChanged,
                            &Prompt::isFavoriteChanged, &Prompt::isHiddenChanged})
            connect(prompt, signal, this, &PromptDetailViewModel::headerChanged);
        connect(prompt, &Prompt::categoriesChanged, this, &PromptDetailViewModel::assignmentsChanged);
        connect(prompt, &Prompt::tagsChanged, this, &PromptDetailViewModel::assignmentsChanged);
        // A template saved from the editor shows in the form at once; the inputs entered so
        // far are remembered per label, so they come back.
        connect(prompt, &Prompt::templateChanged, this, [this] {
            if (m_appeared)
                setup();
        });
        connect(prompt, &QObject::destroyed, this, [this] {
            Q_EMIT promptChanged();
            Q_EMIT headerChanged();
            Q_EMIT assignmentsChanged();
        });
    }
    Q_EMIT promptChanged();
    Q_EMIT headerChanged();
    Q_EMIT assignmentsChanged();
    if (m_appeared && (!prompt || prompt->id() != previousId)) {
        setup();
        m_preview->probe(prompt ? prompt->id() : QUuid());
    }
}

bool PromptDetailViewModel::isAdminMode() const
{
    return m_defaults && m_defaults->boolValue(AdminKey, false);
}

QString PromptDetailViewModel::title() const
{
    return m_prompt ? m_prompt->title() : QString();
}

QString PromptDetailViewModel::promptDescription() const
{
    return m_prompt ? m_prompt->promptDescription() : QString();
}

QString PromptDetailViewModel::updatedText() const
{
    if (!m_prompt)
        return QString();
    //: When the prompt last changed; %1 is the date and time in the user's format.
    return tr("Updated: %1").arg(dateTimeText(m_prompt->updatedAt(), QLocale()));
}

QString PromptDetailViewModel::usesText() const
{
    //: How often the prompt was used.
    return tr("Uses: %1").arg(QLocale().toString(m_prompt ? m_prompt->usageCount() : 0));
}

bool PromptDetailViewModel::isFavorite() const
{
    return m_prompt && m_prompt->isFavorite();
}

bool PromptDetailViewModel::isHidden() const
{
    return m_prompt && m_prompt->isHidden();
}

QString PromptDetailViewModel::favoriteSymbol() const
{
    return isFavorite() ? QStringLiteral("star.fill") : QStringLiteral("star");
}

QString PromptDetailViewModel::favoriteHelp() const
{
    return isFavorite() ? tr("Unmark as favorite") : tr("Mark as favorite");
}

QString PromptDetailViewModel::hiddenSymbol() const
{
    return isHidden() ? QStringLiteral("eye.slash") : QStringLiteral("eye");
}

QString PromptDetailViewModel::hiddenHelp() const
{
    return isHidden() ? tr("Show prompt in list") : tr("Hide the Prompt from the list");
}

QStringList PromptDetailViewModel::categoryNames() const
{
    QStringList names;
    if (m_prompt)
        for (const PromptCategory *category : m_prompt->categories())
            names.append(category->name());
    return names;
}

QStringList PromptDetailViewModel::tagNames() const
{
    QStringList names;
    if (m_prompt)
        for (const PromptTag *tag : m_prompt->tags())
            names.append(tag->name());
    return names;
}

QList<PromptCategory *> PromptDetailViewModel::sortedCategories() const
{
    QList<PromptCategory *> categories;
    if (m_context)
        categories = m_context->fetch<PromptCategory>();
    sortByName(categories);
    return categories;
}

QList<PromptTag *> PromptDetailViewModel::sortedTags() const
{
    QList<PromptTag *> tags;
    if (m_context)
        tags = m_context->fetch<PromptTag>();
    sortByName(tags);
    return tags;
}

QVariantList PromptDetailViewModel::categoryChoices() const
{
    QVariantList choices;
    for (const PromptCategory *category : sortedCategories()) {
        const bool assigned =
            m_prompt && std::any_of(m_prompt->categories().cbegin(), m_prompt->categories().cend(),
                                    [category](const PromptCategory *c) { return c->id() == category->id(); });
        choices.append(choice(category->name(), assigned));
    }
    return choices;
}

QVariantList PromptDetailViewModel::tagChoices() const
{
    QVariantList choices;
    for (const PromptTag *tag : sortedTags()) {
        const bool assigned =
            m_prompt && std::any_of(m_prompt->tags().cbegin(), m_prompt->tags().cend(),
                                    [tag](const PromptTag *t) { return t->name() == tag->name(); });
        choices.append(choice(tag->name(), assigned));
    }
    return choices;
}

void PromptDetailViewModel::appear()
{
    m_appeared = true;
    setup();
    m_form->appear();
    m_preview->probe(m_prompt ? m_prompt->id() : QUuid());
}

void PromptDetailViewModel::setup()
{
    if (m_prompt)
        m_formModel->setup(m_prompt->templateText(), m_prompt->id());
    else
        m_formModel->setup(QString(), QUuid());
}

bool PromptDetailViewModel::copyPrompt()
{
    if (!m_form->copyToClipboard())
        return false;
    Q_EMIT copied();
    return true;
}

void PromptDetailViewModel::toggleFavorite()
{
    if (m_prompt) {
        UserAttribute *attribute = m_prompt->ensureAttribute();
        attribute->setFavorite(!attribute->isFavorite());
    }
}

void PromptDetailViewModel::toggleHidden()
{
    if (m_prompt) {
        UserAttribute *attribute = m_prompt->ensureAttribute();
        attribute->setHidden(!attribute->isHidden());
    }
}

void PromptDetailViewModel::addCategory(int choice)
{
    const QList<PromptCategory *> categories = sortedCategories();
    if (!m_prompt || choice < 0 || choice >= categories.size())
        return;
    PromptCategory *category = categories.at(choice);
    for (const PromptCategory *assigned : m_prompt->categories())
        if (assigned->id() == category->id())
            return;
    m_prompt->addCategory(category);
}

void PromptDetailViewModel::addTag(int choice)
{
    const QList<PromptTag *> tags = sortedTags();
    if (!m_prompt || choice < 0 || choice >= tags.size())
        return;
    PromptTag *tag = tags.at(choice);
    for (const PromptTag *assigned : m_prompt->tags())
        if (assigned->name() == tag->name())
            return;
    m_prompt->addTag(tag);
}

QString PromptDetailViewModel::dateTimeText(const QDateTime &at, const QLocale &locale)
{
    if (!at.isValid())
        return QString();
    const QDateTime local = at.toLocalTime();
    // The C locale's short time keeps the seconds; a session without a language setting
    // reads times the way English does.
    const QLocale timeLocale = locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : locale;
    return TemplateForm::mediumDate(local.date(), locale) + QStringLiteral(", ") +
           timeLocale.toString(local.time(), QLocale::ShortFormat);
}
