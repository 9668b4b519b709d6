#include "PromptBrowserViewModel.h"

#include "DataController.h"
#include "FormViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSearch.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QDateTime>

namespace {
const QString AdminKey = QStringLiteral("isAdminMode");
const QString HiddenKey = QStringLiteral("searchHiddenPrompts");
const QString TemplateKey = QStringLiteral("searchTemplateText");
const QString LastExpanded = QString::fromLatin1(PromptBrowserViewModel::LastExpandedKey);

// UUID text to an identifier; nothing when the text is not a UUID. The nil UUID is one.
std::optional<QUuid> parseId(const QString &text)
{
    const QUuid id = uuidFromText(text);
    if (!id.isNull() || text.trimmed().compare(uuidText(QUuid()), Qt::CaseInsensitive) == 0)
        return id;
    return std::nullopt;
}
} // namespace

PromptBrowserViewModel::PromptBrowserViewModel(QObject *parent)
    : PromptBrowserViewModel(DataController::shared()->mainContext(), UserDefaults::standard(), parent)
{
}

PromptBrowserViewModel::PromptBrowserViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent)
    : QObject(parent), m_context(context), m_defaults(defaults),
      m_search(std::make_unique<PromptSearch>(*context))
{
    FormViewModel::seedTagTextSuffix(m_defaults);
    // The context already coalesces its changes into one notification per event-loop turn.
    connect(context, &ModelContext::objectsChanged, this, &PromptBrowserViewModel::refresh);
    connect(defaults, &UserDefaults::valueChanged, this, [this](const QString &key) {
        if (key == AdminKey)
            Q_EMIT isAdminModeChanged();
        else if (key == HiddenKey || key == TemplateKey)
            Q_EMIT searchOptionsChanged();
        else
            return;
        scheduleRefresh();
    });
    appear();
}

PromptBrowserViewModel::~PromptBrowserViewModel() = default;

bool PromptBrowserViewModel::isAdminMode() const
{
    return m_defaults->boolValue(AdminKey, false);
}

bool PromptBrowserViewModel::searchHiddenPrompts() const
{
    return m_defaults->boolValue(HiddenKey, false);
}

void PromptBrowserViewModel::setSearchHiddenPrompts(bool on)
{
    if (on != searchHiddenPrompts())
        m_defaults->setValue(HiddenKey, on);
}

bool PromptBrowserViewModel::searchTemplateText() const
{
    return m_defaults->boolValue(TemplateKey, false);
}

void PromptBrowserViewModel::setSearchTemplateText(bool on)
{
    if (on != searchTemplateText())
        m_defaults->setValue(TemplateKey, on);
}

void PromptBrowserViewModel::setSearchText(const QString &text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    Q_EMIT searchTextChanged();
    refresh();
    // Typing then Return opens the best match.
    setHighlightedRow(firstPromptRow());
}

QString PromptBrowserViewModel::expandedId() const
{
    return m_expanded ? uuidText(*m_expanded) : QString();
}

QString PromptBrowserViewModel::selectedPromptId() const
{
    return m_selected.isNull() ? QString() : uuidText(m_selected);
}

void PromptBrowserViewModel::setSelectedPromptId(const QString &id)
{
    const QUuid next = uuidFromText(id);
    if (next == m_selected)
        return;
    m_selected = next;
    Q_EMIT selectedPromptIdChanged();
}

void PromptBrowserViewModel::appear()
{
    // An empty or broken setting opens the favourites again.
    const std::optional<QUuid> stored = parseId(m_defaults->string(LastExpanded, uuidText(BrowserSections::FavoritesId)));
    m_showAllFavorites = false;
    m_libraryWasShown = false;
    m_expanded = stored.value_or(BrowserSections::FavoritesId);
    Q_EMIT expandedIdChanged();
    Q_EMIT showAllFavoritesChanged();
    refresh();
}

void PromptBrowserViewModel::setExpanded(std::optional<QUuid> id)
{
    if (id == m_expanded)
        return;
    m_expanded = id;
    m_defaults->setValue(LastExpanded, id ? uuidText(*id) : QString());
    Q_EMIT expandedIdChanged();
    refresh();
}

void PromptBrowserViewModel::toggle(const QString &id)
{
    const std::optional<QUuid> target = parseId(id);
    if (!target)
        return;
    setExpanded(target == m_expanded ? std::nullopt : target);
}

void PromptBrowserViewModel::showMoreFavorites()
{
    if (m_showAllFavorites)
        return;
    m_showAllFavorites = true;
    Q_EMIT showAllFavoritesChanged();
    refresh();
}

