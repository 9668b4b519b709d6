#include "PromptsCommand.h"

#include "CommandArguments.h"
#include "DataController.h"
#include "FormViewModel.h"
#include "ListingCache.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptSearch.h"
#include "PromptTag.h"
#include "SeedRecords.h"
#include "SetOption.h"
#include "StoredPromptSearch.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>

#include <optional>

namespace {
const char *const Usage = R"(Usage: vorn prompts COMMAND [OPTIONS]

The prompts of the user's library. ID is a prompt's UUID, in any letter case.
Commands:
  list [TERMS...] [--exact] [--hidden] [--template] [--all] [--json]
                          prompts matching every term in title or description, most
                          relevant first, then after a blank line the close matches
                          (a typing slip, the other spelling, initials, category and
                          tag names); without terms every prompt, by title.
                          One line per prompt: ID, a tab, the title
      --exact             only the prompts every term is found in as it is
      --hidden            include prompts the user hid
      --template          also search the template text
      --all               include inactive prompts
      --json              print an array of the objects of "show --json", each with
                          "kind": "match" or "close"
  show ID|TERMS... [--json]
                          the prompt's fields, categories, tags and user state
  render ID|TERMS... [--set LABEL=VALUE]... [--copy]
                          print the filled-in prompt; the values entered are remembered
                          as in the form (--copy: also put it on the clipboard and count a use)
                          TERMS pick the prompt whose title they are, or the only one
                          they find; when several match, they are listed (exit status 2)
  favorite ID [--off]     mark as favourite (--off: unmark)
  hide ID [--off]         hide from the library (--off: show again)
Options:
  -h, --help              show this help
)";

const CommandArguments::Table &commands()
{
    static const CommandArguments::Table known{
        {QStringLiteral("list"),
         {{QStringLiteral("--exact"), QStringLiteral("--hidden"), QStringLiteral("--template"),
           QStringLiteral("--all"), QStringLiteral("--json")},
          {}}},
        {QStringLiteral("show"), {{QStringLiteral("--json")}, {}}},
        {QStringLiteral("render"), {{QStringLiteral("--copy")}, {QStringLiteral("--set")}}},
        {QStringLiteral("favorite"), {{QStringLiteral("--off")}, {}}},
        {QStringLiteral("hide"), {{QStringLiteral("--off")}, {}}},
    };
    return known;
}

int fail(QTextStream &err, const QString &message, int code = 2)
{
    return CommandArguments::fail(err, QStringLiteral("prompts"), message, code);
}

QStringList names(const QList<PromptCategory *> &categories)
{
    QStringList out;
    for (const PromptCategory *category : categories)
        out.append(category->name());
    return out;
}

QStringList names(const QList<PromptTag *> &tags)
{
    QStringList out;
    for (const PromptTag *tag : tags)
        out.append(tag->name());
    return out;
}

// The first prompt in store order with that id; duplicates are the deduplication's business.
Prompt *findPrompt(DataController &controller, const QString &text)
{
    const QUuid id = uuidFromText(text.trimmed());
    if (id.isNull())
        return nullptr;
    for (Prompt *prompt : controller.mainContext()->fetch<Prompt>()) {
        if (prompt->id() == id)
            return prompt;
    }
    return nullptr;
}

// The prompt that search terms name: the only match, or else the only one whose whole title
// the terms are. Several candidates are listed on standard error.
struct Pick {
    Prompt *prompt = nullptr;
    int code = 0;
};
Pick pickByTerms(DataController &controller, const QString &text, QTextStream &err)
{
    PromptSearch search(*controller.mainContext());
    const PromptSearch::Found all = search.find(text, {});
    const QList<Prompt *> &found = all.matches;
    if (found.isEmpty()) {
        fail(err, QStringLiteral("no prompt matches '%1'").arg(text), 1);
        // Offer what comes close, so the next try can name it.
        const QList<Prompt *> &near = all.close.isEmpty() ? all.closest : all.close;
        if (!near.isEmpty()) {
            err << (all.close.isEmpty() ? "Closest titles:\n" : "Close matches:\n");
            for (const Prompt *prompt : near)
                err << prompt->idText() << '\t' << prompt->title() << '\n';
            err.flush();
        }
        return {nullptr, 1};
    }
    if (found.size() == 1)
        return {found.first(), 0};
    const QString folded = PromptSearch::terms(text).join(u' ');
    QList<Prompt *> exact;
    for (Prompt *prompt : found)
        if (PromptSearch::terms(prompt->title()).join(u' ') == folded)
            exact.append(prompt);
    if (exact.size() == 1)
        return {exact.first(), 0};
    err << "vorn prompts: " << found.size() << " prompts match '" << text
        << "'; name one by its ID or more terms:\n";
    for (const Prompt *prompt : found)
        err << prompt->idText() << '\t' << prompt->title() << '\n';
    err.flush();
    return {nullptr, 2};
}

