#pragma once
// Stands in for the platform's handlers of the addresses the station opens
// (help file, web page, e-mail), keeping what was opened.

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

class OpenedUrls : public QObject {
    Q_OBJECT
public:
    explicit OpenedUrls(const QStringList& schemes) : schemes_(schemes)
    {
        for (const QString& scheme : schemes_)
            QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~OpenedUrls() override
    {
        for (const QString& scheme : schemes_)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> urls;

public slots:
    void Open(const QUrl& url) { urls.append(url); }

private:
    QStringList schemes_;
};
