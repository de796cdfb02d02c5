#include "SignalExit.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zeror {

namespace {

int g_pipe[2] = {-1, -1};

// Async-signal-safe: one byte into the pipe, nothing else.
void onSignalReceived(int signal)
{
    const unsigned char byte = static_cast<unsigned char>(signal);
    const int saved = errno;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

} // namespace

void installCleanExitOnSignals(std::function<void(int signal)> onSignal)
{
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, onSignal = std::move(onSignal)] {
        unsigned char byte = 0;
        int signal = 0;
        while (::read(g_pipe[0], &byte, 1) == 1)
            signal = byte;
        if (signal == 0)
            return;
        notifier->setEnabled(false); // a second signal while ending changes nothing
        onSignal(signal);
    });
    struct sigaction action = {};
    action.sa_handler = onSignalReceived;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

} // namespace zeror
