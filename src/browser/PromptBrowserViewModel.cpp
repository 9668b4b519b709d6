#include "PromptBrowserViewModel.h"

#include "BrowserListWalk.h"
#include "DataController.h"
#include "FormViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSearch.h"
#include "SearchHighlighter.h"
#include "SearchWorker.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QDateTime>
#include <QTimer>

#include <cstdlib>

namespace {
const QString AdminKey = QStringLiteral("isAdminMode");
const QString HiddenKey = QStringLiteral("searchHiddenPrompts");
const QString TemplateKey = QStringLiteral("searchTemplateText");
const QString LastExpanded = QString::fromLatin1(PromptBrowserViewModel::LastExpandedKey);

// UUID text to an identifier; nothing when the text is not a UUID. The nil UUID is one.
std::optional<QUuid> parseId(const QString &text)
{
    const QUuid id = uuidFromText(text);
    if (!id.isNull() || text.trimmed().compare(uuidText(QUuid()), Qt::CaseInsensitive) == 0)
        return id;
    return std::nullopt;
}
} // namespace

PromptBrowserViewModel::PromptBrowserViewModel(QObject *parent)
    : PromptBrowserViewModel(DataController::shared()->mainContext(), UserDefaults::standard(), parent)
{
}

PromptBrowserViewModel::PromptBrowserViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent)
    : QObject(parent), m_context(context), m_defaults(defaults),
      m_search(std::make_unique<PromptSearch>(*context))
{
    m_rows.setFetcher([this] { return m_showingResults && m_madeRows < searchRowCount(); },
                      [this] { fetchMoreResults(); });
    FormViewModel::seedTagTextSuffix(m_defaults);
    // The context already coalesces its changes into one notification per event-loop turn.
    connect(context, &ModelContext::objectsChanged, this, &PromptBrowserViewModel::refresh);
    connect(defaults, &UserDefaults::valueChanged, this, [this](const QString &key) {
        if (key == AdminKey)
            Q_EMIT isAdminModeChanged();
        else if (key == HiddenKey || key == TemplateKey)
            Q_EMIT searchOptionsChanged();
        else
            return;
        scheduleRefresh();
    });
    appear();
}

PromptBrowserViewModel::~PromptBrowserViewModel() = default;

bool PromptBrowserViewModel::isAdminMode() const
{
    return m_defaults->boolValue(AdminKey, false);
}

bool PromptBrowserViewModel::searchHiddenPrompts() const
{
    return m_defaults->boolValue(HiddenKey, false);
}

void PromptBrowserViewModel::setSearchHiddenPrompts(bool on)
{
    if (on != searchHiddenPrompts())
        m_defaults->setValue(HiddenKey, on);
}

bool PromptBrowserViewModel::searchTemplateText() const
{
    return m_defaults->boolValue(TemplateKey, false);
}

void PromptBrowserViewModel::setSearchTemplateText(bool on)
{
    if (on != searchTemplateText())
        m_defaults->setValue(TemplateKey, on);
}

void PromptBrowserViewModel::setSearchText(const QString &text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    Q_EMIT searchTextChanged();
    // Typing then Return opens the best match.
    m_highlightFirst = true;
    refresh();
    if (!isSearching())
        setHighlightedRow(BrowserListWalk(m_rows.rows()).firstPrompt());
}

void PromptBrowserViewModel::setMatchColor(const QColor &color)
{
    if (color == m_matchColor)
        return;
    m_matchColor = color;
    Q_EMIT matchColorChanged();
    if (m_results)
        showResults(m_results);
}

int PromptBrowserViewModel::matchCount() const
{
    return m_showingResults ? int(m_matches.size()) : -1;
}

QString PromptBrowserViewModel::expandedId() const
{
    return m_expanded ? uuidText(*m_expanded) : QString();
}

QString PromptBrowserViewModel::selectedPromptId() const
{
    return m_selected.isNull() ? QString() : uuidText(m_selected);
}

