#pragma once

#include "BrowserRowModel.h"

#include <QList>
#include <QSet>
#include <QUuid>

#include <functional>
#include <optional>

class ModelContext;
class Prompt;
class PromptCategory;

// The fixed sections of the library browser, computed from the store in one pass.
// Everything here follows the rules users see when the search field is empty.
class BrowserSections {
public:
    struct Category {
        PromptCategory *category = nullptr;
        QList<Prompt *> prompts; // visible prompts, most used first, then by title (see build())
    };

    // Identifiers of the fixed sections; they share the expansion state with categories.
    static const QUuid HiddenPromptsId;
    static const QUuid HiddenCategoriesId;
    static const QUuid NewId;
    static const QUuid UpdatedId;
    static const QUuid FavoritesId;
    static const QUuid LastUsedId;
    // How many favourites show before "More...", and how many recent prompts show at all.
    static constexpr int FavoritesShown = 6;
    static constexpr int LastUsedShown = 3;

    QList<Prompt *> hot;
    QList<Prompt *> favorites; // the whole list; the view shows FavoritesShown until "More..."
    QList<Prompt *> lastUsed;
    QList<Prompt *> newPrompts;
    QList<Prompt *> updatedPrompts;
    QList<Category> library; // categories with at least one visible prompt, in library order
    QList<PromptCategory *> hiddenCategories;
    QList<Prompt *> hiddenPrompts;

    static BrowserSections build(const ModelContext &context, bool adminMode);
    // The same, but only the prompts of the category `expanded` (the one rows() lists) are
    // sorted; the others' stay in library order, of which a header shows only the count.
    static BrowserSections build(const ModelContext &context, bool adminMode, const std::optional<QUuid> &expanded);
    // The sections as the browser's rows: the hot prompts, then each section and category
    // under its header, its prompts listed only under the one `expanded`; the favourites up to
    // FavoritesShown and "More..." unless `showAllFavorites`.
    QList<BrowserRowModel::Row> rows(const std::optional<QUuid> &expanded, bool showAllFavorites) const;
    // Inactive prompts are for administrators only.
    static bool isShown(const Prompt *prompt, bool adminMode);
    // Most used first; equal counts in the order a file browser sorts titles.
    static void sortByUsageThenTitle(QList<Prompt *> &prompts);
    // Works out the natural order of the library's titles on another thread, for the sort
    // above; then runs `done` on this thread (not at all once `guard` is gone). Until then,
    // and for titles changed since, the sort collates the titles itself. Main thread only.
    static void prepareTitles(const ModelContext &context, QObject *guard, std::function<void()> done);

private:
    static BrowserSections build(const ModelContext &context, bool adminMode, bool sortAll,
                                 const std::optional<QUuid> &expanded);
};
