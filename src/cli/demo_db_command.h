#pragma once

class QString;

// Writes the demo production database for this workstation and login into
// a new SQLite file. Exit code 0 when written; 1, with the reason on
// stderr, when the file exists already or cannot be written.
int RunDemoDb(const QString& path);
