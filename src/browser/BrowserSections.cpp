#include "BrowserSections.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSearch.h"
#include "SearchHighlighter.h"
#include "UserAttribute.h"
#include "UuidKeys.h"

#include <QCollator>
#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <QHash>

#include <algorithm>
#include <memory>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
// Collation keys of titles, kept between builds: titles rarely change, and comparing two keys
// is a byte comparison where collating two titles is slow. Keys are found by the title's text
// buffer, which the cache holds on to, so a buffer seen again is the same text. Main thread only.
class TitleKeys {
public:
    const QCollatorSortKey &key(const QString &title)
    {
        auto it = m_keys.find(title.constData());
        if (it == m_keys.end())
            it = m_keys.emplace(title.constData(), Entry{title, m_collator.sortKey(title)}).first;
        return it->second.key;
    }
    // Keeps the cache from growing without bound as titles get edited.
    void trim(size_t liveTitles)
    {
        if (m_keys.size() > 2 * liveTitles + 1024)
            m_keys.clear();
    }
    static TitleKeys &shared()
    {
        static TitleKeys keys;
        return keys;
    }

private:
    struct Entry {
        QString text; // keeps the buffer alive, so its address is not reused for other text
        QCollatorSortKey key;
    };
    QCollator m_collator = PromptSearch::titleCollator();
    std::unordered_map<const QChar *, Entry> m_keys;
};

// The natural order of a snapshot of the titles, worked out on another thread: comparing two
// ranks is an integer comparison, where a large library's first build would otherwise collate
// every title and compare the keys. Found, as the keys are, by the title's text buffer, held
// here; a title changed since has no rank. Main thread only, except rank().
class TitleRanks {
public:
    // Equal titles share a rank. Any thread.
    static std::vector<quint32> rank(const QStringList &titles)
    {
        const QCollator collator = PromptSearch::titleCollator();
        std::vector<QCollatorSortKey> keys;
        keys.reserve(size_t(titles.size()));
        for (const QString &title : titles)
            keys.push_back(collator.sortKey(title));
        std::vector<quint32> order(keys.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&keys](quint32 a, quint32 b) { return keys[a].compare(keys[b]) < 0; });
        std::vector<quint32> out(keys.size());
        quint32 rank = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && keys[order[i - 1]].compare(keys[order[i]]) != 0)
                ++rank;
            out[order[i]] = rank;
        }
        return out;
    }
    void set(std::shared_ptr<const QStringList> titles, const std::vector<quint32> &ranks)
    {
        m_ranks.clear();
        m_ranks.reserve(ranks.size());
        for (qsizetype i = 0; i < titles->size(); ++i)
            m_ranks.emplace(titles->at(i).constData(), ranks[size_t(i)]);
        m_titles = std::move(titles);
    }
    std::optional<quint32> find(const QString &title) const
    {
        const auto it = m_ranks.find(title.constData());
        return it == m_ranks.end() ? std::nullopt : std::optional<quint32>(it->second);
    }
    // Let go once most titles have changed, like the keys.
    void trim(size_t liveTitles)
    {
        if (m_ranks.size() > 2 * liveTitles + 1024)
            set(std::make_shared<QStringList>(), {});
    }
    static TitleRanks &shared()
    {
        static TitleRanks ranks;
        return ranks;
    }

private:
    std::shared_ptr<const QStringList> m_titles;
    std::unordered_map<const QChar *, quint32> m_ranks;
};
} // namespace

const QUuid BrowserSections::HiddenPromptsId = QUuid::fromString(QStringLiteral("00000000-0000-0000-0000-000000000000"));
const QUuid BrowserSections::HiddenCategoriesId = QUuid::fromString(QStringLiteral("11111111-1111-1111-1111-111111111111"));
const QUuid BrowserSections::NewId = QUuid::fromString(QStringLiteral("22222222-2222-2222-2222-222222222222"));
const QUuid BrowserSections::UpdatedId = QUuid::fromString(QStringLiteral("33333333-3333-3333-3333-333333333333"));
const QUuid BrowserSections::FavoritesId = QUuid::fromString(QStringLiteral("44444444-4444-4444-4444-444444444444"));
const QUuid BrowserSections::LastUsedId = QUuid::fromString(QStringLiteral("55555555-5555-5555-5555-555555555555"));

