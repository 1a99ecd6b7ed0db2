#include "TestHome.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "platform/SharedInstances.h"
#include "storage/VELFileManager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

class tst_FileManager : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sharedStoresLiveInTheHome();
    void expiry_data();
    void expiry();
    void expiryOutlivesARestart();
    void nestedDirectoriesAreMade();
    void deletingADirectoryTakesItsContent();
    void fileNamesOfAWholeTree();
    void cleanGoesOnPastMissingFiles();
    void propertyListsReadByAnotherReader();
    void propertyListsRoundTrip();
    void asynchronousFormsCompleteOnTheMainThread();

private:
    VELFileManager &store() { return VELFileManager::shareOfflineFileInstance(); }
    std::unique_ptr<TestHome> m_home;
    QDateTime m_start;
};

void tst_FileManager::init()
{
    m_home = std::make_unique<TestHome>();
    m_start = QDateTime(QDate(2026, 12, 11), QTime(12, 0), Qt::UTC);
    Clock::setNow(m_start);
}

void tst_FileManager::cleanup()
{
    VELFileManager::waitForBackgroundWork();
    m_home.reset();
}

void tst_FileManager::sharedStoresLiveInTheHome()
{
    QCOMPARE(store().baseFilePath(), m_home->path() + "/Library/offline");
    QVERIFY(VELFileManager::shareCacheFileInstance().baseFilePath().endsWith("/Library/Caches"));
    QVERIFY(VELFileManager::shareTmpFileInstance().baseFilePath().endsWith("/tmp"));
    QCOMPARE(&store(), &VELFileManager::shareOfflineFileInstance());
    QVERIFY(QFileInfo(store().baseFilePath()).isDir());
}

void tst_FileManager::expiry_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("later");
    QTest::addColumn<bool>("readable");

    QTest::newRow("0 never expires") << 0.0 << 100 * 24 * 3600 << true;
    QTest::newRow("negative never expires") << -5.0 << 100 * 24 * 3600 << true;
    QTest::newRow("60 s, at 59 s") << 60.0 << 59 << true;
    QTest::newRow("60 s, at 61 s") << 60.0 << 61 << false;
}

void tst_FileManager::expiry()
{
    QFETCH(double, seconds);
    QFETCH(int, later);
    QFETCH(bool, readable);

    QVERIFY(store().writeString("广告", "ads/list.txt", seconds));
    Clock::setNow(m_start.addSecs(later));
    QCOMPARE(bool(store().readStringAtPath("ads/list.txt")), readable);
    QCOMPARE(store().fileExpiredAtFilePath("ads/list.txt"), !readable);
    QVERIFY(store().fileExistsAtFilePath("ads/list.txt")); // expired files stay until cleaned
    if (readable)
        QCOMPARE(*store().readStringAtPath("ads/list.txt"), "广告");
}

void tst_FileManager::expiryOutlivesARestart()
{
    QVERIFY(store().writeData("record", "records/a.dat", 3600));
    QVERIFY(store().writeData("keep", "records/b.dat"));
    // A new run: the stores are made again from the preferences.
    Preferences::standard().synchronize();
    SharedInstance<Preferences>::reset();
    VELFileManager::waitForBackgroundWork();
    VELFileManager fresh(store().baseFilePath());
    Clock::setNow(m_start.addSecs(3660));
    QVERIFY(!fresh.readDataAtPath("records/a.dat"));
    QCOMPARE(fresh.readDataAtPath("records/b.dat").value_or(QByteArray()), QByteArray("keep"));
    const QVariantMap tables = Preferences::standard().dictionary(VELFileManager::kExpireDatesKey);
    QVERIFY(tables.value(store().baseFilePath()).toMap().contains("records/a.dat"));
}

void tst_FileManager::nestedDirectoriesAreMade()
{
    QVERIFY(!store().parentDirectoriesExistAtPath("a/b/c.dat"));
    QVERIFY(store().writeData("x", "a/b/c.dat"));
    QVERIFY(QFileInfo(store().baseFilePath() + "/a/b").isDir());
    QCOMPARE(store().parseParentDirectoryAtPath("a/b/c.dat"), store().baseFilePath() + "/a/b");
}

void tst_FileManager::deletingADirectoryTakesItsContent()
{
    QVERIFY(store().writeData("1", "dir/one.dat", 10));
    QVERIFY(store().writeData("2", "dir/sub/two.dat", 10));
    store().setExpireTimeInterval(10, "dir");
    QVERIFY(store().deleteFileAtPath("dir"));
    QVERIFY(!QFileInfo::exists(store().baseFilePath() + "/dir"));
    const QVariantMap table = Preferences::standard()
                                      .dictionary(VELFileManager::kExpireDatesKey)
                                      .value(store().baseFilePath())
                                      .toMap();
    QVERIFY(!table.contains("dir"));
    QVERIFY(table.contains("dir/one.dat")); // left for the next clean
    QVERIFY(!store().deleteFileAtPath("dir")); // nothing left to remove
}

