#include "TestHome.h"
#include "foundation/VELLogger.h"
#include "foundation/VELThreadSpecificData.h"
#include "platform/ApplicationHome.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryFile>
#include <QTest>

#include <thread>
#include <vector>

#include <pthread.h>
#include <unistd.h>

namespace {

const QRegularExpression kLine(QStringLiteral(
        R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} (\S+)\[(\d+):([0-9a-f]+)\((.*)\)\] <(\w+)>: (.*)$)"));

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The message part of each well-formed line; malformed lines come back as "<malformed>".
QStringList messages(const QString &path)
{
    QStringList result;
    for (const QString &line : readLines(path)) {
        const auto match = kLine.match(line);
        result << (match.hasMatch() ? match.captured(6) : QStringLiteral("<malformed>"));
    }
    return result;
}

} // namespace

class tst_Logger : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void sharedLoggerWritesThisLaunchsFile();
    void disabledWritesNothingAndConnectsNothing();
    void maskAndLevel_data();
    void maskAndLevel();
    void copiesEveryMessageToStandardError();
    void attachAndDetachRules();
    void ignoresPathsThatCannotBeOpened();
    void finishedTextIsWrittenLiterally();
    void filesReachThreadsBeforeAndAfterAttaching();
    void identifiesTheSendingThread();
    void connectionEndsWithItsThread();
    void concurrentLinesStayWholeAndNoneIsLost();
    void threadSpecificDataIsPerThread();

private:
    QString logPath(const QString &name) const { return m_home->path() + u'/' + name; }

    std::unique_ptr<TestHome> m_home;
    QTemporaryFile m_stderrCopy;
    int m_savedStderr = -1;
};

void tst_Logger::initTestCase()
{
    // Every message is copied to standard error; keep it out of the test output, and readable.
    QVERIFY(m_stderrCopy.open());
    m_savedStderr = ::dup(STDERR_FILENO);
    QVERIFY(::dup2(m_stderrCopy.handle(), STDERR_FILENO) >= 0);
}

void tst_Logger::cleanupTestCase()
{
    ::dup2(m_savedStderr, STDERR_FILENO);
    ::close(m_savedStderr);
}

void tst_Logger::init()
{
    m_home = std::make_unique<TestHome>();
    QDir().mkpath(m_home->path());
}

void tst_Logger::cleanup()
{
    m_home.reset();
}

void tst_Logger::sharedLoggerWritesThisLaunchsFile()
{
    VELLogger &logger = VELLogger::sharedLogger();
    QVERIFY(logger.isEnabled());
    QCOMPARE(logger.loggingMask(), 0xffu);
    logger.logWithLevel(6, "ADs: %@ advertisements, interval %d", QStringLiteral("3"), 24);

    const QDir logs(ApplicationHome::temporaryPath() + QStringLiteral("/Logs"));
    const QStringList files = logs.entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral(R"(^\d{4}-\d\d-\d\d-\d{6}\.log$)"))
                     .match(files.first())
                     .hasMatch(),
             qPrintable(files.first()));
    QCOMPARE(messages(logs.filePath(files.first())),
             QStringList(QStringLiteral("ADs: 3 advertisements, interval 24")));
    QCOMPARE(&VELLogger::sharedLogger(), &logger);
}

void tst_Logger::disabledWritesNothingAndConnectsNothing()
{
    VELLogger logger;
    QVERIFY(!logger.isEnabled());
    logger.addFileWithPath(logPath("a.log"));
    logger.logWithLevel(3, "dropped");
    QCOMPARE(logger.connectionCount(), 0);
    QVERIFY(readLines(logPath("a.log")).isEmpty());

    logger.setEnabled(true);
    logger.logWithLevel(3, "kept");
    QCOMPARE(logger.connectionCount(), 1);
    QCOMPARE(messages(logPath("a.log")), QStringList("kept"));
}

