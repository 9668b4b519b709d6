#pragma once

#include <QObject>

// The start-up sequence of the desktop app, in its fixed order: the store, the window
// manager (tray and hidden panel), the global shortcut.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // The store is opened and loaded in the background. One that cannot be opened does not
    // stop the start: the panel then shows why, over an empty library, and the file is left
    // as it was; the reason goes to the log once known (error stays as it was). The start
    // itself always goes on (true).
    bool applicationDidFinishLaunching(QString *error);
    // Called as the event loop ends: writes what the autosave has not written yet (the last
    // edits and the settings), so quitting right after a change keeps it, and lets the store
    // go. A final save that failed is reported on standard error.
    void applicationWillTerminate();
    // False when the final save at quit failed: the app then exits with a failure.
    bool finalSaveSucceeded() const { return m_finalSaveSucceeded; }

private:
    bool m_finalSaveSucceeded = true;
};
