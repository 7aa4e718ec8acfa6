#include "platform/linux/termination_signals.h"

#include <csignal>
#include <fcntl.h>
#include <initializer_list>
#include <sys/socket.h>
#include <unistd.h>

namespace vonalor {

namespace {

int signalPipe[2] = {-1, -1};

void onTerminationSignal(int signal) {
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

} // namespace

bool TerminationSignals::install() {
    if (signalPipe[0] >= 0)
        return true;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return false;
    }
    // Read without waiting: a run in virtual time looks for a signal between its slices.
    ::fcntl(signalPipe[0], F_SETFL, ::fcntl(signalPipe[0], F_GETFL) | O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    return true;
}

int TerminationSignals::descriptor() {
    return signalPipe[0];
}

int TerminationSignals::take() {
    char byte = 0;
    if (signalPipe[0] < 0 || ::read(signalPipe[0], &byte, 1) != 1)
        return 0;
    return static_cast<unsigned char>(byte);
}

} // namespace vonalor
