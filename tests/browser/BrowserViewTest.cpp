#include "BrowserSections.h"
#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptBrowserViewModel.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "QmlTestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <memory>

Q_IMPORT_QML_PLUGIN(Vorn_BrowserPlugin)

namespace {
using QmlTest::waitFor;
constexpr auto find = &QmlTestView::findShown;

// The browser as the panel shows it, with the search text owned by the presenter.
const char *const Browser = R"(
    property string shellSearch: ""
    PromptSelectionView {
        objectName: "browser"
        anchors.fill: parent
        anchors.topMargin: 20
        focus: true
        searchText: panel.shellSearch
        onSearchTextEdited: (text) => panel.shellSearch = text
    }
)";

class BrowserView : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        DataController::Options options;
        options.inMemory = true;
        DataController::setSharedOptions(options);
        ASSERT_TRUE(DataController::shared()->setUp());
        DataController::shared()->startupLoad();
    }

    void SetUp() override
    {
        ctx = DataController::shared()->mainContext();
        ASSERT_GT(ctx->count<Prompt>(), 100);
    }

    void TearDown() override
    {
        view.reset();
        // What a test opened or switched on is not the next one's start.
        UserDefaults *defaults = UserDefaults::standard();
        defaults->setValue(QStringLiteral("isAdminMode"), false);
        for (const char *key : {PromptBrowserViewModel::LastExpandedKey, "searchHiddenPrompts", "searchTemplateText"})
            defaults->remove(QString::fromLatin1(key));
    }

    void load()
    {
        view = std::make_unique<QmlTestView>();
        ASSERT_TRUE(view->showOnPanel(QStringLiteral("import Vorn.Browser"), QString::fromLatin1(Browser)));
        browser = view->item(QStringLiteral("browser"));
        ASSERT_TRUE(browser);
        vm = browser->property("viewModel").value<PromptBrowserViewModel *>();
        ASSERT_TRUE(vm);
        searchField = item("searchField");
        ASSERT_TRUE(searchField);
        searchField->forceActiveFocus();
        QTest::qWait(50);
    }

    // The first shown item with that name, in the whole view or below `in`.
    QQuickItem *item(const char *name, QQuickItem *in = nullptr) const
    {
        return find(in ? in : view->contentItem(), [&](QQuickItem *i) { return i->objectName() == QLatin1String(name); });
    }
    static bool isA(QQuickItem *item, const char *type)
    {
        return QString::fromLatin1(item->metaObject()->className()).startsWith(QLatin1String(type));
    }
    // Every prompt row the list shows.
    QList<QQuickItem *> shownRows() const
    {
        QList<QQuickItem *> rows;
        find(view->contentItem(), [&](QQuickItem *i) {
            if (isA(i, "PromptRow"))
                rows.append(i);
            return false;
        });
        return rows;
    }
    // The visible row item drawing this prompt, if the list shows one.
    QQuickItem *rowOf(const Prompt *prompt) const
    {
        for (QQuickItem *row : shownRows())
            if (row->property("prompt").value<QObject *>() == prompt)
                return row;
        return nullptr;
    }
    // The first entry of the open menu, once it shows.
    QQuickItem *menuEntry() const
    {
        QQuickItem *entry = nullptr;
        const auto isEntry = [](QQuickItem *i) { return isA(i, "DarkMenuItem"); };
        EXPECT_TRUE(waitFor([&] { return (entry = find(view->contentItem(), isEntry)) != nullptr; })) << "no menu opened";
        return entry;
    }

    // Scrolls the list so that row is at the top.
    void scrollTo(int row) const
    {
        QMetaObject::invokeMethod(item("promptList"), "positionViewAtIndex", Q_ARG(int, row), Q_ARG(int, 1 /* Beginning */));
        QTest::qWait(50);
    }
    // Opens the first category of the library and scrolls to its first prompt.
    Prompt *showFirstCategory() const
    {
        PromptCategory *category = vm->sections().library.first().category;
        if (vm->expandedId() != category->idText())
            vm->toggle(category->idText());
        Prompt *first = vm->sections().library.first().prompts.first();
        const auto &rows = vm->rows()->rows();
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].prompt == first)
                scrollTo(std::max(0, i - 1));
        return first;
    }

    void click(QQuickItem *target) const { view->click(target); }

    int rowOfKind(BrowserRowModel::Kind kind, const QUuid &section = {}) const
    {
        const auto &rows = vm->rows()->rows();
        for (int i = 0; i < rows.size(); ++i)
            if (rows[i].kind == kind && (section.isNull() || rows[i].sectionId == section))
                return i;
        return -1;
    }

    ModelContext *ctx = nullptr;
    std::unique_ptr<QmlTestView> view;
    QQuickItem *browser = nullptr;
    QQuickItem *searchField = nullptr;
    PromptBrowserViewModel *vm = nullptr;
};
} // namespace

