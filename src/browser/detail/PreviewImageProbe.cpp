#include "PreviewImageProbe.h"

#include "PersistentModel.h"
#include "UserDefaults.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

PreviewImageProbe::PreviewImageProbe(UserDefaults *defaults, QObject *parent)
    : QObject(parent), m_defaults(defaults)
{
}

PreviewImageProbe::~PreviewImageProbe()
{
    cancel();
}

QUrl PreviewImageProbe::imageUrl(const QString &baseUrl, const QUuid &promptId)
{
    const QString base = baseUrl.trimmed();
    if (base.isEmpty() || promptId.isNull())
        return {};
    // The base names a folder; without its closing slash the name would run into it.
    QString address = base;
    if (!address.endsWith(u'/'))
        address += u'/';
    address += uuidText(promptId) + QStringLiteral(".jpg");
    const QUrl url(address, QUrl::StrictMode);
    return isAllowed(url) ? url : QUrl();
}

bool PreviewImageProbe::isAllowed(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https"))
        return true;
    if (scheme != QLatin1String("http"))
        return false;
    const QString host = url.host().toLower();
    if (host == QLatin1String("localhost"))
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

void PreviewImageProbe::probe(const QUuid &promptId)
{
    cancel();
    const QString base = m_defaults ? m_defaults->string(BaseUrlKey) : QString();
    const QUrl url = imageUrl(base, promptId);
    if (url != m_imageUrl) {
        m_imageUrl = url;
        Q_EMIT imageUrlChanged();
    }
    setHasPreviewImage(false);
    if (url.isEmpty())
        return;
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkRequest request(url);
    request.setTransferTimeout(TimeoutMilliseconds);
    QNetworkReply *reply = m_network->head(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
}

void PreviewImageProbe::cancel()
{
    if (QNetworkReply *reply = m_reply) {
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void PreviewImageProbe::finished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_reply)
        return;
    m_reply = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    setHasPreviewImage(reply->error() == QNetworkReply::NoError && status == 200);
    Q_EMIT probeFinished();
}

void PreviewImageProbe::setHasPreviewImage(bool on)
{
    if (on == m_hasPreviewImage)
        return;
    m_hasPreviewImage = on;
    Q_EMIT hasPreviewImageChanged();
}

bool PreviewImageProbe::isRunning() const
{
    return !m_reply.isNull();
}
