#include "cli/demo_db_command.h"

#include "cli/exit_code.h"
#include "db/database.h"
#include "db/demo_database.h"
#include "workstation/workstation_identity.h"

#include <QTextStream>

int RunDemoDb(const QString& path)
{
    try {
        WriteDemoDatabase(path, ComputerName(), LoginName());
    } catch (const DbError& error) {
        QTextStream(stderr) << error.Message() << Qt::endl;
        return Exit::Failed;
    }
    QTextStream(stdout) << "Demo database written to " << path << " for the computer \"" << ComputerName()
                        << "\" and the login \"" << LoginName() << "\"." << Qt::endl;
    return Exit::Done;
}