TEST_F(BrowserView, ShowsTheShippedLibraryAndAFavouriteMovesLive)
{
    // Some history, so the fixed sections have something to list.
    const QList<Prompt *> prompts = ctx->fetch<Prompt>();
    const QDateTime now = QDateTime::currentDateTime();
    int marked = 0;
    for (Prompt *p : prompts) {
        if (p->isHot() || !p->isActive())
            continue;
        UserAttribute *a = p->ensureAttribute();
        if (marked < 3)
            a->setFavorite(true);
        a->setUsageCount(7 - marked);
        a->setLastUsedAt(now.addSecs(-60 * marked));
        if (++marked == 5)
            break;
    }
    ASSERT_NO_FATAL_FAILURE(load());
    const BrowserSections &sections = vm->sections();
    ASSERT_GE(sections.library.size(), 10);
    EXPECT_GE(rowOfKind(BrowserRowModel::Kind::LibraryHeader), 0);
    EXPECT_EQ(vm->expandedId(), uuidText(BrowserSections::FavoritesId));
    EXPECT_FALSE(sections.hot.isEmpty());
    ASSERT_TRUE(rowOf(sections.hot.first()));
    // The picture shows the last hot prompts and the fixed sections under them.
    const int favouritesRow = rowOfKind(BrowserRowModel::Kind::SectionHeader, BrowserSections::FavoritesId);
    ASSERT_GE(favouritesRow, 2);
    scrollTo(favouritesRow - 2);
    view->screenshot(QStringLiteral("browser-sections.png"), 600);

    // Open a category with its header and make one of its prompts a favourite.
    PromptCategory *category = sections.library.first().category;
    const int header = rowOfKind(BrowserRowModel::Kind::CategoryHeader, category->id());
    ASSERT_GE(header, 0);
    scrollTo(header);
    QQuickItem *headerItem = find(view->contentItem(), [&](QQuickItem *i) {
        return isA(i, "CategorySectionView") && i->property("category").value<QObject *>() == category;
    });
    click(headerItem);
    ASSERT_TRUE(waitFor([&] { return vm->expandedId() == category->idText(); }));

    Prompt *target = nullptr;
    for (Prompt *p : vm->sections().library.first().prompts)
        if (!p->isFavorite() && !p->isHot()) {
            target = p;
            break;
        }
    ASSERT_TRUE(target);
    QQuickItem *row = nullptr;
    ASSERT_TRUE(waitFor([&] { return (row = rowOf(target)) != nullptr; }));
    const qsizetype favouritesBefore = vm->sections().favorites.size();
    click(item("favoriteToggle", row));
    EXPECT_TRUE(target->isFavorite());
    ASSERT_TRUE(waitFor([&] { return vm->sections().favorites.size() == favouritesBefore + 1; }));
    EXPECT_TRUE(vm->sections().favorites.contains(target));
    const int favouritesHeader = rowOfKind(BrowserRowModel::Kind::SectionHeader, BrowserSections::FavoritesId);
    ASSERT_GE(favouritesHeader, 0);
    EXPECT_EQ(vm->rows()->row(favouritesHeader).count, favouritesBefore + 1);
}

