#pragma once

#include "BrowserRowModel.h"
#include "BrowserSections.h"
#include "ExportNotice.h"
#include "SearchQuery.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QUuid>

#include <chrono>
#include <memory>
#include <optional>
#include <QtQml/qqmlregistration.h>

class ModelContext;
class UserDefaults;
class Prompt;
class PromptCategory;
class PromptSearch;
class SearchWorker;
struct SearchResults;
Q_MOC_INCLUDE("Prompt.h")
Q_MOC_INCLUDE("PromptCategory.h")

// Everything the library browser decides: which sections and rows it lists, the search,
// the one expanded item, the keyboard highlight and the row actions. The view only lays
// the rows out.
class PromptBrowserViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    // What the window says after "Export DB".
    Q_PROPERTY(ExportNotice *exportNotice READ exportNotice CONSTANT)
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(bool isSearching READ isSearching NOTIFY searchTextChanged)
    Q_PROPERTY(bool isAdminMode READ isAdminMode NOTIFY isAdminModeChanged)
    Q_PROPERTY(bool searchHiddenPrompts READ searchHiddenPrompts WRITE setSearchHiddenPrompts NOTIFY searchOptionsChanged)
    Q_PROPERTY(bool searchTemplateText READ searchTemplateText WRITE setSearchTemplateText NOTIFY searchOptionsChanged)
    Q_PROPERTY(QString expandedId READ expandedId NOTIFY expandedIdChanged)
    Q_PROPERTY(bool showAllFavorites READ showAllFavorites NOTIFY showAllFavoritesChanged)
    Q_PROPERTY(BrowserRowModel *rows READ rows CONSTANT)
    Q_PROPERTY(int highlightedRow READ highlightedRow WRITE setHighlightedRow NOTIFY highlightedRowChanged)
    Q_PROPERTY(QString selectedPromptId READ selectedPromptId WRITE setSelectedPromptId NOTIFY selectedPromptIdChanged)
    // The colour of the parts of titles and descriptions that made a row a result.
    Q_PROPERTY(QColor matchColor READ matchColor WRITE setMatchColor NOTIFY matchColorChanged)
    // How many prompts the search matched (close matches not counted); -1 without results.
    Q_PROPERTY(int matchCount READ matchCount NOTIFY resultsShown)

public:
    static constexpr const char *LastExpandedKey = "lastExpandedCategory";
    // From this many prompts on, searches run on a thread of their own.
    static constexpr int BackgroundFrom = 3000;
    // Result rows made at a time (each marks what matched, at every keystroke): several
    // screenfuls; more are made as the list scrolls towards their end.
    static constexpr int RowsPerPage = 40;
    // How long one step of reading the library for the search may hold the event loop.
    static constexpr std::chrono::milliseconds PrepareStep{5};

    // Over the program's store and settings (the view's own instance).
    explicit PromptBrowserViewModel(QObject *parent = nullptr);
    PromptBrowserViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent = nullptr);
    ~PromptBrowserViewModel() override;

    QString searchText() const { return m_searchText; }
    void setSearchText(const QString &text);
    // The search this browser keeps over its store.
    PromptSearch *librarySearch() const { return m_search.get(); }
    bool isSearching() const { return !m_searchText.isEmpty(); }
    bool isAdminMode() const;
    bool searchHiddenPrompts() const;
    void setSearchHiddenPrompts(bool on);
    bool searchTemplateText() const;
    void setSearchTemplateText(bool on);
    QString expandedId() const;
    bool showAllFavorites() const { return m_showAllFavorites; }
    BrowserRowModel *rows() { return &m_rows; }
    int highlightedRow() const { return m_highlightedRow; }
    void setHighlightedRow(int row);
    QString selectedPromptId() const;
    void setSelectedPromptId(const QString &id);
    const BrowserSections &sections() const { return m_sections; }
    // How often the sections were worked out anew (a showing with nothing changed reuses them).
    qsizetype sectionBuilds() const { return m_sectionBuilds; }
    QColor matchColor() const { return m_matchColor; }
    void setMatchColor(const QColor &color);
    int matchCount() const;
    // Libraries of at least this many prompts are searched in the background (tests lower it).
    void setBackgroundFrom(int prompts) { m_backgroundFrom = prompts; }
    // True while a search runs in the background whose results are not shown yet.
    bool isSearchPending() const { return m_pendingSearch != 0; }
    // The search's index is made and holds the library as it is: the next search starts
    // searching at once. While the sections show, it is prepared in idle time.
    bool isSearchPrepared() const;

    // Called when the browser appears: restores the expanded item from the settings.
    Q_INVOKABLE void appear();
    // Called when the browser comes back into sight (the panel shown again, back from a
    // prompt's detail): the library part of the list appears anew.
    Q_INVOKABLE void shownAgain();
    // Opens the item with this id, or closes it when it is the open one.
    Q_INVOKABLE void toggle(const QString &id);
    Q_INVOKABLE void showMoreFavorites();
    // Moves the highlight to the next (delta > 0) or previous row the keyboard stops on:
    // prompts, and the headers of sections and categories.
    Q_INVOKABLE void moveHighlight(int delta);
    Q_INVOKABLE Prompt *highlightedPrompt() const;
    // The list's keys: Up, Down, Page Up, Page Down, Home and End walk it (`page` stops a
    // page); Right or Return opens the highlighted header (Right on an open one goes to its
    // first row), Left closes it or, from a row inside, goes to its header; Return on a
    // prompt asks for it to be opened (promptActivated), on "More..." lists all favourites,
    // on a hidden category shows it again. From the search field (`fromTextField`) the keys
    // that edit its text (Left, Right, Home, End) are left to it while it holds a search.
    // True when the key was the list's.
    Q_INVOKABLE bool handleKey(int key, int page, bool fromTextField);

    Q_INVOKABLE void toggleFavorite(Prompt *prompt);
    Q_INVOKABLE void toggleHidden(Prompt *prompt);
    Q_INVOKABLE void toggleHot(Prompt *prompt);
    Q_INVOKABLE void toggleActive(Prompt *prompt);
    Q_INVOKABLE void deletePrompt(Prompt *prompt);
    Q_INVOKABLE void hideCategory(PromptCategory *category);
    Q_INVOKABLE void unhideCategory(PromptCategory *category);
    Q_INVOKABLE void exportDatabase();
    ExportNotice *exportNotice() { return &m_exportNotice; }
    // Removes duplicate records after the current event (run once the library shows).
    Q_INVOKABLE void cleanupDuplicates();

    // Rebuilds the rows now (normally once per event-loop turn after a change).
    Q_INVOKABLE void refresh();

