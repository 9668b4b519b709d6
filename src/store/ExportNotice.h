#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class DataController;

// What the window says after "Export DB": where the file went (with a way to show it in the
// file manager) or why it could not be written. The browser's menu and the settings share it.
class ExportNotice : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString text READ text NOTIFY changed)
    Q_PROPERTY(bool failed READ failed NOTIFY changed)
    Q_PROPERTY(QString path READ path NOTIFY changed)

public:
    explicit ExportNotice(QObject *parent = nullptr) : QObject(parent) {}

    QString text() const { return m_text; }
    bool failed() const { return m_failed; }
    // The written file; empty after a failure.
    QString path() const { return m_path; }

    // Runs the export of "Export DB" and says how it went.
    void exportFrom(DataController *data);
    Q_INVOKABLE void reveal();
    Q_INVOKABLE void dismiss();

Q_SIGNALS:
    void changed();

private:
    void set(const QString &text, bool failed, const QString &path);

    QPointer<DataController> m_data;
    QString m_text;
    QString m_path;
    bool m_failed = false;
};
