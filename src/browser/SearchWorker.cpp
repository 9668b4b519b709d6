#include "SearchWorker.h"

SearchWorker::SearchWorker(QObject *parent) : QObject(parent), m_thread([this] { loop(); })
{
}

SearchWorker::~SearchWorker()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_latest = 0; // a search still running gives up
    }
    m_wake.notify_one();
    m_thread.join();
}

quint64 SearchWorker::submit(SearchQuery query)
{
    quint64 number;
    {
        const std::lock_guard lock(m_mutex);
        number = m_latest.load() + 1;
        m_latest = number;
        m_pending.emplace(number, std::move(query));
    }
    m_wake.notify_one();
    return number;
}

void SearchWorker::loop()
{
    for (;;) {
        std::pair<quint64, SearchQuery> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stop || m_pending; });
            if (m_stop)
                return;
            job = std::move(*m_pending);
            m_pending.reset();
        }
        SearchResults results = job.second.run(&m_latest, job.first);
        if (results.cancelled)
            continue;
        auto shared = std::make_shared<const SearchResults>(std::move(results));
        const quint64 number = job.first;
        QMetaObject::invokeMethod(
            this,
            [this, number, shared] {
                if (number == m_latest.load())
                    Q_EMIT finished(number, shared);
            },
            Qt::QueuedConnection);
    }
}