bool BrowserSections::isShown(const Prompt *prompt, bool adminMode)
{
    return prompt->isActive() || adminMode;
}

void BrowserSections::sortByUsageThenTitle(QList<Prompt *> &prompts)
{
    struct Entry {
        Prompt *prompt;
        qint64 uses;
        quint32 rank;
        const QCollatorSortKey *title;
    };
    const TitleRanks &ranks = TitleRanks::shared();
    std::vector<Entry> entries;
    entries.reserve(size_t(prompts.size()));
    bool ranked = true;
    for (Prompt *p : std::as_const(prompts)) {
        const std::optional<quint32> rank = ranks.find(p->title());
        ranked = ranked && rank;
        entries.push_back({p, p->usageCount(), rank.value_or(0), nullptr});
    }
    // Ranks come from one snapshot of the titles: with a title that is not in it, every
    // title of the list is collated instead.
    if (!ranked) {
        TitleKeys &keys = TitleKeys::shared();
        for (Entry &entry : entries)
            entry.title = &keys.key(entry.prompt->title());
    }
    std::stable_sort(entries.begin(), entries.end(), [ranked](const Entry &a, const Entry &b) {
        if (a.uses != b.uses)
            return a.uses > b.uses;
        return ranked ? a.rank < b.rank : a.title->compare(*b.title) < 0;
    });
    for (size_t i = 0; i < entries.size(); ++i)
        prompts[qsizetype(i)] = entries[i].prompt;
}

void BrowserSections::prepareTitles(const ModelContext &context, QObject *guard, std::function<void()> done)
{
    // The titles are copied (their text is shared, not duplicated, and safe to read from
    // another thread); a prompt deleted or renamed meanwhile leaves nothing dangling.
    auto titles = std::make_shared<QStringList>();
    for (const Prompt *p : context.fetch<Prompt>())
        titles->append(p->title());
    QPointer<QObject> alive(guard);
    QThreadPool::globalInstance()->start([titles, alive, done = std::move(done)]() mutable {
        std::vector<quint32> ranks = TitleRanks::rank(*titles);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [titles = std::move(titles), ranks = std::move(ranks), alive, done = std::move(done)]() mutable {
                TitleRanks::shared().set(std::move(titles), ranks);
                if (alive && done)
                    done();
            },
            Qt::QueuedConnection);
    });
}

BrowserSections BrowserSections::build(const ModelContext &context, bool adminMode)
{
    return build(context, adminMode, true, std::nullopt);
}

BrowserSections BrowserSections::build(const ModelContext &context, bool adminMode, const std::optional<QUuid> &expanded)
{
    return build(context, adminMode, false, expanded);
}

