#include "TestHome.h"
#include "platform/ApplicationHome.h"
#include "platform/Preferences.h"
#include "platform/SharedInstances.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace {

int mode(const QString &path)
{
    struct stat info
    { };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

} // namespace

class tst_ApplicationHome : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void directoriesAreOwnerOnlyWhateverTheUmask_data();
    void directoriesAreOwnerOnlyWhateverTheUmask();
    void preferencesKeepTypedValuesAcrossLaunches();
    void preferencesRemoveAndClear();
    void preferencesReportAnUnwritableFile();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_ApplicationHome::directoriesAreOwnerOnlyWhateverTheUmask_data()
{
    QTest::addColumn<int>("mask");
    QTest::newRow("open umask") << 0;
    QTest::newRow("usual umask") << 022;
    QTest::newRow("strict umask") << 0277;
}

void tst_ApplicationHome::directoriesAreOwnerOnlyWhateverTheUmask()
{
    QFETCH(int, mask);
    const mode_t previous = ::umask(mode_t(mask));
    const QString root = ApplicationHome::rootPath();
    const QStringList directories = { root,
                                      ApplicationHome::libraryPath(),
                                      ApplicationHome::documentsPath(),
                                      ApplicationHome::cachesPath(),
                                      ApplicationHome::temporaryPath(),
                                      ApplicationHome::preferencesPath() };
    Preferences::standard().setValue(QStringLiteral("token"), QStringLiteral("secret"));
    const bool synced = Preferences::standard().synchronize();
    ::umask(previous);

    QCOMPARE(root, m_home->path());
    QVERIFY(synced);
    for (const QString &directory : directories) {
        QVERIFY2(directory.startsWith(root), qPrintable(directory));
        QCOMPARE(mode(directory), 0700);
    }
    QVERIFY(Preferences::standard().filePath().startsWith(ApplicationHome::preferencesPath()));
    QCOMPARE(mode(Preferences::standard().filePath()), 0600);
}

void tst_ApplicationHome::preferencesKeepTypedValuesAcrossLaunches()
{
    const QVariantMap table{ { QStringLiteral("/abs/path"), 1234.5 },
                             { QStringLiteral("other"), QStringLiteral("x") } };
    {
        Preferences &preferences = Preferences::standard();
        preferences.setValue(QStringLiteral("name"), QStringLiteral("北京"));
        preferences.setValue(QStringLiteral("count"), 42);
        preferences.setValue(QStringLiteral("big"), qint64(1) << 40);
        preferences.setValue(QStringLiteral("latitude"), 39.904202);
        preferences.setValue(QStringLiteral("flag"), true);
        preferences.setValue(QStringLiteral("VELFileManager.expireDates"), table);
        preferences.setValue(QStringLiteral("a/b\\c%d"), QStringLiteral("slashes"));
        QVERIFY(preferences.synchronize());
    }
    SharedInstances::resetAll(); // as a new launch in the same home
    Preferences &preferences = Preferences::standard();
    QCOMPARE(preferences.string(QStringLiteral("name")), QStringLiteral("北京"));
    QCOMPARE(preferences.integer(QStringLiteral("count")), 42);
    QCOMPARE(preferences.integer(QStringLiteral("big")), qint64(1) << 40);
    QCOMPARE(preferences.real(QStringLiteral("latitude")), 39.904202);
    QCOMPARE(preferences.boolean(QStringLiteral("flag")), true);
    QCOMPARE(preferences.dictionary(QStringLiteral("VELFileManager.expireDates")), table);
    QCOMPARE(preferences.string(QStringLiteral("a/b\\c%d")), QStringLiteral("slashes"));
    QVERIFY(preferences.keys().contains(QStringLiteral("a/b\\c%d")));
    QCOMPARE(preferences.integer(QStringLiteral("missing"), -1), -1);
    QVERIFY(!preferences.contains(QStringLiteral("missing")));
}

void tst_ApplicationHome::preferencesRemoveAndClear()
{
    Preferences &preferences = Preferences::standard();
    preferences.setValue(QStringLiteral("one"), 1);
    preferences.setValue(QStringLiteral("two"), 2);
    preferences.remove(QStringLiteral("one"));
    QVERIFY(preferences.synchronize());
    SharedInstances::resetAll();
    QVERIFY(!Preferences::standard().contains(QStringLiteral("one")));
    QVERIFY(Preferences::standard().contains(QStringLiteral("two")));
    Preferences::standard().clear();
    QVERIFY(Preferences::standard().keys().isEmpty());
}

void tst_ApplicationHome::preferencesReportAnUnwritableFile()
{
    // A regular file where the preferences folder should be: even root cannot write below it.
    QFile blocker(ApplicationHome::libraryPath() + QStringLiteral("/Preferences"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Preferences &preferences = Preferences::standard();
    preferences.setValue(QStringLiteral("key"), QStringLiteral("value"));
    QVERIFY(!preferences.synchronize());
    QCOMPARE(preferences.string(QStringLiteral("key")), QStringLiteral("value"));
}

QTEST_GUILESS_MAIN(tst_ApplicationHome)
#include "tst_applicationhome.moc"
