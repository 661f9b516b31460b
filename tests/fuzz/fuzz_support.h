#pragma once
// What the fuzz targets share besides their input. libFuzzer runs every
// input in the same process, so whatever lasts across inputs (the one
// QCoreApplication, the folder for scratch files) is made by the first
// input that needs it and kept until the process ends.

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <cstdlib>

inline void EnsureCoreApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static const QCoreApplication* const application = new QCoreApplication(argc, argv);
    Q_UNUSED(application);
}

// A file of that name in the process's own scratch folder.
inline QString ScratchPath(const QString& name)
{
    static const QTemporaryDir directory;
    return directory.filePath(name);
}

// A property that does not hold ends the run as a crash does, so libFuzzer
// keeps the input that broke it.
inline void Require(bool sound)
{
    if (!sound)
        std::abort();
}