TEST_F(BrowserView, KeyboardWalksTheResultsWhileTheFieldKeepsTheFocus)
{
    ASSERT_NO_FATAL_FAILURE(load());
    QSignalSpy selected(browser, SIGNAL(promptSelected(QObject *)));
    QSignalSpy hide(browser, SIGNAL(hideRequested()));
    ASSERT_TRUE(selected.isValid());

    view->type(QStringLiteral("code"));
    EXPECT_EQ(view->rootObject()->property("shellSearch").toString(), QStringLiteral("code"));
    ASSERT_TRUE(waitFor([&] { return vm->rows()->count() >= 3; }));
    EXPECT_EQ(vm->highlightedRow(), 1) << "the best match, under the count of matches";

    view->key(Qt::Key_Down);
    view->key(Qt::Key_Down);
    view->key(Qt::Key_Up);
    EXPECT_TRUE(searchField->hasActiveFocus());
    Prompt *second = vm->rows()->row(2).prompt.data();
    EXPECT_EQ(vm->highlightedPrompt(), second);
    QQuickItem *secondRow = rowOf(second);
    ASSERT_TRUE(secondRow);
    EXPECT_TRUE(secondRow->property("isHighlighted").toBool());

    view->key(Qt::Key_Return);
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected[0][0].value<QObject *>(), second);

    // A right click opens the row's menu only; Escape closes it and the search has the keys again.
    view->click(secondRow, Qt::NoModifier, Qt::RightButton);
    ASSERT_TRUE(menuEntry());
    EXPECT_EQ(selected.size(), 1);
    view->key(Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return searchField->hasActiveFocus(); }));
    EXPECT_EQ(view->rootObject()->property("shellSearch").toString(), QStringLiteral("code"));

    // The highlight starts again on the first match when the text changes.
    view->key(Qt::Key_Backspace);
    EXPECT_EQ(vm->highlightedRow(), 1);

    // Escape empties the search first, then asks to hide the panel.
    view->key(Qt::Key_Escape);
    EXPECT_EQ(view->rootObject()->property("shellSearch").toString(), QString());
    EXPECT_EQ(hide.size(), 0);
    view->key(Qt::Key_Escape);
    EXPECT_EQ(hide.size(), 1);

    // Far down the list the highlight stays in view.
    view->type(QStringLiteral("e"));
    for (int i = 0; i < 25; ++i)
        view->key(Qt::Key_Down);
    QTest::qWait(1000); // rows reached while the results slide in settle first
    QQuickItem *deep = rowOf(vm->highlightedPrompt());
    ASSERT_TRUE(deep);
    auto *list = item("promptList");
    const QPointF top = deep->mapToItem(list, QPointF(0, 0));
    EXPECT_GE(top.y(), 0);
    EXPECT_LE(top.y() + deep->height(), list->height() + 1);
}

// A title is shown as written, whatever marks it holds, and takes no keyboard shortcut: a
// button's text with "&" would have bound Alt and the next letter to the row.
TEST_F(BrowserView, ATitleIsShownAsWrittenAndTakesNoShortcut)
{
    // A hot prompt: the library shows it at the top.
    Prompt *prompt = nullptr;
    for (Prompt *p : ctx->fetch<Prompt>())
        if (p->isHot() && p->isActive() && !p->isHidden() && !prompt)
            prompt = p;
    ASSERT_TRUE(prompt);
    const QString title = prompt->title();
    const auto restore = qScopeGuard([&] { prompt->setTitle(title); });
    prompt->setTitle(QStringLiteral("Q&A <b>zebra</b>"));
    ASSERT_NO_FATAL_FAILURE(load());
    // Renamed while in sight (in the same place), the row shows the new title.
    ASSERT_TRUE(waitFor([&] { return rowOf(prompt) != nullptr; }));
    prompt->setTitle(QStringLiteral("Q&A <b>zebra</b> renamed"));
    EXPECT_TRUE(waitFor([&] {
        QQuickItem *row = rowOf(prompt);
        QQuickItem *shown = row ? item("promptTitle", row) : nullptr;
        return shown && shown->property("text").toString() == QStringLiteral("Q&amp;A &lt;b&gt;zebra&lt;/b&gt; renamed");
    }));

    QSignalSpy selected(browser, SIGNAL(promptSelected(QObject *)));

    for (const QString &search : {QStringLiteral("zebra"), QString()}) {
        view->rootObject()->setProperty("shellSearch", search);
        QQuickItem *row = nullptr;
        ASSERT_TRUE(waitFor([&] { return (row = rowOf(prompt)) != nullptr; })) << search.toStdString();
        QQuickItem *shown = item("promptTitle", row);
        ASSERT_TRUE(shown);
        // The marks are text: the title is as wide as written, "<b>" and "</b>" included.
        QFontMetricsF metrics(shown->property("font").value<QFont>());
        EXPECT_GT(shown->property("contentWidth").toReal(), metrics.horizontalAdvance(QStringLiteral("Q&A <b>zebra")))
            << search.toStdString();
        view->key(Qt::Key_A, Qt::AltModifier);
        EXPECT_EQ(selected.size(), 0) << search.toStdString();
    }
}