Q_SIGNALS:
    void searchTextChanged();
    void isAdminModeChanged();
    void searchOptionsChanged();
    void expandedIdChanged();
    void showAllFavoritesChanged();
    void highlightedRowChanged();
    void selectedPromptIdChanged();
    void matchColorChanged();
    // The rows show the results of the current search text.
    void resultsShown();
    // A search's first results are about to take the place of the library's rows (sent
    // before the rows change, when they come from the search thread as well).
    void resultsArrive();
    // The library part of the list became visible (the view runs the duplicate cleanup).
    void libraryShown();
    // Return was pressed on a prompt's row: the view opens its detail.
    void promptActivated(Prompt *prompt);

private:
    void scheduleRefresh();
    void schedulePrepare();
    // Makes the search's index ahead of the first keystroke, on the search thread for a large
    // library, so typing never waits for it.
    void prepareSearch();
    SearchOptions searchOptions() const;
    SearchWorker *worker();
    void setExpanded(std::optional<QUuid> id);
    // The row now showing what `row` showed (the same prompt in the same section, the same
    // header); -1 when it is gone.
    int rowLike(const std::optional<BrowserRowModel::Row> &row) const;
    std::optional<BrowserRowModel::Row> highlightedRowData() const;
    // Makes result rows until row `row` exists or none are left (-1: all of them).
    void makeRowsUpTo(int row);
    // Return on a row that is no header: opens the prompt, lists all favourites, shows the
    // hidden category again.
    void activateHighlighted();
    void searchNow();
    void showResults(std::shared_ptr<const SearchResults> results);
    QList<BrowserRowModel::Row> searchRows(int from, int to) const;
    int searchRowCount() const;
    void fetchMoreResults();

    QPointer<ModelContext> m_context;
    QPointer<UserDefaults> m_defaults;
    BrowserRowModel m_rows;
    BrowserSections m_sections;
    // What the sections were worked out from: the store's revision, the expanded section and
    // the administrator mode.
    struct SectionsFrom {
        quint64 revision = 0;
        std::optional<QUuid> expanded;
        bool adminMode = false;
        bool operator==(const SectionsFrom &) const = default;
    };
    std::optional<SectionsFrom> m_sectionsFrom;
    qsizetype m_sectionBuilds = 0;
    std::unique_ptr<PromptSearch> m_search;
    std::unique_ptr<SearchWorker> m_worker; // made when a library first needs it
    // The results shown, and their prompts.
    std::shared_ptr<const SearchResults> m_results;
    QList<Prompt *> m_matches;
    QList<Prompt *> m_close;
    QList<Prompt *> m_closest;
    int m_madeRows = 0;         // result rows made so far
    bool m_showingResults = false; // the rows are search results (else the sections)
    quint64 m_pendingSearch = 0; // the background search the rows wait for
    bool m_highlightFirst = false; // the next results put the highlight on their first prompt
    int m_backgroundFrom = BackgroundFrom;
    QColor m_matchColor{191, 90, 242};
    QString m_searchText;
    // The one open section or category. The hidden prompts' identifier is the nil UUID, so
    // "nothing open" needs its own state.
    std::optional<QUuid> m_expanded;
    QUuid m_selected;
    bool m_showAllFavorites = false;
    bool m_refreshPosted = false;
    bool m_preparePosted = false;
    bool m_libraryWasShown = false;
    ExportNotice m_exportNotice;
    int m_highlightedRow = -1;
};
