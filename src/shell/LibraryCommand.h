#pragma once

#include <QStringList>
#include <QTextStream>

class DataController;

// "vorn library sync|export|import|validate|dedupe|reset-stats|reset ...": args are the words
// after "library"; the controller's store is open and loaded. The operation's log lines go to
// out. Returns the exit code: 0 done, 1 the operation failed or found problems, 2 a usage error.
int runLibraryCommand(const QStringList &args, QTextStream &in, QTextStream &out, QTextStream &err,
                      DataController &controller);
