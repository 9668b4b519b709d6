#include "LibraryStatusViewModel.h"

#include "DataController.h"
#include "ModelContext.h"

LibraryStatusViewModel::LibraryStatusViewModel(QObject *parent)
    : LibraryStatusViewModel(DataController::shared(), parent)
{
}

LibraryStatusViewModel::LibraryStatusViewModel(DataController *data, QObject *parent)
    : QObject(parent), m_data(data)
{
    connect(data, &DataController::noticeChanged, this, &LibraryStatusViewModel::messageChanged);
    connect(data->mainContext(), &ModelContext::saveErrorChanged, this, &LibraryStatusViewModel::messageChanged);
}

bool LibraryStatusViewModel::unsaved() const
{
    return m_data && !m_data->mainContext()->saveError().isEmpty();
}

QString LibraryStatusViewModel::message() const
{
    if (!m_data)
        return {};
    //: The library's status line; %1 is the system's reason, e.g. "No space left on device".
    if (unsaved())
        return tr("Changes not saved: %1. VORN keeps trying.").arg(m_data->mainContext()->saveError());
    return m_data->notice();
}

void LibraryStatusViewModel::dismiss()
{
    if (m_data)
        m_data->dismissNotice();
}
