#pragma once

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

class QNetworkAccessManager;
class QNetworkReply;
class UserDefaults;

// Asks the preview image host whether a prompt has a picture: one HEAD request, and only a
// 200 answer counts. Without a configured host no request is made.
class PreviewImageProbe : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Owned by the prompt detail")
    Q_PROPERTY(bool hasPreviewImage READ hasPreviewImage NOTIFY hasPreviewImageChanged)
    Q_PROPERTY(QUrl imageUrl READ imageUrl NOTIFY imageUrlChanged)

public:
    static constexpr const char *BaseUrlKey = "previewBaseURL";
    static constexpr int TimeoutMilliseconds = 60 * 1000;

    explicit PreviewImageProbe(UserDefaults *defaults, QObject *parent = nullptr);
    ~PreviewImageProbe() override;

    bool hasPreviewImage() const { return m_hasPreviewImage; }
    QUrl imageUrl() const { return m_imageUrl; }
    bool isRunning() const;

    // "<base>/<UPPER-CASE UUID>.jpg"; empty when the base is empty or not an allowed address.
    static QUrl imageUrl(const QString &baseUrl, const QUuid &promptId);
    // https anywhere; plain http only to this machine (127.0.0.0/8, ::1, localhost).
    static bool isAllowed(const QUrl &url);

    // Starts a probe for the prompt; an earlier one still running is dropped.
    void probe(const QUuid &promptId);
    void cancel();

Q_SIGNALS:
    void hasPreviewImageChanged();
    void imageUrlChanged();
    // A probe ended (answered, failed or timed out); not emitted when none was sent.
    void probeFinished();

private:
    void setHasPreviewImage(bool on);
    void finished(QNetworkReply *reply);

    QPointer<UserDefaults> m_defaults;
    QNetworkAccessManager *m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QUrl m_imageUrl;
    bool m_hasPreviewImage = false;
};
