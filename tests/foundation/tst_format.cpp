#include "foundation/VELFormat.h"

#include <QTest>

class tst_Format : public QObject
{
    Q_OBJECT

private slots:
    void placeholders_data();
    void placeholders();
};

void tst_Format::placeholders_data()
{
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QVariantList>("arguments");
    QTest::addColumn<QString>("expected");

    QTest::newRow("object text") << QByteArray("TRACE %s(%d): %@")
                                 << VELFormat::arguments("load", 42, QStringLiteral("北京"))
                                 << QStringLiteral("TRACE load(42): 北京");
    QTest::newRow("integer widths") << QByteArray("%ld %lld %i %u %qd")
                                    << VELFormat::arguments(-1L, qint64(1) << 40, 7, 4294967295u, 3)
                                    << QStringLiteral("-1 1099511627776 7 4294967295 3");
    QTest::newRow("hex and padding")
            << QByteArray("%02x%08x|%5d|%-4d|") << VELFormat::arguments(10, 0xbeefu, 42, 7)
            << QStringLiteral("0a0000beef|   42|7   |");
    QTest::newRow("floating point")
            << QByteArray("%f %.2f %.0f") << VELFormat::arguments(1.5, 39.904202, 2.5)
            << QStringLiteral("1.500000 39.90 2");
    QTest::newRow("percent sign") << QByteArray("100%% sure") << QVariantList()
                                  << QStringLiteral("100% sure");
    QTest::newRow("missing argument stays")
            << QByteArray("%@ and %d") << VELFormat::arguments(QStringLiteral("one"))
            << QStringLiteral("one and %d");
    QTest::newRow("unknown placeholder stays")
            << QByteArray("%k %@") << VELFormat::arguments(1) << QStringLiteral("%k 1");
    QTest::newRow("none") << QByteArray("%@") << QVariantList{ QVariant() }
                          << QStringLiteral("(null)");
    QTest::newRow("dictionary as JSON")
            << QByteArray("%@") << QVariantList{ QVariantMap{ { QStringLiteral("eid"), 7 } } }
            << QStringLiteral(R"({"eid":7})");
    QTest::newRow("trailing percent")
            << QByteArray("50%") << QVariantList() << QStringLiteral("50%");
}

void tst_Format::placeholders()
{
    QFETCH(QByteArray, format);
    QFETCH(QVariantList, arguments);
    QFETCH(QString, expected);
    QCOMPARE(VELFormat::format(format.constData(), arguments), expected);
}

QTEST_GUILESS_MAIN(tst_Format)
#include "tst_format.moc"
