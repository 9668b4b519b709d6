#include "PreviewImageProbe.h"

#include "TestSupport.h"
#include "UserDefaults.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QUuid Id = QUuid::fromString(QStringLiteral("6f1c2d3e-4a5b-4c6d-8e7f-0123456789ab"));
const QString Name = QStringLiteral("6F1C2D3E-4A5B-4C6D-8E7F-0123456789AB.jpg");

// A one-line HTTP server on the loopback interface: answers every request with a status
// and remembers the request lines it saw.
class TinyHttpServer : public QObject {
public:
    explicit TinyHttpServer(int status) : m_status(status)
    {
        EXPECT_TRUE(m_server.listen(QHostAddress::LocalHost));
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    m_buffer += socket->readAll();
                    if (!m_buffer.contains("\r\n\r\n"))
                        return;
                    requests.append(QString::fromLatin1(m_buffer.left(m_buffer.indexOf("\r\n"))));
                    m_buffer.clear();
                    if (m_status == 0)
                        return; // never answer
                    socket->write("HTTP/1.1 " + QByteArray::number(m_status) +
                                  " Whatever\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QString base() const
    {
        return QStringLiteral("http://127.0.0.1:%1/previews/").arg(m_server.serverPort());
    }
    QStringList requests;

private:
    QTcpServer m_server;
    QByteArray m_buffer;
    int m_status;
};

struct Probe : ::testing::Test {
    UserDefaults defaults{TestSupport::freshDir(QStringLiteral("probe")) + QStringLiteral("/vorn.ini")};
    PreviewImageProbe probe{&defaults};

    bool runAgainst(const QString &base)
    {
        defaults.setValue(QStringLiteral("previewBaseURL"), base);
        QSignalSpy done(&probe, &PreviewImageProbe::probeFinished);
        probe.probe(Id);
        EXPECT_TRUE(done.wait(10000));
        return probe.hasPreviewImage();
    }
};
} // namespace

TEST(PreviewImageUrl, HttpsAnywhereButPlainHttpOnlyToThisMachine)
{
    const QUrl https(QStringLiteral("https://img.example.org/p/") + Name);
    EXPECT_EQ(PreviewImageProbe::imageUrl(QStringLiteral("https://img.example.org/p/"), Id), https);
    EXPECT_EQ(PreviewImageProbe::imageUrl(QStringLiteral("https://img.example.org/p"), Id), https)
        << "the folder's closing slash is added when it was left out";
    EXPECT_TRUE(PreviewImageProbe::imageUrl(QStringLiteral("https://img.example.org/"), QUuid()).isEmpty());
    // A loopback name that is only a prefix of another host is not loopback.
    for (const char *refused : {"http://img.example.org/p/", "ftp://img.example.org/", "file:///tmp/", "not a url", "",
                                "http://127.0.0.1.example.org/", "http://localhost.example.org/"})
        EXPECT_TRUE(PreviewImageProbe::imageUrl(QString::fromLatin1(refused), Id).isEmpty()) << refused;
    for (const char *loopback : {"http://127.0.0.1:8080/", "http://127.8.9.10/", "http://[::1]/",
                                 "http://localhost/", "http://LOCALHOST:99/"})
        EXPECT_FALSE(PreviewImageProbe::imageUrl(QString::fromLatin1(loopback), Id).isEmpty()) << loopback;
}

TEST_F(Probe, OnlyA200AnswerToAHeadRequestCounts)
{
    TinyHttpServer found(200);
    EXPECT_TRUE(runAgainst(found.base()));
    EXPECT_EQ(found.requests, QStringList{QStringLiteral("HEAD /previews/") + Name + QStringLiteral(" HTTP/1.1")});
    EXPECT_EQ(probe.imageUrl(), QUrl(found.base() + Name));

    // A new probe starts from "no image" until its own answer arrives.
    TinyHttpServer missing(404);
    EXPECT_FALSE(runAgainst(missing.base()));
    TinyHttpServer noContent(204);
    EXPECT_FALSE(runAgainst(noContent.base()));
}

TEST_F(Probe, NoHostAnUnreachableHostOrADroppedProbeLeavesThePreviewOff)
{
    QSignalSpy done(&probe, &PreviewImageProbe::probeFinished);
    probe.probe(Id);
    EXPECT_FALSE(probe.isRunning()) << "no host configured: no request";
    EXPECT_FALSE(probe.hasPreviewImage());
    EXPECT_TRUE(probe.imageUrl().isEmpty());
    defaults.setValue(QStringLiteral("previewBaseURL"), QStringLiteral("http://example.org/"));
    probe.probe(Id);
    EXPECT_FALSE(probe.isRunning()) << "plain http to another machine: no request";
    EXPECT_EQ(done.size(), 0);

    {
        QTcpServer closed;
        ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
        const quint16 port = closed.serverPort();
        closed.close();
        EXPECT_FALSE(runAgainst(QStringLiteral("http://127.0.0.1:%1/").arg(port)));
    }
    TinyHttpServer silent(0);
    defaults.setValue(QStringLiteral("previewBaseURL"), silent.base());
    done.clear();
    probe.probe(Id);
    EXPECT_TRUE(probe.isRunning());
    probe.cancel();
    EXPECT_FALSE(probe.isRunning());
    EXPECT_FALSE(probe.hasPreviewImage());
    EXPECT_EQ(done.size(), 0);
}
