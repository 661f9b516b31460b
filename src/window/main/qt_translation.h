#pragma once
// Qt's own texts (the buttons of every question, the file, colour and print
// dialogs, the calendar's tool tips) in Russian, like the station's own, on
// any workstation: the operator reads one language throughout.

class QCoreApplication;

// Loads Qt's Russian catalogue from Qt's translations folder into the
// application; false when it is not installed (Qt then speaks English).
bool InstallQtTranslation(QCoreApplication& application);
