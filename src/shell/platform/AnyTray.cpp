#include "AnyTray.h"

AnyTray::AnyTray(const QList<TrayAvailability *> &sources, QObject *parent)
    : TrayAvailability(parent), m_sources(sources)
{
    for (TrayAvailability *source : sources) {
        source->setParent(this);
        connect(source, &TrayAvailability::availabilityChanged, this, [this] {
            const bool available = isAvailable();
            if (available != m_available) {
                m_available = available;
                Q_EMIT availabilityChanged(available);
            }
        });
    }
    m_available = isAvailable();
}

bool AnyTray::isAvailable() const
{
    for (TrayAvailability *source : m_sources) {
        if (source->isAvailable())
            return true;
    }
    return false;
}