TEST_F(BrowserView, AdministrationControls)
{
    UserDefaults::standard()->setValue(QStringLiteral("isAdminMode"), true);
    ASSERT_NO_FATAL_FAILURE(load());
    ASSERT_TRUE(item("adminMenuButton")->isVisible());
    Prompt *doomed = showFirstCategory();
    QQuickItem *row = nullptr;
    ASSERT_TRUE(waitFor([&] { return (row = rowOf(doomed)) != nullptr; }));
    ASSERT_TRUE(item("adminPromptEditor", row));
    EXPECT_EQ(item("editButton", row), nullptr); // hidden until the full editor can be shown
    view->screenshot(QStringLiteral("browser-admin.png"), 600);

    // The strip's tag menu offers the tags the prompt does not have yet.
    click(item("addTagButton", row));
    QQuickItem *entry = menuEntry();
    ASSERT_TRUE(entry);
    const QString tagName = entry->property("text").toString();
    const QList<PromptTag *> tags = doomed->tags();
    EXPECT_TRUE(std::none_of(tags.cbegin(), tags.cend(), [&](const PromptTag *tag) { return tag->name() == tagName; }))
        << tagName.toStdString();
    view->key(Qt::Key_Escape);
    QTest::qWait(300);

    // "Cancel" in the delete alert keeps the prompt.
    const qsizetype before = ctx->count<Prompt>();
    click(item("deleteButton", row));
    auto *alert = view->rootObject()->findChild<QObject *>(QStringLiteral("deleteConfirmation"));
    ASSERT_TRUE(alert);
    ASSERT_TRUE(waitFor([&] { return alert->property("opened").toBool(); }));
    EXPECT_EQ(item("deleteMessage")->property("text").toString(),
              QStringLiteral("Delete '") + doomed->title() + QStringLiteral("'?"));
    click(item("cancelDeleteButton"));
    ASSERT_TRUE(waitFor([&] { return !alert->property("visible").toBool(); }));
    EXPECT_EQ(ctx->count<Prompt>(), before);

    // "Insert Prompt" opens the import sheet; Escape closes it.
    auto *sheet = view->rootObject()->findChild<QObject *>(QStringLiteral("insertSheet"));
    ASSERT_TRUE(sheet);
    QMetaObject::invokeMethod(sheet, "open");
    ASSERT_TRUE(waitFor([&] { return item("adminInsertPromptView") != nullptr && sheet->property("opened").toBool(); }));
    // What is typed goes into the sheet's editor.
    view->type(QStringLiteral("[]"));
    EXPECT_EQ(item("adminInsertPromptView")->property("jsonText").toString(), QStringLiteral("[]"));
    view->key(Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return !sheet->property("visible").toBool(); }));
}

namespace {
// Pixels of the image within rect near the colour.
int pixelsNear(const QImage &image, const QRect &rect, const QColor &colour)
{
    int count = 0;
    for (int y = std::max(0, rect.top()); y <= std::min(image.height() - 1, rect.bottom()); ++y)
        for (int x = std::max(0, rect.left()); x <= std::min(image.width() - 1, rect.right()); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
                     std::abs(c.blue() - colour.blue()) < 40;
        }
    return count;
}

QRect sceneRect(QQuickItem *item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height())).toAlignedRect();
}
} // namespace

