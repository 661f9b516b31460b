#pragma once
// Who and where the station runs, as the production database names them:
// the computer's network name and the logged-on user's login, both whole.

#include <QString>

QString ComputerName();
QString LoginName();
