#include "sim/pty_reader.h"

#include <cerrno>
#include <cstdio>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

PtyReader::PtyReader(const PseudoTerminal& terminal, Sink sink)
    : terminal_(terminal), sink_(std::move(sink))
{
    int wake[2];
    if (pipe(wake) != 0)
        throw std::runtime_error("pipe failed");
    wakeRead_ = wake[0];
    wakeWrite_ = wake[1];
    thread_ = std::thread(&PtyReader::Run, this);
}

PtyReader::~PtyReader()
{
    const char stop = 0;
    while (::write(wakeWrite_, &stop, 1) < 0 && errno == EINTR) {
    }
    thread_.join();
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

void PtyReader::Run()
{
    pollfd watched[2] = {{terminal_.Master(), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    char buffer[256];
    for (;;) {
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            std::perror("poll");
            return;
        }
        if (watched[1].revents)
            return;
        const ssize_t count = ::read(terminal_.Master(), buffer, sizeof buffer);
        if (count > 0) {
            const Parity parity = terminal_.SlaveParity();
            sink_(QByteArray(buffer, count), parity);
        } else if (count == 0 || errno != EINTR) {
            std::perror("read from the pseudo-terminal");
            return;
        }
    }
}