void tst_Logger::maskAndLevel_data()
{
    QTest::addColumn<quint32>("mask");
    QTest::addColumn<quint32>("level");
    QTest::addColumn<QString>("writtenAs"); // empty: not written

    QTest::newRow("default mask, debug") << 0xffu << 7u << "Debug";
    QTest::newRow("default mask, emergency") << 0xffu << 0u << "Emergency";
    QTest::newRow("default mask, warning") << 0xffu << 4u << "Warning";
    QTest::newRow("default mask, level 8") << 0xffu << 8u << "";
    QTest::newRow("bit 9 set, level 9 as warning") << (0xffu | 1u << 9) << 9u << "Warning";
    QTest::newRow("all bits, level 31") << 0xffffffffu << 31u << "Warning";
    QTest::newRow("all bits, level 32") << 0xffffffffu << 32u << "";
    QTest::newRow("all bits, huge level") << 0xffffffffu << 4000000000u << "";
    QTest::newRow("info bit cleared") << (0xffu & ~(1u << 6)) << 6u << "";
    QTest::newRow("empty mask") << 0u << 3u << "";
}

void tst_Logger::maskAndLevel()
{
    QFETCH(quint32, mask);
    QFETCH(quint32, level);
    QFETCH(QString, writtenAs);
    VELLogger logger;
    logger.setEnabled(true);
    logger.setLoggingMask(mask);
    logger.addFileWithPath(logPath("mask.log"));
    logger.logWithLevel(level, "level %u", level);

    const QStringList lines = readLines(logPath("mask.log"));
    if (writtenAs.isEmpty()) {
        QVERIFY(lines.isEmpty());
        return;
    }
    QCOMPARE(lines.size(), 1);
    const auto match = kLine.match(lines.first());
    QVERIFY(match.hasMatch());
    QCOMPARE(match.captured(5), writtenAs);
    QCOMPARE(match.captured(6), QStringLiteral("level %1").arg(level));
}

void tst_Logger::copiesEveryMessageToStandardError()
{
    VELLogger logger;
    logger.setEnabled(true);
    const QString marker
            = QStringLiteral("stderr-marker-%1").arg(QDateTime::currentMSecsSinceEpoch());
    logger.logWithLevel(4, "%@", marker);
    const QStringList lines = messages(m_stderrCopy.fileName());
    QCOMPARE(lines.count(marker), 1);
}

void tst_Logger::attachAndDetachRules()
{
    VELLogger logger;
    logger.setEnabled(true);
    logger.addFileWithPath(logPath("twice.log"));
    logger.addFileWithPath(logPath("twice.log"));
    logger.addFileWithPath(QString());
    logger.removeFileWithPath(logPath("never-attached.log"));
    logger.removeFileWithPath(QString());
    logger.logWithLevel(6, "once");
    QCOMPARE(messages(logPath("twice.log")), QStringList("once"));
    QVERIFY(!QFile::exists(logPath("never-attached.log")));

    logger.removeFileWithPath(logPath("twice.log"));
    logger.logWithLevel(6, "after detaching");
    QCOMPARE(messages(logPath("twice.log")), QStringList("once"));

    // Attaching again appends to what is there.
    logger.addFileWithPath(logPath("twice.log"));
    logger.logWithLevel(6, "again");
    QCOMPARE(messages(logPath("twice.log")), QStringList({ "once", "again" }));
}

