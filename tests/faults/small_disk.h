#pragma once
// A filesystem of a test's own, small enough to fill up: a tmpfs mounted in
// a mount namespace of the test process alone, so nothing else on the
// machine sees it and it goes with the process, even one that crashes.
// Mounting takes root (CAP_SYS_ADMIN); where it is refused, Failure() says
// why and the tests that need the disk skip.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

class SmallDisk {
public:
    static constexpr const char* Options = "size=256k,mode=0755";

    SmallDisk() : root_(base_.filePath(QStringLiteral("disk")))
    {
        failure_ = PrivateMountsFailure();
        if (!failure_.isEmpty())
            return;
        if (!QDir().mkpath(root_)) {
            failure_ = QStringLiteral("no folder for the mount point");
            return;
        }
        if (mount("tmpfs", Native(root_).constData(), "tmpfs", MS_NOSUID, Options) != 0) {
            failure_ = QStringLiteral("mount -t tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        mounted_ = true;
        if (!QDir().mkpath(WorkFolder()))
            failure_ = QStringLiteral("no work folder on the mounted disk");
    }
    ~SmallDisk()
    {
        if (mounted_)
            umount2(Native(root_).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty once mounted; else why the disk could not be had.
    const QString& Failure() const { return failure_; }
    QString SkipText() const
    {
        return QStringLiteral("No small filesystem to fill here (%1); run as root to test a full disk.").arg(failure_);
    }

    // The folder the files under test live in; fillers stay outside it.
    QString WorkFolder() const { return root_ + QStringLiteral("/work"); }
    QString Path(const QString& name) const { return WorkFolder() + '/' + name; }
    QStringList Files() const { return QDir(WorkFolder()).entryList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name); }

    qint64 Block() const { return Stat().f_frsize; }
    qint64 Free() const
    {
        const struct statvfs stat = Stat();
        return qint64(stat.f_bavail) * qint64(stat.f_frsize);
    }
    // Whole blocks taking these bytes.
    qint64 Blocks(qint64 bytes) const { return (bytes + Block() - 1) / Block(); }

    // Fills the disk until `bytes` (whole blocks) are left; false when it
    // cannot.
    bool LeaveFree(qint64 bytes)
    {
        const qint64 fill = Free() - bytes;
        if (fill < 0 || bytes % Block() != 0)
            return false;
        QFile filler(root_ + QStringLiteral("/filler-%1").arg(fillers_++));
        if (!filler.open(QIODevice::WriteOnly))
            return false;
        const QByteArray block(Block(), 'f');
        for (qint64 left = fill; left > 0; left -= block.size())
            if (filler.write(block.constData(), qMin(left, qint64(block.size()))) < 0)
                return false;
        return filler.flush() && Free() == bytes;
    }
    bool MakeReadOnly() { return Remount(MS_RDONLY); }
    // The fault taken away: the fillers removed, the folder writable again.
    bool Relieve()
    {
        if (!Remount(0))
            return false;
        for (int n = 0; n < fillers_; ++n)
            QFile::remove(root_ + QStringLiteral("/filler-%1").arg(n));
        return true;
    }

private:
    // Once per process: mounts made from then on stay in this process's own
    // namespace, never propagated to the machine's. Empty when done.
    static QString PrivateMountsFailure()
    {
        static const QString failure = [] {
            if (unshare(CLONE_NEWNS) != 0)
                return QStringLiteral("unshare(CLONE_NEWNS): ") + QString::fromLocal8Bit(std::strerror(errno));
            if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return QStringLiteral("mount --make-rprivate /: ") + QString::fromLocal8Bit(std::strerror(errno));
            return QString();
        }();
        return failure;
    }
    static QByteArray Native(const QString& path) { return QFile::encodeName(path); }
    bool Remount(unsigned long flags) const
    {
        return mount(nullptr, Native(root_).constData(), nullptr, MS_REMOUNT | MS_NOSUID | flags, Options) == 0;
    }
    struct statvfs Stat() const
    {
        struct statvfs stat {};
        statvfs(Native(root_).constData(), &stat);
        return stat;
    }

    QTemporaryDir base_;
    QString root_;
    bool mounted_ = false;
    QString failure_;
    int fillers_ = 0;
};
