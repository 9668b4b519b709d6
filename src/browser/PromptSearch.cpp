#include "PromptSearch.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "UserAttribute.h"

#include <QCollator>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <numeric>

namespace {
const QChar FieldSeparator = QChar(0x1f);

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// True when the cached copy still stands for the current text. Sharing the same data is the
// usual case and costs one comparison; literals and empty texts share nothing and are compared.
bool sameText(const QString &cached, const QString &current)
{
    return cached.isSharedWith(current) || cached == current;
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
    QString out;
    if (isAscii(text)) {
        out = text.toLower();
    } else {
        // Decompose, so an accent becomes a mark of its own, and leave the marks out.
        const QString decomposed = text.normalized(QString::NormalizationForm_KD);
        out.reserve(decomposed.size());
        for (QChar c : decomposed) {
            switch (c.category()) {
            case QChar::Mark_NonSpacing:
            case QChar::Mark_SpacingCombining:
            case QChar::Mark_Enclosing:
                break;
            default:
                out.append(c);
            }
        }
        out = std::move(out).toCaseFolded();
    }
    // Control characters become spaces: they separate words, and the search keeps one
    // (FieldSeparator) for itself between the folded fields.
    for (QChar &c : out) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = u' ';
    }
    return out;
}

QStringList PromptSearch::terms(const QString &searchText)
{
    QStringList out;
    const QString folded = fold(searchText);
    qsizetype start = -1;
    for (qsizetype i = 0; i <= folded.size(); ++i) {
        const bool space = i == folded.size() || folded.at(i).isSpace();
        if (space && start >= 0) {
            out.append(folded.mid(start, i - start));
            start = -1;
        } else if (!space && start < 0) {
            start = i;
        }
    }
    return out;
}

void PromptSearch::refresh()
{
    const QList<Prompt *> prompts = m_context.fetch<Prompt>();
    const bool listChanged = prompts != m_prompts;
    if (!listChanged && !m_stale && !m_context.hasChanges())
        return;
    m_stale = false;
    bool titlesChanged = false;
    bool idsChanged = false;
    if (listChanged) {
        // Prompts came or went: keep the entries of the prompts that are still there.
        QHash<Prompt *, qsizetype> previous;
        previous.reserve(m_prompts.size());
        for (qsizetype i = 0; i < m_prompts.size(); ++i)
            previous.insert(m_prompts.at(i), i);
        std::vector<Entry> entries(size_t(prompts.size()));
        for (qsizetype i = 0; i < prompts.size(); ++i) {
            const auto old = previous.constFind(prompts.at(i));
            if (old != previous.constEnd())
                entries[size_t(i)] = std::move(m_entries[size_t(*old)]);
            else
                entries[size_t(i)].prompt = prompts.at(i);
        }
        m_entries = std::move(entries);
        m_prompts = prompts;
        titlesChanged = idsChanged = true;
    }

    for (Entry &entry : m_entries) {
        const Prompt *prompt = entry.prompt;
        const QString title = prompt->title();
        const QString description = prompt->promptDescription();
        const QString templateText = prompt->templateText();
        const bool fresh = entry.folded.isNull();
        const bool newTitle = fresh || !sameText(entry.title, title);
        if (newTitle || !sameText(entry.description, description)) {
            // Title and description in one buffer: one search per term finds the first
            // occurrence, and its position tells which field it is in.
            const QString foldedTitle = fold(title);
            entry.folded = foldedTitle + FieldSeparator + fold(description);
            entry.titleLength = foldedTitle.size();
            entry.title = title;
            entry.description = description;
            titlesChanged = titlesChanged || newTitle;
            ++m_foldCount;
        }
        if (!sameText(entry.templateText, templateText)) {
            entry.templateText = templateText;
            entry.templateFolded = false;
            entry.foldedTemplate.clear();
        }
        if (entry.id != prompt->id()) {
            entry.id = prompt->id();
            idsChanged = true;
        }
        entry.active = prompt->isActive();
        entry.favorite = prompt->isFavorite();
        entry.uses = prompt->usageCount();
    }

    // Hidden is decided by the user records themselves, so a hidden record whose link to its
    // prompt was lost still hides the prompt of that id.
    QSet<QUuid> hidden;
    for (const UserAttribute *attribute : m_context.fetch<UserAttribute>()) {
        if (attribute->isHidden())
            hidden.insert(attribute->targetID());
    }
    for (Entry &entry : m_entries)
        entry.hidden = !hidden.isEmpty() && hidden.contains(entry.id);

    if (idsChanged) {
        QSet<QUuid> seen;
        seen.reserve(qsizetype(m_entries.size()));
        for (Entry &entry : m_entries) {
            entry.duplicate = seen.contains(entry.id);
            seen.insert(entry.id);
        }
    }
    if (titlesChanged) {
        // Natural order of the titles, computed once per change so that sorting results
        // compares integers.
        const QCollator collator = titleCollator();
        std::vector<QCollatorSortKey> keys;
        keys.reserve(m_entries.size());
        for (const Entry &entry : m_entries)
            keys.push_back(collator.sortKey(entry.title));
        std::vector<int> order(m_entries.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
        });
        int rank = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            // Titles the collator finds equal share a rank, so store order decides between them.
            if (i > 0 && keys[size_t(order[i - 1])].compare(keys[size_t(order[i])]) != 0)
                ++rank;
            m_entries[size_t(order[i])].titleRank = rank;
        }
    }
}

