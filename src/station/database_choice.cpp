#include "station/database_choice.h"

#include "db/database.h"

#include <QFileInfo>

ProductionLine::DatabaseOpener DatabaseFor(const QString& sqliteFile, const QString& dataSource)
{
    if (sqliteFile.isEmpty()) {
        const QString name = dataSource.isEmpty() ? QString::fromLatin1(Database::ConnectionName) : dataSource;
        return [name] { return Database::OpenOdbc(name); };
    }
    return [sqliteFile] {
        // SQLite would make an empty database of a mistyped name, and the
        // station would then report missing tables instead of the file.
        if (!QFileInfo(sqliteFile).isFile())
            throw DbError(QStringLiteral("Файл базы данных %1 не найден.").arg(sqliteFile));
        return Database::OpenSqlite(sqliteFile);
    };
}
