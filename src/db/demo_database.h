#pragma once
// A production database to try the line on without a server: the tables of
// the schema and a small data set that describes this workstation, its
// operator and plant, meters to program, and a route sheet waiting for the
// programming station.

#include <QString>

// Writes it into a new SQLite file for the given computer and login. An
// existing file is never overwritten; that, and every failure, is thrown
// as a DbError.
void WriteDemoDatabase(const QString& path, const QString& computerName, const QString& login);
