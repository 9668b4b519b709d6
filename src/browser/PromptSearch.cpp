#include "PromptSearch.h"

#include "ModelContext.h"
#include "NameCollator.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "SearchText.h"
#include "UserAttribute.h"
#include "UuidKeys.h"

#include <QHash>
#include <QLocale>
#include <QSet>
#include <QtDebug>

namespace {
// True when the copy still stands for the current text. Sharing the same data is the usual
// case and costs one comparison; literals and empty texts share nothing and are compared.
bool sameText(const QString &copy, const QString &current)
{
    return copy.isSharedWith(current) || copy == current;
}
} // namespace

PromptSearch::PromptSearch(ModelContext &context) : m_context(context)
{
    // Any change marks the store as having changes at once, and a save ends that state;
    // these two signals therefore cover every change between two searches.
    const auto stale = [this] { m_stale = true; };
    QObject::connect(&context, &ModelContext::saved, &m_receiver, stale);
    QObject::connect(&context, &ModelContext::objectsChanged, &m_receiver, stale);
}

QString PromptSearch::fold(const QString &text)
{
    return SearchText::fold(text);
}

QStringList PromptSearch::terms(const QString &searchText)
{
    return SearchText::terms(searchText);
}

QCollator PromptSearch::titleCollator()
{
    return NameCollator::collator();
}

void PromptSearch::refresh()
{
    const QList<Prompt *> prompts = m_context.fetch<Prompt>();
    const bool listChanged = prompts != m_prompts;
    if (!listChanged && !m_stale && !m_context.hasChanges() && m_index)
        return;
    m_stale = false;

    // Category and tag names are labels of their prompts.
    QStringList labelNames;
    QList<const void *> labelObjects;
    QHash<const void *, quint32> labelIds;
    for (const PromptCategory *category : m_context.fetch<PromptCategory>()) {
        labelIds.insert(category, quint32(labelNames.size()));
        labelNames.append(category->name());
        labelObjects.append(category);
    }
    for (const PromptTag *tag : m_context.fetch<PromptTag>()) {
        labelIds.insert(tag, quint32(labelNames.size()));
        labelNames.append(tag->name());
        labelObjects.append(tag);
    }
    bool textChanged = listChanged || !m_index || labelNames != m_labelNames || labelObjects != m_labelObjects;
    if (listChanged) {
        m_copies.assign(size_t(prompts.size()), Copy{});
        m_prompts = prompts;
    }
    m_labelNames = labelNames;
    m_labelObjects = labelObjects;

    auto state = std::make_shared<std::vector<SearchState>>(size_t(prompts.size()));
    QList<QUuid> ids;
    ids.reserve(prompts.size());
    std::vector<quint32> labels;
    for (qsizetype i = 0; i < prompts.size(); ++i) {
        const Prompt *prompt = prompts.at(i);
        Copy &copy = m_copies[size_t(i)];
        labels.clear();
        for (const PromptCategory *category : prompt->categories())
            labels.push_back(labelIds.value(category));
        for (const PromptTag *tag : prompt->tags())
            labels.push_back(labelIds.value(tag));
        const QString title = prompt->title();
        const QString description = prompt->promptDescription();
        if (!sameText(copy.title, title) || !sameText(copy.description, description) || copy.labels != labels) {
            copy.title = title;
            copy.description = description;
            copy.labels = labels;
            textChanged = true;
        }
        // A changed template matters only to an index that was given the templates.
        if (copy.templateRevision != prompt->templateRevision()) {
            copy.templateRevision = prompt->templateRevision();
            textChanged = textChanged || (m_index && m_index->hasTemplates());
        }
        SearchState &entry = (*state)[size_t(i)];
        entry.active = prompt->isActive();
        entry.favorite = prompt->isFavorite();
        entry.uses = prompt->usageCount();
        const UserAttribute *attribute = prompt->attributes();
        if (attribute && attribute->lastUsedAt().isValid())
            entry.lastUsed = attribute->lastUsedAt().toMSecsSinceEpoch();
        ids.append(prompt->id());
    }

    // Hidden is decided by the user records themselves, so a hidden record whose link to its
    // prompt was lost still hides the prompt of that id.
    UuidSet hidden;
    for (const UserAttribute *attribute : m_context.fetch<UserAttribute>()) {
        if (attribute->isHidden())
            hidden.insert(attribute->targetID());
    }
    UuidSet seen;
    seen.reserve(size_t(ids.size()));
    for (qsizetype i = 0; i < ids.size(); ++i) {
        SearchState &entry = (*state)[size_t(i)];
        entry.hidden = !hidden.empty() && hidden.contains(ids.at(i));
        entry.duplicate = !seen.insert(ids.at(i)).second;
    }
    m_state = std::move(state);

    if (textChanged) {
        std::vector<SearchIndex::Source> sources;
        sources.reserve(m_copies.size());
        for (const Copy &copy : m_copies)
            sources.push_back({copy.title, copy.description, copy.labels});
        m_index = std::make_shared<const SearchIndex>(std::move(sources), labelNames);
        ++m_generation;
        ++m_indexBuilds;
    }
}

bool PromptSearch::isCurrent() const
{
    return m_index && !m_stale && !m_context.hasChanges();
}

SearchQuery PromptSearch::query(const QString &searchText, const Options &options)
{
    refresh();
    if (options.searchTemplate && !m_index->hasTemplates()) {
        QString error;
        QStringList templates = m_context.templates(m_prompts, &error);
        if (!error.isEmpty())
            qWarning().noquote() << "Reading the templates to search failed:" << error; // untranslated: log line
        m_index->setTemplates(std::move(templates));
    }
    return SearchQuery(m_index, m_state, m_generation, searchText, options);
}

QList<Prompt *> PromptSearch::prompts(const SearchResults &results, const std::vector<quint32> &positions) const
{
    QList<Prompt *> out;
    if (results.generation != m_generation)
        return out;
    out.reserve(qsizetype(positions.size()));
    for (quint32 position : positions) {
        Prompt *prompt = m_prompts.value(qsizetype(position));
        if (prompt && !prompt->isDeleted())
            out.append(prompt);
    }
    return out;
}

PromptSearch::Found PromptSearch::find(const QString &searchText, const Options &options)
{
    Found found;
    found.results = query(searchText, options).run();
    found.matches = prompts(found.results, found.results.matches);
    found.close = prompts(found.results, found.results.close);
    found.closest = prompts(found.results, found.results.closest);
    return found;
}

QList<Prompt *> PromptSearch::search(const QString &searchText, const Options &options)
{
    return find(searchText, options).matches;
}

QList<Prompt *> PromptSearch::shown(const Options &options)
{
    return find(QString(), options).matches;
}
