#include "sim/scanner_pty.h"

#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';

} // namespace

ScannerPty::ScannerPty(int inputFd, QObject* parent)
    : QObject(parent),
      inputFd_(inputFd),
      input_(inputFd, QSocketNotifier::Read),
      station_(terminal_.Master(), QSocketNotifier::Read)
{
    connect(&input_, &QSocketNotifier::activated, this, &ScannerPty::ReadInput);
    connect(&station_, &QSocketNotifier::activated, this, &ScannerPty::DiscardStationBytes);
}

// A line typed on a terminal or piped from a Windows file may end in CR LF;
// the code still goes out with one carriage return.
void ScannerPty::ReadInput()
{
    char buffer[256];
    const ssize_t count = ::read(inputFd_, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR)
        return;
    if (count <= 0) {
        // The input has ended: the scanner falls silent, the meter serves on.
        if (count < 0)
            std::perror("read scanner input");
        input_.setEnabled(false);
        return;
    }
    partialLine_.append(buffer, count);
    qsizetype end;
    while ((end = partialLine_.indexOf(LineFeed)) >= 0) {
        QByteArray code = partialLine_.left(end);
        partialLine_.remove(0, end + 1);
        if (code.endsWith(CarriageReturn))
            code.chop(1);
        terminal_.Write(code + CarriageReturn);
    }
}

void ScannerPty::DiscardStationBytes()
{
    char buffer[64];
    if (::read(terminal_.Master(), buffer, sizeof buffer) < 0 && errno != EINTR) {
        std::perror("read from the scanner's pseudo-terminal");
        station_.setEnabled(false);
    }
}
