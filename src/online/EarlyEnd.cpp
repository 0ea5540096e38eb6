#include "online/EarlyEnd.h"

#include "online/LocalFiles.h"

#include <cstdlib>

#ifndef _WIN32
#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#endif

namespace Module1 {
namespace {

#ifndef _WIN32
// The signal handler only writes the signal's number here; the rest runs on the user-interface
// thread, where the files may be touched.
int wakeUp[2] = {-1, -1};

void noteSignal(int signal)
{
    const int saved = errno;
    const auto number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const auto written = ::write(wakeUp[1], &number, 1);
    errno = saved;
}

constexpr int EndingSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

void endAsTheSignalWould()
{
    unsigned char number = 0;
    if (::read(wakeUp[0], &number, 1) != 1)
        return;
    removeOwnFiles();
    ::signal(number, SIG_DFL);
    ::raise(number);
}

// Once the windows are gone nothing reads the pipe: the files go now, and a signal from here on
// ends the program at once instead of waiting for whatever its end still waits for.
void leaveSignalsTheirEffect()
{
    removeOwnFiles();
    for (const int signal : EndingSignals) {
        struct sigaction current { };
        if (::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == noteSignal)
            ::signal(signal, SIG_DFL);
    }
    endAsTheSignalWould();
}

void onSignal(int signal, void (*handler)(int))
{
    struct sigaction action { };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}

bool ignoredAtStart(int signal)
{
    struct sigaction current { };
    return ::sigaction(signal, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}
#endif

} // namespace

void removeDownloadsOnEarlyEnd()
{
    std::atexit(removeOwnFiles);
#ifndef _WIN32
    // Caught rather than ignored, so that the programs the desktop starts for a link get the
    // signal's usual effect back.
    onSignal(SIGXFSZ, [](int) {});
    if (::pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, endAsTheSignalWould);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, notifier, leaveSignalsTheirEffect);
    for (const int signal : EndingSignals)
        if (!ignoredAtStart(signal))
            onSignal(signal, noteSignal);
#endif
}

} // namespace Module1
