#include "BrowserListWalk.h"

#include <QUuid>

#include <gtest/gtest.h>

namespace {
using Kind = BrowserRowModel::Kind;
using Step = BrowserListWalk::Step;

const QUuid Favorites = QUuid::createUuid();
const QUuid Writing = QUuid::createUuid();
const QUuid Code = QUuid::createUuid();

BrowserRowModel::Row row(Kind kind, const QUuid &section = {}, bool inCard = false, bool expanded = false)
{
    BrowserRowModel::Row r;
    r.kind = kind;
    r.sectionId = section;
    r.inCard = inCard;
    r.expanded = expanded;
    return r;
}

// A hot prompt, the open favourites with two prompts and "More...", the "Library" caption,
// Writing collapsed, Code open with one prompt.
QList<BrowserRowModel::Row> library()
{
    return {row(Kind::Prompt),                                   // 0 hot
            row(Kind::SectionHeader, Favorites, false, true),    // 1
            row(Kind::Prompt, Favorites, true),                  // 2
            row(Kind::Prompt, Favorites, true),                  // 3
            row(Kind::More, Favorites, true),                    // 4
            row(Kind::LibraryHeader),                            // 5 caption, no stop
            row(Kind::CategoryHeader, Writing),                  // 6 collapsed
            row(Kind::CategoryHeader, Code, false, true),        // 7 open
            row(Kind::Prompt, Code, true)};                      // 8
}
} // namespace

TEST(BrowserListWalk, StepsStopOnPromptsHeadersAndMoreButPassCaptions)
{
    const QList<BrowserRowModel::Row> rows = library();
    const BrowserListWalk walk(rows);
    QList<int> down;
    for (int at = -1, next = 0;; at = next) {
        next = walk.step(at, Step::Next, 1);
        if (next == at)
            break;
        down << next;
    }
    EXPECT_EQ(down, (QList<int>{0, 1, 2, 3, 4, 6, 7, 8}));
    EXPECT_EQ(walk.step(6, Step::Previous, 1), 4); // over the caption
    EXPECT_EQ(walk.step(0, Step::Previous, 1), 0); // stays at the top
    EXPECT_EQ(walk.step(5, Step::Next, 1), 6);     // from a caption to the next stop
    EXPECT_EQ(walk.step(5, Step::Previous, 1), 4);
    EXPECT_EQ(walk.step(-1, Step::Previous, 1), 0);
}

TEST(BrowserListWalk, PagesAndEndsClampToTheStops)
{
    const QList<BrowserRowModel::Row> rows = library();
    const BrowserListWalk walk(rows);
    EXPECT_EQ(walk.step(0, Step::PageDown, 3), 3);
    EXPECT_EQ(walk.step(3, Step::PageDown, 3), 7);
    EXPECT_EQ(walk.step(7, Step::PageDown, 3), 8);
    EXPECT_EQ(walk.step(8, Step::PageUp, 3), 4);
    EXPECT_EQ(walk.step(2, Step::PageUp, 3), 0);
    EXPECT_EQ(walk.step(4, Step::PageDown, 0), 6); // a page is at least one stop
    EXPECT_EQ(walk.step(4, Step::First, 3), 0);
    EXPECT_EQ(walk.step(0, Step::Last, 3), 8);
    EXPECT_EQ(walk.firstStop(), 0);
    EXPECT_EQ(walk.lastStop(), 8);

    const QList<BrowserRowModel::Row> captionsOnly{row(Kind::Empty), row(Kind::CloseHeader)};
    const BrowserListWalk none(captionsOnly);
    EXPECT_EQ(none.step(-1, Step::Next, 1), -1);
    EXPECT_EQ(none.step(-1, Step::Last, 1), -1);
}

TEST(BrowserListWalk, HeadersOfRowsAndTheirFirstRows)
{
    const QList<BrowserRowModel::Row> rows = library();
    const BrowserListWalk walk(rows);
    EXPECT_EQ(walk.headerOf(0), -1); // a hot prompt belongs to no section
    EXPECT_EQ(walk.headerOf(1), 1);
    EXPECT_EQ(walk.headerOf(3), 1);
    EXPECT_EQ(walk.headerOf(4), 1); // "More..." too
    EXPECT_EQ(walk.headerOf(5), -1);
    EXPECT_EQ(walk.headerOf(8), 7);
    EXPECT_EQ(walk.headerOf(42), -1);
    EXPECT_EQ(walk.firstInside(1), 2);
    EXPECT_EQ(walk.firstInside(6), -1); // collapsed
    EXPECT_EQ(walk.firstInside(7), 8);
    EXPECT_EQ(walk.firstInside(2), -1); // not a header

    // Search results are drawn outside cards and lie under no header.
    const QList<BrowserRowModel::Row> results{row(Kind::MatchCount), row(Kind::Prompt), row(Kind::Prompt)};
    EXPECT_EQ(BrowserListWalk(results).headerOf(2), -1);
}
