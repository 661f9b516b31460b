#pragma once
// A fixed name for the pseudo-terminal's slave, whose own name changes from
// run to run; gone again when the simulator ends.

#include <QString>

class SlaveLink {
public:
    // Replaces a stale symlink of that name; throws std::runtime_error when
    // the link cannot be made.
    SlaveLink(const QString& link, const QString& target);
    ~SlaveLink();
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

private:
    QString link_;
};
