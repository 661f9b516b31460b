#pragma once
// A port the user may not open, whoever runs the tests. Root may open any
// device, so as root this process becomes the user nobody while the object
// lives, keeping only the right to come back (a program it starts
// meanwhile is nobody through and through, as Qt insists), and a
// pseudo-terminal made by root is closed to nobody; anyone else loses the
// permissions of the port's device instead.

#include <QFile>
#include <QString>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class ForbiddenPort {
public:
    explicit ForbiddenPort(const QString& devicePath) : path_(QFile::encodeName(devicePath))
    {
        if (::geteuid() != 0) {
            struct stat device {};
            ready_ = ::stat(path_.constData(), &device) == 0 && ::chmod(path_.constData(), 0) == 0;
            mode_ = device.st_mode & 07777;
            return;
        }
        const passwd* nobody = ::getpwnam("nobody");
        const group* nogroup = ::getgrnam("nogroup");
        if (!nobody || !nogroup || ::setresgid(nogroup->gr_gid, nogroup->gr_gid, 0) != 0)
            return;
        if (::setresuid(nobody->pw_uid, nobody->pw_uid, 0) != 0) {
            [[maybe_unused]] const int group = ::setresgid(0, 0, 0);
            return;
        }
        actingAsNobody_ = ready_ = true;
    }
    ~ForbiddenPort()
    {
        if (actingAsNobody_) {
            [[maybe_unused]] const int user = ::setresuid(0, 0, 0);
            [[maybe_unused]] const int group = ::setresgid(0, 0, 0);
        } else if (ready_) {
            ::chmod(path_.constData(), mode_);
        }
    }
    ForbiddenPort(const ForbiddenPort&) = delete;
    ForbiddenPort& operator=(const ForbiddenPort&) = delete;

    // False where the system would not let the test take the rights away.
    bool Ready() const { return ready_; }

private:
    QByteArray path_;
    mode_t mode_ = 0;
    bool ready_ = false;
    bool actingAsNobody_ = false;
};
