#include "online/Transfer.h"

#include "BuildInfo.h"
#include "online/SystemProxy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace Module1 {
namespace {

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

QNetworkRequest requestFor(const QUrl& url)
{
    static const QByteArray userAgent = QByteArray(buildinfo::InternalName) + '/' + buildinfo::FileVersion;
    QNetworkRequest request(url);
    // Redirects are followed here, one fresh connection each, after a look at where they lead.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    // The body is stored as sent: a compressed one is never inflated, so the size cap holds.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    return request;
}

// One request's run: it watches the reply against the limits and hands a 200's body to the sink.
// Everything happens on the calling thread; the name lookup and the socket work of Qt's network
// module do not, so a silent resolver or server holds only the timers here, never the thread.
class Run {
public:
    struct Outcome {
        bool complete = false;
        std::optional<QUrl> redirect;
    };

    Run(QNetworkReply& reply, const DownloadLimits& limits, const BodySink& sink, const QElapsedTimer& clock)
        : reply_(reply), limits_(limits), sink_(sink), clock_(clock), phaseStart_(clock.elapsed())
    {
        reply_.setReadBufferSize(ReadBuffer);
        QObject::connect(&reply_, &QNetworkReply::requestSent, &reply_, [this] { connected(); });
        QObject::connect(&reply_, &QNetworkReply::metaDataChanged, &reply_, [this] { answered(); });
        QObject::connect(&reply_, &QNetworkReply::readyRead, &reply_, [this] { drain(); });
        QObject::connect(&reply_, &QNetworkReply::finished, &loop_, [this] {
            finished_ = true;
            loop_.quit();
        });
        watchdog_.setInterval(WatchInterval);
        QObject::connect(&watchdog_, &QTimer::timeout, &reply_, [this] { watch(); });
    }

    // Waits in a local event loop: the windows keep painting and answering the desktop, while
    // the user's input waits in the queue until the transfer has ended, as it would behind a
    // blocking call.
    Outcome wait()
    {
        watchdog_.start();
        if (!finished_)
            loop_.exec(QEventLoop::ExcludeUserInputEvents);
        watchdog_.stop();
        // Ended by anything but the reply (the program quitting, say): nothing is complete.
        if (!finished_)
            fail();
        if (redirect_)
            return {.complete = false, .redirect = redirect_};
        drain();
        return {.complete = !failed_ && reply_.error() == QNetworkReply::NoError && wholeBodyArrived(), .redirect = {}};
    }

private:
    static constexpr int WatchInterval = 100;
    static constexpr qint64 ReadBuffer = 256 * 1024;

    int status() const { return reply_.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(); }

    void fail()
    {
        failed_ = true;
        reply_.abort();
    }

    void connected()
    {
        connected_ = true;
        samples_.clear();
        samples_.push_back({clock_.elapsed(), received_});
    }

    // Only a 200's body is wanted; a redirect's target is taken and its body left unread.
    void answered()
    {
        if (isRedirect(status())) {
            const QUrl target = reply_.attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
            if (!target.isEmpty())
                redirect_ = reply_.url().resolved(target);
            return fail();
        }
        const QVariant declared = reply_.header(QNetworkRequest::ContentLengthHeader);
        if (status() != 200 || (declared.isValid() && declared.toLongLong() > limits_.maxBytes))
            fail();
    }

    void drain()
    {
        while (!failed_ && status() == 200 && reply_.bytesAvailable() > 0) {
            const QByteArray piece = reply_.read(ReadBuffer);
            if (piece.isEmpty())
                break;
            received_ += piece.size();
            if (!sink_(piece.constData(), static_cast<std::size_t>(piece.size())))
                fail();
        }
    }

    void watch()
    {
        const qint64 now = clock_.elapsed();
        if (now >= limits_.totalTimeoutMs || (!connected_ && now - phaseStart_ >= limits_.connectTimeoutMs))
            return fail();
        if (!connected_)
            return;
        samples_.push_back({now, received_});
        // The oldest sample kept is the last one at or before the start of the window.
        while (samples_.size() > 1 && samples_[1].first <= now - limits_.floorWindowMs)
            samples_.pop_front();
        const auto& [since, then] = samples_.front();
        if (now - since >= limits_.floorWindowMs && received_ - then < limits_.floorBytes)
            fail();
    }

    // 204 has no body and 206 only a part; a body shorter than declared was cut off.
    bool wholeBodyArrived() const
    {
        const QVariant declared = reply_.header(QNetworkRequest::ContentLengthHeader);
        return status() == 200 && (!declared.isValid() || declared.toLongLong() == received_);
    }

    QNetworkReply& reply_;
    const DownloadLimits& limits_;
    const BodySink& sink_;
    const QElapsedTimer& clock_;
    const qint64 phaseStart_;
    QEventLoop loop_;
    QTimer watchdog_;
    qint64 received_ = 0;
    bool connected_ = false;
    bool finished_ = false;
    bool failed_ = false;
    std::optional<QUrl> redirect_;
    std::deque<std::pair<qint64, qint64>> samples_;
};

// The system's proxy for `url`, found off this thread within `timeoutMs`: on Windows finding it
// may mean discovering a configuration script on the network, which can take seconds.
std::optional<QNetworkProxy> proxyWithin(const QUrl& url, long timeoutMs)
{
    struct Answer {
        std::mutex mutex;
        bool ready = false;
        std::optional<QNetworkProxy> proxy;
        QPointer<QEventLoop> waiting; // touched on this thread only
    };
    const auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->waiting = &loop;
    // Detached: a lookup that outlasts the wait finishes on its own and only its answer is lost.
    std::thread([answer, url] {
        std::optional<QNetworkProxy> proxy = systemProxyFor(url);
        {
            const std::lock_guard lock(answer->mutex);
            answer->proxy = std::move(proxy);
            answer->ready = true;
        }
        if (QCoreApplication* application = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                application,
                [answer] {
                    if (answer->waiting)
                        answer->waiting->quit();
                },
                Qt::QueuedConnection);
        }
    }).detach();
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    const std::lock_guard lock(answer->mutex);
    return answer->ready ? answer->proxy : std::nullopt;
}

} // namespace

bool transfer(const std::string& address, const DownloadLimits& limits, const BodySink& sink)
{
    // Qt's network module needs the application object's event dispatcher.
    if (!QCoreApplication::instance())
        return false;
    QElapsedTimer clock;
    clock.start();
    QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    for (long redirects = 0;; ++redirects) {
        if (!isWebAddress(url))
            return false;
        const std::optional<QNetworkProxy> proxy = proxyWithin(url, limits.connectTimeoutMs);
        if (!proxy)
            return false;
        // A manager per request: no connection is reused, so a server that closed one after
        // its answer cannot leave the next request without any.
        QNetworkAccessManager manager;
        manager.setProxy(*proxy);
        QNetworkReply* reply = manager.get(requestFor(url));
        Run::Outcome outcome = Run(*reply, limits, sink, clock).wait();
        delete reply;
        if (!outcome.redirect)
            return outcome.complete;
        if (redirects == limits.maxRedirects)
            return false;
        url = *outcome.redirect;
    }
}

} // namespace Module1