void PromptBrowserViewModel::setSelectedPromptId(const QString &id)
{
    const QUuid next = uuidFromText(id);
    if (next == m_selected)
        return;
    m_selected = next;
    Q_EMIT selectedPromptIdChanged();
}

void PromptBrowserViewModel::appear()
{
    // An empty or broken setting opens the favourites again.
    const std::optional<QUuid> stored = parseId(m_defaults->string(LastExpanded, uuidText(BrowserSections::FavoritesId)));
    m_showAllFavorites = false;
    m_libraryWasShown = false;
    m_expanded = stored.value_or(BrowserSections::FavoritesId);
    Q_EMIT expandedIdChanged();
    Q_EMIT showAllFavoritesChanged();
    refresh();
}

void PromptBrowserViewModel::shownAgain()
{
    m_libraryWasShown = false;
    refresh();
}

void PromptBrowserViewModel::setExpanded(std::optional<QUuid> id)
{
    if (id == m_expanded)
        return;
    m_expanded = id;
    m_defaults->setValue(LastExpanded, id ? uuidText(*id) : QString());
    Q_EMIT expandedIdChanged();
    refresh();
}

void PromptBrowserViewModel::toggle(const QString &id)
{
    const std::optional<QUuid> target = parseId(id);
    if (!target)
        return;
    setExpanded(target == m_expanded ? std::nullopt : target);
}

void PromptBrowserViewModel::showMoreFavorites()
{
    if (m_showAllFavorites)
        return;
    m_showAllFavorites = true;
    Q_EMIT showAllFavoritesChanged();
    refresh();
}

void PromptBrowserViewModel::setHighlightedRow(int row)
{
    if (row < -1 || row >= m_rows.count())
        row = -1;
    if (row == m_highlightedRow)
        return;
    m_highlightedRow = row;
    Q_EMIT highlightedRowChanged();
}

int PromptBrowserViewModel::rowLike(const std::optional<BrowserRowModel::Row> &row) const
{
    if (!row)
        return -1;
    const int same = m_rows.indexOfSame(*row);
    // Else the prompt moved to another section (a search result became a section row): follow it.
    return same >= 0 ? same : BrowserListWalk(m_rows.rows()).rowOf(row->prompt.data());
}

std::optional<BrowserRowModel::Row> PromptBrowserViewModel::highlightedRowData() const
{
    if (m_highlightedRow < 0 || m_highlightedRow >= m_rows.count())
        return std::nullopt;
    return m_rows.row(m_highlightedRow);
}

void PromptBrowserViewModel::makeRowsUpTo(int row)
{
    while ((row < 0 || row >= m_rows.count()) && m_rows.canFetchMore({})) {
        const int before = m_rows.count();
        fetchMoreResults();
        if (m_rows.count() == before)
            break;
    }
}

void PromptBrowserViewModel::moveHighlight(int delta)
{
    for (int n = std::abs(delta); n > 0; --n)
        handleKey(delta > 0 ? Qt::Key_Down : Qt::Key_Up, 1, false);
}

bool PromptBrowserViewModel::handleKey(int key, int page, bool fromTextField)
{
    if (fromTextField && isSearching() && BrowserListWalk::editsText(key))
        return false;
    if (const std::optional<int> needed = BrowserListWalk::rowsNeeded(key, m_highlightedRow, page))
        makeRowsUpTo(*needed);
    const BrowserListWalk::Outcome outcome = BrowserListWalk(m_rows.rows()).onKey(key, m_highlightedRow, page);
    if (!outcome.handled)
        return false;
    setHighlightedRow(outcome.highlight);
    if (outcome.act == BrowserListWalk::Outcome::Act::Toggle)
        toggle(uuidText(m_rows.row(outcome.highlight).sectionId));
    else if (outcome.act == BrowserListWalk::Outcome::Act::Activate)
        activateHighlighted();
    return true;
}

void PromptBrowserViewModel::activateHighlighted()
{
    const std::optional<BrowserRowModel::Row> row = highlightedRowData();
    if (!row)
        return;
    if (row->kind == BrowserRowModel::Kind::Prompt && row->prompt)
        Q_EMIT promptActivated(row->prompt.data());
    else if (row->kind == BrowserRowModel::Kind::More)
        showMoreFavorites();
    else if (row->kind == BrowserRowModel::Kind::HiddenCategory)
        unhideCategory(row->category.data());
}

