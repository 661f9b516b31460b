#pragma once
// What the exit code of vm742-cli says, whatever the command: a script
// tells a meter that failed from a command line it got wrong, and both
// from a record the database would not take.

namespace Exit {

enum Code : int {
    Done = 0,
    // The meter refused a request or stopped answering, its port would not
    // open or went away, or a file to read or write failed.
    Failed = 1,
    // The command line is unusable, or asks for what the station or this
    // meter rules out: nothing of it was written.
    Refused = 2,
    // The meter was read or written, but the production database did not
    // record it.
    NotRecorded = 3,
};

} // namespace Exit
