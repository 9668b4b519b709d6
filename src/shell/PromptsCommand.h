#pragma once

#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

class DataController;
class Prompt;

// "vorn prompts list|show|render|favorite|hide ...": args are the words after "prompts"; the
// controller's store is open and loaded. Returns the exit code: 0 done, 1 the prompt is unknown
// or the form cannot be rendered or copied, 2 a usage error.
int runPromptsCommand(const QStringList &args, QTextStream &in, QTextStream &out, QTextStream &err,
                      DataController &controller);

// The object "vorn prompts show --json" prints for a prompt.
QJsonObject promptJson(const Prompt &prompt);