TEST_F(BrowserView, ResultsMarkWhatMatchedStayPutWhileTypingAndTheirOptionsWork)
{
    ASSERT_NO_FATAL_FAILURE(load());
    EXPECT_TRUE(item("searchOptions")->isVisible());
    const QList<QQuickItem *> libraryRows = shownRows();
    ASSERT_FALSE(libraryRows.isEmpty());
    view->type(QStringLiteral("revie"));
    ASSERT_TRUE(waitFor([&] { return vm->matchCount() > 0; }));
    QTest::qWait(1200); // the results slide in once
    ASSERT_TRUE(item("clearSearchButton")->isVisible());
    view->screenshot(QStringLiteral("browser-search.png"), 0);
    // The results are drawn by the rows the library had made, one under another.
    const QList<QQuickItem *> resultRows = shownRows();
    EXPECT_TRUE(std::any_of(resultRows.cbegin(), resultRows.cend(), [&](QQuickItem *r) { return libraryRows.contains(r); }));
    for (qsizetype a = 0; a < resultRows.size(); ++a)
        for (qsizetype b = a + 1; b < resultRows.size(); ++b)
            EXPECT_FALSE(sceneRect(resultRows[a]).adjusted(1, 1, -1, -1).intersects(sceneRect(resultRows[b])));
    Prompt *first = vm->rows()->row(1).prompt.data();
    QQuickItem *row = rowOf(first);
    ASSERT_TRUE(row);
    QQuickItem *count = item("matchCount");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->property("text").toString(), QStringLiteral("%1 prompts match").arg(vm->matchCount()));

    // The matched part of the title is drawn in the accent colour, the rest is not.
    const QImage before = view->grabWindow();
    const QRect title = sceneRect(item("promptTitle", row));
    const QColor accent(191, 90, 242);
    EXPECT_GT(pixelsNear(before, title, accent), 20);
    // Cleared, the library's rows show no marks.
    view->key(Qt::Key_Escape);
    QQuickItem *plainRow = nullptr;
    ASSERT_TRUE(waitFor([&] { return !vm->isSearching() && (plainRow = rowOf(vm->highlightedPrompt())) != nullptr; }));
    QTest::qWait(400);
    EXPECT_EQ(pixelsNear(view->grabWindow(), sceneRect(item("promptTitle", plainRow)), accent), 0);

    // Typing on: the rows already listed are drawn in place at once, not faded in again.
    view->type(QStringLiteral("revie"));
    ASSERT_TRUE(waitFor([&] { return vm->matchCount() > 0; }));
    QTest::qWait(1200);
    row = rowOf(first);
    ASSERT_TRUE(row);
    const QRect whole = sceneRect(row);
    const QRect trailing(whole.right() - 70, whole.top(), 70, whole.height()); // star, eye, chevron
    const QImage settled = view->grabWindow().copy(trailing);
    view->type(QStringLiteral("w"));
    QTest::qWait(30); // a frame or two
    ASSERT_EQ(vm->rows()->row(1).prompt.data(), first);
    EXPECT_EQ(view->grabWindow().copy(trailing), settled);
    EXPECT_EQ(sceneRect(rowOf(first)), whole);

    // A slip finds the same prompts under "Close matches".
    view->key(Qt::Key_Escape);
    view->type(QStringLiteral("summarize"));
    ASSERT_TRUE(waitFor([&] { return item("closeMatchesHeader") != nullptr; }));
    EXPECT_EQ(item("noResults")->property("text").toString(), QStringLiteral("No matching prompts found."));
    view->screenshot(QStringLiteral("browser-close-matches.png"), 900);
    click(item("searchTemplateChip"));
    EXPECT_TRUE(vm->searchTemplateText());
    click(item("searchTemplateChip"));
    EXPECT_FALSE(vm->searchTemplateText());
    click(item("clearSearchButton"));
    EXPECT_EQ(view->rootObject()->property("shellSearch").toString(), QString());
}

