#include "workstation/workstation_identity.h"

#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

QString ComputerName()
{
    return QSysInfo::machineHostName();
}

QString LoginName()
{
#ifdef Q_OS_WIN
    wchar_t name[256 + 1];
    DWORD size = DWORD(std::size(name));
    return GetUserNameW(name, &size) ? QString::fromWCharArray(name) : QString();
#else
    // The account the process runs as; USER can be unset (services, cron)
    // or stale (su).
    if (const passwd* account = getpwuid(geteuid()))
        return QString::fromLocal8Bit(account->pw_name);
    return qEnvironmentVariable("USER");
#endif
}
