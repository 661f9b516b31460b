#pragma once
// What the about box shows under "Наши координаты": the service desk of the
// plant that installed the station, from the contacts file beside the
// program. Without a web address there the link opens the user guide, and
// without telephone numbers the lines stay empty: never an address or a
// number nobody answers at.

#include "workstation/service_contacts.h"
#include "window/common/help_file.h"

#include <QFileInfo>
#include <QUrl>

struct AboutContacts {
    ServiceContacts desk;
    // The web link: what it shows, what a click opens and the whole of it
    // for its tooltip.
    QString webText;
    QUrl webUrl;
    QString webTip;
};

inline AboutContacts ChooseAboutContacts(const QDir& startDir, const QDir& programDir)
{
    AboutContacts contacts{ServiceContactsFile::Read(programDir), {}, {}, {}};
    if (!contacts.desk.web.isEmpty()) {
        contacts.webText = contacts.desk.web;
        contacts.webTip = contacts.desk.web;
        // Plants write "www.plant.ru" as often as a whole address.
        contacts.webUrl = QUrl::fromUserInput(contacts.desk.web);
        return contacts;
    }
    // The guide's full path would not fit the box: its name, the path aside.
    const QString guide = HelpFilePath(startDir, programDir, PlatformHasCompiledHelpViewer());
    contacts.webText = QFileInfo(guide).fileName();
    contacts.webUrl = QUrl::fromLocalFile(guide);
    contacts.webTip = QDir::toNativeSeparators(guide);
    return contacts;
}
