#include "TestHome.h"
#include "foundation/VELSharedUDID.h"
#include "platform/ApplicationHome.h"
#include "platform/Preferences.h"
#include "platform/SharedInstances.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QUuid>

namespace {

const QRegularExpression kForm(QStringLiteral("^[0-9a-f]{40}$"));

QString probe()
{
    QProcess process;
    process.start(QStringLiteral(UDID_PROBE), {});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

class tst_SharedUDID : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void freshIdentifierHasItsForm();
    void secondCallDoesNotTouchTheKeychain();
    void takesOverTheEarlierIdentifierOnce();
    void sameAcrossProcessesSharingTheHome();
    void refusingKeychainStillGivesAnIdentifier();
    void vendorIdentifierIsAStableUuid();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_SharedUDID::freshIdentifierHasItsForm()
{
    QSet<QString> seen;
    for (int i = 0; i < 20; ++i) {
        const QString identifier = VELSharedUDID::sharedUDID();
        QVERIFY2(kForm.match(identifier).hasMatch(), qPrintable(identifier));
        seen.insert(identifier);
        // A new device: another home, another keychain.
        m_home.reset();
        m_home = std::make_unique<TestHome>();
    }
    QCOMPARE(seen.size(), 20);
}

void tst_SharedUDID::secondCallDoesNotTouchTheKeychain()
{
    const QString first = VELSharedUDID::sharedUDID();
    QVERIFY(QDir(ApplicationHome::keychainPath()).removeRecursively());
    QCOMPARE(VELSharedUDID::sharedUDID(), first);
    QVERIFY(!QDir(ApplicationHome::keychainPath()).exists());
}

void tst_SharedUDID::takesOverTheEarlierIdentifierOnce()
{
    const QString earlier = QStringLiteral("0123456789abcdef0123456789abcdef01234567");
    Preferences::standard().setValue(
            VELSharedUDID::kLegacyPreferencesKey,
            QVariantMap{ { VELSharedUDID::kLegacyPreferencesKey, earlier } });
    QVERIFY(Preferences::standard().synchronize());

    QCOMPARE(VELSharedUDID::sharedUDID(), earlier);
    // The entry is gone, on disk too.
    QSettings onDisk(ApplicationHome::preferencesFilePath(), QSettings::IniFormat);
    QVERIFY(!onDisk.contains(VELSharedUDID::kLegacyPreferencesKey));

    SharedInstances::resetAll(); // next launch: served from the keychain
    QVERIFY(!Preferences::standard().contains(VELSharedUDID::kLegacyPreferencesKey));
    QCOMPARE(VELSharedUDID::sharedUDID(), earlier);
}

void tst_SharedUDID::sameAcrossProcessesSharingTheHome()
{
    const QString first = probe();
    QVERIFY2(kForm.match(first).hasMatch(), qPrintable(first));
    QCOMPARE(probe(), first);
    QCOMPARE(VELSharedUDID::sharedUDID(), first);
}

void tst_SharedUDID::refusingKeychainStillGivesAnIdentifier()
{
    QFile blocker(ApplicationHome::keychainPath());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const QString first = VELSharedUDID::sharedUDID();
    QVERIFY(kForm.match(first).hasMatch());
    QCOMPARE(VELSharedUDID::sharedUDID(), first);
    SharedInstances::resetAll(); // nothing was stored, so the next process gets another
    const QString second = VELSharedUDID::sharedUDID();
    QVERIFY(kForm.match(second).hasMatch());
    QVERIFY(second != first);
}

void tst_SharedUDID::vendorIdentifierIsAStableUuid()
{
    const QString vendor = VELSharedUDID::identifierForVendor();
    if (vendor.isEmpty())
        QSKIP("this machine has no machine identifier");
    QVERIFY(!QUuid::fromString(vendor).isNull());
    QCOMPARE(vendor, vendor.toUpper());
    QCOMPARE(VELSharedUDID::identifierForVendor(), vendor);
}

QTEST_GUILESS_MAIN(tst_SharedUDID)
#include "tst_sharedudid.moc"
