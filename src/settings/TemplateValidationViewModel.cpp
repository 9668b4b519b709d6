#include "TemplateValidationViewModel.h"

#include "ModelContext.h"
#include "StoreLog.h"
#include "LibraryValidator.h"

#include <QMetaObject>
#include <QVariantMap>

TemplateValidationViewModel::TemplateValidationViewModel(ModelContext *context, QObject *parent)
    : QObject(parent), m_context(context)
{
}

namespace {
// The finding's prompt while it is still in the store.
Prompt *livePrompt(const TemplateValidationError &finding)
{
    return finding.prompt && !finding.prompt->isDeleted() ? finding.prompt.data() : nullptr;
}
} // namespace

QVariantList TemplateValidationViewModel::errors() const
{
    QVariantList list;
    list.reserve(m_errors.size());
    for (const TemplateValidationError &finding : m_errors)
        list.append(QVariantMap{
            {QStringLiteral("promptTitle"), finding.promptTitle},
            {QStringLiteral("error"), finding.error},
            {QStringLiteral("prompt"), QVariant::fromValue<QObject *>(livePrompt(finding))}});
    return list;
}

QObject *TemplateValidationViewModel::editingPrompt() const
{
    return m_editingPrompt.data();
}

void TemplateValidationViewModel::start()
{
    setMessage(tr("Validating..."));
    if (!m_isPresented) {
        m_isPresented = true;
        Q_EMIT isPresentedChanged();
    }
    // The sheet shows "Validating..." before the check blocks the interface.
    QMetaObject::invokeMethod(this, &TemplateValidationViewModel::run, Qt::QueuedConnection);
}

void TemplateValidationViewModel::run()
{
    StoreLog::line(QStringLiteral("DEBUG: Starting validation..."));
    if (!m_context) {
        StoreLog::line(QStringLiteral("DEBUG: Validation failed with error: The library store is not open."));
        //: The validation sheet's summary when there is no library to check.
        setMessage(tr("Error: %1").arg(tr("The library store is not open.")));
        setErrors({});
        return;
    }
    LibraryValidator::Result result = LibraryValidator::validateAll(*m_context);
    StoreLog::line(QStringLiteral("DEBUG: Validation complete. Checked: %1, Errors: %2")
                       .arg(result.promptCount)
                       .arg(result.errors.size()));
    const QString message = summary(result.promptCount, result.errors.size());
    setErrors(std::move(result.errors));
    setMessage(message);
    StoreLog::line(QStringLiteral("DEBUG: Validation Message set to: ") + message);
}

void TemplateValidationViewModel::close()
{
    if (!m_isPresented)
        return;
    finishEditing();
    m_isPresented = false;
    Q_EMIT isPresentedChanged();
}

void TemplateValidationViewModel::edit(int index)
{
    if (index < 0 || index >= m_errors.size() || !livePrompt(m_errors.at(index)))
        return;
    m_editingPrompt = livePrompt(m_errors.at(index));
    Q_EMIT editingPromptChanged();
}

void TemplateValidationViewModel::finishEditing()
{
    if (!m_editingPrompt)
        return;
    m_editingPrompt.clear();
    Q_EMIT editingPromptChanged();
}

QString TemplateValidationViewModel::summary(qsizetype checked, qsizetype issues)
{
    //: First half of the validation summary, followed by "All valid!" or "Found %n issues."
    const QString counted = tr("Checked %n templates.", nullptr, int(checked));
    if (issues == 0)
        return counted + u' ' + tr("All valid!");
    //: Second half of the validation summary.
    return counted + u' ' + tr("Found %n issues.", nullptr, int(issues));
}

void TemplateValidationViewModel::setMessage(const QString &message)
{
    if (m_message == message)
        return;
    m_message = message;
    Q_EMIT messageChanged();
}

void TemplateValidationViewModel::setErrors(QList<TemplateValidationError> errors)
{
    m_errors = std::move(errors);
    Q_EMIT errorsChanged();
}
