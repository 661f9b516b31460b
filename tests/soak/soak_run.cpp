#include "soak_run.h"

#include "box_closer.h"
#include "core_rig.h"
#include "operation_runner.h"
#include "resident_memory.h"
#include "window_rig.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <stdexcept>

namespace {

// Nine slices a run, each long enough for a few operations.
constexpr int Slices = 9;
constexpr qint64 ShortestSliceMs = 5000;
constexpr qint64 LongestSliceMs = 40000;
constexpr qint64 ProgressEveryMs = 30000;

QString Folder(const QTemporaryDir& root, const QString& name)
{
    QDir(root.path()).mkpath(name);
    return QDir(root.path()).filePath(name);
}

} // namespace

SoakRun::SoakRun(int seconds, quint32 seed, bool verbose)
    : seconds_(seconds), seed_(seed), verbose_(verbose)
{
}

void SoakRun::Exec(SoakTally& tally)
{
    QTemporaryDir root;
    if (!root.isValid())
        throw std::runtime_error("no temporary folder");
    // Separate streams, so the operations chosen do not depend on how many
    // faults or boxes came before them.
    RandomMix operations(seed_);
    RandomMix faults(seed_ ^ 0x5bd1e995u);
    RandomMix dialogs(seed_ ^ 0x27d4eb2fu);
    RandomMix boxes(seed_ ^ 0x165667b1u);

    BoxCloser closer(boxes);
    CoreRig engine(Folder(root, "engine"), false, dialogs, faults, tally);
    CoreRig line(Folder(root, "line"), true, dialogs, faults, tally);
    WindowRig window(Folder(root, "window"), faults, tally);
    const std::array<SoakRig*, 3> rigs{&engine, &line, &window};
    OperationRunner runner(operations, tally, verbose_);

    const qint64 runMs = qint64(seconds_) * 1000;
    const qint64 sliceMs = std::clamp(runMs / Slices, ShortestSliceMs, LongestSliceMs);
    QElapsedTimer clock;
    clock.start();
    qint64 warmKiB = -1;
    qint64 nextProgressMs = ProgressEveryMs;
    for (size_t turn = 0; clock.elapsed() < runMs; ++turn) {
        SoakRig& rig = *rigs[turn % rigs.size()];
        runner.Activate(rig);
        const qint64 sliceEnd = std::min(clock.elapsed() + sliceMs, runMs);
        while (clock.elapsed() < sliceEnd) {
            runner.Run(rig, runner.Choose(rig, runMs - clock.elapsed(), turn < rigs.size()));
            if (clock.elapsed() >= nextProgressMs) {
                tally.Note(QStringLiteral("%1 s, %2 operations, resident %3 KiB")
                               .arg(clock.elapsed() / 1000)
                               .arg(tally.operations)
                               .arg(ResidentKiB()));
                nextProgressMs += ProgressEveryMs;
            }
        }
        runner.Deactivate(rig);
        if (turn + 1 == rigs.size())
            warmKiB = ResidentKiB();
    }
    const qint64 endKiB = ResidentKiB();
    tally.Note(QStringLiteral("resident memory %1 KiB after the first turn of every station, %2 KiB at the end; "
                              "%3 message boxes closed in the window, %4 in the engines; %5 answers taken for "
                              "requests they did not answer")
                   .arg(warmKiB)
                   .arg(endKiB)
                   .arg(closer.Closed())
                   .arg(engine.MessagesShown() + line.MessagesShown())
                   .arg(tally.wrongAnswers));
    // A run too short for every station's first turn measures nothing.
    tally.memoryGrowthKiB = warmKiB < 0 || endKiB < 0 ? 0 : endKiB - warmKiB;
}