QCollator PromptSearch::titleCollator()
{
    // The C locale collates by code point and ignores numeric mode; a session without a
    // language setting should still see "Item 2" before "Item 10".
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

bool PromptSearch::passesRules(const Entry &entry, const Options &options)
{
    return !entry.duplicate && (options.adminMode || entry.active) &&
           (options.includeHidden || !entry.hidden);
}

QList<Prompt *> PromptSearch::collect(const QStringList &terms, const Options &options,
                                      bool byTitleOnly)
{
    refresh();

    // One sort key per hit: match level, favourite, uses (more first), title rank; the entry
    // index breaks ties, which keeps equal hits in store order.
    struct Hit {
        quint64 key;
        quint64 rankAndIndex;
        bool operator<(const Hit &other) const
        {
            return key != other.key ? key < other.key : rankAndIndex < other.rankAndIndex;
        }
    };
    std::vector<Hit> hits;
    hits.reserve(m_entries.size() / 4);
    for (size_t index = 0; index < m_entries.size(); ++index) {
        Entry &entry = m_entries[index];
        if (!passesRules(entry, options))
            continue;
        int best = int(MatchLevel::TitleStart);
        bool matches = true;
        for (qsizetype t = 0; t < terms.size() && matches; ++t) {
            const QString &term = terms.at(t);
            int level;
            const qsizetype at = entry.folded.indexOf(term);
            if (at == 0)
                level = int(MatchLevel::TitleStart);
            else if (at > 0 && at < entry.titleLength)
                level = int(MatchLevel::Title);
            else if (at > 0)
                level = int(MatchLevel::Description);
            else if (options.searchTemplate) {
                if (!entry.templateFolded) {
                    entry.foldedTemplate = fold(entry.templateText);
                    entry.templateFolded = true;
                }
                if (!entry.foldedTemplate.contains(term)) {
                    matches = false;
                    break;
                }
                level = int(MatchLevel::Template);
            } else {
                matches = false;
                break;
            }
            best = t == 0 ? level : std::min(best, level);
        }
        if (!matches)
            continue;
        quint64 key = 0;
        if (!byTitleOnly) {
            // Uses are capped where 59 bits end; no library gets near that.
            const quint64 uses = quint64(std::clamp<qint64>(entry.uses, 0, (qint64(1) << 59) - 1));
            key = (quint64(best) << 62) | (quint64(entry.favorite ? 0 : 1) << 61) |
                  (((quint64(1) << 59) - 1) - uses);
        }
        hits.push_back({key, (quint64(quint32(entry.titleRank)) << 32) | quint64(index)});
    }

    std::sort(hits.begin(), hits.end());
    QList<Prompt *> out;
    out.reserve(qsizetype(hits.size()));
    for (const Hit &hit : hits)
        out.append(m_entries[size_t(hit.rankAndIndex & 0xffffffffu)].prompt);
    return out;
}

QList<Prompt *> PromptSearch::search(const QString &searchText, const Options &options)
{
    return collect(terms(searchText), options, false);
}

QList<Prompt *> PromptSearch::shown(const Options &options)
{
    return collect({}, options, true);
}
