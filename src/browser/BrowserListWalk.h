#pragma once

#include "BrowserRowModel.h"

#include <QList>

#include <optional>

// The keyboard's walk over the browser's one list. It stops on prompts and on the headers of
// sections and categories (and on "More..." and the hidden categories' entries), so that
// every prompt can be reached without searching: a collapsed category is walked to and
// opened like any row. It only answers where a key leads; the view-model acts on it.
class BrowserListWalk {
public:
    enum class Step { Next, Previous, PageDown, PageUp, First, Last };

    // What a key of the list does: the row to highlight, and what to do with it.
    struct Outcome {
        bool handled = false; // the key is one of the list's
        int highlight = -1;
        enum class Act { None, Toggle, Activate } act = Act::None; // open or close a header; Return on a row
    };

    explicit BrowserListWalk(const QList<BrowserRowModel::Row> &rows) : m_rows(rows) {}

    // Whether the walk stops on a row of this kind (captions and empty texts are passed by).
    static bool isStop(const BrowserRowModel::Row &row);
    // Whether the row heads a section or category that opens and closes.
    static bool isHeader(const BrowserRowModel::Row &row);

    // The row the step leads to from row `from` (-1: nothing highlighted yet, where Next and
    // Previous start at the first stop); `page` is the number of stops a page moves. Stays at
    // `from` at either end; -1 when the list has no stop at all.
    int step(int from, Step to, int page) const;
    // The list's key `key` (a Qt::Key) with row `at` highlighted: Up, Down, Page Up, Page
    // Down, Home and End walk; Right on a closed header opens it and on an open one goes to
    // its first row; Left from a row goes to its header and on an open header closes it;
    // Return opens or closes a header and activates any other row.
    Outcome onKey(int key, int at, int page) const;
    // The header of the section or category the row lies in, the row itself when it is a
    // header; -1 for rows outside any (hot prompts, search results).
    int headerOf(int row) const;
    // The first row inside the open section headed at `header`; -1 when it is closed or empty.
    int firstInside(int header) const;
    int firstStop() const;
    int lastStop() const;
    // The first prompt row; -1 when none is listed.
    int firstPrompt() const;
    // The row of the prompt; -1 when it is not listed.
    int rowOf(const Prompt *prompt) const;

    // Keys the search field keeps while it holds a search (they move its cursor).
    static bool editsText(int key);
    // How far the list must be made for the key to walk from row `at` (the rows of a long
    // result list are made as the walk gets to them): the row, -1 for all of them, or nothing
    // when the key needs no more rows.
    static std::optional<int> rowsNeeded(int key, int at, int page);

private:
    QList<int> stops() const;

    const QList<BrowserRowModel::Row> &m_rows;
};
