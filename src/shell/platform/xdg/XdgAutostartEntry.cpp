#include "XdgAutostartEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

XdgAutostartEntry::XdgAutostartEntry(const QString &entryPath, const QString &executable)
    : m_entryPath(entryPath), m_executable(executable)
{
    if (m_entryPath.isEmpty())
        m_entryPath = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                      + QStringLiteral("/autostart/vorn.desktop");
    if (m_executable.isEmpty())
        m_executable = QCoreApplication::applicationFilePath();
}

bool XdgAutostartEntry::isEnabled() const
{
    QFile file(m_entryPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    // An entry switched off by "Hidden" or by the GNOME key does not start anything.
    QTextStream in(&file);
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if ((key == QLatin1String("Hidden") && value == QLatin1String("true"))
            || (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false")))
            return false;
    }
    return true;
}

QString XdgAutostartEntry::quoteExecArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString quoted;
    bool needsQuotes = argument.isEmpty();
    for (QChar c : argument) {
        if (reserved.contains(c))
            needsQuotes = true;
        if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%'); // field codes start with %
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    if (!needsQuotes)
        return quoted;
    // The whole value is also a desktop-entry string, where a backslash is written twice.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString XdgAutostartEntry::entryText() const
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=VORN\n"
                          "Comment=Prompt-template manager\n"
                          "Exec=%1\n"
                          "Icon=%2\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n"
                          // Give the panel and its tray host time to come up first.
                          "X-GNOME-Autostart-Delay=5\n")
        .arg(quoteExecArgument(m_executable), QStringLiteral(VORN_APP_ID));
}

bool XdgAutostartEntry::enable(QString *error)
{
    const QString folder = QFileInfo(m_entryPath).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1").arg(folder);
        return false;
    }
    QSaveFile file(m_entryPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(m_entryPath, file.errorString());
        return false;
    }
    file.write(entryText().toUtf8());
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(m_entryPath, file.errorString());
        return false;
    }
    return true;
}

bool XdgAutostartEntry::disable(QString *error)
{
    QFile file(m_entryPath);
    if (!file.exists())
        return true;
    if (!file.remove()) {
        if (error)
            *error = QStringLiteral("Cannot remove %1: %2").arg(m_entryPath, file.errorString());
        return false;
    }
    return true;
}
