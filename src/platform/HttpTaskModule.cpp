// SPDX-License-Identifier: MIT
// The HTTP module: the only code that links Qt Network.
#include "platform/HttpBackend.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <atomic>

namespace {

std::atomic_bool lookUpsMayRun{false};

// One manager for the program, made on the first request: its connections and TLS set-up are
// shared by later requests.
QNetworkAccessManager& manager()
{
    static QPointer<QNetworkAccessManager> shared;
    if (!shared) {
        shared = new QNetworkAccessManager(QCoreApplication::instance());
        shared->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    }
    return *shared;
}

QString seconds(int ms) { return QString::number(ms / 1000.0); }

class ReplyBackend final : public QObject, public HttpBackend
{
public:
    ReplyBackend()
    {
        m_connectTimer.setSingleShot(true);
        m_totalTimer.setSingleShot(true);
        connect(&m_connectTimer, &QTimer::timeout, this, [this] {
            fail(QCoreApplication::translate("HttpTask", "%1 秒以内に接続できませんでした")
                     .arg(seconds(m_connectTimer.interval())));
        });
        connect(&m_totalTimer, &QTimer::timeout, this, [this] {
            if (!m_reply) // a request refused before it went out reports on the next turn of the loop
                return finish();
            fail(QCoreApplication::translate("HttpTask", "%1 秒以内に受信が終わりませんでした")
                     .arg(seconds(m_totalTimer.interval())));
        });
    }

    ~ReplyBackend() override { cancel(); }

    void start(const HttpRequest& request, Done done) override
    {
        cancel();
        m_done = std::move(done);
        m_body.clear();
        m_error.reset();
        m_cap = request.maxBodyBytes;
        m_connected = false;

        const QUrl url = QUrl::fromEncoded(request.url, QUrl::StrictMode);
        const QString scheme = url.scheme();
        if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https")) {
            // Reported like any other failure, after start() has returned.
            m_error = QCoreApplication::translate("HttpTask", "http または https のURLではありません: %1")
                          .arg(QString::fromLatin1(request.url));
            m_totalTimer.start(0);
            return;
        }

        QNetworkRequest r(url);
        r.setMaximumRedirectsAllowed(5);
        for (const QByteArray& header : request.headers) {
            const qsizetype colon = header.indexOf(':');
            if (colon > 0)
                r.setRawHeader(header.left(colon).trimmed(), header.mid(colon + 1).trimmed());
        }
        m_reply = manager().get(r);
        // No body is wanted beyond the cap, so the socket is not read much ahead of us.
        m_reply->setReadBufferSize(qMin<qint64>(m_cap + 1, 256 * 1024));
        connect(m_reply, &QNetworkReply::readyRead, this, [this] { readBody(); });
        connect(m_reply, &QNetworkReply::finished, this, [this] { replyFinished(); });
        // The connect time-out covers the name look-up, the connection and the TLS handshake.
        connect(m_reply, &QNetworkReply::requestSent, this, [this] {
            m_connected = true;
            m_connectTimer.stop();
        });
        connect(m_reply, &QNetworkReply::metaDataChanged, this, [this] {
            m_connected = true;
            m_connectTimer.stop();
            const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > m_cap)
                fail(QCoreApplication::translate("HttpTask", "受信するデータが上限の %1 バイトを超えています")
                         .arg(m_cap));
        });

        m_connectTimer.start(request.connectTimeoutMs);
        m_totalTimer.start(request.totalTimeoutMs);
    }

    void cancel() override
    {
        m_connectTimer.stop();
        m_totalTimer.stop();
        dropReply();
        m_done = nullptr;
    }

private:
    void readBody()
    {
        if (!m_reply)
            return;
        const QByteArray chunk = m_reply->readAll();
        if (m_body.size() + chunk.size() > m_cap)
            return fail(
                QCoreApplication::translate("HttpTask", "受信したデータが上限の %1 バイトを超えました").arg(m_cap));
        m_body.append(chunk);
    }

    void replyFinished()
    {
        readBody();
        if (!m_reply) // the rest of the body was over the cap
            return;
        if (m_reply->error() == QNetworkReply::NoError)
            return finish();
        const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 400) {
            const QString reason =
                QString::fromLatin1(m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray());
            return fail(QCoreApplication::translate("HttpTask", "サーバーがエラーを返しました: %1 %2")
                            .arg(status)
                            .arg(reason)
                            .trimmed());
        }
        fail(QStringLiteral("%1 (%2)").arg(m_reply->errorString(), m_reply->url().toDisplayString()));
    }

    void fail(const QString& text)
    {
        m_error = text;
        dropReply();
        finish();
    }

    void finish()
    {
        m_connectTimer.stop();
        m_totalTimer.stop();
        if (m_reply) {
            m_reply->deleteLater();
            m_reply = nullptr;
        }
        // Last: the receiver may start the next request, or end this backend.
        if (Done done = std::exchange(m_done, nullptr))
            done(std::exchange(m_error, std::nullopt), std::exchange(m_body, QByteArray()));
    }

    void dropReply()
    {
        if (!m_reply)
            return;
        if (!m_connected)
            lookUpsMayRun = true;
        // Disconnected first: abort() reports the reply's end at once, and that end is not ours to tell.
        m_reply->disconnect();
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }

    QPointer<QNetworkReply> m_reply;
    QTimer m_connectTimer;
    QTimer m_totalTimer;
    qint64 m_cap = 0;
    QByteArray m_body;
    std::optional<QString> m_error;
    bool m_connected = false; // the request went out, so no name look-up runs for it
    Done m_done;
};

class NetworkModule final : public HttpModule
{
public:
    std::unique_ptr<HttpBackend> makeBackend() override { return std::make_unique<ReplyBackend>(); }
    bool lookUpsMayRun() const override { return ::lookUpsMayRun; }
};

} // namespace

extern "C" Q_DECL_EXPORT HttpModule* morvane_http_module()
{
    static NetworkModule module;
    return &module;
}
