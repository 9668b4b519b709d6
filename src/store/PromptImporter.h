#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>

class ModelContext;

// Imports prompts pasted as JSON (one prompt record, or an array of them, in the layout of
// the shipped prompts file). Every item is checked before anything is written; then new
// prompts are inserted and known ones overwritten in one save. The import sheet and the
// command line both call it and show the result line it returns.
class PromptImporter {
    Q_DECLARE_TR_FUNCTIONS(PromptImporter)

public:
    // Exactly one of the two is set after an import.
    struct Result {
        QString errorMessage;
        QString successMessage;
        bool ok() const { return errorMessage.isEmpty(); }
    };

    // Pasted text above this size (in UTF-8 bytes) is refused before it is decoded.
    static constexpr qsizetype MaxTextBytes = 20 * 1024 * 1024;

    // createBackup runs after a save that wrote at least one prompt (DataController::createBackup
    // in the program); it may be empty.
    explicit PromptImporter(ModelContext &context, std::function<void()> createBackup = {});

    // The pasted text of the import sheet.
    Result importText(const QString &jsonText);
    // Bytes read from a file or a pipe; they must be UTF-8.
    Result importData(const QByteArray &utf8);

private:
    Result importUtf8(const QByteArray &utf8);

    ModelContext &m_context;
    std::function<void()> m_createBackup;
};
