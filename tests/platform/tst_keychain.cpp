#include "TestHome.h"
#include "platform/ApplicationHome.h"
#include "platform/Keychain.h"

#include <QDirIterator>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

class tst_Keychain : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void itemsLiveInTheirAccessGroup();
    void storesOwnerOnly();
    void genericPasswordGetsTheDefaultGroup();
    void refusesCleanlyWhenItCannotWrite();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_Keychain::itemsLiveInTheirAccessGroup()
{
    Keychain keychain;
    QVERIFY(keychain.directory().startsWith(m_home->path()));
    QVERIFY(keychain.setString(QStringLiteral("abc"), QStringLiteral("VELSharedUDID"),
                               QStringLiteral("TEAM.com.velari.VELSharedUDID")));
    QCOMPARE(keychain.string(QStringLiteral("VELSharedUDID"),
                             QStringLiteral("TEAM.com.velari.VELSharedUDID")),
             std::optional<QString>(QStringLiteral("abc")));
    QCOMPARE(keychain.string(QStringLiteral("VELSharedUDID"), QStringLiteral("OTHER.group")),
             std::nullopt);

    // Another instance over the same folder (another application of the maker) reads it too.
    Keychain other(keychain.directory());
    QVERIFY(other.setString(QStringLiteral("新"), QStringLiteral("VELSharedUDID"),
                            QStringLiteral("TEAM.com.velari.VELSharedUDID")));
    QCOMPARE(keychain.string(QStringLiteral("VELSharedUDID"),
                             QStringLiteral("TEAM.com.velari.VELSharedUDID")),
             std::optional<QString>(QStringLiteral("新")));

    QVERIFY(keychain.remove(QStringLiteral("VELSharedUDID"),
                            QStringLiteral("TEAM.com.velari.VELSharedUDID")));
    QCOMPARE(keychain.string(QStringLiteral("VELSharedUDID"),
                             QStringLiteral("TEAM.com.velari.VELSharedUDID")),
             std::nullopt);
}

void tst_Keychain::storesOwnerOnly()
{
    const mode_t previous = ::umask(0);
    Keychain keychain;
    const bool stored = keychain.setString(QStringLiteral("secret"), QStringLiteral("k"),
                                           QStringLiteral("group"));
    ::umask(previous);
    QVERIFY(stored);
    int files = 0;
    QDirIterator it(keychain.directory(), QDir::AllEntries | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        struct stat st
        { };
        QCOMPARE(::stat(QFile::encodeName(info.filePath()).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), info.isDir() ? 0700 : 0600);
        files += info.isFile();
    }
    QCOMPARE(files, 1);
}

void tst_Keychain::genericPasswordGetsTheDefaultGroup()
{
    Keychain keychain;
    QCOMPARE(keychain.findGenericPassword(QStringLiteral("bundleSeedID"), QString()), std::nullopt);
    QVERIFY(keychain.addGenericPassword(
            { QStringLiteral("bundleSeedID"), QString(), QString(), {} }));
    const auto item = keychain.findGenericPassword(QStringLiteral("bundleSeedID"), QString());
    QVERIFY(item);
    QCOMPARE(item->accessGroup, Keychain::defaultAccessGroup());
    QVERIFY(item->accessGroup.endsWith(QStringLiteral(".com.velari.events")));
    QVERIFY(!item->accessGroup.section(u'.', 0, 0).isEmpty());

    QVERIFY(keychain.addGenericPassword(
            { QStringLiteral("me"), QStringLiteral("svc"), QStringLiteral("shared.group"), "pw" }));
    const auto shared = keychain.findGenericPassword(QStringLiteral("me"), QStringLiteral("svc"));
    QVERIFY(shared);
    QCOMPARE(shared->accessGroup, QStringLiteral("shared.group"));
    QCOMPARE(shared->data, QByteArray("pw"));
    QCOMPARE(keychain.findGenericPassword(QStringLiteral("me"), QStringLiteral("other")),
             std::nullopt);
}

void tst_Keychain::refusesCleanlyWhenItCannotWrite()
{
    // A regular file in place of the folder refuses even root.
    const QString blocked = ApplicationHome::rootPath() + QStringLiteral("/not-a-folder");
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    Keychain keychain(blocked + QStringLiteral("/Keychain"));
    QVERIFY(!keychain.setString(QStringLiteral("v"), QStringLiteral("k"), QStringLiteral("g")));
    QVERIFY(!keychain.addGenericPassword(
            { QStringLiteral("bundleSeedID"), QString(), QString(), {} }));
    QCOMPARE(keychain.string(QStringLiteral("k"), QStringLiteral("g")), std::nullopt);
    QCOMPARE(keychain.findGenericPassword(QStringLiteral("bundleSeedID"), QString()), std::nullopt);
}

QTEST_GUILESS_MAIN(tst_Keychain)
#include "tst_keychain.moc"
