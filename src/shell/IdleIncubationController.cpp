#include "IdleIncubationController.h"

IdleIncubationController::IdleIncubationController(QObject *parent) : QObject(parent)
{
    // A zero timer runs once per turn of the loop, after the events waiting then: a request
    // that takes a few turns (a socket's connection, its data, its end) waits a few slices.
    m_next.setSingleShot(true);
    m_next.setInterval(0);
    connect(&m_next, &QTimer::timeout, this, [this] {
        incubateFor(SliceMs);
        if (incubatingObjectCount() > 0)
            m_next.start();
    });
}

void IdleIncubationController::incubatingObjectCountChanged(int count)
{
    if (count > 0 && !m_next.isActive())
        m_next.start();
}
