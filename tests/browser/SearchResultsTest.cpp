// The browser's search results as rows: the count, the matches with what matched marked, the
// close matches under their header, the empty state; searches in the background that keep the
// rows in place and drop stale ones; result rows made a page at a time.
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptBrowserViewModel.h"
#include "StoreTestData.h"
#include "TestSupport.h"
#include "UiLanguage.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
using Kind = BrowserRowModel::Kind;

class ResultRows : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok()); }

    Prompt *prompt(const QString &title, const QString &description = {})
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
    ModelContext ctx;
    UserDefaults defaults{TestSupport::freshDir(QStringLiteral("results")) + QStringLiteral("/vorn.ini")};
};
} // namespace

TEST_F(ResultRows, CountMatchesCloseMatchesAndTheEmptyState)
{
    Prompt *palette = prompt(QStringLiteral("Colour Palette"), QStringLiteral("Colours that go together"));
    Prompt *grade = prompt(QStringLiteral("Color grading"), QStringLiteral("for <video>"));
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
        prompt(QStringLiteral("Review number %1").arg(i), QStringLiteral("a careful review"));
    Prompt *other = prompt(QStringLiteral("Revise an essay"));
    PromptBrowserViewModel vm(&ctx, &defaults);
    vm.setBackgroundFrom(0);
    QAbstractItemModelTester tester(vm.rows(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy shown(&vm, &PromptBrowserViewModel::resultsShown);

    vm.setSearchText(QStringLiteral("rev"));
    EXPECT_TRUE(vm.isSearchPending());
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("31 prompts match"));
    EXPECT_EQ(vm.rows()->count(), 32);

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
    prompt(QStringLiteral("Essay outline"));
    ASSERT_TRUE(shown.wait(3000));
    EXPECT_EQ(vm.rows()->row(0).title, QStringLiteral("2 prompts match"));
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
        // The search prepares nothing more while it shows its results.
        EXPECT_TRUE(vm.isSearchPrepared());
    }
}