QString yesNo(bool on)
{
    return on ? QStringLiteral("yes") : QStringLiteral("no");
}

void printPrompt(QTextStream &out, const Prompt &prompt)
{
    const QDateTime lastUsed =
        prompt.attributes() ? prompt.attributes()->lastUsedAt() : QDateTime();
    out << "ID: " << prompt.idText() << '\n'
        << "Title: " << prompt.title() << '\n'
        << "Description: " << prompt.promptDescription() << '\n'
        << "Categories: " << names(prompt.categories()).join(QStringLiteral(", ")) << '\n'
        << "Tags: " << names(prompt.tags()).join(QStringLiteral(", ")) << '\n'
        << "Hot: " << yesNo(prompt.isHot()) << '\n'
        << "Active: " << yesNo(prompt.isActive()) << '\n'
        << "New: " << yesNo(prompt.isNew()) << '\n'
        << "Updated: " << yesNo(prompt.isUpdated()) << '\n'
        << "Favorite: " << yesNo(prompt.isFavorite()) << '\n'
        << "Hidden: " << yesNo(prompt.isHidden()) << '\n'
        << "Uses: " << prompt.usageCount() << '\n'
        << "Last used: "
        << (lastUsed.isValid() ? lastUsed.toLocalTime().toString(Qt::ISODate)
                               : QStringLiteral("never"))
        << '\n'
        << "Created: " << SeedDate::format(prompt.createdAt()) << '\n'
        << "Last changed: " << SeedDate::format(prompt.updatedAt()) << '\n'
        << "Template:\n"
        << prompt.templateText() << '\n';
}

PromptSearch::Options searchOptions(const CommandArguments &arguments)
{
    PromptSearch::Options options;
    options.includeHidden = arguments.has(QStringLiteral("--hidden"));
    options.searchTemplate = arguments.has(QStringLiteral("--template"));
    options.adminMode = arguments.has(QStringLiteral("--all"));
    return options;
}

// What "list" prints of the matches and the close matches (none with --exact): a line per
// prompt, ID and title, the close ones after a blank line; or with --json one array of the
// prompts' objects, each with its kind. T is whatever stands for a prompt; line(prompt) is its
// ID, a tab and its title.
template <class T, class Line, class Object>
void printListing(QTextStream &out, const CommandArguments &arguments, const QList<T> &matches,
                  const QList<T> &found, Line line, Object object)
{
    const QList<T> close = arguments.has(QStringLiteral("--exact")) ? QList<T>() : found;
    if (arguments.has(QStringLiteral("--json"))) {
        QJsonArray array;
        const auto append = [&](const QList<T> &prompts, const QString &kind) {
            for (const T &prompt : prompts) {
                QJsonObject json = object(prompt);
                json.insert(QStringLiteral("kind"), kind);
                array.append(json);
            }
        };
        append(matches, QStringLiteral("match"));
        append(close, QStringLiteral("close"));
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
        return;
    }
    for (const T &prompt : matches)
        out << line(prompt) << '\n';
    if (!close.isEmpty())
        out << '\n';
    for (const T &prompt : close)
        out << line(prompt) << '\n';
}

int list(const CommandArguments &arguments, QTextStream &out, DataController &controller)
{
    PromptSearch search(*controller.mainContext());
    const PromptSearch::Found found = search.find(arguments.plain.join(u' '), searchOptions(arguments));
    printListing(
        out, arguments, found.matches, found.close,
        [](const Prompt *prompt) { return prompt->idText() + u'\t' + prompt->title(); },
        [](const Prompt *prompt) { return promptJson(*prompt); });
    return 0;
}

