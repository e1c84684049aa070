#include "app/end_signals.h"
#include <QCoreApplication>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t writeEnd = -1;

} // namespace

TEndSignals::TEndSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets_) != 0)
        return;
    ::fcntl(sockets_[0], F_SETFL, O_NONBLOCK);
    ::fcntl(sockets_[1], F_SETFL, O_NONBLOCK);
    writeEnd = sockets_[0];
    notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Received(); });
    struct sigaction action {};
    action.sa_handler = Handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t k = 0; k < std::size(Signals); ++k)
        ::sigaction(Signals[k], &action, &previous_[k]);
}

TEndSignals::~TEndSignals()
{
    if (!notifier_)
        return;
    for (std::size_t k = 0; k < std::size(Signals); ++k)
        ::sigaction(Signals[k], &previous_[k], nullptr);
    writeEnd = -1;
    notifier_.reset();
    ::close(sockets_[0]);
    ::close(sockets_[1]);
}

void TEndSignals::Handle(int)
{
    const int saved = errno;
    const char byte = 1;
    if (writeEnd >= 0) {
        const ssize_t written = ::write(writeEnd, &byte, 1);
        static_cast<void>(written);   // a full socket already holds a request
    }
    errno = saved;
}

void TEndSignals::Received()
{
    char bytes[16];
    while (::read(sockets_[1], bytes, sizeof bytes) > 0) {
    }
    requested_ = true;
    // Exiting every running loop, not quitting the main one: the signal may
    // come while a box or a modal window waits, or before the main loop runs
    // (an error box at start-up), and loops opened after it return at once
    // until the main loop has ended.
    QCoreApplication::exit(EXIT_SUCCESS);
}
