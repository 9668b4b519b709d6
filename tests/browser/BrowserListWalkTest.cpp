#include "BrowserListWalk.h"

#include <QUuid>
#include <QtCore/qnamespace.h>

#include <gtest/gtest.h>

#include <tuple>

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

TEST(BrowserListWalk, StepsAndPagesStopOnPromptsHeadersAndMoreButPassCaptions)
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
    // Pages and ends clamp to the stops.
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

TEST(BrowserListWalk, HeadersOfRowsTheirFirstRowsAndTheKeysThatOpenCloseAndEnterThem)
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

    // Keys open, close and enter the headers.
    using Act = BrowserListWalk::Outcome::Act;
    const auto outcome = [&](int key, int at) {
        const BrowserListWalk::Outcome o = walk.onKey(key, at, 3);
        return std::make_tuple(o.handled, o.highlight, o.act);
    };
    EXPECT_EQ(outcome(Qt::Key_Right, 6), std::make_tuple(true, 6, Act::Toggle)); // opens Writing
    EXPECT_EQ(outcome(Qt::Key_Right, 7), std::make_tuple(true, 8, Act::None));  // into the open Code
    EXPECT_EQ(outcome(Qt::Key_Right, 8), std::make_tuple(true, 8, Act::None));  // a row stays
    EXPECT_EQ(outcome(Qt::Key_Left, 8), std::make_tuple(true, 7, Act::None));   // up to its header
    EXPECT_EQ(outcome(Qt::Key_Left, 7), std::make_tuple(true, 7, Act::Toggle)); // closes it
    EXPECT_EQ(outcome(Qt::Key_Left, 6), std::make_tuple(true, 6, Act::None));   // closed already
    EXPECT_EQ(outcome(Qt::Key_Left, 0), std::make_tuple(true, 0, Act::None));   // in no section
    EXPECT_EQ(outcome(Qt::Key_Return, 1), std::make_tuple(true, 1, Act::Toggle));
    EXPECT_EQ(outcome(Qt::Key_Return, 4), std::make_tuple(true, 4, Act::Activate)); // "More..."
    EXPECT_EQ(outcome(Qt::Key_Enter, 2), std::make_tuple(true, 2, Act::Activate));
    EXPECT_FALSE(walk.onKey(Qt::Key_Return, -1, 3).handled);
    EXPECT_EQ(outcome(Qt::Key_Up, -1), std::make_tuple(true, 0, Act::None));
    EXPECT_EQ(outcome(Qt::Key_End, 2), std::make_tuple(true, 8, Act::None));
    EXPECT_FALSE(walk.onKey(Qt::Key_A, 2, 3).handled);
}

// Before a key walks a result list, the rows it reaches must exist; the search field keeps
// the keys that move its cursor.
TEST(BrowserListWalk, RowsAKeyNeedsAndTheFieldsOwnKeys)
{
    EXPECT_EQ(BrowserListWalk::rowsNeeded(Qt::Key_Down, 4, 10), std::optional<int>(5));
    EXPECT_EQ(BrowserListWalk::rowsNeeded(Qt::Key_Down, -1, 10), std::optional<int>(0));
    EXPECT_EQ(BrowserListWalk::rowsNeeded(Qt::Key_PageDown, 4, 10), std::optional<int>(14));
    EXPECT_EQ(BrowserListWalk::rowsNeeded(Qt::Key_PageDown, 4, 0), std::optional<int>(5));
    EXPECT_EQ(BrowserListWalk::rowsNeeded(Qt::Key_End, 4, 10), std::optional<int>(-1));
    for (const int key : {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_Return, Qt::Key_Left})
        EXPECT_EQ(BrowserListWalk::rowsNeeded(key, 4, 10), std::nullopt) << key;
    for (const int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End})
        EXPECT_TRUE(BrowserListWalk::editsText(key)) << key;
    for (const int key : {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Return})
        EXPECT_FALSE(BrowserListWalk::editsText(key)) << key;

    // The first prompt: past headers; none in a list of headers only.
    QList<BrowserRowModel::Row> rows = library();
    rows.removeFirst();
    EXPECT_EQ(BrowserListWalk(rows).firstPrompt(), 1);
    const QList<BrowserRowModel::Row> headers{row(Kind::LibraryHeader), row(Kind::CategoryHeader, Writing)};
    EXPECT_EQ(BrowserListWalk(headers).firstPrompt(), -1);
    EXPECT_EQ(BrowserListWalk(headers).rowOf(nullptr), -1);
}
