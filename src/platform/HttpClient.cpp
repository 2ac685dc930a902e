// SPDX-License-Identifier: MIT
#include "platform/HttpClient.h"

#include "platform/Errors.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

std::atomic<int> overrideConnectMs{0};
std::atomic<int> overrideTotalMs{0};

void globalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Sink
{
    QByteArray body;
    qint64 cap = 0;
    bool overflow = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    const auto n = static_cast<qint64>(size * count);
    if (sink->body.size() + n > sink->cap) {
        sink->overflow = true;
        return 0; // anything short of n ends the transfer
    }
    sink->body.append(data, n);
    return static_cast<size_t>(n);
}

struct EasyDeleter
{
    void operator()(CURL* c) const { curl_easy_cleanup(c); }
};
struct MultiDeleter
{
    void operator()(CURLM* m) const { curl_multi_cleanup(m); }
};
struct ListDeleter
{
    void operator()(curl_slist* l) const { curl_slist_free_all(l); }
};

QString clientText(CURLcode code, const char* buffer)
{
    return QString::fromUtf8(buffer[0] ? buffer : curl_easy_strerror(code)).trimmed();
}

} // namespace

namespace http {

QByteArray get(const HttpRequest& request, const std::atomic_bool* cancel)
{
    globalInit();
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    std::unique_ptr<CURLM, MultiDeleter> multi(curl_multi_init());
    if (!easy || !multi)
        throw UserError(QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT)));

    const int connectMs = overrideConnectMs.load() > 0 ? overrideConnectMs.load() : request.connectTimeoutMs;
    const int totalMs = overrideTotalMs.load() > 0 ? overrideTotalMs.load() : request.totalTimeoutMs;

    Sink sink;
    sink.cap = request.maxBodyBytes;
    char error[CURL_ERROR_SIZE] = {};
    std::unique_ptr<curl_slist, ListDeleter> headers;
    for (const QByteArray& h : request.headers) {
        curl_slist* grown = curl_slist_append(headers.get(), h.constData());
        if (!grown)
            throw std::bad_alloc();
        headers.release();
        headers.reset(grown);
    }

    CURL* c = easy.get();
    curl_easy_setopt(c, CURLOPT_URL, request.url.constData());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L); // we run on worker threads
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(c, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(totalMs));
    curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBodyBytes));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    if (headers)
        curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());

    // The multi interface instead of curl_easy_perform, so that a cancel is seen between short polls.
    curl_multi_add_handle(multi.get(), c);
    int running = 1;
    CURLcode result = CURLE_OK;
    bool cancelled = false;
    while (running) {
        const CURLMcode mc = curl_multi_perform(multi.get(), &running);
        if (mc != CURLM_OK) {
            curl_multi_remove_handle(multi.get(), c);
            throw UserError(QString::fromUtf8(curl_multi_strerror(mc)));
        }
        if (!running)
            break;
        if (cancel && cancel->load()) {
            cancelled = true;
            break;
        }
        curl_multi_poll(multi.get(), nullptr, 0, 100, nullptr);
    }
    if (!cancelled) {
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi.get(), &left)) {
            if (msg->msg == CURLMSG_DONE && msg->easy_handle == c)
                result = msg->data.result;
        }
    }
    curl_multi_remove_handle(multi.get(), c);

    if (cancelled)
        throw UserError(QString::fromUtf8(curl_easy_strerror(CURLE_ABORTED_BY_CALLBACK)));
    if (sink.overflow || result == CURLE_FILESIZE_EXCEEDED)
        throw UserError(QStringLiteral("%1 (%2 bytes)")
                            .arg(QString::fromUtf8(curl_easy_strerror(CURLE_FILESIZE_EXCEEDED)))
                            .arg(request.maxBodyBytes));
    if (result != CURLE_OK)
        throw UserError(clientText(result, error));
    return sink.body;
}

TimeoutOverride::TimeoutOverride(int connectTimeoutMs, int totalTimeoutMs)
    : m_oldConnect(overrideConnectMs.exchange(connectTimeoutMs)), m_oldTotal(overrideTotalMs.exchange(totalTimeoutMs))
{
}

TimeoutOverride::~TimeoutOverride()
{
    overrideConnectMs.store(m_oldConnect);
    overrideTotalMs.store(m_oldTotal);
}

} // namespace http
