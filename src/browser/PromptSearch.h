#pragma once

#include <QList>
#include <QObject>
#include <QCollator>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <vector>

class ModelContext;
class Prompt;

// The library's search: every term must occur (AND) in the title or the description, or
// in the template when asked (OR), ignoring case and accents. Results come most relevant
// first. What a keystroke needs of each prompt (folded text, flags, user state) is kept
// between calls: while the store has neither pending changes nor a save since the last call,
// nothing is re-read; otherwise every prompt is checked and only changed text folded again.
class PromptSearch {
public:
    struct Options {
        bool includeHidden = false;  // also list prompts the user hid
        bool searchTemplate = false; // also look into the template text
        bool adminMode = false;      // inactive prompts are shown to administrators only
    };

    // Where the best term of a prompt was found; lower ranks first.
    enum class MatchLevel { TitleStart, Title, Description, Template };

    explicit PromptSearch(ModelContext &context);
    PromptSearch(const PromptSearch &) = delete;
    PromptSearch &operator=(const PromptSearch &) = delete;

    // Lower-cased (case-folded) with accents and other combining marks removed.
    static QString fold(const QString &text);
    // Titles in the order a file browser shows them: case-insensitive, numbers by value.
    static QCollator titleCollator();
    // The folded search text split at white space, empty pieces dropped.
    static QStringList terms(const QString &searchText);

    // Prompts matching every term of searchText, one per id: best match level first, then
    // favourites, higher usage, title (natural order). Text without terms lists every
    // prompt that the hidden and shown rules let through, in that order.
    QList<Prompt *> search(const QString &searchText, const Options &options);
    // Every prompt the hidden and shown rules let through, one per id, by title.
    QList<Prompt *> shown(const Options &options);

    // Number of prompts whose text was folded since construction (to see the cache work).
    qsizetype foldCount() const { return m_foldCount; }

private:
    struct Entry {
        Prompt *prompt = nullptr;
        // The texts the folded forms were made from; sharing their data with the prompt's
        // current texts proves the cache still holds.
        QString title;
        QString description;
        QString templateText;
        QString folded;            // folded title, FieldSeparator, folded description
        qsizetype titleLength = 0; // of the folded title
        QString foldedTemplate;    // folded on the first template search
        bool templateFolded = false;
        QUuid id;
        bool duplicate = false; // a prompt with the same id comes earlier in store order
        int titleRank = 0;      // position in the natural order of all titles
        bool active = true;
        bool hidden = false; // a hidden user record has this prompt's id
        bool favorite = false;
        qint64 uses = 0;
    };

    void refresh();
    static bool passesRules(const Entry &entry, const Options &options);
    QList<Prompt *> collect(const QStringList &terms, const Options &options, bool byTitleOnly);

    ModelContext &m_context;
    QList<Prompt *> m_prompts; // store order at the last refresh
    std::vector<Entry> m_entries;
    qsizetype m_foldCount = 0;
    bool m_stale = true; // the store was saved or changed since the last refresh
    QObject m_receiver;  // ends the store connections with this object
};
