#pragma once
// How the plant's service desk is reached: the web address, e-mail and two
// telephone numbers the about box shows. The plant that installs the
// station puts them in a small text file beside the program, "contacts.txt":
//
//     # Service desk of the plant
//     web=https://service.plant.example
//     email=service@plant.example
//     phone1=+7 (812) 555-01-01
//     phone2=+7 (812) 555-01-02
//
// One "key=value" a line, in UTF-8 (Windows-1251, as older Notepad saves
// it, is read too). Keys are any case; blanks around keys and values go.
// Blank lines, comments ('#' or ';' first), lines without '=', unknown
// keys, lines with control characters and lines longer than MaxLineLength
// characters are skipped; a key given twice keeps its last value. A file
// larger than MaxFileSize bytes is not read at all: no contacts are better
// than a part of some other file.

#include <QByteArray>
#include <QDir>
#include <QString>

struct ServiceContacts {
    QString web;
    QString email;
    QString phone1;
    QString phone2;

    bool operator==(const ServiceContacts&) const = default;
};

namespace ServiceContactsFile {

inline constexpr const char* FileName = "contacts.txt";
inline constexpr qint64 MaxFileSize = 4096;
inline constexpr qsizetype MaxLineLength = 200;

ServiceContacts Parse(const QByteArray& text);
// The file in the given folder; no file, one that cannot be read or one too
// large gives no contacts.
ServiceContacts Read(const QDir& dir);

} // namespace ServiceContactsFile
