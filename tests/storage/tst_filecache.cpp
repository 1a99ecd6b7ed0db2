#include "TestHome.h"
#include "platform/BackupExclusion.h"
#include "storage/VELFileCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryFile>
#include <QTest>

#include <sys/stat.h>

class tst_FileCache : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void firstSaveMakesThePrivateDirectory();
    void emptyIsNotMissing();
    void saveReplacesTheFileWhole();
    void readsTheEncodingItFinds();
    void imagePathFlattensHostAndPath_data();
    void imagePathFlattensHostAndPath();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_FileCache::firstSaveMakesThePrivateDirectory()
{
    const QString directory = VELFileCache::xmlFilesPath();
    QVERIFY(directory.endsWith("/Library/Private Documents/"));
    QVERIFY(!QFileInfo::exists(directory));
    QVERIFY(VELFileCache::saveHotEventsFileStr(R"({"events":[]})"));
    QVERIFY(QFileInfo(directory).isDir());
    QCOMPARE(QFileInfo(directory).permissions() & (QFile::ReadOther | QFile::ReadGroup),
             QFile::Permissions());
    // The backup mark, where the file system takes user attributes.
    QTemporaryFile probe(m_home->path() + "/probeXXXXXX");
    QVERIFY(probe.open());
    if (BackupExclusion::exclude(probe.fileName()))
        QVERIFY(BackupExclusion::isExcluded(directory));
    QCOMPARE(VELFileCache::hotEventsFileStr(), R"({"events":[]})");
}

void tst_FileCache::emptyIsNotMissing()
{
    QVERIFY(VELFileCache::myProfileFileStr().isNull());
    QVERIFY(VELFileCache::saveMyProfileFileStr(QString()));
    const QString empty = VELFileCache::myProfileFileStr();
    QVERIFY(!empty.isNull());
    QVERIFY(empty.isEmpty());
    QVERIFY(VELFileCache::myWishEventsFileStr().isNull());
}

void tst_FileCache::saveReplacesTheFileWhole()
{
    QVERIFY(VELFileCache::saveMyTicketsFileStr(QString(5000, QLatin1Char('a'))));
    const QString path = VELFileCache::filePathWithSubPath("myTickets.json");
    struct stat before {};
    QCOMPARE(stat(QFile::encodeName(path).constData(), &before), 0);

    QVERIFY(VELFileCache::saveMyTicketsFileStr(QStringLiteral("短")));
    struct stat after {};
    QCOMPARE(stat(QFile::encodeName(path).constData(), &after), 0);
    // A new file renamed over the old one, never the old one rewritten in place, so a crash
    // leaves one whole snapshot or the other.
    QVERIFY(before.st_ino != after.st_ino);
    QCOMPARE(VELFileCache::myTicketsFileStr(), QStringLiteral("短"));
    QCOMPARE(QDir(VELFileCache::xmlFilesPath()).entryList(QDir::Files), QStringList { "myTickets.json" });
}

void tst_FileCache::readsTheEncodingItFinds()
{
    const QString text = QStringLiteral("{\"name\":\"北京\"}");
    QFile file(VELFileCache::filePathWithSubPath("cacheCity.json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    file.write(encoder.encode(text));
    file.close();
    QCOMPARE(VELFileCache::cacheCityFileStr(), text);
}

void tst_FileCache::imagePathFlattensHostAndPath_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("name");
    QTest::newRow("poster") << "http://img.velari.com/a/b/p1.jpg" << "img.velari.com-a-b-p1.jpg";
    QTest::newRow("query dropped") << "http://127.0.0.1:8080/icon/u1-1.jpg?apikey=x"
                                   << "127.0.0.1-icon-u1-1.jpg";
}

void tst_FileCache::imagePathFlattensHostAndPath()
{
    QFETCH(QString, url);
    QFETCH(QString, name);
    const QString path = VELFileCache::imagePath(url);
    QCOMPARE(path, VELFileCache::imageFilesPath() + name);
    QVERIFY(QFileInfo(VELFileCache::imageFilesPath()).isDir());
    QVERIFY(!VELFileCache::fileExist(url));
}

QTEST_GUILESS_MAIN(tst_FileCache)
#include "tst_filecache.moc"
