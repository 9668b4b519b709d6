#pragma once

#include <QObject>
#include <QQmlIncubationController>
#include <QTimer>

// Creates asynchronously made QML objects in short slices between the events of the loop,
// whether or not a window is on screen: a view built in idle time never holds the event
// loop for longer than one object and a slice.
class IdleIncubationController : public QObject, public QQmlIncubationController {
    Q_OBJECT

public:
    static constexpr int SliceMs = 4;

    explicit IdleIncubationController(QObject *parent = nullptr);

protected:
    void incubatingObjectCountChanged(int count) override;

private:
    QTimer m_next;
};
