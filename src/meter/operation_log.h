#pragma once
// The operation log: one text file (Windows-1251, CR LF) to which every
// acknowledged write appends an entry headed by the meter number as shown,
// then "[" date and time "] " and the entry text. Not written in SQL mode,
// where the production database records the operations instead.

#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

// An entry that could not be written, with the station's message (UTF-8):
// the folder or file unwritable, or the disk full.
class OperationLogError : public std::runtime_error {
public:
    explicit OperationLogError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

class OperationLog {
public:
    static constexpr const char* FileName = "Setting_Vm_742.log";

    // shownNumber gives the text of the row "Заводской номер" at the moment
    // an entry is made.
    OperationLog(QString path, std::function<QString()> shownNumber);

    void SetSqlMode(bool on) { sqlMode_ = on; }
    const QString& Path() const { return path_; }

    // AppendOperationLog: adds the one line at the end of the file; the
    // earlier entries are never rewritten. An entry that cannot be written
    // whole is taken back and thrown as an OperationLogError: the link's
    // acknowledgement handlers, which make the entries, hand it to the
    // station's general error display.
    void Append(const QString& text) const;
    // The entries of one meter, each without its six-character number, in
    // file order: what MemoDb shows for SpinFilter = number.
    QStringList Filter(qint64 number) const;

private:
    QString path_;
    std::function<QString()> shownNumber_;
    bool sqlMode_ = false;
};