int render(const CommandArguments &arguments, Prompt &prompt, QTextStream &out, QTextStream &err,
           DataController &controller)
{
    const bool copy = arguments.has(QStringLiteral("--copy"));
    // Only a GUI application owns a clipboard; find out before anything is remembered.
    QClipboard *clipboard = nullptr;
    if (copy) {
        if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            return fail(
                err,
                QStringLiteral("--copy needs the clipboard, which this process has no access to"),
                1);
        clipboard = QGuiApplication::clipboard();
    }

    QList<QPair<QString, QString>> sets;
    for (const QString &set : arguments.values(QStringLiteral("--set"))) {
        const std::optional<QPair<QString, QString>> split = SetOption::split(set);
        if (!split)
            return fail(err, SetOption::malformed(set));
        sets.append(*split);
    }

    FormViewModel form(controller.mainContext(), UserDefaults::standard());
    form.setup(prompt.templateText(), prompt.id());
    // Nothing of a render that fails is remembered.
    form.holdBackEntries();
    for (const auto &[given, value] : std::as_const(sets)) {
        const std::optional<QString> label = SetOption::matchLabel(given, form.variables());
        if (!label)
            return fail(err, QStringLiteral("the prompt has no field '%1'").arg(given));
        form.setValue(*label, value);
    }
    const QStringList problems = form.validate();
    if (!problems.isEmpty()) {
        for (const QString &problem : problems)
            err << problem << '\n';
        return 1;
    }
    form.rememberEntries();
    UserDefaults::standard()->sync();
    const QString text = form.generatedPrompt();
    out << text << '\n';
    if (clipboard) {
        clipboard->setText(text);
        form.recordUsage();
        err << "Copied.\n";
    }
    return 0;
}
} // namespace

QJsonObject promptJson(const Prompt &prompt)
{
    PromptFields fields;
    fields.id = prompt.id();
    fields.title = prompt.title();
    fields.description = prompt.promptDescription();
    fields.templateText = prompt.templateText();
    fields.categories = names(prompt.categories());
    fields.tags = names(prompt.tags());
    fields.hot = prompt.isHot();
    fields.active = prompt.isActive();
    fields.isNew = prompt.isNew();
    fields.updated = prompt.isUpdated();
    fields.favorite = prompt.isFavorite();
    fields.hidden = prompt.isHidden();
    fields.uses = prompt.usageCount();
    fields.lastUsed = prompt.attributes() ? prompt.attributes()->lastUsedAt() : QDateTime();
    fields.createdAt = prompt.createdAt();
    fields.updatedAt = prompt.updatedAt();
    return promptJson(fields);
}

QJsonObject promptJson(const PromptFields &prompt)
{
    return {{QStringLiteral("id"), uuidText(prompt.id)},
            {QStringLiteral("title"), prompt.title},
            {QStringLiteral("description"), prompt.description},
            {QStringLiteral("template"), prompt.templateText},
            {QStringLiteral("categories"), QJsonArray::fromStringList(prompt.categories)},
            {QStringLiteral("tags"), QJsonArray::fromStringList(prompt.tags)},
            {QStringLiteral("hot"), prompt.hot},
            {QStringLiteral("active"), prompt.active},
            {QStringLiteral("new"), prompt.isNew},
            {QStringLiteral("updated"), prompt.updated},
            {QStringLiteral("favorite"), prompt.favorite},
            {QStringLiteral("hidden"), prompt.hidden},
            {QStringLiteral("uses"), prompt.uses},
            {QStringLiteral("lastUsed"), prompt.lastUsed.isValid()
                                             ? QJsonValue(prompt.lastUsed.toUTC().toString(Qt::ISODate))
                                             : QJsonValue(QJsonValue::Null)},
            {QStringLiteral("createdAt"), SeedDate::format(prompt.createdAt)},
            {QStringLiteral("updatedAt"), SeedDate::format(prompt.updatedAt)}};
}

