#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in a terminal, a closed terminal) into
// a Qt signal delivered on the event loop, so the app can end the way "Quit VORN" ends it:
// pending changes saved, the instance lock and the command socket released. A second signal
// of the same kind while the app is still ending takes the default action and ends it at once.
// One instance at a time; the default handlers come back when it is destroyed.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // False when the handlers could not be installed (the default actions stay then).
    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPipe();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};
