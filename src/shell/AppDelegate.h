#pragma once

#include <QObject>

// The start-up sequence of the desktop app, in its fixed order: the store, the window
// manager (tray and hidden panel), the global shortcut.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // False, with the reason, when the store cannot be opened; nothing else was built then.
    bool applicationDidFinishLaunching(QString *error);
    // Called as the event loop ends: writes what the autosave has not written yet (the last
    // edits and the settings), so quitting right after a change keeps it.
    void applicationWillTerminate();
};
