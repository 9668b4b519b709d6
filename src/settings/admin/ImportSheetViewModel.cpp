#include "ImportSheetViewModel.h"

#include "DataController.h"
#include "ModelContext.h"
#include "PromptImporter.h"

ImportSheetViewModel::ImportSheetViewModel(QObject *parent)
    : ImportSheetViewModel(DataController::shared()->mainContext(), nullptr, parent)
{
    m_createBackup = [] { DataController::shared()->createBackup(); };
}

ImportSheetViewModel::ImportSheetViewModel(ModelContext *context, UserDefaults *, QObject *parent)
    : QObject(parent), m_context(context)
{
}

void ImportSheetViewModel::setJsonText(const QString &text)
{
    if (text == m_jsonText)
        return;
    m_jsonText = text;
    Q_EMIT jsonTextChanged();
}

void ImportSheetViewModel::save()
{
    if (!canSave() || !m_context)
        return;
    const PromptImporter::Result result = PromptImporter(*m_context, m_createBackup).importText(m_jsonText);
    m_errorMessage = result.errorMessage;
    m_successMessage = result.successMessage;
    Q_EMIT resultChanged();
    if (result.ok())
        setJsonText(QString());
}
