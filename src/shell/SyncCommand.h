#pragma once

#include <QStringList>
#include <QTextStream>

class DataController;

// "vorn sync folder PATH|--off", "vorn sync now", "vorn sync status [--json]": args are the
// words after "sync"; the controller's store is open and loaded. Returns the exit code: 0
// done, 1 the operation failed, 2 a usage error.
int runSyncCommand(const QStringList &args, QTextStream &out, QTextStream &err, DataController &controller);
