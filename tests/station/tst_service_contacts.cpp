// The service desk's contacts file as a plant writes it, and what the
// station refuses to take from it.

#include "workstation/service_contacts.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(ServiceContacts)

namespace {

const QByteArray FullFile = "# Service desk\n"
                            "web=https://service.plant.example\n"
                            "email=service@plant.example\n"
                            "phone1=+7 (812) 555-01-01\n"
                            "phone2=+7 (812) 555-01-02\n";
const ServiceContacts FullContacts{"https://service.plant.example", "service@plant.example", "+7 (812) 555-01-01",
                                   "+7 (812) 555-01-02"};

// A file of exactly the given size: the full file padded by a comment.
QByteArray FileOfSize(qint64 size)
{
    return FullFile + '#' + QByteArray(size - FullFile.size() - 1, 'x');
}

} // namespace

class TestServiceContacts : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<ServiceContacts>("contacts");
        QTest::newRow("empty") << QByteArray() << ServiceContacts{};
        QTest::newRow("full") << FullFile << FullContacts;
        QTest::newRow("Notepad: byte order mark, CR LF")
            << QByteArray("\xEF\xBB\xBFweb=a.example\r\nphone1=1\r\n") << ServiceContacts{"a.example", {}, "1", {}};
        QTest::newRow("partial") << QByteArray("phone2=02\n") << ServiceContacts{{}, {}, {}, "02"};
        QTest::newRow("keys in any case, blanks around")
            << QByteArray("  Web = a.example \n\tEMAIL=\tx@a.example\n")
            << ServiceContacts{"a.example", "x@a.example", {}, {}};
        QTest::newRow("'=' in the value") << QByteArray("web=https://a.example/?desk=1\n")
                                          << ServiceContacts{"https://a.example/?desk=1", {}, {}, {}};
        QTest::newRow("a key twice: the last")
            << QByteArray("phone1=1\nphone1=2\n") << ServiceContacts{{}, {}, "2", {}};
        QTest::newRow("junk lines around a good one")
            << QByteArray("garbage\n=\nweb\nfax=3\n;email=x@a.example\n\x01\x02\xff\nphone1=1\n[General]\n")
            << ServiceContacts{{}, {}, "1", {}};
        QTest::newRow("control character in a value") << QByteArray("phone1=1\x07\n") << ServiceContacts{};
        QTest::newRow("line at the length limit")
            << "phone1=" + QByteArray(ServiceContactsFile::MaxLineLength - 7, '5')
            << ServiceContacts{{}, {}, QString(ServiceContactsFile::MaxLineLength - 7, u'5'), {}};
        QTest::newRow("line over the length limit")
            << "phone1=" + QByteArray(ServiceContactsFile::MaxLineLength - 6, '5') << ServiceContacts{};
        QTest::newRow("UTF-8") << QString("phone1=8 (812) 555-01-01 доб. 5").toUtf8()
                               << ServiceContacts{{}, {}, "8 (812) 555-01-01 доб. 5", {}};
        QTest::newRow("Windows-1251")
            << QByteArray(QStringEncoder("windows-1251")(QString("phone1=8 (812) 555-01-01 доб. 5")))
            << ServiceContacts{{}, {}, "8 (812) 555-01-01 доб. 5", {}};
    }
    void parse()
    {
        QFETCH(QByteArray, text);
        QFETCH(ServiceContacts, contacts);
        const ServiceContacts parsed = ServiceContactsFile::Parse(text);
        QCOMPARE(parsed.web, contacts.web);
        QCOMPARE(parsed.email, contacts.email);
        QCOMPARE(parsed.phone1, contacts.phone1);
        QCOMPARE(parsed.phone2, contacts.phone2);
    }

    void read_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("isFolder");
        QTest::addColumn<ServiceContacts>("contacts");
        QTest::newRow("no file") << QByteArray() << false << ServiceContacts{};
        QTest::newRow("file") << FullFile << false << FullContacts;
        QTest::newRow("at the size limit") << FileOfSize(ServiceContactsFile::MaxFileSize) << false << FullContacts;
        QTest::newRow("over the size limit") << FileOfSize(ServiceContactsFile::MaxFileSize + 1) << false
                                             << ServiceContacts{};
        QTest::newRow("a folder of that name") << QByteArray() << true << ServiceContacts{};
    }
    void read()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, isFolder);
        QFETCH(ServiceContacts, contacts);
        QTemporaryDir dir;
        const QString path = dir.filePath(ServiceContactsFile::FileName);
        if (isFolder) {
            QVERIFY(QDir(dir.path()).mkdir(ServiceContactsFile::FileName));
        } else if (!text.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(text), text.size());
        }
        QVERIFY(ServiceContactsFile::Read(QDir(dir.path())) == contacts);
    }
};

QTEST_APPLESS_MAIN(TestServiceContacts)
#include "tst_service_contacts.moc"
