#pragma once
// One SQL text on the database with its named, typed parameters: opened
// for its rows, or executed as a change. Parameters keep their values from
// one run to the next, as the station sets only the ones that change.

#include "db/database.h"

#include <QHash>
#include <QList>

class Query {
public:
    Query(Database& database, const QString& text);

    void SetInteger(const QString& name, int value);
    void SetText(const QString& name, const QString& value);
    void SetBoolean(const QString& name, bool value);
    void SetFloat(const QString& name, double value);
    void SetDateTime(const QString& name, const QDateTime& value);
    // Sent as NULL.
    void Clear(const QString& name);

    // Runs the text and keeps its rows; the first one is current.
    void Open();
    void Close();
    // Runs an INSERT, UPDATE or DELETE.
    void Execute();

    int RowCount() const { return int(rows_.size()); }
    bool Eof() const { return current_ >= rows_.size(); }
    void Next() { ++current_; }

    // The current row's field: as an integer a NULL or a missing row reads
    // 0, as a date-time an invalid one, as a variant a null value.
    QVariant Field(const QString& name) const;
    QVariant Field(int position) const;
    int Integer(const QString& name) const { return Field(name).toInt(); }
    int Integer(int position) const { return Field(position).toInt(); }
    QDateTime DateTime(int position) const;
    // A number the work cannot go on without: NULL, or no row, is thrown
    // as a DbError naming the field.
    int RequiredInteger(const QString& name) const;

private:
    void Run(bool keepRows);

    Database& database_;
    QString text_;
    QHash<QString, QVariant> parameters_;
    QList<QSqlRecord> rows_;
    qsizetype current_ = 0;
};
