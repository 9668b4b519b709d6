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
    // The same with the two files decoded already (on another thread, say).
    void sync(PromptsRoot prompts, DataRoot data, ModelContext *context, bool force, Completion completion = {});

    // What the start-up decision takes from the settings and the store, read on the thread
    // that owns them: the versions last applied, and whether a run is due whatever the files
    // say (another build, an empty store).
    struct Applied {
        QString prompts;
        QString data;
        bool runAnyway = false;
        // True when files of these versions need no run.
        bool current(const QString &promptsVersion, const QString &dataVersion) const
        {
            return !runAnyway && promptsVersion == prompts && dataVersion == data;
        }
    };
    Applied applied(ModelContext *context) const;

    // The start-up shortcut: when the given versions are the ones last applied by this build
    // and the store has prompts, prints the status and skip lines and calls the completion
    // with (promptCount, 0), as a skipped run does, and returns true; the files need not be
    // decoded. False (nothing printed) when a run is due or one is active.
    bool skipIfCurrent(const QString &promptsVersion, const QString &dataVersion, qsizetype promptCount,
                       ModelContext *context, const Completion &completion = {});
    // The same for a store read elsewhere that holds storedPrompts prompts.
    bool skipIfCurrent(const QString &promptsVersion, const QString &dataVersion, qsizetype promptCount,
                       qsizetype storedPrompts, const Completion &completion = {});

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
    struct Decision {
        QString currentPrompts, currentData, storedPrompts, storedData, storedBuild;
        bool buildChanged = false;
        bool promptsDue = false;
        bool dataDue = false;
    };
    Decision decide(const QString &currentPrompts, const QString &currentData, bool force) const;
    void printStatus(const Decision &decision) const;

    UserDefaults *m_defaults = nullptr;
    QString m_build;
    QList<Request> m_pending;
    bool m_running = false;
};