void PromptBrowserViewModel::setHighlightedRow(int row)
{
    if (row < -1 || row >= m_rows.count())
        row = -1;
    if (row == m_highlightedRow)
        return;
    m_highlightedRow = row;
    Q_EMIT highlightedRowChanged();
}

int PromptBrowserViewModel::firstPromptRow() const
{
    for (int row = 0; row < m_rows.count(); ++row)
        if (m_rows.row(row).kind == BrowserRowModel::Kind::Prompt)
            return row;
    return -1;
}

void PromptBrowserViewModel::moveHighlight(int delta)
{
    if (delta == 0 || m_rows.count() == 0)
        return;
    const int step = delta > 0 ? 1 : -1;
    int row = m_highlightedRow;
    if (row < 0) {
        setHighlightedRow(firstPromptRow());
        return;
    }
    for (int next = row + step; next >= 0 && next < m_rows.count(); next += step) {
        if (m_rows.row(next).kind == BrowserRowModel::Kind::Prompt) {
            setHighlightedRow(next);
            return;
        }
    }
}

Prompt *PromptBrowserViewModel::highlightedPrompt() const
{
    if (m_highlightedRow < 0 || m_highlightedRow >= m_rows.count())
        return nullptr;
    return m_rows.row(m_highlightedRow).prompt.data();
}

void PromptBrowserViewModel::toggleFavorite(Prompt *prompt)
{
    if (prompt)
        prompt->ensureAttribute()->setFavorite(!prompt->isFavorite());
}

void PromptBrowserViewModel::toggleHidden(Prompt *prompt)
{
    if (prompt)
        prompt->ensureAttribute()->setHidden(!prompt->isHidden());
}

void PromptBrowserViewModel::toggleHot(Prompt *prompt)
{
    if (!prompt)
        return;
    prompt->setHot(!prompt->isHot());
    prompt->setUpdatedAt(QDateTime::currentDateTime());
}

void PromptBrowserViewModel::toggleActive(Prompt *prompt)
{
    if (!prompt)
        return;
    prompt->setActive(!prompt->isActive());
    prompt->setUpdatedAt(QDateTime::currentDateTime());
}

void PromptBrowserViewModel::deletePrompt(Prompt *prompt)
{
    if (prompt && m_context)
        m_context->remove(prompt);
}

void PromptBrowserViewModel::hideCategory(PromptCategory *category)
{
    if (category)
        category->ensureAttribute()->setHidden(true);
}

void PromptBrowserViewModel::unhideCategory(PromptCategory *category)
{
    if (category && category->attributes())
        category->attributes()->setHidden(false);
}

void PromptBrowserViewModel::exportDatabase()
{
    // After the current event, so the menu closes first.
    QMetaObject::invokeMethod(this, [] { DataController::shared()->exportData(QString(), true); },
                              Qt::QueuedConnection);
}

void PromptBrowserViewModel::cleanupDuplicates()
{
    QMetaObject::invokeMethod(this, [] { DataController::shared()->cleanupDuplicates(); }, Qt::QueuedConnection);
}

void PromptBrowserViewModel::scheduleRefresh()
{
    if (m_refreshPosted)
        return;
    m_refreshPosted = true;
    QMetaObject::invokeMethod(this, [this] {
        m_refreshPosted = false;
        refresh();
    }, Qt::QueuedConnection);
}

void PromptBrowserViewModel::appendPrompts(QList<BrowserRowModel::Row> &rows, const QUuid &section,
                                           const QList<Prompt *> &prompts, bool inCard) const
{
    int index = 0;
    for (Prompt *p : prompts) {
        BrowserRowModel::Row row;
        row.kind = BrowserRowModel::Kind::Prompt;
        row.prompt = p;
        row.sectionId = section;
        row.index = index++;
        row.inCard = inCard;
        rows.append(row);
    }
    if (!prompts.isEmpty())
        rows.last().lastInGroup = true;
}

void PromptBrowserViewModel::appendSection(QList<BrowserRowModel::Row> &rows, const QUuid &id,
                                           const QString &title, const QString &icon,
                                           const QList<Prompt *> &prompts, int shown) const
{
    if (prompts.isEmpty())
        return;
    BrowserRowModel::Row header;
    header.kind = BrowserRowModel::Kind::SectionHeader;
    header.sectionId = id;
    header.title = title;
    header.icon = icon;
    header.count = int(prompts.size());
    header.expanded = m_expanded == id;
    header.lastInGroup = !header.expanded;
    rows.append(header);
    if (!header.expanded)
        return;
    appendPrompts(rows, id, shown < 0 ? prompts : prompts.mid(0, shown), true);
    if (shown >= 0 && prompts.size() > shown) {
        rows.last().lastInGroup = false;
        BrowserRowModel::Row more;
        more.kind = BrowserRowModel::Kind::More;
        more.sectionId = id;
        more.title = QStringLiteral("More...");
        more.inCard = true;
        more.lastInGroup = true;
        rows.append(more);
    }
}