Prompt *PromptBrowserViewModel::highlightedPrompt() const
{
    if (m_highlightedRow < 0 || m_highlightedRow >= m_rows.count())
        return nullptr;
    return m_rows.row(m_highlightedRow).prompt.data();
}

void PromptBrowserViewModel::toggleFavorite(Prompt *prompt)
{
    if (prompt)
        prompt->ensureAttribute()->setFavorite(!prompt->isFavorite());
}

void PromptBrowserViewModel::toggleHidden(Prompt *prompt)
{
    if (prompt)
        prompt->ensureAttribute()->setHidden(!prompt->isHidden());
}

void PromptBrowserViewModel::toggleHot(Prompt *prompt)
{
    if (!prompt)
        return;
    prompt->setHot(!prompt->isHot());
    prompt->setUpdatedAt(QDateTime::currentDateTime());
}

void PromptBrowserViewModel::toggleActive(Prompt *prompt)
{
    if (!prompt)
        return;
    prompt->setActive(!prompt->isActive());
    prompt->setUpdatedAt(QDateTime::currentDateTime());
}

void PromptBrowserViewModel::deletePrompt(Prompt *prompt)
{
    if (prompt && m_context)
        m_context->remove(prompt);
}

void PromptBrowserViewModel::hideCategory(PromptCategory *category)
{
    if (category)
        category->ensureAttribute()->setHidden(true);
}

void PromptBrowserViewModel::unhideCategory(PromptCategory *category)
{
    if (category && category->attributes())
        category->attributes()->setHidden(false);
}

void PromptBrowserViewModel::exportDatabase()
{
    // After the current event, so the menu closes first.
    QMetaObject::invokeMethod(this, [this] { m_exportNotice.exportFrom(DataController::shared()); },
                              Qt::QueuedConnection);
}

void PromptBrowserViewModel::cleanupDuplicates()
{
    QMetaObject::invokeMethod(this, [] { DataController::shared()->cleanupDuplicates(); }, Qt::QueuedConnection);
}

void PromptBrowserViewModel::scheduleRefresh()
{
    if (m_refreshPosted)
        return;
    m_refreshPosted = true;
    QMetaObject::invokeMethod(this, [this] {
        m_refreshPosted = false;
        refresh();
    }, Qt::QueuedConnection);
}

void PromptBrowserViewModel::refresh()
{
    if (!m_context)
        return;
    const std::optional<BrowserRowModel::Row> highlighted = highlightedRowData();
    QList<BrowserRowModel::Row> rows;

    if (isSearching()) {
        searchNow();
        return;
    }
    m_results.reset();
    m_pendingSearch = 0; // results still to come are not wanted any more
    // Coming back from results the whole list changes: the view makes its rows anew instead
    // of moving the result rows into place, which left rows of other heights overlapping.
    const bool afterResults = m_showingResults;
    m_showingResults = false;
    const SectionsFrom from{m_context->revision(), m_expanded, isAdminMode()};
    if (m_sectionsFrom != from) {
        m_sections = BrowserSections::build(*m_context, from.adminMode, m_expanded);
        m_sectionsFrom = from;
        ++m_sectionBuilds;
    }
    rows = m_sections.rows(m_expanded, m_showAllFavorites);

    if (afterResults)
        m_rows.resetRows(rows);
    else
        m_rows.setRows(rows);
    // Keep the highlight on the same row (prompt or header) when it is still listed.
    m_highlightedRow = -2; // force the notification
    setHighlightedRow(rowLike(highlighted));

    if (!isSearching() && !m_sections.library.isEmpty() && !m_libraryWasShown) {
        m_libraryWasShown = true;
        Q_EMIT libraryShown();
    }
    schedulePrepare();
}

