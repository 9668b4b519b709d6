#pragma once

#include "LoginItemService.h"

#include <QString>

// Start at login through the XDG autostart folder: the entry
// $XDG_CONFIG_HOME/autostart/<application id>.desktop runs the program's binary, named by
// its absolute path, without arguments. An entry "vorn.desktop" left by an earlier version
// is taken over: moved to the new name with its state (on, or switched off by the desktop).
class XdgAutostartEntry : public LoginItemService {
public:
    // Empty arguments: the user's autostart folder, the running binary and, with the default
    // entry, the earlier version's entry beside it.
    explicit XdgAutostartEntry(const QString &entryPath = {}, const QString &executable = {},
                               const QString &legacyEntryPath = {});

    bool isEnabled() const override;
    bool enable(QString *error) override;
    bool disable(QString *error) override;

    QString entryPath() const { return m_entryPath; }
    // The entry's text for this executable.
    QString entryText() const;
    // One argument of an Exec line, quoted and escaped as desktop entries require.
    static QString quoteExecArgument(const QString &argument);
    // The program an Exec line runs, its quoting and escapes undone.
    static QString execProgram(const QString &execValue);

private:
    // Moves an earlier version's entry to the current name; false when it stays where it is.
    bool takeOverLegacyEntry(QString *error);
    // Whether the file at path is an autostart entry for this program, and whether it is on.
    static bool isOurEntry(const QString &path);
    static bool isSwitchedOn(const QString &path);
    bool write(QString *error) const;
    bool removeLegacyEntry(QString *error);

    QString m_entryPath;
    QString m_executable;
    QString m_legacyEntryPath;
};
