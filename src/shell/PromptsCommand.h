#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>
#include <QUuid>

#include <optional>

class DataController;
class Prompt;

// "vorn prompts list|show|render|favorite|hide ...": args are the words after "prompts"; the
// controller's store is open and loaded. Returns the exit code: 0 done, 1 the prompt is unknown
// or the form cannot be rendered or copied, 2 a usage error.
int runPromptsCommand(const QStringList &args, QTextStream &in, QTextStream &out, QTextStream &err,
                      DataController &controller);

// The object "vorn prompts show --json" prints for a prompt.
QJsonObject promptJson(const Prompt &prompt);

// What "show --json" and "list --json" print of a prompt.
struct PromptFields {
    QUuid id;
    QString title;
    QString description;
    QString templateText;
    QStringList categories;
    QStringList tags;
    bool hot = false;
    bool active = true;
    bool isNew = false;
    bool updated = false;
    bool favorite = false;
    bool hidden = false;
    qint64 uses = 0;
    QDateTime lastUsed;
    QDateTime createdAt;
    QDateTime updatedAt;
};
QJsonObject promptJson(const PromptFields &prompt);

// "vorn prompts list ..." answered from the store file without loading the library, when no
// process has the store open and the start-up load has nothing to do (it logs what it would
// log then). Prints what runPromptsCommand prints and returns its exit code; nullopt, with
// nothing printed or written, when the command needs the store opened as usual (anything
// else than a valid list, a store that is missing, locked, unreadable, of another schema, or
// a start-up load that is due).
std::optional<int> runPromptsListFromStore(const QStringList &args, QTextStream &out, QTextStream &err,
                                           DataController &controller);
