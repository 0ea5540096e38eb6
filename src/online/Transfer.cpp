#include "online/Transfer.h"

#include "BuildInfo.h"
#include "online/HttpResponse.h"
#include "online/NameLookup.h"
#include "online/SystemProxy.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

// The transfer speaks HTTP/1.1 over Qt's sockets itself rather than through Qt's network access
// manager: that one buffers an answer's whole head however long it grows, reads a malformed
// chunk size as the body's end, answers authentication challenges by itself (Kerberos among
// them), and waits for its threads and name lookups on the thread that paints. Here every byte is
// counted and bounded as it arrives, and nothing is ever waited for but within the limits.
namespace Module1 {
namespace {

constexpr int WatchInterval = 100;
constexpr qint64 ReadPiece = 64 * 1024;

// Plain HTTP only: the maker's server is reached over it, and the Windows build carries no TLS,
// so that an address elsewhere fails alike on both platforms.
bool isHttpAddress(const QUrl& url)
{
    return url.isValid() && url.scheme() == u"http" && !url.host().isEmpty();
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The time a transfer has used, and what is left of it, its own limit and a deadline it shares.
class Clock {
public:
    explicit Clock(const DownloadLimits& limits) : limits_(limits) { started_.start(); }

    qint64 elapsed() const { return started_.elapsed(); }

    qint64 left() const
    {
        qint64 left = limits_.totalTimeoutMs - elapsed();
        if (limits_.deadline) {
            const auto toDeadline = *limits_.deadline - std::chrono::steady_clock::now();
            left = std::min<qint64>(left, std::chrono::duration_cast<std::chrono::milliseconds>(toDeadline).count());
        }
        return left;
    }

private:
    const DownloadLimits& limits_;
    QElapsedTimer started_;
};

// Runs `work` on a thread of its own and waits at most `timeoutMs` for its answer, painting
// meanwhile. The thread is detached: work that outlasts the wait (a silent resolver) ends on its
// own and only its answer is lost; nothing waits for it, not even the program's end.
template <typename Result, typename Work>
std::optional<Result> offThread(Work work, qint64 timeoutMs)
{
    struct Answer {
        std::mutex mutex;
        std::optional<Result> result;
        QPointer<QEventLoop> waiting; // touched on this thread only
    };
    if (timeoutMs <= 0)
        return std::nullopt;
    const auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->waiting = &loop;
    std::thread([answer, work = std::move(work)] {
        Result result = work();
        {
            const std::lock_guard lock(answer->mutex);
            answer->result = std::move(result);
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
    return std::move(answer->result);
}

QByteArray requestFor(QUrl url, const QNetworkProxy& proxy)
{
    static const QByteArray userAgent = QByteArray(buildinfo::InternalName) + '/' + buildinfo::FileVersion;
    if (url.path().isEmpty())
        url.setPath(QStringLiteral("/"));
    // A proxy is given the whole address, a server its path and query.
    const bool proxied = proxy.type() == QNetworkProxy::HttpProxy;
    const QByteArray target = proxied
        ? url.adjusted(QUrl::RemoveUserInfo | QUrl::RemoveFragment).toEncoded()
        : url.adjusted(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment).toEncoded();
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port() != -1 && url.port() != 80)
        host += ':' + QByteArray::number(url.port());
    if (std::ranges::any_of(target + host, [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7f; }))
        return {};
    // The body is asked for as stored, never compressed, so that the size cap holds; one
    // request a connection, so that no answer is read on a connection another one left.
    QByteArray request = "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nUser-Agent: " + userAgent
        + "\r\nAccept-Encoding: identity\r\nConnection: close\r\n";
    // The proxy's credentials go along at once, as curl sends them; the only scheme offered is
    // Basic, so that no challenge makes the program reach for Kerberos or NTLM.
    if (proxied && !proxy.user().isEmpty())
        request
            += "Proxy-Authorization: Basic " + (proxy.user() + u':' + proxy.password()).toUtf8().toBase64() + "\r\n";
    return request + "\r\n";
}

// One request on a connection of its own: it watches the answer against the limits and hands a
// 200's body to the sink. Everything happens on the calling thread, in a local event loop.
class Exchange {
public:
    struct Outcome {
        bool complete = false;
        std::optional<QUrl> redirect;
    };

    // `start`: when the way to this server began to be sought, its proxy and name included.
    Exchange(const QUrl& url, const DownloadLimits& limits, const Clock& clock, const BodySink& sink, qint64 start)
        : url_(url), limits_(limits), clock_(clock), sink_(sink), start_(start)
    {
    }

    Outcome run(const QNetworkProxy& proxy, const QList<QHostAddress>& addresses, quint16 port)
    {
        const QByteArray request = requestFor(url_, proxy);
        if (request.isEmpty() || addresses.isEmpty())
            return {};
        QTcpSocket socket;
        socket_ = &socket;
        socket.setReadBufferSize(ReadPiece);
        QObject::connect(&socket, &QTcpSocket::connected, &loop_, [&] {
            sentAt_ = clock_.elapsed();
            samples_.push_back({*sentAt_, received_});
            socket.write(request);
        });
        QObject::connect(&socket, &QTcpSocket::readyRead, &loop_, [this] { read(); });
        QObject::connect(&socket, &QTcpSocket::disconnected, &loop_, [this] { ended(); });
        QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop_, [&, this](QAbstractSocket::SocketError error) {
            if (error == QAbstractSocket::RemoteHostClosedError)
                return ended();
            // Before the request went out, the name's next address may answer.
            if (!sentAt_ && ++next_ < addresses.size())
                return connectTo(proxy, addresses[next_], port);
            finish(false);
        });
        QTimer watchdog;
        watchdog.setInterval(WatchInterval);
        QObject::connect(&watchdog, &QTimer::timeout, &loop_, [this] { watch(); });
        watchdog.start();
        connectTo(proxy, addresses.front(), port);
        if (!done_)
            loop_.exec(QEventLoop::ExcludeUserInputEvents);
        socket.abort();
        // Ended by anything but the exchange (the program quitting, say): nothing is complete.
        if (!done_)
            return {};
        return {.complete = complete_, .redirect = complete_ ? std::nullopt : redirect_};
    }

private:
    void connectTo(const QNetworkProxy& proxy, const QHostAddress& address, quint16 port)
    {
        socket_->abort();
        if (proxy.type() == QNetworkProxy::Socks5Proxy) {
            // The proxy by the address looked up here; the server by its name, which the proxy
            // looks up.
            QNetworkProxy resolved = proxy;
            resolved.setHostName(address.toString());
            socket_->setProxy(resolved);
            socket_->connectToHost(url_.host(QUrl::FullyEncoded), static_cast<quint16>(url_.port(80)));
        } else {
            socket_->setProxy(QNetworkProxy::NoProxy);
            socket_->connectToHost(address, port);
        }
    }

    void read()
    {
        const HttpResponse::BodySink body
            = [this](std::string_view piece) { return headAccepted() && sink_(piece.data(), piece.size()); };
        char buffer[ReadPiece];
        while (!done_ && socket_->bytesAvailable() > 0) {
            const qint64 count = socket_->read(buffer, sizeof buffer);
            if (count <= 0)
                break;
            received_ += count;
            if (!response_.feed(std::string_view(buffer, static_cast<std::size_t>(count)), body))
                return finish(false);
            if (response_.headRead() && !headAccepted())
                return finish(false);
            if (response_.state() == HttpResponse::State::Complete)
                return finish(true);
        }
    }

    void ended()
    {
        if (done_)
            return;
        read();
        if (!done_)
            finish(response_.closed() && headAccepted());
    }

    // Only a 200's body is wanted, and no larger than the cap; a redirect's target is taken.
    bool headAccepted()
    {
        if (!verdict_) {
            const int status = response_.status();
            if (isRedirect(status)) {
                if (const auto location = response_.header("location"); location && !location->empty()) {
                    const QUrl target = QUrl::fromEncoded(
                        QByteArray(location->data(), static_cast<qsizetype>(location->size())), QUrl::StrictMode);
                    if (target.isValid())
                        redirect_ = url_.resolved(target);
                }
            }
            const auto declared = response_.contentLength();
            verdict_ = status == 200 && (!declared || *declared <= limits_.maxBytes);
        }
        return *verdict_;
    }

    void finish(bool complete)
    {
        if (done_)
            return;
        done_ = true;
        complete_ = complete;
        loop_.quit();
    }

    void watch()
    {
        const qint64 now = clock_.elapsed();
        if (clock_.left() <= 0 || (!sentAt_ && now - start_ >= limits_.connectTimeoutMs))
            return finish(false);
        if (!sentAt_)
            return;
        if (!firstByteAt_ && received_ > 0)
            firstByteAt_ = now;
        // Given a grace, the answer must begin within it, and the floor counts from its beginning.
        if (limits_.answerGraceMs > 0 && !firstByteAt_) {
            if (now - *sentAt_ >= limits_.answerGraceMs)
                finish(false);
            return;
        }
        const qint64 origin = limits_.answerGraceMs > 0 ? *firstByteAt_ : *sentAt_;
        samples_.push_back({now, received_});
        // The oldest sample kept is the last one at or before the start of the window.
        while (samples_.size() > 1 && samples_[1].first <= now - limits_.floorWindowMs)
            samples_.pop_front();
        // The samples begin with the request, never after the origin: the front is the window's start.
        const qint64 then = samples_.front().second;
        if (now - origin >= limits_.floorWindowMs && received_ - then < limits_.floorBytes)
            finish(false);
    }

    const QUrl url_;
    const DownloadLimits& limits_;
    const Clock& clock_;
    const BodySink& sink_;
    const qint64 start_;
    QEventLoop loop_;
    QTcpSocket* socket_ = nullptr;
    qsizetype next_ = 0;
    HttpResponse response_;
    std::optional<bool> verdict_;
    std::optional<QUrl> redirect_;
    std::optional<qint64> sentAt_;
    std::optional<qint64> firstByteAt_;
    qint64 received_ = 0;
    bool done_ = false;
    bool complete_ = false;
    std::deque<std::pair<qint64, qint64>> samples_;
};

} // namespace

bool transfer(const std::string& address, const DownloadLimits& limits, const BodySink& sink)
{
    // The sockets and the waits need the application object's event dispatcher.
    if (!QCoreApplication::instance())
        return false;
    const Clock clock(limits);
    QUrl url(QString::fromStdString(address), QUrl::StrictMode);
    for (long redirects = 0;; ++redirects) {
        if (!isHttpAddress(url))
            return false;
        // Finding the system's proxy may mean discovering a configuration script on the network,
        // and looking up a name may meet a silent resolver: both run off this thread, within the
        // connection limit and what is left of the transfer's time.
        const qint64 start = clock.elapsed();
        const auto connectLeft
            = [&] { return std::min<qint64>(limits.connectTimeoutMs - (clock.elapsed() - start), clock.left()); };
        const std::optional<QNetworkProxy> proxy
            = offThread<std::optional<QNetworkProxy>>([url] { return systemProxyFor(url); }, connectLeft())
                  .value_or(std::nullopt);
        if (!proxy
            || (proxy->type() != QNetworkProxy::NoProxy && proxy->type() != QNetworkProxy::HttpProxy
                && proxy->type() != QNetworkProxy::Socks5Proxy))
            return false;
        const bool direct = proxy->type() == QNetworkProxy::NoProxy;
        const QString host = direct ? url.host(QUrl::FullyEncoded) : proxy->hostName();
        const auto addresses = offThread<QList<QHostAddress>>([host] { return lookUpHost(host); }, connectLeft());
        if (!addresses)
            return false;
        const auto port = static_cast<quint16>(direct ? url.port(80) : proxy->port());
        Exchange exchange(url, limits, clock, sink, start);
        const Exchange::Outcome outcome = exchange.run(*proxy, *addresses, port);
        if (!outcome.redirect)
            return outcome.complete;
        if (redirects == limits.maxRedirects)
            return false;
        url = *outcome.redirect;
    }
}

} // namespace Module1
