#pragma once
// Where the station's users reach us; shown by the about box.

#include <QString>

namespace AboutContacts {

inline const QString Web = QStringLiteral("https://vm742.example.org");
inline const QString Email = QStringLiteral("support@vm742.example.org");
inline const QString Phone1 = QStringLiteral("+7 (000) 000-00-00");
inline const QString Phone2 = QStringLiteral("+7 (000) 000-00-01");

} // namespace AboutContacts
