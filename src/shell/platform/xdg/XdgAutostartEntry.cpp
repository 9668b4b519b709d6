#include "XdgAutostartEntry.h"

#include "StoreLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>


namespace {
// The keys of the main group of a desktop entry, in file order.
QList<std::pair<QString, QString>> mainGroupOf(const QString &path, bool *readable)
{
    QList<std::pair<QString, QString>> keys;
    QFile file(path);
    *readable = file.open(QIODevice::ReadOnly | QIODevice::Text);
    if (!*readable)
        return keys;
    QTextStream in(&file);
    bool inMainGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inMainGroup && eq > 0)
            keys.append({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return keys;
}

// A value of the desktop-entry string type: backslashes and control characters escaped.
QString escapeString(const QString &value)
{
    QString escaped;
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

// Removes the file at path; a file that is not there is no failure.
bool removeFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.exists() || file.remove())
        return true;
    if (error)
        *error = QStringLiteral("Cannot remove %1: %2").arg(path, file.errorString()); // untranslated: logged
    return false;
}

QString autostartFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}
} // namespace

XdgAutostartEntry::XdgAutostartEntry(const QString &entryPath, const QString &executable,
                                     const QString &legacyEntryPath)
    : m_entryPath(entryPath), m_executable(executable), m_legacyEntryPath(legacyEntryPath)
{
    if (m_entryPath.isEmpty()) {
        m_entryPath = autostartFolder() + QStringLiteral("/" VORN_APP_ID ".desktop");
        if (m_legacyEntryPath.isEmpty())
            m_legacyEntryPath = autostartFolder() + QStringLiteral("/vorn.desktop");
    }
    if (m_legacyEntryPath == m_entryPath)
        m_legacyEntryPath.clear();
    if (m_executable.isEmpty())
        m_executable = QCoreApplication::applicationFilePath();
    // The desktop starts the entry from the session's folder, not from ours.
    m_executable = QFileInfo(m_executable).absoluteFilePath();
    QString error;
    if (!takeOverLegacyEntry(&error))
        StoreLog::line(QStringLiteral("VORN: the earlier login item stays at %1: %2").arg(m_legacyEntryPath, error));
}

QString XdgAutostartEntry::execProgram(const QString &execValue)
{
    const QString value = execValue.trimmed();
    QString program;
    if (value.startsWith(QLatin1Char('"'))) {
        // Inside quotes a backslash escapes the next character.
        for (qsizetype i = 1; i < value.size() && value.at(i) != QLatin1Char('"'); ++i) {
            if (value.at(i) == QLatin1Char('\\') && i + 1 < value.size())
                ++i;
            program += value.at(i);
        }
        return program;
    }
    const qsizetype space = value.indexOf(QLatin1Char(' '));
    return space < 0 ? value : value.left(space);
}

bool XdgAutostartEntry::isOurEntry(const QString &path)
{
    bool readable = false;
    for (const auto &[key, value] : mainGroupOf(path, &readable)) {
        if (key == QLatin1String("Exec")) {
            // The string level of the file doubles the backslashes of the Exec level.
            QString exec = value;
            exec.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
            return QFileInfo(execProgram(exec)).fileName() == QLatin1String("vorn");
        }
    }
    return false;
}

bool XdgAutostartEntry::isSwitchedOn(const QString &path)
{
    bool readable = false;
    const auto keys = mainGroupOf(path, &readable);
    if (!readable)
        return false;
    // An entry switched off by "Hidden" or by the GNOME key does not start anything.
    for (const auto &[key, value] : keys) {
        if ((key == QLatin1String("Hidden") && value == QLatin1String("true"))
            || (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false")))
            return false;
    }
    return true;
}

bool XdgAutostartEntry::takeOverLegacyEntry(QString *error)
{
    if (m_legacyEntryPath.isEmpty() || !QFileInfo::exists(m_legacyEntryPath) || !isOurEntry(m_legacyEntryPath))
        return true;
    // The current entry is the one the user set last; the earlier one would start a second copy.
    if (QFileInfo::exists(m_entryPath))
        return removeFile(m_legacyEntryPath, error);
    // On: written anew, so that it names this binary by its absolute path.
    if (isSwitchedOn(m_legacyEntryPath))
        return write(error) && removeFile(m_legacyEntryPath, error);
    // Switched off by the desktop: moved as it is, so that it stays off.
    QFile legacy(m_legacyEntryPath);
    if (legacy.rename(m_entryPath))
        return true;
    *error = legacy.errorString();
    return false;
}

bool XdgAutostartEntry::isEnabled() const
{
    if (QFileInfo::exists(m_entryPath))
        return isSwitchedOn(m_entryPath);
    // An earlier version's entry that could not be moved still starts the app.
    return !m_legacyEntryPath.isEmpty() && isOurEntry(m_legacyEntryPath) && isSwitchedOn(m_legacyEntryPath);
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
    return QStringLiteral("[Desktop Entry]\n" // untranslated: file format
                          "Type=Application\n"
                          "Name=VORN\n"
                          "Comment=Prompt-template manager\n"
                          "Exec=%1\n"
                          "TryExec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n"
                          // Give the panel and its tray host time to come up first.
                          "X-GNOME-Autostart-Delay=5\n"
                          "X-KDE-autostart-after=panel\n")
        .arg(quoteExecArgument(m_executable), escapeString(m_executable), QStringLiteral(VORN_APP_ID));
}

bool XdgAutostartEntry::write(QString *error) const
{
    const QString folder = QFileInfo(m_entryPath).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1").arg(folder); // untranslated: logged
        return false;
    }
    QSaveFile file(m_entryPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(m_entryPath, file.errorString()); // untranslated: logged
        return false;
    }
    file.write(entryText().toUtf8());
    if (!file.commit()) {
        if (error)
            *error = QStringLiteral("Cannot write %1: %2").arg(m_entryPath, file.errorString()); // untranslated: logged
        return false;
    }
    return true;
}

bool XdgAutostartEntry::enable(QString *error)
{
    if (!write(error))
        return false;
    // An earlier version's entry beside it would start a second copy.
    return removeLegacyEntry(error);
}

bool XdgAutostartEntry::removeLegacyEntry(QString *error)
{
    return m_legacyEntryPath.isEmpty() || !isOurEntry(m_legacyEntryPath) || removeFile(m_legacyEntryPath, error);
}

bool XdgAutostartEntry::disable(QString *error)
{
    if (!removeFile(m_entryPath, error))
        return false;
    return removeLegacyEntry(error);
}
