#include "Diagnostics.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

Q_LOGGING_CATEGORY(lcShell, "vorn.shell")

namespace {
void toStandardError(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}
} // namespace

namespace Diagnostics {
QString filterRules(Level level)
{
    switch (level) {
    case Level::App:
        return QStringLiteral("vorn.*.debug=false");
    case Level::CommandQuiet:
        return QStringLiteral("vorn.*.debug=false\nvorn.sync.info=false");
    case Level::Everything:
        return QStringLiteral("vorn.*=true");
    }
    return {};
}

void setUp(Level level)
{
    // The lines keep their own words, without a category or level in front.
    if (qEnvironmentVariableIsEmpty("QT_MESSAGE_PATTERN"))
        qSetMessagePattern(QStringLiteral("%{message}"));
    qInstallMessageHandler(toStandardError);
    QLoggingCategory::setFilterRules(filterRules(level));
}
} // namespace Diagnostics
