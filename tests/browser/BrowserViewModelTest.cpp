#include "BrowserSections.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptBrowserViewModel.h"
#include "PromptCategory.h"
#include "StoreTestData.h"
#include "TestSupport.h"
#include "UiLanguage.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace {
using Kind = BrowserRowModel::Kind;

class Browser : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
        writing = category(QStringLiteral("Writing"), 0);
        code = category(QStringLiteral("Code"), 1);
    }
    PromptCategory *category(const QString &name, int order)
    {
        auto *c = new PromptCategory;
        c->setName(name);
        c->setSortOrder(order);
        ctx.insert(c);
        return c;
    }
    Prompt *prompt(const QString &title, PromptCategory *in = nullptr)
    {
        auto *p = new Prompt;
        p->setTitle(title);
        if (in)
            p->setCategories({in});
        ctx.insert(p);
        return p;
    }
    BrowserSections sections(bool admin = false) { return BrowserSections::build(ctx, admin); }

    // The prompts listed under a section id, in row order.
    static QList<Prompt *> rowsOf(PromptBrowserViewModel &vm, const QUuid &section)
    {
        QList<Prompt *> out;
        for (const auto &row : vm.rows()->rows())
            if (row.kind == Kind::Prompt && row.sectionId == section)
                out << row.prompt.data();
        return out;
    }
    static int rowOfKind(PromptBrowserViewModel &vm, Kind kind)
    {
        for (int row = 0; row < vm.rows()->count(); ++row)
            if (vm.rows()->row(row).kind == kind)
                return row;
        return -1;
    }

    ModelContext ctx;
    UserDefaults defaults{TestSupport::freshDir(QStringLiteral("browser")) + QStringLiteral("/vorn.ini")};
    PromptCategory *writing = nullptr;
    PromptCategory *code = nullptr;
};

// The search results as rows: the count, the matches with what matched marked, the close
// matches under their header, the empty state; searches in the background that keep the rows
// in place and drop stale ones; result rows made a page at a time.
class ResultRows : public Browser {
protected:
    Prompt *described(const QString &title, const QString &description)
    {
        return TestData::addPrompt(ctx, title, {}, description);
    }
    static QList<Kind> kinds(PromptBrowserViewModel &vm)
    {
        QList<Kind> out;
        for (const auto &row : vm.rows()->rows())
            out << row.kind;
        return out;
    }

    // The app's English, whose catalogue gives the singular ("1 prompt matches").
    const UiLanguage english{UiLanguage::Environment{{}, {}, {}, QStringLiteral("C.UTF-8")}};
};
} // namespace