BrowserSections BrowserSections::build(const ModelContext &context, bool adminMode, bool sortAll,
                                       const std::optional<QUuid> &expanded)
{
    BrowserSections out;
    const QList<UserAttribute *> attributes = context.fetch<UserAttribute>();
    UuidSet hiddenTargets;
    UuidMap<qint64> usageByTarget;
    for (UserAttribute *a : attributes) {
        if (a->isHidden())
            hiddenTargets.insert(a->targetID());
        if (a->usageCount() >= 1)
            usageByTarget[a->targetID()] = a->usageCount();
    }
    auto visible = [&](const Prompt *p) { return !hiddenTargets.contains(p->id()) && isShown(p, adminMode); };

    const QList<Prompt *> prompts = context.fetch<Prompt>();
    TitleKeys::shared().trim(size_t(prompts.size()));
    TitleRanks::shared().trim(size_t(prompts.size()));
    for (Prompt *p : prompts) {
        if (!visible(p))
            continue;
        if (p->isHot())
            out.hot.append(p);
        if (p->isNew())
            out.newPrompts.append(p);
        if (p->isUpdated())
            out.updatedPrompts.append(p);
    }

    // Favourites and often used: through the user records, one prompt per id, hot ones
    // already stand at the top.
    UuidSet seen;
    QList<UserAttribute *> recent;
    for (UserAttribute *a : attributes) {
        Prompt *p = a->prompt();
        if (a->isHidden() || hiddenTargets.contains(a->targetID()))
            continue;
        if (a->lastUsedAt().isValid())
            recent.append(a);
        if (!(a->isFavorite() || a->usageCount() > 0) || !p || p->isHot() || !isShown(p, adminMode))
            continue;
        if (seen.insert(p->id()).second)
            out.favorites.append(p);
    }
    std::stable_sort(out.favorites.begin(), out.favorites.end(), [](const Prompt *a, const Prompt *b) {
        if (a->isFavorite() != b->isFavorite())
            return a->isFavorite();
        return a->usageCount() > b->usageCount();
    });

    std::stable_sort(recent.begin(), recent.end(), [](const UserAttribute *a, const UserAttribute *b) {
        return a->lastUsedAt() > b->lastUsedAt();
    });
    for (UserAttribute *a : recent) {
        if (out.lastUsed.size() == LastUsedShown)
            break;
        if (Prompt *p = a->prompt(); p && isShown(p, adminMode))
            out.lastUsed.append(p);
    }

    // The library: one section per category id, most used categories first, then by name.
    UuidSet categoryIds;
    QList<PromptCategory *> categories;
    for (PromptCategory *c : context.fetch<PromptCategory>()) {
        if (!categoryIds.insert(c->id()).second)
            continue;
        if (c->isHidden())
            out.hiddenCategories.append(c);
        if (!hiddenTargets.contains(c->id()))
            categories.append(c);
    }
    std::stable_sort(categories.begin(), categories.end(), [&usageByTarget](const PromptCategory *a, const PromptCategory *b) {
        const auto uses = [&usageByTarget](const PromptCategory *c) {
            const auto it = usageByTarget.find(c->id());
            return it == usageByTarget.end() ? qint64(0) : it->second;
        };
        const qint64 ua = uses(a), ub = uses(b);
        if (ua != ub)
            return ua > ub;
        return a->name() < b->name();
    });
    for (PromptCategory *c : categories) {
        Category section{c, {}};
        for (Prompt *p : c->prompts())
            if (!p->isHidden() && isShown(p, adminMode))
                section.prompts.append(p);
        if (section.prompts.isEmpty())
            continue;
        if (sortAll || expanded == c->id())
            sortByUsageThenTitle(section.prompts);
        out.library.append(section);
    }

    for (UserAttribute *a : attributes)
        if (a->isHidden() && a->prompt() && isShown(a->prompt(), adminMode))
            out.hiddenPrompts.append(a->prompt());
    return out;
}

namespace {
using Row = BrowserRowModel::Row;

void appendPrompts(QList<Row> &rows, const QUuid &section, const QList<Prompt *> &prompts,
                   bool inCard)
{
    int index = 0;
    for (Prompt *p : prompts) {
        Row row;
        row.kind = BrowserRowModel::Kind::Prompt;
        row.prompt = p;
        row.titleMarkup = SearchHighlighter::styled(p->title());
        row.descriptionMarkup = SearchHighlighter::styled(p->promptDescription());
        row.sectionId = section;
        row.index = index++;
        row.inCard = inCard;
        rows.append(row);
    }
    if (!prompts.isEmpty())
        rows.last().lastInGroup = true;
}

void appendSection(QList<Row> &rows, const std::optional<QUuid> &expanded, const QUuid &id,
                   const QString &title, const QString &icon, const QList<Prompt *> &prompts,
                   int shown)
{
    if (prompts.isEmpty())
        return;
    Row header;
    header.kind = BrowserRowModel::Kind::SectionHeader;
    header.sectionId = id;
    header.title = title;
    header.icon = icon;
    header.count = int(prompts.size());
    header.expanded = expanded == id;
    header.lastInGroup = !header.expanded;
    rows.append(header);
    if (!header.expanded)
        return;
    appendPrompts(rows, id, shown < 0 ? prompts : prompts.mid(0, shown), true);
    if (shown >= 0 && prompts.size() > shown) {
        rows.last().lastInGroup = false;
        Row more;
        more.kind = BrowserRowModel::Kind::More;
        more.sectionId = id;
        //: The last row of a shortened section; opens the whole section.
        more.title = QCoreApplication::translate("PromptBrowserViewModel", "More...");
        more.inCard = true;
        more.lastInGroup = true;
        rows.append(more);
    }
}
} // namespace

