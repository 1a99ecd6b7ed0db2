#include "platform/Gzip.h"

#include <QRandomGenerator>
#include <QTest>

class tst_Gzip : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void refusesBrokenStreams_data();
    void refusesBrokenStreams();
};

void tst_Gzip::roundTrip_data()
{
    QTest::addColumn<QByteArray>("data");
    QByteArray noise(300000, Qt::Uninitialized);
    QRandomGenerator generator(7);
    generator.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("json") << QByteArray(R"({"events":[{"title":"音乐节"}]})").repeated(500);
    QTest::newRow("incompressible, several output chunks") << noise;
}

void tst_Gzip::roundTrip()
{
    QFETCH(QByteArray, data);
    const QByteArray packed = Gzip::compress(data);
    QVERIFY(packed.startsWith("\x1f\x8b")); // a gzip member, not a bare zlib stream
    QCOMPARE(Gzip::decompress(packed), std::optional<QByteArray>(data));
}

void tst_Gzip::refusesBrokenStreams_data()
{
    QTest::addColumn<QByteArray>("data");
    const QByteArray packed = Gzip::compress(QByteArray("hello world ").repeated(1000));
    QTest::newRow("truncated") << packed.left(packed.size() / 2);
    QTest::newRow("no trailer") << packed.left(packed.size() - 4);
    QTest::newRow("not gzip") << QByteArray("plain text");
    QTest::newRow("empty") << QByteArray();
}

void tst_Gzip::refusesBrokenStreams()
{
    QFETCH(QByteArray, data);
    QCOMPARE(Gzip::decompress(data), std::nullopt);
}

QTEST_GUILESS_MAIN(tst_Gzip)
#include "tst_gzip.moc"
