#pragma once

#include <QAbstractListModel>
#include <QPointer>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

#include <functional>

class Prompt;
class PromptCategory;

// The browser's one scrolling list, flattened into rows so that a single ListView can show
// it and the keyboard highlight can walk it. Rebuilding it reports only what changed, so the
// list neither jumps nor recreates the rows it keeps.
class BrowserRowModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The rows belong to a PromptBrowserViewModel")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum class Kind {
        Prompt,          // a prompt row (hot list, section or category content, search result)
        SectionHeader,   // a fixed section's header
        CategoryHeader,  // a category section's header
        LibraryHeader,   // the "Library" caption
        More,            // "More..." under the first favourites
        HiddenCategory,  // an entry of "Hidden Categories"
        Empty,           // "No matching prompts found."
        MatchCount,      // how many prompts the search matched, above them
        CloseHeader      // "Close matches" or "Closest titles", above them
    };
    Q_ENUM(Kind)

    // Why a prompt row is a search result.
    enum class Match { None, Match, Close, Closest };
    Q_ENUM(Match)

    struct Row {
        Kind kind = Kind::Prompt;
        QPointer<Prompt> prompt;
        QPointer<PromptCategory> category;
        QUuid sectionId; // the section or category this row belongs to (or heads)
        QString title;
        QString icon;
        QString description;
        int count = -1;
        bool expanded = false;
        int index = 0;        // position within its list, for the staggered appearance
        bool inCard = false;  // drawn inside its section's card (content of a section or category)
        bool lastInGroup = false;
        Match match = Match::None;
        // A prompt's title and description as styled text, with what matched a search marked.
        // The rows are made again when a prompt changes, so they show its texts as they are.
        QString titleMarkup;
        QString descriptionMarkup;
    };

    enum Roles {
        KindRole = Qt::UserRole + 1,
        PromptRole,
        CategoryRole,
        SectionIdRole,
        TitleRole,
        IconRole,
        DescriptionRole,
        CountRole,
        ExpandedRole,
        IndexRole,
        InCardRole,
        LastInGroupRole,
        MatchRole,
        TitleMarkupRole,
        DescriptionMarkupRole
    };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_rows.size()); }
    const Row &row(int index) const { return m_rows.at(index); }
    const QList<Row> &rows() const { return m_rows; }
    // Where the same row as `row` (the same prompt or header in the same place of the list, as
    // the view keeps its delegate for) is now; -1 when there is none.
    int indexOfSame(const Row &row) const;
    // The next rows; rows kept (the same prompt or header) keep their place in the view.
    void setRows(QList<Row> rows);
    // The next rows by position: each row the view shows stays and takes the contents of the
    // row now at its place, so a list typed into never makes its rows anew.
    void updateRows(const QList<Row> &rows);
    void appendRows(const QList<Row> &rows);
    // The next rows as a new list: the view drops every row it shows and makes them anew.
    void resetRows(QList<Row> rows);

    // Where more rows come from when the view scrolls to the end of these.
    void setFetcher(std::function<bool()> canFetch, std::function<void()> fetch);
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

Q_SIGNALS:
    void countChanged();

private:
    void applyDiff(const QList<Row> &next);

    QList<Row> m_rows;
    std::function<bool()> m_canFetch;
    std::function<void()> m_fetch;
};
