#pragma once

#include "SearchQuery.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Runs searches on a thread of its own, so a keystroke never waits for one. Only the latest
// search counts: one still waiting when the next arrives is dropped, one still running gives
// up, and results of an older search are never reported.
class SearchWorker : public QObject {
    Q_OBJECT

public:
    explicit SearchWorker(QObject *parent = nullptr);
    ~SearchWorker() override;

    // Queues a search and returns its number.
    quint64 submit(SearchQuery query);
    // The number of the latest search submitted.
    quint64 latest() const { return m_latest.load(); }

Q_SIGNALS:
    // Reported in this object's thread, for the latest search only.
    void finished(quint64 number, std::shared_ptr<const SearchResults> results);

private:
    void loop();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<std::pair<quint64, SearchQuery>> m_pending;
    bool m_stop = false;
    std::atomic<quint64> m_latest{0};
    std::thread m_thread; // last, so it starts once the rest is there
};