void PromptBrowserViewModel::schedulePrepare()
{
    if (m_preparePosted)
        return;
    m_preparePosted = true;
    // A zero timer runs once the events waiting now are handled: after the panel's first frame.
    QTimer::singleShot(0, this, [this] {
        m_preparePosted = false;
        prepareSearch();
    });
}

void PromptBrowserViewModel::prepareSearch()
{
    // A search under way prepares its own index.
    if (!m_context || isSearching() || m_pendingSearch)
        return;
    // A large library is read a step per turn, so that the keys and the panel come between.
    if (!m_search->prepare(PrepareStep)) {
        schedulePrepare();
        return;
    }
    const SearchQuery query = m_search->query(QString(), searchOptions());
    const std::shared_ptr<const SearchIndex> index = m_search->index();
    if (!index || index->isBuilt(searchTemplateText()))
        return;
    if (index->size() < size_t(std::max(0, m_backgroundFrom))) {
        index->build();
        if (searchTemplateText())
            index->buildTemplates();
        return;
    }
    // Built by the search thread; the result of this empty search is not wanted.
    worker()->submit(query);
}

bool PromptBrowserViewModel::isSearchPrepared() const
{
    const std::shared_ptr<const SearchIndex> index = m_search->index();
    return index && m_search->isCurrent() && index->isBuilt(searchTemplateText());
}

PromptSearch::Options PromptBrowserViewModel::searchOptions() const
{
    return PromptSearch::Options{searchHiddenPrompts(), searchTemplateText(), isAdminMode()};
}

SearchWorker *PromptBrowserViewModel::worker()
{
    if (!m_worker) {
        m_worker = std::make_unique<SearchWorker>();
        connect(m_worker.get(), &SearchWorker::finished, this,
                [this](quint64 number, std::shared_ptr<const SearchResults> results) {
                    if (number != m_pendingSearch)
                        return;
                    m_pendingSearch = 0;
                    showResults(std::move(results));
                });
    }
    return m_worker.get();
}

void PromptBrowserViewModel::searchNow()
{
    const SearchQuery query = m_search->query(m_searchText, searchOptions());
    const std::shared_ptr<const SearchIndex> index = m_search->index();
    if (!index || index->size() < size_t(std::max(0, m_backgroundFrom))) {
        m_pendingSearch = 0;
        showResults(std::make_shared<const SearchResults>(query.run()));
        return;
    }
    // The rows keep the last results until these come; a search still running is dropped.
    m_pendingSearch = worker()->submit(query);
}

void PromptBrowserViewModel::showResults(std::shared_ptr<const SearchResults> results)
{
    if (!isSearching())
        return;
    if (results->generation != m_search->generation()) {
        // The library changed while the search ran: its positions mean other prompts now.
        searchNow();
        return;
    }
    Prompt *highlighted = m_highlightFirst ? nullptr : highlightedPrompt();
    m_results = std::move(results);
    m_matches = m_search->prompts(*m_results, m_results->matches);
    m_close = m_search->prompts(*m_results, m_results->close);
    m_closest = m_search->prompts(*m_results, m_results->closest);
    m_madeRows = std::min(searchRowCount(), RowsPerPage);
    m_libraryWasShown = false; // the results take its place; it appears again after them
    if (!m_showingResults)
        Q_EMIT resultsArrive();
    const QList<BrowserRowModel::Row> rows = searchRows(0, m_madeRows);
    // The rows the list shows stay, with new contents: also the library's, which the results
    // take the place of (the list need not make its rows anew).
    m_rows.updateRows(rows);
    m_showingResults = true;
    m_highlightFirst = false;

    const BrowserListWalk walk(m_rows.rows());
    const int keep = walk.rowOf(highlighted);
    m_highlightedRow = -2; // force the notification
    setHighlightedRow(keep >= 0 ? keep : walk.firstPrompt());
    Q_EMIT resultsShown();
}

// The result rows in order: the count of matches and the matches, or "No matching prompts
// found."; then the close matches under their header, or else the closest titles.
int PromptBrowserViewModel::searchRowCount() const
{
    int count = 1 + int(m_matches.size());
    if (!m_close.isEmpty())
        count += 1 + int(m_close.size());
    else if (!m_closest.isEmpty())
        count += 1 + int(m_closest.size());
    return count;
}

