#include "sim/pseudo_terminal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const char* call)
{
    throw std::runtime_error(std::string(call) + ": " + std::strerror(errno));
}

} // namespace

PseudoTerminal::PseudoTerminal()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0)
        Fail("posix_openpt");
    try {
        if (grantpt(master_) != 0)
            Fail("grantpt");
        if (unlockpt(master_) != 0)
            Fail("unlockpt");
        const char* name = ptsname(master_);
        if (!name)
            Fail("ptsname");
        slavePath_ = QString::fromLocal8Bit(name);
        slave_ = ::open(name, O_RDWR | O_NOCTTY);
        if (slave_ < 0)
            Fail("open slave");
        termios settings{};
        if (tcgetattr(slave_, &settings) != 0)
            Fail("tcgetattr");
        cfmakeraw(&settings);
        cfsetspeed(&settings, B4800);
        if (tcsetattr(slave_, TCSANOW, &settings) != 0)
            Fail("tcsetattr");
    } catch (...) {
        Release();
        throw;
    }
}

PseudoTerminal::~PseudoTerminal()
{
    Release();
}

void PseudoTerminal::Release()
{
    if (slave_ >= 0)
        ::close(slave_);
    if (master_ >= 0)
        ::close(master_);
    slave_ = master_ = -1;
}

Parity PseudoTerminal::SlaveParity() const
{
    termios settings{};
    if (tcgetattr(master_, &settings) != 0 || !(settings.c_cflag & CMSPAR))
        return Parity::None;
    return (settings.c_cflag & PARODD) ? Parity::Mark : Parity::Space;
}

void PseudoTerminal::Write(const QByteArray& bytes) const
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(master_, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0) {
            std::perror("write to the pseudo-terminal");
            return;
        }
        done += written;
    }
}
