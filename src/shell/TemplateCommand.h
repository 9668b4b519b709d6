#pragma once

#include <QMap>
#include <QStringList>
#include <QTextStream>

#include <functional>

// "vorn template parse|render ...": args are the words after "template". Returns the exit
// code: 0 done, 1 the form does not validate (render), 2 a usage or input error.
// storeGlobals supplies the global lists when no --globals file is given.
int runTemplateCommand(const QStringList &args, QTextStream &in, QTextStream &out, QTextStream &err,
                       const std::function<QMap<QString, QStringList>()> &storeGlobals);