void PromptBrowserViewModel::refresh()
{
    if (!m_context)
        return;
    Prompt *highlighted = highlightedPrompt();
    const bool admin = isAdminMode();
    QList<BrowserRowModel::Row> rows;

    if (isSearching()) {
        const QList<Prompt *> found = m_search->search(
            m_searchText, PromptSearch::Options{searchHiddenPrompts(), searchTemplateText(), admin});
        if (found.isEmpty()) {
            BrowserRowModel::Row empty;
            empty.kind = BrowserRowModel::Kind::Empty;
            empty.title = QStringLiteral("No matching prompts found.");
            rows.append(empty);
        }
        appendPrompts(rows, {}, found, false);
    } else {
        m_sections = BrowserSections::build(*m_context, admin);
        appendPrompts(rows, {}, m_sections.hot, false);
        appendSection(rows, BrowserSections::FavoritesId, QStringLiteral("Favorites & Often Used"),
                      QStringLiteral("star.square"), m_sections.favorites,
                      m_showAllFavorites ? -1 : BrowserSections::FavoritesShown);
        appendSection(rows, BrowserSections::LastUsedId, QStringLiteral("Last Used"), QStringLiteral("clock"),
                      m_sections.lastUsed, -1);
        appendSection(rows, BrowserSections::NewId, QStringLiteral("New"), QStringLiteral("sparkles"),
                      m_sections.newPrompts, -1);
        appendSection(rows, BrowserSections::UpdatedId, QStringLiteral("Updated"),
                      QStringLiteral("arrow.triangle.2.circlepath"), m_sections.updatedPrompts, -1);
        if (!m_sections.library.isEmpty()) {
            BrowserRowModel::Row caption;
            caption.kind = BrowserRowModel::Kind::LibraryHeader;
            caption.title = QStringLiteral("Library");
            rows.append(caption);
        }
        for (const BrowserSections::Category &section : std::as_const(m_sections.library)) {
            BrowserRowModel::Row header;
            header.kind = BrowserRowModel::Kind::CategoryHeader;
            header.category = section.category;
            header.sectionId = section.category->id();
            header.title = section.category->name();
            header.icon = section.category->iconSymbol();
            header.description = section.category->categoryDescription();
            header.count = int(section.prompts.size());
            header.expanded = m_expanded == header.sectionId;
            header.lastInGroup = !header.expanded;
            rows.append(header);
            if (header.expanded)
                appendPrompts(rows, header.sectionId, section.prompts, true);
        }
        if (!m_sections.hiddenCategories.isEmpty()) {
            BrowserRowModel::Row header;
            header.kind = BrowserRowModel::Kind::SectionHeader;
            header.sectionId = BrowserSections::HiddenCategoriesId;
            header.title = QStringLiteral("Hidden Categories");
            header.icon = QStringLiteral("folder.badge.minus");
            header.count = int(m_sections.hiddenCategories.size());
            header.expanded = m_expanded == header.sectionId;
            header.lastInGroup = !header.expanded;
            rows.append(header);
            if (header.expanded) {
                for (PromptCategory *c : std::as_const(m_sections.hiddenCategories)) {
                    BrowserRowModel::Row entry;
                    entry.kind = BrowserRowModel::Kind::HiddenCategory;
                    entry.category = c;
                    entry.sectionId = header.sectionId;
                    entry.title = c->name();
                    entry.icon = c->iconSymbol();
                    entry.inCard = true;
                    rows.append(entry);
                }
                rows.last().lastInGroup = true;
            }
        }
        appendSection(rows, BrowserSections::HiddenPromptsId, QStringLiteral("Hidden Prompts"),
                      QStringLiteral("eye.slash"), m_sections.hiddenPrompts, -1);
    }

    m_rows.setRows(rows);
    // Keep the highlight on the same prompt when it is still listed.
    int keep = -1;
    for (int row = 0; highlighted && row < m_rows.count(); ++row)
        if (m_rows.row(row).prompt == highlighted) {
            keep = row;
            break;
        }
    m_highlightedRow = -2; // force the notification
    setHighlightedRow(keep >= 0 ? keep : (isSearching() ? firstPromptRow() : -1));

    if (!isSearching() && !m_sections.library.isEmpty() && !m_libraryWasShown) {
        m_libraryWasShown = true;
        Q_EMIT libraryShown();
    }
}

// The browser's views use the administration views; pull their static QML plugin in with the
// browser so a presenter only imports Vorn.Browser.
#include <QtQml/qqmlextensionplugin.h>
Q_IMPORT_QML_PLUGIN(Vorn_AdminPlugin)
