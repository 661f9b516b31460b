#include "sim/termination_signals.h"

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

int OpenTerminationSignals()
{
    sigset_t terminating;
    sigemptyset(&terminating);
    sigaddset(&terminating, SIGTERM);
    sigaddset(&terminating, SIGINT);
    if (pthread_sigmask(SIG_BLOCK, &terminating, nullptr) != 0)
        return -1;
    return signalfd(-1, &terminating, SFD_CLOEXEC);
}

void AcknowledgeTerminationSignal(int fd)
{
    signalfd_siginfo info;
    [[maybe_unused]] const ssize_t ignored = ::read(fd, &info, sizeof info);
}
