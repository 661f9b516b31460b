#include "db/query.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

// Texts as the engines give date-times back: SQL Server's through ODBC as
// a date-time already, SQLite's as text.
QDateTime AsDateTime(const QVariant& value)
{
    if (value.isNull())
        return {};
    if (value.canConvert<QDateTime>() && value.typeId() != QMetaType::QString)
        return value.toDateTime();
    const QString text = value.toString();
    for (const QString& format : {QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"), QStringLiteral("yyyy-MM-dd HH:mm:ss"),
             QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"), QStringLiteral("yyyy-MM-ddTHH:mm:ss")}) {
        const QDateTime parsed = QDateTime::fromString(text, format);
        if (parsed.isValid())
            return parsed;
    }
    return {};
}

} // namespace

Query::Query(Database& database, const QString& text) : database_(database), text_(text) {}

void Query::SetInteger(const QString& name, int value)
{
    parameters_.insert(name, value);
}

void Query::SetText(const QString& name, const QString& value)
{
    parameters_.insert(name, value);
}

void Query::SetBoolean(const QString& name, bool value)
{
    parameters_.insert(name, value);
}

void Query::SetFloat(const QString& name, double value)
{
    parameters_.insert(name, value);
}

void Query::SetDateTime(const QString& name, const QDateTime& value)
{
    parameters_.insert(name, value);
}

void Query::Clear(const QString& name)
{
    parameters_.insert(name, QVariant());
}

void Query::Open()
{
    Run(true);
}

void Query::Close()
{
    rows_.clear();
    current_ = 0;
}

void Query::Execute()
{
    Run(false);
}

void Query::Run(bool keepRows)
{
    Close();
    QSqlQuery query(database_.Connection());
    if (!query.prepare(text_))
        throw ErrorOf(query.lastError());
    for (auto parameter = parameters_.cbegin(); parameter != parameters_.cend(); ++parameter)
        query.bindValue(QLatin1Char(':') + parameter.key(), parameter.value());
    if (!query.exec())
        throw ErrorOf(query.lastError());
    while (keepRows && query.next())
        rows_ << query.record();
}

QVariant Query::Field(const QString& name) const
{
    return Eof() ? QVariant() : rows_[current_].value(name);
}

QVariant Query::Field(int position) const
{
    return Eof() ? QVariant() : rows_[current_].value(position);
}

QDateTime Query::DateTime(int position) const
{
    return AsDateTime(Field(position));
}

int Query::RequiredInteger(const QString& name) const
{
    const QVariant value = Field(name);
    if (value.isNull())
        throw DbError(QStringLiteral("Поле \"%1\" не содержит значения (NULL).").arg(name));
    return value.toInt();
}