void tst_FileManager::fileNamesOfAWholeTree()
{
    QVERIFY(store().writeData("x", "tree/x.dat"));
    QVERIFY(store().writeData("y", "tree/sub/y.dat"));
    QStringList names = store().fileNamesInParentDirectory("tree");
    names.sort();
    QCOMPARE(names, QStringList({ "x.dat", "y.dat" }));
}

void tst_FileManager::cleanGoesOnPastMissingFiles()
{
    QVERIFY(store().writeData("a", "clean/a.dat", 10));
    QVERIFY(store().writeData("b", "clean/b.dat", 10));
    QVERIFY(store().writeData("c", "clean/c.dat", 1000));
    QVERIFY(QFile::remove(store().absolutePath("clean/a.dat"))); // gone behind the store's back
    Clock::setNow(m_start.addSecs(60));
    QVERIFY(store().cleanExpireFile());
    QVERIFY(!store().fileExistsAtFilePath("clean/b.dat"));
    QVERIFY(store().fileVaildAtFilePath("clean/c.dat"));
    const QVariantMap table = Preferences::standard()
                                      .dictionary(VELFileManager::kExpireDatesKey)
                                      .value(store().baseFilePath())
                                      .toMap();
    QCOMPARE(table.keys(), QStringList { "clean/c.dat" });
}

void tst_FileManager::propertyListsReadByAnotherReader()
{
    const QString python = QStandardPaths::findExecutable("python3");
    if (python.isEmpty())
        QSKIP("python3 is not installed");
    const QVariantMap dictionary {
        { "name", "首页横幅" },
        { "count", 3 },
        { "ratio", 0.5 },
        { "enabled", true },
        { "start", QDateTime(QDate(2026, 12, 11), QTime(8, 30), Qt::UTC) },
        { "bytes", QByteArray("\x00\x01\x02", 3) },
        { "items", QVariantList { "a", 2, QVariantMap { { "k", "v" } } } },
    };
    QVERIFY(store().writeDictionary(dictionary, "plist/ads.plist"));
    QVERIFY(store().writeArray({ 1, "二" }, "plist/list.plist"));

    QProcess reader;
    reader.start(python, { "-c", R"(
import plistlib, sys, datetime
d = plistlib.load(open(sys.argv[1], 'rb'))
a = plistlib.load(open(sys.argv[2], 'rb'))
assert d['name'] == '首页横幅', d
assert d['count'] == 3 and d['ratio'] == 0.5 and d['enabled'] is True
assert d['start'] == datetime.datetime(2026, 12, 11, 8, 30), d['start']
assert d['bytes'] == b'\x00\x01\x02'
assert d['items'] == ['a', 2, {'k': 'v'}]
assert a == [1, '二'], a
print('ok')
)",
                           store().absolutePath("plist/ads.plist"),
                           store().absolutePath("plist/list.plist") });
    QVERIFY(reader.waitForFinished(20000));
    QVERIFY2(reader.exitCode() == 0, reader.readAllStandardError().constData());
    QCOMPARE(reader.readAllStandardOutput().trimmed(), QByteArray("ok"));
}

void tst_FileManager::propertyListsRoundTrip()
{
    const QVariantMap dictionary { { "list", QVariantList { 1, 2.5, false, "文字" } },
                                   { "nested", QVariantMap { { "empty", QVariantList() } } } };
    QVERIFY(store().writeDictionary(dictionary, "round.plist"));
    const auto read = store().readDictionaryAtPath("round.plist");
    QVERIFY(read);
    QCOMPARE(read->value("list").toList().at(3).toString(), "文字");
    QCOMPARE(read->value("list").toList().at(1).toDouble(), 2.5);
    QCOMPARE(read->value("nested").toMap().value("empty").toList().size(), 0);
    // The wrong kind, or a damaged file, reads as none.
    QVERIFY(!store().readArrayAtPath("round.plist"));
    QVERIFY(store().writeString("<plist version=\"1.0\"><dict><key>a</key>", "broken.plist"));
    QVERIFY(!store().readDictionaryAtPath("broken.plist"));
}

void tst_FileManager::asynchronousFormsCompleteOnTheMainThread()
{
    QThread *mainThread = QThread::currentThread();
    bool written = false;
    std::optional<QVariantList> read;
    bool readDone = false;
    store().asyncWriteArray({ "x" }, "async/a.plist", 0, [&](bool ok) {
        QCOMPARE(QThread::currentThread(), mainThread);
        written = ok;
        store().asyncReadArrayAtPath("async/a.plist", [&](std::optional<QVariantList> value) {
            QCOMPARE(QThread::currentThread(), mainThread);
            read = value;
            readDone = true;
        });
    });
    QTRY_VERIFY(readDone);
    QVERIFY(written);
    QCOMPARE(read.value_or(QVariantList()), QVariantList { "x" });

    bool deleted = false;
    store().asyncDeleteFileAtPath("async", [&](bool ok) { deleted = ok; });
    QTRY_VERIFY(deleted);
    QVERIFY(!store().fileExistsAtFilePath("async"));
}

QTEST_GUILESS_MAIN(tst_FileManager)
#include "tst_filemanager.moc"
