#include "ExportNotice.h"

#include "DataController.h"

#include <QDir>

void ExportNotice::exportFrom(DataController *data)
{
    m_data = data;
    QString why;
    const QString written = data ? data->exportData(QString(), true, &why) : QString();
    if (written.isEmpty())
        set(tr("Export failed: %1").arg(why.isEmpty() ? tr("the library is not open") : why), true, {});
    else
        set(tr("Exported to %1").arg(QDir::toNativeSeparators(written)), false, written);
}

void ExportNotice::reveal()
{
    if (m_data && !m_path.isEmpty())
        m_data->reveal(m_path);
}

void ExportNotice::dismiss()
{
    set({}, false, {});
}

void ExportNotice::set(const QString &text, bool failed, const QString &path)
{
    m_text = text;
    m_failed = failed;
    m_path = path;
    Q_EMIT changed();
}
