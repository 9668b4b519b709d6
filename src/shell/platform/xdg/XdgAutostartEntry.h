#pragma once

#include "LoginItemService.h"

#include <QString>

// Start at login through the XDG autostart folder: the entry $XDG_CONFIG_HOME/autostart/vorn.desktop
// runs the program's binary without arguments.
class XdgAutostartEntry : public LoginItemService {
public:
    // Empty arguments: the user's autostart folder and the running binary.
    explicit XdgAutostartEntry(const QString &entryPath = {}, const QString &executable = {});

    bool isEnabled() const override;
    bool enable(QString *error) override;
    bool disable(QString *error) override;

    QString entryPath() const { return m_entryPath; }
    // The entry's text for this executable.
    QString entryText() const;
    // One argument of an Exec line, quoted and escaped as desktop entries require.
    static QString quoteExecArgument(const QString &argument);

private:
    QString m_entryPath;
    QString m_executable;
};
