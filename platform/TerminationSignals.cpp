#include "TerminationSignals.h"

#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
// The pipe the handler writes to: a signal handler can reach nothing but globals.
int pipeEnds[2] = {-1, -1};

extern "C" void onTerminationSignal(int signal) {
    const unsigned char byte = static_cast<unsigned char>(signal);
    // Nothing else is safe here; a full pipe already holds a pending request to end.
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal)) {
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::perror("tarvo: no pipe for termination signals");
        return;
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::deliver);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
    for (int signal : kSignals)
        std::signal(signal, SIG_DFL);
    for (int& end : pipeEnds) {
        if (end >= 0)
            close(end);
        end = -1;
    }
}

void TerminationSignals::deliver() {
    unsigned char byte = 0;
    int signal = 0;
    while (read(pipeEnds[0], &byte, 1) == 1)
        signal = byte;
    if (signal != 0 && onSignal_)
        onSignal_(signal);
}

} // namespace platform