// The rows' texts are the browser's and keep its translation context.
QList<BrowserRowModel::Row> BrowserSections::rows(const std::optional<QUuid> &expanded,
                                                  bool showAllFavorites) const
{
    QList<Row> rows;
    appendPrompts(rows, {}, hot, false);
    appendSection(rows, expanded, FavoritesId,
                  QCoreApplication::translate("PromptBrowserViewModel", "Favorites & Often Used"),
                  QStringLiteral("star.square"), favorites, showAllFavorites ? -1 : FavoritesShown);
    appendSection(rows, expanded, LastUsedId,
                  QCoreApplication::translate("PromptBrowserViewModel", "Last Used"),
                  QStringLiteral("clock"), lastUsed, -1);
    appendSection(rows, expanded, NewId,
                  //: Section of the prompts added with the last library update.
                  QCoreApplication::translate("PromptBrowserViewModel", "New"),
                  QStringLiteral("sparkles"), newPrompts, -1);
    appendSection(rows, expanded, UpdatedId,
                  //: Section of the prompts changed by the last library update.
                  QCoreApplication::translate("PromptBrowserViewModel", "Updated"),
                  QStringLiteral("arrow.triangle.2.circlepath"), updatedPrompts, -1);
    if (!library.isEmpty()) {
        Row caption;
        caption.kind = BrowserRowModel::Kind::LibraryHeader;
        //: The caption above the categories of the prompt library.
        caption.title = QCoreApplication::translate("PromptBrowserViewModel", "Library");
        rows.append(caption);
    }
    for (const Category &section : library) {
        Row header;
        header.kind = BrowserRowModel::Kind::CategoryHeader;
        header.category = section.category;
        header.sectionId = section.category->id();
        header.title = section.category->name();
        header.icon = section.category->iconSymbol();
        header.description = section.category->categoryDescription();
        header.count = int(section.prompts.size());
        header.expanded = expanded == header.sectionId;
        header.lastInGroup = !header.expanded;
        rows.append(header);
        if (header.expanded)
            appendPrompts(rows, header.sectionId, section.prompts, true);
    }
    if (!hiddenCategories.isEmpty()) {
        Row header;
        header.kind = BrowserRowModel::Kind::SectionHeader;
        header.sectionId = HiddenCategoriesId;
        header.title = QCoreApplication::translate("PromptBrowserViewModel", "Hidden Categories");
        header.icon = QStringLiteral("folder.badge.minus");
        header.count = int(hiddenCategories.size());
        header.expanded = expanded == header.sectionId;
        header.lastInGroup = !header.expanded;
        rows.append(header);
        if (header.expanded) {
            for (PromptCategory *c : hiddenCategories) {
                Row entry;
                entry.kind = BrowserRowModel::Kind::HiddenCategory;
                entry.category = c;
                entry.sectionId = header.sectionId;
                entry.title = c->name();
                entry.icon = c->iconSymbol();
                entry.inCard = true;
                rows.append(entry);
            }
            rows.last().lastInGroup = true;
        }
    }
    appendSection(rows, expanded, HiddenPromptsId,
                  QCoreApplication::translate("PromptBrowserViewModel", "Hidden Prompts"),
                  QStringLiteral("eye.slash"), hiddenPrompts, -1);

    return rows;
}
