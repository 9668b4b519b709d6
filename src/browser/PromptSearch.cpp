#include "PromptSearch.h"

#include "ModelContext.h"
#include "NameCollator.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "SearchText.h"
#include "UserAttribute.h"
#include "UuidKeys.h"

#include <QElapsedTimer>
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
    prepare(std::nullopt);
}

bool PromptSearch::prepare(std::optional<std::chrono::milliseconds> budget)
{
    QElapsedTimer clock;
    clock.start();
    // A pass the store changed under is of no use any more.
    if (m_pass && m_pass->revision != m_context.revision())
        m_pass.reset();
    if (!m_pass && !beginPass())
        return true; // nothing changed
    Pass &pass = *m_pass;
    const qsizetype count = pass.prompts.size();
    std::vector<Copy> &copies = pass.listChanged ? pass.copies : m_copies;
    std::vector<quint32> labels;
    for (qsizetype read = 1; pass.next < count; ++pass.next, ++read) {
        // The clock is read now and then: it costs more than a prompt.
        if (budget && read % 512 == 0 && clock.elapsed() >= budget->count())
            return false;
        const qsizetype i = pass.next;
        const Prompt *prompt = pass.prompts.at(i);
        Copy &copy = copies[size_t(i)];
        labels.clear();
        for (const PromptCategory *category : prompt->categories())
            labels.push_back(pass.labelIds.value(category));
        for (const PromptTag *tag : prompt->tags())
            labels.push_back(pass.labelIds.value(tag));
        const QString title = prompt->title();
        const QString description = prompt->promptDescription();
        if (!sameText(copy.title, title) || !sameText(copy.description, description) || copy.labels != labels) {
            copy.title = title;
            copy.description = description;
            copy.labels = labels;
            m_textChanged = true;
        }
        if (pass.gathers)
            pass.sources.push_back({copy.title, copy.description, copy.labels});
        // A changed template matters only to an index that was given the templates.
        if (copy.templateRevision != prompt->templateRevision()) {
            copy.templateRevision = prompt->templateRevision();
            m_textChanged = m_textChanged || (m_index && m_index->hasTemplates());
        }
        SearchState &entry = (*pass.state)[size_t(i)];
        entry.active = prompt->isActive();
        entry.favorite = prompt->isFavorite();
        entry.uses = prompt->usageCount();
        const UserAttribute *attribute = prompt->attributes();
        if (attribute && attribute->lastUsedAt().isValid())
            entry.lastUsed = attribute->lastUsedAt().toMSecsSinceEpoch();
        const QUuid id = prompt->id();
        entry.hidden = !pass.hidden.empty() && pass.hidden.contains(id);
        entry.duplicate = !pass.seen.insert(id).second;
    }
    endPass();
    return true;
}

bool PromptSearch::beginPass()
{
    if (m_index && m_readRevision == m_context.revision())
        return false;
    auto pass = std::make_unique<Pass>();
    pass->revision = m_context.revision();
    pass->prompts = m_context.fetch<Prompt>();
    pass->listChanged = pass->prompts != m_prompts;

    // Category and tag names are labels of their prompts.
    for (const PromptCategory *category : m_context.fetch<PromptCategory>()) {
        pass->labelIds.insert(category, quint32(pass->labelNames.size()));
        pass->labelNames.append(category->name());
        pass->labelObjects.append(category);
    }
    for (const PromptTag *tag : m_context.fetch<PromptTag>()) {
        pass->labelIds.insert(tag, quint32(pass->labelNames.size()));
        pass->labelNames.append(tag->name());
        pass->labelObjects.append(tag);
    }
    if (pass->listChanged || !m_index || pass->labelNames != m_labelNames || pass->labelObjects != m_labelObjects)
        m_textChanged = true;
    if (pass->listChanged)
        pass->copies.assign(size_t(pass->prompts.size()), Copy{});
    pass->gathers = m_textChanged;
    if (pass->gathers)
        pass->sources.reserve(size_t(pass->prompts.size()));
    pass->state = std::make_shared<std::vector<SearchState>>(size_t(pass->prompts.size()));
    // Hidden is decided by the user records themselves, so a hidden record whose link to its
    // prompt was lost still hides the prompt of that id.
    for (const UserAttribute *attribute : m_context.fetch<UserAttribute>()) {
        if (attribute->isHidden())
            pass->hidden.insert(attribute->targetID());
    }
    pass->seen.reserve(size_t(pass->prompts.size()));
    m_pass = std::move(pass);
    return true;
}

void PromptSearch::endPass()
{
    std::unique_ptr<Pass> pass = std::move(m_pass);
    if (pass->listChanged) {
        m_prompts = pass->prompts;
        m_copies = std::move(pass->copies);
    }
    m_labelNames = pass->labelNames;
    m_labelObjects = pass->labelObjects;
    m_state = std::move(pass->state);
    m_readRevision = pass->revision;
    if (m_textChanged) {
        m_textChanged = false;
        std::vector<SearchIndex::Source> sources = std::move(pass->sources);
        if (!pass->gathers) {
            sources.reserve(m_copies.size());
            for (const Copy &copy : m_copies)
                sources.push_back({copy.title, copy.description, copy.labels});
        }
        m_index = std::make_shared<const SearchIndex>(std::move(sources), m_labelNames);
        ++m_generation;
        ++m_indexBuilds;
    }
}

bool PromptSearch::isCurrent() const
{
    return m_index && !m_pass && m_readRevision == m_context.revision();
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
    // With the store unchanged since the prompts were read none of them is deleted: a large
    // result need not touch every prompt it names (each one a cache miss).
    const bool unchanged = m_readRevision == m_context.revision();
    for (quint32 position : positions) {
        Prompt *prompt = m_prompts.value(qsizetype(position));
        if (prompt && (unchanged || !prompt->isDeleted()))
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
