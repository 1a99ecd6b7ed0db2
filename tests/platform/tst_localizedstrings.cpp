#include "platform/LocalizedStrings.h"

#include <QTest>

class tst_LocalizedStrings : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void languageByLocale_data();
    void languageByLocale();
    void everyKeyInBothLanguages();
    void unknownKeyReadsAsItself();
};

void tst_LocalizedStrings::languageByLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("Chinese") << QLocale(QLocale::Chinese, QLocale::China) << "取消";
    QTest::newRow("Chinese, Taiwan") << QLocale(QLocale::Chinese, QLocale::Taiwan) << "取消";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "Cancel";
    QTest::newRow("French falls back to Chinese") << QLocale(QLocale::French) << "取消";
}

void tst_LocalizedStrings::languageByLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, cancel);
    QLocale::setDefault(locale);
    QCOMPARE(LocalizedStrings::text("lsCancel"), cancel);
}

void tst_LocalizedStrings::everyKeyInBothLanguages()
{
    const QList<QByteArray> keys = LocalizedStrings::keys();
    QVERIFY(keys.size() > 150);
    for (const QByteArray &key : keys) {
        QVERIFY2(key.startsWith("ls"), key.constData());
        const QString chinese = LocalizedStrings::text(key.constData(), "zh");
        const QString english = LocalizedStrings::text(key.constData(), "en");
        QVERIFY2(!chinese.isEmpty() && chinese != QLatin1String(key), key.constData());
        QVERIFY2(!english.isEmpty() && english != QLatin1String(key), key.constData());
        // The Chinese table is Chinese (a few proper names aside).
        const bool hasHan = std::any_of(chinese.cbegin(), chinese.cend(), [](QChar c) {
            return c.script() == QChar::Script_Han;
        });
        QVERIFY2(hasHan, key.constData());
    }
}

void tst_LocalizedStrings::unknownKeyReadsAsItself()
{
    QCOMPARE(LocalizedStrings::text("lsNoSuchText"), "lsNoSuchText");
}

QTEST_APPLESS_MAIN(tst_LocalizedStrings)
#include "tst_localizedstrings.moc"