std::optional<int> runPromptsListFromStore(const QStringList &args, QTextStream &out, QTextStream &err,
                                           DataController &controller)
{
    if (args.value(0) != QLatin1String("list"))
        return std::nullopt;
    // Help and usage errors are the full command's to print.
    CommandArguments arguments;
    QString ignored;
    QTextStream quiet(&ignored);
    if (CommandArguments::parseCommand(args, commands(), QStringLiteral("prompts"), Usage, quiet, quiet, arguments))
        return std::nullopt;
    // A lock file, held or left by a crash, is the full open's to look at; the library is
    // read only while no process has it open.
    const QString path = controller.storePath();
    if (path == QLatin1String(ModelContext::InMemory) || !QFileInfo::exists(path)
        || QFileInfo::exists(path + QStringLiteral(".lock")))
        return std::nullopt;
    PromptListReader reader;
    const PromptSearch::Options options = searchOptions(arguments);
    if (!reader.open(path, nullptr))
        return std::nullopt;
    // Lines without templates come from the search kept since the last save, when there is one.
    const bool json = arguments.has(QStringLiteral("--json"));
    const std::optional<qint64> stamp = reader.saveStamp();
    std::optional<StoredPromptSearch> search;
    const bool cacheable = stamp && !json && !options.searchTemplate;
    if (cacheable)
        search = ListingCache::load(path, *stamp);
    std::optional<PromptListReader::Listing> listing;
    if (!search) {
        if (!(listing = reader.read(options.searchTemplate, nullptr)))
            return std::nullopt;
        search.emplace(*listing, options.searchTemplate);
    }
    // A start-up load with something to do runs in the full open, with its messages.
    if (!controller.startupLoadWouldSkip(qsizetype(search->size())))
        return std::nullopt;
    const SearchResults results = search->find(arguments.plain.join(u' '), options);
    const auto entries = [&](const std::vector<quint32> &positions) {
        return QList<quint32>(positions.cbegin(), positions.cend());
    };
    const auto line = [&](quint32 at) { return search->line(at); };
    bool complete = true;
    const auto object = [&](quint32 at) {
        const PromptListReader::Entry &entry = listing->prompts[at];
        const std::optional<PromptListReader::Details> details = reader.details(entry.row, nullptr);
        complete = complete && details.has_value();
        PromptFields fields;
        fields.id = entry.id;
        fields.title = entry.title;
        fields.description = entry.description;
        for (quint32 label : entry.labels)
            (qsizetype(label) < listing->categoryCount ? fields.categories : fields.tags)
                .append(listing->labelNames.at(label));
        fields.hot = entry.hot;
        fields.active = entry.active;
        fields.favorite = entry.favorite;
        fields.hidden = entry.hidden;
        fields.uses = entry.uses;
        fields.lastUsed = entry.lastUsed;
        if (details) {
            fields.templateText = details->templateText;
            fields.isNew = details->isNew;
            fields.updated = details->updated;
            fields.createdAt = details->createdAt;
            fields.updatedAt = details->updatedAt;
        }
        return promptJson(fields);
    };
    // Objects are printed once whole: a prompt whose row cannot be read leaves it to the full
    // command. Lines cannot fail and go out as they come.
    QString text;
    QTextStream listed(&text);
    printListing(json ? listed : out, arguments, entries(results.matches), entries(results.close), line, object);
    listed.flush();
    if (!complete)
        return std::nullopt;
    out << text;
    out.flush();
    Q_UNUSED(err);
    if (cacheable && listing)
        ListingCache::save(path, *stamp, *search);
    return 0;
}

int runPromptsCommand(const QStringList &args, QTextStream &in, QTextStream &out, QTextStream &err,
                      DataController &controller)
{
    Q_UNUSED(in);
    CommandArguments arguments;
    if (const std::optional<int> code = CommandArguments::parseCommand(
            args, commands(), QStringLiteral("prompts"), Usage, out, err, arguments))
        return *code;
    const QString command = args.first();

    int code = 0;
    if (command == QLatin1String("list")) {
        code = list(arguments, out, controller);
    } else {
        const bool byTerms = command == QLatin1String("show") || command == QLatin1String("render");
        if (arguments.plain.isEmpty() || (!byTerms && arguments.plain.size() != 1))
            return fail(err, QStringLiteral("%1 takes one prompt ID").arg(command));
        Prompt *prompt = arguments.plain.size() == 1 ? findPrompt(controller, arguments.plain.first()) : nullptr;
        const bool looksLikeId = !uuidFromText(arguments.plain.first().trimmed()).isNull();
        if (looksLikeId && arguments.plain.size() > 1)
            return fail(err, QStringLiteral("%1 takes one prompt ID or search terms").arg(command));
        if (!prompt && (!byTerms || (looksLikeId && arguments.plain.size() == 1)))
            return fail(
                err, QStringLiteral("no prompt has the ID '%1'").arg(arguments.plain.first()), 1);
        if (!prompt) {
            const Pick pick = pickByTerms(controller, arguments.plain.join(u' '), err);
            if (!pick.prompt)
                return pick.code;
            prompt = pick.prompt;
        }
        const bool on = !arguments.has(QStringLiteral("--off"));
        if (command == QLatin1String("show")) {
            if (arguments.has(QStringLiteral("--json")))
                out << QJsonDocument(promptJson(*prompt)).toJson(QJsonDocument::Indented);
            else
                printPrompt(out, *prompt);
        } else if (command == QLatin1String("render")) {
            code = render(arguments, *prompt, out, err, controller);
        } else if (command == QLatin1String("favorite")) {
            prompt->ensureAttribute()->setFavorite(on);
            out << (on ? "Favorite: " : "No longer a favorite: ") << prompt->title() << '\n';
        } else if (command == QLatin1String("hide")) {
            prompt->ensureAttribute()->setHidden(on);
            out << (on ? "Hidden: " : "Shown again: ") << prompt->title() << '\n';
        }
    }
    out.flush();
    err.flush();

    QString error;
    ModelContext *context = controller.mainContext();
    if (context->hasChanges() && !context->save(&error))
        return fail(err, QStringLiteral("could not save the library: ") + error, 1);
    return code;
}