TEST_F(Browser, HotFavouritesAndLastUsedSections)
{
    Prompt *hotFavorite = prompt(QStringLiteral("Hot"), writing);
    hotFavorite->setHot(true);
    hotFavorite->ensureAttribute()->setFavorite(true);
    Prompt *oftenUsed = prompt(QStringLiteral("Used a lot"), writing);
    oftenUsed->ensureAttribute()->setUsageCount(50);
    Prompt *favorite = prompt(QStringLiteral("Fav once"), writing);
    favorite->ensureAttribute()->setFavorite(true);
    favorite->attributes()->setUsageCount(1);
    Prompt *draft = prompt(QStringLiteral("Draft"), writing);
    draft->setActive(false);
    draft->ensureAttribute()->setFavorite(true);
    const QDateTime now = QDateTime::currentDateTime();
    QList<Prompt *> used;
    for (int i = 0; i < 5; ++i) {
        used << prompt(QStringLiteral("P%1").arg(i), code);
        used.last()->ensureAttribute()->setLastUsedAt(now.addSecs(i));
    }
    used[4]->attributes()->setHidden(true);

    BrowserSections s = sections();
    EXPECT_EQ(s.hot, QList<Prompt *>{hotFavorite});
    EXPECT_EQ(s.favorites, (QList<Prompt *>{favorite, oftenUsed})) << "favourites before the often used";
    EXPECT_EQ(sections(true).favorites, (QList<Prompt *>{favorite, draft, oftenUsed})) << "drafts for admins";
    EXPECT_EQ(s.lastUsed, (QList<Prompt *>{used[3], used[2], used[1]})) << "the three latest shown";

    // Six favourites show, then "More..."; Return on it shows the rest.
    for (int i = 0; i < 5; ++i)
        prompt(QStringLiteral("F%1").arg(i), code)->ensureAttribute()->setFavorite(true);
    PromptBrowserViewModel vm(&ctx, &defaults);
    QAbstractItemModelTester tester(vm.rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    vm.appear();
    EXPECT_EQ(rowsOf(vm, BrowserSections::FavoritesId).size(), BrowserSections::FavoritesShown);
    vm.setHighlightedRow(rowOfKind(vm, Kind::More));
    ASSERT_GE(vm.highlightedRow(), 0);
    EXPECT_TRUE(vm.handleKey(Qt::Key_Return, 5, false));
    EXPECT_TRUE(vm.showAllFavorites());
    EXPECT_EQ(rowsOf(vm, BrowserSections::FavoritesId).size(), 7);
    EXPECT_EQ(rowOfKind(vm, Kind::More), -1);
}

TEST_F(Browser, HiddenPromptsAndCategoriesLeaveTheLibraryAndComeBack)
{
    Prompt *a = prompt(QStringLiteral("Alpha"), writing);
    Prompt *b = prompt(QStringLiteral("Beta"), writing);
    prompt(QStringLiteral("Gamma"), code);
    prompt(QStringLiteral("Draft"), code)->setActive(false);
    b->ensureAttribute()->setHidden(true);
    BrowserSections s = sections();
    ASSERT_EQ(s.library.size(), 2);
    EXPECT_EQ(s.library[1].category, writing);
    EXPECT_EQ(s.library[1].prompts, QList<Prompt *>{a});
    EXPECT_EQ(s.hiddenPrompts, QList<Prompt *>{b});

    PromptBrowserViewModel vm(&ctx, &defaults);
    vm.appear();
    vm.hideCategory(writing);
    QCoreApplication::processEvents();
    ASSERT_EQ(vm.sections().library.size(), 1);
    EXPECT_EQ(vm.sections().library[0].category, code);
    EXPECT_EQ(vm.sections().library[0].prompts.size(), 1) << "the draft is for administrators only";
    EXPECT_EQ(vm.sections().hiddenCategories, QList<PromptCategory *>{writing});
    // Return on a hidden category brings it back.
    vm.toggle(uuidText(BrowserSections::HiddenCategoriesId));
    vm.setHighlightedRow(rowOfKind(vm, Kind::HiddenCategory));
    ASSERT_GE(vm.highlightedRow(), 0);
    vm.handleKey(Qt::Key_Return, 5, false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(writing->isHidden());
    EXPECT_EQ(vm.sections().library.size(), 2);
    EXPECT_TRUE(vm.sections().hiddenCategories.isEmpty());

    a->ensureAttribute()->setHidden(true);
    code->ensureAttribute()->setHidden(true);
    s = sections();
    EXPECT_TRUE(s.library.isEmpty()) << "all of Writing hidden, Code hidden itself";
    EXPECT_EQ(s.hiddenCategories, QList<PromptCategory *>{code});
}

TEST_F(Browser, LibraryOrders)
{
    // Categories: most used first, then by name whatever the sort order.
    PromptCategory *art = category(QStringLiteral("Art"), 9);
    prompt(QStringLiteral("x"), art);
    prompt(QStringLiteral("y"), writing);
    prompt(QStringLiteral("z"), code);
    BrowserSections s = sections();
    ASSERT_EQ(s.library.size(), 3);
    EXPECT_EQ(s.library[0].category, art);
    EXPECT_EQ(s.library[1].category, code);
    writing->ensureAttribute()->setUsageCount(2);
    EXPECT_EQ(sections().library[0].category, writing);

    // Prompts: most used first, then natural title order.
    Prompt *item10 = prompt(QStringLiteral("Item 10"), code);
    Prompt *item2 = prompt(QStringLiteral("item 2"), code);
    Prompt *used = prompt(QStringLiteral("Zed"), code);
    used->ensureAttribute()->setUsageCount(3);
    const QList<Prompt *> codePrompts = sections().library[2].prompts;
    ASSERT_EQ(codePrompts.size(), 4);
    EXPECT_EQ(codePrompts.mid(0, 3), (QList<Prompt *>{used, item2, item10}));
    // The browser sorts only the category it lists; the others show just their count.
    PromptBrowserViewModel vm(&ctx, &defaults);
    vm.toggle(code->idText());
    EXPECT_EQ(rowsOf(vm, code->id()).mid(0, 3), (QList<Prompt *>{used, item2, item10}));
    const qsizetype builds = vm.sectionBuilds();
    vm.shownAgain();
    EXPECT_EQ(vm.sectionBuilds(), builds) << "shown again with nothing changed: not worked out again";
    item10->ensureAttribute()->setUsageCount(5);
    vm.shownAgain();
    EXPECT_EQ(vm.sectionBuilds(), builds + 1) << "any change is seen";
    EXPECT_EQ(rowsOf(vm, code->id()).mid(0, 3), (QList<Prompt *>{item10, used, item2}));
    ctx.remove(used);
    vm.shownAgain();
    EXPECT_FALSE(rowsOf(vm, code->id()).contains(used));
}

TEST_F(Browser, TitleOrderWorkedOutAheadIsTheCollatedOne)
{
    // The ranks made on another thread sort as collating does: natural numbers, case and
    // accents, equal titles kept in store order; a title renamed since falls back to collating.
    QList<Prompt *> prompts;
    for (const char *title : {"Item 10", "item 2", "Éclair", "eclair", "Zed", "apple", "Apple", "Item 10", "b"})
        prompts << prompt(QString::fromUtf8(title), code);
    prompts[4]->ensureAttribute()->setUsageCount(2);
    QList<Prompt *> collated = prompts;
    BrowserSections::sortByUsageThenTitle(collated);
    ASSERT_EQ(collated.first(), prompts[4]);

    bool ready = false;
    QObject guard;
    BrowserSections::prepareTitles(ctx, &guard, [&ready] { ready = true; });
    for (int i = 0; i < 500 && !ready; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    ASSERT_TRUE(ready);
    QList<Prompt *> ranked = prompts;
    BrowserSections::sortByUsageThenTitle(ranked);
    EXPECT_EQ(ranked, collated);

    prompts[8]->setTitle(QStringLiteral("Aardvark"));
    QList<Prompt *> renamed = prompts;
    BrowserSections::sortByUsageThenTitle(renamed);
    QList<Prompt *> expected = collated;
    expected.removeOne(prompts[8]);
    expected.insert(1, prompts[8]);
    EXPECT_EQ(renamed, expected);
}

TEST_F(Browser, ExpansionIsRememberedAndFallsBackToFavourites)
{
    prompt(QStringLiteral("A"), writing)->ensureAttribute()->setFavorite(true);
    prompt(QStringLiteral("Secret"), writing)->ensureAttribute()->setHidden(true);
    // The hidden prompts' identifier is the nil UUID, which must not be mistaken for "nothing open".
    const QString hiddenId = uuidText(BrowserSections::HiddenPromptsId);
    {
        PromptBrowserViewModel vm(&ctx, &defaults);
        EXPECT_EQ(vm.expandedId(), uuidText(BrowserSections::FavoritesId));
        vm.toggle(writing->idText());
        EXPECT_EQ(vm.expandedId(), writing->idText());
    }
    {
        PromptBrowserViewModel vm(&ctx, &defaults);
        EXPECT_EQ(vm.expandedId(), writing->idText()) << "remembered";
        vm.toggle(writing->idText());
        EXPECT_EQ(vm.expandedId(), QString());
        EXPECT_EQ(defaults.string(QStringLiteral("lastExpandedCategory")), QString());
        for (const auto &row : vm.rows()->rows())
            EXPECT_FALSE(row.expanded) << row.title.toStdString();
    }
    {
        PromptBrowserViewModel vm(&ctx, &defaults);
        EXPECT_EQ(vm.expandedId(), uuidText(BrowserSections::FavoritesId)) << "nothing open falls back";
        vm.toggle(hiddenId);
        EXPECT_EQ(vm.expandedId(), hiddenId);
        EXPECT_EQ(rowsOf(vm, BrowserSections::HiddenPromptsId).size(), 1);
    }
    PromptBrowserViewModel vm(&ctx, &defaults);
    EXPECT_EQ(vm.expandedId(), hiddenId);
    vm.toggle(QStringLiteral("not an id"));
    EXPECT_EQ(vm.expandedId(), hiddenId) << "a bad id is ignored";
}

TEST_F(Browser, KeyboardHighlightAndLiveUpdates)
{
    Prompt *review = prompt(QStringLiteral("Review of code"), code);
    prompt(QStringLiteral("Code tests"), code);
    prompt(QStringLiteral("Poem"), writing);
    PromptBrowserViewModel vm(&ctx, &defaults);
    QAbstractItemModelTester tester(vm.rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    vm.setSearchText(QStringLiteral("code"));
    Prompt *first = vm.highlightedPrompt();
    ASSERT_NE(first, nullptr);
    vm.moveHighlight(1);
    EXPECT_NE(vm.highlightedPrompt(), first);
    vm.moveHighlight(1); // past the end stays on the last
    vm.moveHighlight(-1);
    EXPECT_EQ(vm.highlightedPrompt(), first);
    vm.setSearchText(QStringLiteral("review code"));
    EXPECT_EQ(vm.highlightedPrompt(), review);
    vm.setSearchText(QStringLiteral("nothing like this"));
    ASSERT_EQ(vm.rows()->count(), 1);
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("No matching prompts found."));
    EXPECT_EQ(vm.highlightedPrompt(), nullptr);

    vm.setSearchText(QString());
    EXPECT_TRUE(rowsOf(vm, BrowserSections::FavoritesId).isEmpty());
    vm.toggleFavorite(review);
    EXPECT_EQ(ctx.count<UserAttribute>(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(rowsOf(vm, BrowserSections::FavoritesId), QList<Prompt *>{review}) << "moved on the next turn";
}

TEST_F(Browser, AdminTogglesTouchUpdatedAtButUserTogglesDoNot)
{
    Prompt *p = prompt(QStringLiteral("A"), writing);
    const QDateTime before = QDateTime::currentDateTime().addDays(-3);
    p->setUpdatedAt(before);
    PromptBrowserViewModel vm(&ctx, &defaults);
    vm.toggleFavorite(p);
    vm.toggleHidden(p);
    EXPECT_EQ(p->updatedAt(), before);
    vm.toggleHot(p);
    EXPECT_TRUE(p->isHot());
    EXPECT_GT(p->updatedAt(), before);
    vm.toggleActive(p);
    EXPECT_FALSE(p->isActive());
    vm.deletePrompt(p);
    EXPECT_EQ(ctx.count<Prompt>(), 0);
    EXPECT_EQ(ctx.count<UserAttribute>(), 1);
}

TEST_F(Browser, KeysWalkHeadersOpenAndCloseThemAndOpenPrompts)
{
    Prompt *hot = prompt(QStringLiteral("Hot"), writing);
    hot->setHot(true);
    Prompt *favorite = prompt(QStringLiteral("Fav"), code);
    favorite->ensureAttribute()->setFavorite(true);
    prompt(QStringLiteral("Poem"), writing);
    PromptBrowserViewModel vm(&ctx, &defaults);
    QAbstractItemModelTester tester(vm.rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy opened(&vm, &PromptBrowserViewModel::promptActivated);
    vm.appear();
    vm.toggle(writing->idText()); // Writing open, favourites closed
    const auto highlighted = [&] { return vm.rows()->row(vm.highlightedRow()); };
    const auto press = [&](int key) { return vm.handleKey(key, 2, false); };

    vm.setHighlightedRow(-1);
    EXPECT_TRUE(press(Qt::Key_Down));
    EXPECT_EQ(vm.highlightedPrompt(), hot);
    press(Qt::Key_Down);
    EXPECT_EQ(highlighted().sectionId, BrowserSections::FavoritesId) << "a collapsed header is a stop";
    EXPECT_EQ(highlighted().kind, Kind::SectionHeader);
    press(Qt::Key_Down); // past the "Library" caption
    EXPECT_EQ(highlighted().category, code);

    // Right opens the collapsed category (closing Writing) and stays on its header; Right
    // again goes into it, where Return opens the prompt.
    press(Qt::Key_Right);
    EXPECT_EQ(vm.expandedId(), code->idText());
    EXPECT_EQ(highlighted().category, code);
    press(Qt::Key_Right);
    EXPECT_EQ(vm.highlightedPrompt(), favorite);
    EXPECT_EQ(highlighted().sectionId, code->id());
    press(Qt::Key_Return);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().first().value<Prompt *>(), favorite);

    // Left goes from the row to its header, then closes it. (Where each key lands is the
    // walk's own test; here the view model acts on it.)
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    EXPECT_EQ(vm.expandedId(), QString());
    EXPECT_EQ(highlighted().category, code);

    // Return on a header opens it like a click, and opens no prompt.
    press(Qt::Key_End);
    ASSERT_EQ(highlighted().category, writing);
    press(Qt::Key_Return);
    EXPECT_EQ(vm.expandedId(), writing->idText());
    EXPECT_EQ(opened.size(), 1);

    // In the search field, a search's text keeps the keys that edit it; the walk keys stay the list's.
    vm.setSearchText(QStringLiteral("o"));
    EXPECT_FALSE(vm.handleKey(Qt::Key_Left, 2, true)) << "the field's cursor key";
    EXPECT_TRUE(vm.handleKey(Qt::Key_Left, 2, false)) << "the same key on the list";
    EXPECT_TRUE(vm.handleKey(Qt::Key_PageDown, 2, true));
    vm.setSearchText(QString());
    EXPECT_TRUE(vm.handleKey(Qt::Key_End, 2, true)) << "an empty field has nothing to edit";
}

TEST_F(Browser, SeedsTheTextTagSuffixOnlyWhenAbsent)
{
    const QString key = QStringLiteral("tag_text_suffix");
    { PromptBrowserViewModel seeding(&ctx, &defaults); }
    EXPECT_EQ(defaults.string(key), QStringLiteral("The output shall be in {{language: [languages]}}."));
    defaults.setValue(key, QString());
    PromptBrowserViewModel vm(&ctx, &defaults);
    EXPECT_EQ(defaults.stringValue(key), QString());
}

TEST_F(Browser, ClearingASearchMakesTheRowsAnewAndTheLibraryAppearsEachTime)
{
    for (const char *title : {"Senior review", "Senior plan", "Junior plan"})
        prompt(QLatin1String(title), writing)->setActive(false); // listed to administrators only
    defaults.setValue(QStringLiteral("isAdminMode"), true);
    PromptBrowserViewModel vm(&ctx, &defaults);
    QSignalSpy shown(&vm, &PromptBrowserViewModel::libraryShown);
    vm.appear();
    EXPECT_EQ(shown.size(), 1);
    vm.toggle(writing->idText());
    const QList<BrowserRowModel::Row> sectionRows = vm.rows()->rows();

    vm.setSearchText(QStringLiteral("senior"));
    QCoreApplication::processEvents(); // a search may finish in the background
    EXPECT_EQ(vm.matchCount(), 2);
    EXPECT_EQ(shown.size(), 1);

    QSignalSpy reset(vm.rows(), &QAbstractItemModel::modelReset);
    QSignalSpy moved(vm.rows(), &QAbstractItemModel::rowsMoved);
    vm.setSearchText(QString()); // Escape
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(moved.size(), 0);
    EXPECT_EQ(vm.rows()->count(), sectionRows.size());
    for (int i = 0; i < vm.rows()->count(); ++i)
        EXPECT_EQ(vm.rows()->row(i).title, sectionRows.at(i).title) << i;
    EXPECT_EQ(shown.size(), 2) << "the duplicate clean-up runs again";

    vm.refresh();
    EXPECT_EQ(shown.size(), 2) << "a store change redraws the list: no new appearance";
    vm.shownAgain(); // the panel shown again, or back from a detail
    EXPECT_EQ(shown.size(), 3);
}

TEST_F(ResultRows, CountMatchesCloseMatchesAndTheEmptyState)
{
    Prompt *palette = described(QStringLiteral("Colour Palette"), QStringLiteral("Colours that go together"));
    Prompt *grade = described(QStringLiteral("Color grading"), QStringLiteral("for <video>"));
    prompt(QStringLiteral("Poem"));
    PromptBrowserViewModel vm(&ctx, &defaults);
    QAbstractItemModelTester tester(vm.rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);

    vm.setSearchText(QStringLiteral("color"));
    ASSERT_EQ(kinds(vm), (QList<Kind>{Kind::MatchCount, Kind::Prompt, Kind::CloseHeader, Kind::Prompt}));
    const auto &rows = vm.rows()->rows();
    EXPECT_EQ(rows[0].title, QStringLiteral("1 prompt matches"));
    EXPECT_EQ(vm.matchCount(), 1);
    EXPECT_EQ(rows[1].prompt, grade);
    EXPECT_EQ(rows[1].match, BrowserRowModel::Match::Match);
    EXPECT_EQ(rows[2].title, QStringLiteral("Close matches"));
    EXPECT_EQ(rows[3].prompt, palette);
    EXPECT_EQ(rows[3].match, BrowserRowModel::Match::Close);
    // What matched is marked in the match colour; the rest is escaped text.
    EXPECT_EQ(rows[1].titleMarkup, QStringLiteral("<font color=\"#bf5af2\"><b>Color</b></font> grading"));
    EXPECT_EQ(rows[1].descriptionMarkup, QStringLiteral("for &lt;video&gt;"));
    EXPECT_EQ(rows[3].titleMarkup, QStringLiteral("<font color=\"#bf5af2\"><b>Colour</b></font> Palette"));
    EXPECT_EQ(rows[3].descriptionMarkup, QStringLiteral("<font color=\"#bf5af2\"><b>Colours</b></font> that go together"));
    EXPECT_EQ(vm.highlightedPrompt(), grade);
    vm.setMatchColor(QColor(QStringLiteral("#00ff00")));
    EXPECT_TRUE(vm.rows()->row(1).titleMarkup.startsWith(QStringLiteral("<font color=\"#00ff00\">")));

    vm.setSearchText(QStringLiteral("o"));
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("3 prompts match"));
    vm.setSearchText(QStringLiteral("  "));
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("3 prompts"));

    // Nothing at all: the closest titles, and the hint while templates are not searched.
    vm.setSearchText(QStringLiteral("poxmz"));
    ASSERT_EQ(kinds(vm), (QList<Kind>{Kind::Empty, Kind::CloseHeader, Kind::Prompt}));
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("No matching prompts found."));
    EXPECT_EQ(vm.rows()->row(0).description,
              QStringLiteral("Turn on \"Search template text\" to look inside the templates too."));
    EXPECT_EQ(vm.rows()->row(1).title, QStringLiteral("Closest titles"));
    EXPECT_EQ(vm.rows()->row(2).match, BrowserRowModel::Match::Closest);
    vm.setSearchTemplateText(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(vm.rows()->row(0).description, QString());
    EXPECT_EQ(vm.highlightedPrompt(), vm.rows()->row(2).prompt.data());
}

TEST_F(ResultRows, BackgroundSearchKeepsTheRowsAndDropsStaleSearches)
{
    for (int i = 0; i < 30; ++i)
        described(QStringLiteral("Review number %1").arg(i), QStringLiteral("a careful review"));
    Prompt *other = prompt(QStringLiteral("Revise an essay"));
    PromptBrowserViewModel vm(&ctx, &defaults);
    vm.setBackgroundFrom(0);
    QAbstractItemModelTester tester(vm.rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy shown(&vm, &PromptBrowserViewModel::resultsShown);
    // A search's first results are announced while the library's rows still show (the view
    // starts their entrance then); later results are not.
    QList<bool> arrivedOverLibrary;
    QObject::connect(&vm, &PromptBrowserViewModel::resultsArrive,
                     [&] { arrivedOverLibrary << !kinds(vm).contains(Kind::MatchCount); });

    vm.setSearchText(QStringLiteral("rev"));
    EXPECT_TRUE(vm.isSearchPending());
    EXPECT_TRUE(arrivedOverLibrary.isEmpty()) << "nothing arrives before the search thread answers";
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("31 prompts match"));
    EXPECT_EQ(vm.rows()->count(), 32);
    EXPECT_EQ(arrivedOverLibrary, QList<bool>{true});

    // The next letter changes the rows' contents in place: nothing is removed, reset or added.
    QSignalSpy reset(vm.rows(), &QAbstractItemModel::modelReset);
    QSignalSpy removed(vm.rows(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy inserted(vm.rows(), &QAbstractItemModel::rowsInserted);
    QSignalSpy moved(vm.rows(), &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(vm.rows(), &QAbstractItemModel::dataChanged);
    vm.setSearchText(QStringLiteral("revi"));
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_EQ(reset.size() + removed.size() + inserted.size() + moved.size(), 0);
    EXPECT_GE(changed.size(), 1); // the marks moved on to the longer term
    // Fewer results: only the rows past the end go.
    vm.setSearchText(QStringLiteral("an essay"));
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_EQ(reset.size() + inserted.size() + moved.size(), 0);
    EXPECT_EQ(removed.size(), 1);
    ASSERT_EQ(vm.rows()->count(), 2);
    EXPECT_EQ(vm.rows()->row(1).prompt, other);
    EXPECT_EQ(arrivedOverLibrary.size(), 1) << "results taking the place of results do not arrive again";

    // Keys faster than the search: only the last one's results are shown.
    shown.clear();
    vm.setSearchText(QStringLiteral("r"));
    vm.setSearchText(QStringLiteral("re"));
    vm.setSearchText(QStringLiteral("number 17"));
    ASSERT_TRUE(shown.wait(3000));
    QTest::qWait(100);
    EXPECT_EQ(shown.size(), 1);
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("1 prompt matches"));

    // Clearing the search while one runs shows the sections, and its results never come.
    vm.setSearchText(QStringLiteral("essay"));
    vm.setSearchText(QString());
    QTest::qWait(100);
    EXPECT_FALSE(vm.isSearchPending());
    EXPECT_FALSE(kinds(vm).contains(Kind::MatchCount));

    // A change of the library while searching shows in the results.
    vm.setSearchText(QStringLiteral("essay"));
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_EQ(arrivedOverLibrary, (QList<bool>{true, true})) << "after the sections, results arrive again";
    prompt(QStringLiteral("Essay outline"));
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("2 prompts match"));
    EXPECT_EQ(arrivedOverLibrary.size(), 2);
}

TEST_F(ResultRows, RowsAreMadeAPageAtATime)
{
    const int total = PromptBrowserViewModel::RowsPerPage * 2 + 20;
    for (int i = 0; i < total; ++i)
        prompt(QStringLiteral("Item %1").arg(i));
    PromptBrowserViewModel vm(&ctx, &defaults);
    vm.setSearchText(QStringLiteral("item"));
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("%1 prompts match").arg(total));
    EXPECT_EQ(vm.rows()->count(), PromptBrowserViewModel::RowsPerPage);
    ASSERT_TRUE(vm.rows()->canFetchMore({}));
    vm.rows()->fetchMore({});
    EXPECT_EQ(vm.rows()->count(), 2 * PromptBrowserViewModel::RowsPerPage);
    // Walking down the list makes the rest as it gets there.
    vm.setHighlightedRow(vm.rows()->count() - 1);
    vm.moveHighlight(1);
    EXPECT_EQ(vm.rows()->count(), total + 1);
    EXPECT_EQ(vm.highlightedRow(), 2 * PromptBrowserViewModel::RowsPerPage);
    EXPECT_FALSE(vm.rows()->canFetchMore({}));
    EXPECT_EQ(vm.rows()->rows().last().prompt->title(), QStringLiteral("Item %1").arg(total - 1));
}

// The index is made in idle time while the sections show, on this thread for a small library
// and on the search thread for a large one, and made again after the library changed: the
// first letter typed finds it ready.
TEST_F(ResultRows, SearchIsPreparedBeforeTheFirstKeystroke)
{
    for (int i = 0; i < 20; ++i)
        prompt(QStringLiteral("Plan number %1").arg(i));
    ASSERT_TRUE(ctx.save());
    for (const int backgroundFrom : {1000, 0}) {
        SCOPED_TRACE(backgroundFrom);
        PromptBrowserViewModel vm(&ctx, &defaults);
        vm.setBackgroundFrom(backgroundFrom);
        EXPECT_FALSE(vm.isSearchPrepared()); // nothing before the event loop runs
        EXPECT_TRUE(QTest::qWaitFor([&] { return vm.isSearchPrepared(); }, 5000));

        prompt(QStringLiteral("Plan the last one"));
        ASSERT_TRUE(ctx.save());
        EXPECT_FALSE(vm.isSearchPrepared());
        EXPECT_TRUE(QTest::qWaitFor([&] { return vm.isSearchPrepared(); }, 5000));

        QSignalSpy shown(&vm, &PromptBrowserViewModel::resultsShown);
        vm.setSearchText(QStringLiteral("plan"));
        if (backgroundFrom == 0) {
            ASSERT_TRUE(shown.wait(3000));
        }
        EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("%1 prompts match").arg(21 + (backgroundFrom == 0)));
        EXPECT_TRUE(vm.isSearchPrepared()) << "the search prepares nothing more while it shows its results";
    }
}