QList<BrowserRowModel::Row> PromptBrowserViewModel::searchRows(int from, int to) const
{
    QList<BrowserRowModel::Row> rows;
    if (!m_results)
        return rows;
    const QString color = m_matchColor.name();
    const QStringList &terms = m_results->terms;
    int base = 0;
    // Rows [base, base + length) of one part of the list, those within [from, to) only.
    const auto part = [&](int length, const std::function<BrowserRowModel::Row(int)> &make) {
        for (int i = std::max(0, from - base); i < length && base + i < to; ++i)
            rows.append(make(i));
        base += length;
    };
    const auto promptRow = [&](const QList<Prompt *> &prompts, BrowserRowModel::Match match) {
        return [&, match](int i) {
            Prompt *prompt = prompts.at(i);
            BrowserRowModel::Row row;
            row.kind = BrowserRowModel::Kind::Prompt;
            row.prompt = prompt;
            row.index = i;
            row.match = match;
            // The closest titles are shown unmarked: no word of theirs matched.
            const bool marked = !terms.isEmpty() && match != BrowserRowModel::Match::Closest;
            const bool close = match == BrowserRowModel::Match::Close;
            const QStringList &words = close ? m_results->closeWords : QStringList();
            const auto marks = [&](const QString &text, bool initials) {
                return marked ? SearchHighlighter::ranges(text, terms, words, initials) : SearchHighlighter::Ranges();
            };
            row.titleMarkup = SearchHighlighter::markup(prompt->title(), marks(prompt->title(), close), color);
            row.descriptionMarkup = SearchHighlighter::markup(
                prompt->promptDescription(), marks(prompt->promptDescription(), false), color);
            return row;
        };
    };
    const auto header = [&](BrowserRowModel::Kind kind, const QString &title, int count) {
        return [=](int) {
            BrowserRowModel::Row row;
            row.kind = kind;
            row.title = title;
            row.count = count;
            return row;
        };
    };

    const int matches = int(m_matches.size());
    if (matches > 0) {
        //: The count above the search results: all prompts listed, or those matching the words.
        const QString title = terms.isEmpty() ? tr("%n prompts", nullptr, matches)
                                              //: The count above the search results.
                                              : tr("%n prompts match", nullptr, matches);
        part(1, header(BrowserRowModel::Kind::MatchCount, title, matches));
        part(matches, promptRow(m_matches, BrowserRowModel::Match::Match));
    } else {
        part(1, [&](int) {
            BrowserRowModel::Row empty;
            empty.kind = BrowserRowModel::Kind::Empty;
            empty.title = tr("No matching prompts found.");
            // Nothing even close: perhaps the words are in a template.
            if (m_close.isEmpty() && !searchTemplateText())
                empty.description = tr("Turn on \"Search template text\" to look inside the templates too.");
            return empty;
        });
    }
    if (!m_close.isEmpty()) {
        part(1, header(BrowserRowModel::Kind::CloseHeader, tr("Close matches"), int(m_close.size())));
        part(int(m_close.size()), promptRow(m_close, BrowserRowModel::Match::Close));
    } else if (!m_closest.isEmpty()) {
        part(1, header(BrowserRowModel::Kind::CloseHeader, tr("Closest titles"), int(m_closest.size())));
        part(int(m_closest.size()), promptRow(m_closest, BrowserRowModel::Match::Closest));
    }
    return rows;
}

void PromptBrowserViewModel::fetchMoreResults()
{
    if (!m_showingResults || m_madeRows >= searchRowCount())
        return;
    const int to = std::min(searchRowCount(), m_madeRows + RowsPerPage);
    m_rows.appendRows(searchRows(m_madeRows, to));
    m_madeRows = to;
}

// The browser's views use the administration views; pull their static QML plugin in with the
// browser so a presenter only imports Vorn.Browser.
#include <QtQml/qqmlextensionplugin.h>
Q_IMPORT_QML_PLUGIN(Vorn_AdminPlugin)
