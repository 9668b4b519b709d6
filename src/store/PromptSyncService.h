#pragma once

#include "SeedRecords.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QUuid>

#include <functional>

class ModelContext;
class UserDefaults;

// Brings the store up to date with the shipped library. Versions of the two files and the
// build number last applied are kept in the user's settings; a run only does the parts whose
// version changed (everything when forced, after a new build, or into an empty store). User
// records are never touched; shipped content missing from the files is never deleted.
class PromptSyncService {
public:
    using Completion = std::function<void(qsizetype total, qsizetype changed)>;

    static constexpr const char *promptsVersionKey = "last_synced_prompts_version";
    static constexpr const char *dataVersionKey = "last_synced_data_version";
    static constexpr const char *storedBuildNumberKey = "last_synced_build_number";

    // The process-wide service over UserDefaults::standard() and the compiled-in build.
    static PromptSyncService *shared();

    // A null defaults means UserDefaults::standard() at each run; an empty build means the
    // compiled-in build number.
    explicit PromptSyncService(UserDefaults *defaults = nullptr, const QString &currentBuild = QString());

    UserDefaults *defaults() const;
    QString currentBuild() const { return m_build; }

    // Decodes both files (prompts first) and runs the synchronisation. Returns false with the
    // decoding error when a file does not decode; nothing is changed then and the completion
    // is not called. A run asked for while another one is active (from its completion, say)
    // waits: it starts when the active one ends, before the outer call returns.
    bool sync(const QByteArray &promptsJson, const QByteArray &dataJson, ModelContext *context, bool force,
              Completion completion = {}, QString *error = nullptr);

    // The identifier of a shipped prompt or category: its UUID, or, for text that is not a
    // UUID, one derived from the text so that it stays the same from run to run.
    static QUuid idForSeed(const QString &text);

private:
    struct Request {
        PromptsRoot prompts;
        DataRoot data;
        QPointer<ModelContext> context;
        bool force = false;
        Completion completion;
    };
    void run(Request &request);

    UserDefaults *m_defaults = nullptr;
    QString m_build;
    QList<Request> m_pending;
    bool m_running = false;
};