void tst_Logger::ignoresPathsThatCannotBeOpened()
{
    QFile blocker(logPath("plain-file"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const qint64 stderrBefore = QFileInfo(m_stderrCopy.fileName()).size();

    VELLogger logger;
    logger.setEnabled(true);
    logger.addFileWithPath(logPath("plain-file/below.log"));
    logger.addFileWithPath(logPath("missing-dir/x.log"));
    // Nothing is said about it: standard error is unchanged.
    QCOMPARE(QFileInfo(m_stderrCopy.fileName()).size(), stderrBefore);
    logger.addFileWithPath(logPath("good.log"));
    logger.logWithLevel(6, "still logging");
    QCOMPARE(messages(logPath("good.log")), QStringList("still logging"));
}

void tst_Logger::finishedTextIsWrittenLiterally()
{
    VELLogger logger;
    logger.setEnabled(true);
    logger.addFileWithPath(logPath("literal.log"));
    logger.logWithLevel(6, "%@ and %s", QStringLiteral("100%d"), "%@%%");
    logger.logWithLevel(6, "no arguments: %d");
    QCOMPARE(messages(logPath("literal.log")),
             QStringList({ "100%d and %@%%", "no arguments: %d" }));
}

void tst_Logger::filesReachThreadsBeforeAndAfterAttaching()
{
    VELLogger logger;
    logger.setEnabled(true);
    logger.logWithLevel(6, "main before attaching"); // main's connection exists already

    std::thread early([&] { logger.logWithLevel(6, "early thread, no file yet"); });
    early.join();

    logger.addFileWithPath(logPath("shared.log"));
    logger.logWithLevel(6, "main after attaching");
    std::thread late([&] { logger.logWithLevel(6, "late thread"); });
    late.join();

    QCOMPARE(messages(logPath("shared.log")),
             QStringList({ "main after attaching", "late thread" }));
}

void tst_Logger::identifiesTheSendingThread()
{
    VELLogger logger;
    logger.setEnabled(true);
    logger.addFileWithPath(logPath("who.log"));
    std::thread named([&] {
        pthread_setname_np(pthread_self(), "ads-worker");
        logger.logWithLevel(7, "first");
        pthread_setname_np(pthread_self(), "renamed");
        logger.logWithLevel(7, "second");
    });
    named.join();

    const QStringList lines = readLines(logPath("who.log"));
    QCOMPARE(lines.size(), 2);
    for (const QString &line : lines) {
        const auto match = kLine.match(line);
        QVERIFY(match.hasMatch());
        QCOMPARE(match.captured(1), QStringLiteral("tst_logger"));
        QCOMPARE(match.captured(2).toInt(), int(::getpid()));
        QVERIFY(match.captured(3).toLongLong(nullptr, 16) > 0);
        // The identifier is fixed at the thread's first message.
        QCOMPARE(match.captured(4), QStringLiteral("ads-worker"));
    }
}

void tst_Logger::connectionEndsWithItsThread()
{
    VELLogger logger;
    logger.setEnabled(true);
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i)
        threads.emplace_back([&] { logger.logWithLevel(6, "hello"); });
    for (auto &thread : threads)
        thread.join();
    QCOMPARE(logger.connectionCount(), 0);
    logger.logWithLevel(6, "main");
    QCOMPARE(logger.connectionCount(), 1);
}

void tst_Logger::concurrentLinesStayWholeAndNoneIsLost()
{
    constexpr int kThreads = 8;
    constexpr int kMessages = 2000;
    const QString payload = QStringLiteral("活动").repeated(40) + QString(120, u'x');
    VELLogger logger;
    logger.setEnabled(true);
    logger.addFileWithPath(logPath("busy.log"));
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kMessages; ++i)
                logger.logWithLevel(6, "t%d m%d %@", t, i, payload);
        });
    }
    for (auto &thread : threads)
        thread.join();

    const QStringList written = messages(logPath("busy.log"));
    QCOMPARE(written.size(), kThreads * kMessages);
    QSet<QString> seen;
    const QRegularExpression shape(QStringLiteral(R"(^t(\d+) m(\d+) (.*)$)"));
    for (const QString &message : written) {
        const auto match = shape.match(message);
        QVERIFY2(match.hasMatch(), qPrintable(message.left(80)));
        QCOMPARE(match.captured(3), payload);
        seen.insert(match.captured(1) + u':' + match.captured(2));
    }
    QCOMPARE(seen.size(), kThreads * kMessages);
}

void tst_Logger::threadSpecificDataIsPerThread()
{
    VELThreadSpecificData &data = VELThreadSpecificData::sharedData();
    data.setObject(1, QStringLiteral("key"));
    QVariant seenByOther;
    std::thread other([&] {
        seenByOther = data.objectForKey(QStringLiteral("key"));
        data.setObject(2, QStringLiteral("key"));
    });
    other.join();
    QVERIFY(!seenByOther.isValid());
    QCOMPARE(data.objectForKey(QStringLiteral("key")), QVariant(1));
    QCOMPARE(&VELThreadSpecificData::sharedData(), &data);
}

QTEST_GUILESS_MAIN(tst_Logger)
#include "tst_logger.moc"