TEST_F(BrowserView, TheListIsOneTabStopAndTheRowMenuOpensOnItsFirstEntry)
{
    ASSERT_NO_FATAL_FAILURE(load());
    auto *list = item("promptList");
    auto *options = item("searchOptions");
    ASSERT_TRUE(list && options);
    QTest::qWait(400);
    const qreal listTop = list->y();

    // The Menu key from the search: the highlighted row's menu, its first entry selected,
    // the search options and the list where they were.
    view->key(Qt::Key_Down);
    Prompt *prompt = vm->highlightedPrompt();
    ASSERT_TRUE(prompt);
    const bool wasFavorite = prompt->isFavorite();
    view->key(Qt::Key_Menu);
    QQuickItem *entry = nullptr;
    ASSERT_TRUE(waitFor([&] { return (entry = item("favoriteMenuItem")) != nullptr; }));
    EXPECT_TRUE(entry->property("highlighted").toBool());
    QTest::qWait(400);
    EXPECT_TRUE(options->isVisible());
    EXPECT_EQ(list->y(), listTop);
    view->screenshot(QStringLiteral("browser-row-menu-keys.png"), 100);
    view->key(Qt::Key_Return);
    EXPECT_EQ(prompt->isFavorite(), !wasFavorite);
    EXPECT_TRUE(waitFor([&] { return searchField->hasActiveFocus(); })) << "the closed menu gives the keys back";
    prompt->ensureAttribute()->setFavorite(wasFavorite);

    // Tab from the search passes the two options and stops once on the list, which then
    // takes the walking keys and draws the ring around the highlighted row.
    searchField->forceActiveFocus();
    view->key(Qt::Key_Tab);
    view->key(Qt::Key_Tab);
    view->key(Qt::Key_Tab);
    ASSERT_TRUE(list->hasActiveFocus());
    const int before = vm->highlightedRow();
    view->key(Qt::Key_Down);
    EXPECT_NE(vm->highlightedRow(), before);
    ASSERT_TRUE(waitFor([&] { return item("listFocusRing", list) != nullptr; })) << "the ring around the highlighted row";
    view->screenshot(QStringLiteral("browser-list-focus.png"));
    view->key(Qt::Key_Tab);
    EXPECT_FALSE(list->hasActiveFocus());
}

// The panel in German, the longest of the shipped languages: the sections, an opened category,
// results, the empty result and the administration controls, each with its texts whole and
// apart (screenshot() checks them).
TEST_F(BrowserView, GermanTextsFitInEveryState)
{
    const QmlTest::Language german(QStringLiteral("de"));
    ASSERT_NO_FATAL_FAILURE(load());
    EXPECT_EQ(searchField->property("placeholderText").toString(), QStringLiteral("Prompts durchsuchen …"));
    EXPECT_EQ(item("searchTemplateChip")->property("text").toString(), QStringLiteral("Vorlagentext durchsuchen"));
    view->screenshot(QStringLiteral("de-browser-sections.png"), 600);

    showFirstCategory();
    view->screenshot(QStringLiteral("de-browser-category.png"), 600);

    view->type(QStringLiteral("image"));
    ASSERT_TRUE(waitFor([&] { return vm->rows()->count() >= 2; }));
    EXPECT_TRUE(vm->rows()->rows().first().title.endsWith(QLatin1String(" passende Prompts"))
                || vm->rows()->rows().first().title.endsWith(QLatin1String(" passender Prompt")))
        << qPrintable(vm->rows()->rows().first().title);
    view->screenshot(QStringLiteral("de-browser-search.png"), 600);

    click(item("clearSearchButton"));
    view->type(QStringLiteral("zzzz nothing"));
    ASSERT_TRUE(waitFor([&] { return item("noResults") != nullptr; }));
    view->screenshot(QStringLiteral("de-browser-no-results.png"), 600);

    view.reset();
    UserDefaults::standard()->setValue(QStringLiteral("isAdminMode"), true);
    ASSERT_NO_FATAL_FAILURE(load());
    showFirstCategory();
    view->screenshot(QStringLiteral("de-browser-admin.png"), 600);
}
