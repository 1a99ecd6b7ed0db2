#include "VELMobileStatImp.h"

#include "VELMobileStatDefaultValues.h"
#include "VELMobileStatEventStorage.h"
#include "VELStatConfig.h"

#include "api/VELHosts.h"
#include "foundation/VELLogger.h"
#include "foundation/VELSharedUDID.h"
#include "platform/ApplicationInfo.h"
#include "platform/ApplicationLifecycle.h"
#include "platform/Clock.h"
#include "platform/CrashReporter.h"
#include "platform/Gzip.h"
#include "platform/MainThread.h"
#include "platform/NotificationCenter.h"
#include "platform/Preferences.h"
#include "platform/Reachability.h"
#include "platform/SharedInstances.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QUrl>

namespace {

constexpr qint64 kOneHour = 3600;
constexpr qint64 kOneDay = 86400;

VELLogger &logger()
{
    return VELLogger::sharedLogger();
}

VELMobileStatEventStorage &storage()
{
    return VELMobileStatEventStorage::sharedInstance();
}

QString root()
{
    return VELHosts::statisticsBaseUrlString() + QLatin1Char('/');
}

} // namespace

VELMobileStatImp &VELMobileStatImp::sharedInstance()
{
    return SharedInstance<VELMobileStatImp>::get();
}

VELMobileStatImp::VELMobileStatImp() : m_networkQueue(QStringLiteral("com.velari.stat.network"))
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, ApplicationLifecycle::kDidFinishLaunching,
                       [this](const auto &note) { applicationDidFinishLaunching(note.userInfo); });
    center.addObserver(this, ApplicationLifecycle::kWillEnterForeground,
                       [this](const auto &) { applicationWillEnterForeground(); });
    center.addObserver(this, ApplicationLifecycle::kDidEnterBackground,
                       [this](const auto &) { applicationDidEnterBackground(); });
    center.addObserver(this, ApplicationLifecycle::kWillTerminate,
                       [this](const auto &) { applicationWillTerminate(); });
    center.addObserver(this, VELMobileStatDefaultValues::kReachabilityChangedNotification,
                       [this](const auto &) { reachabilityChanged(); });
    connect(&Reachability::sharedInstance(), &Reachability::reachabilityChanged, this,
            [] {
                NotificationCenter::defaultCenter().postNotification(
                        VELMobileStatDefaultValues::kReachabilityChangedNotification);
            });
    m_networkStatus = networkStatus();
}

VELMobileStatImp::~VELMobileStatImp()
{
    waitForNetworkQueue();
}

void VELMobileStatImp::startWithAppkey(const QString &appkey, const QString &appName,
                                       int reportPolicy, const QString &channelId)
{
    if (appkey.isEmpty() || appName.isEmpty()) {
        logger().logWithLevel(3, "[ERROR] %s(%d): App key or name should not be nil", Q_FUNC_INFO,
                              __LINE__);
        return;
    }
    m_apikey = appkey;
    m_strategy = reportPolicy;
    m_channel = channelId;
    m_started = true;
    m_appname = appName;
    sendRequestServiceAvailable();
}

void VELMobileStatImp::bindUser(const QString &userId, const QString &token)
{
    m_userid = userId;
    m_md5Token = QString::fromLatin1(
            QCryptographicHash::hash(token.toUtf8(), QCryptographicHash::Md5).toHex());
}

void VELMobileStatImp::unBindUser()
{
    m_userid.clear();
    m_md5Token.clear();
}

int VELMobileStatImp::networkStatus() const
{
    switch (Reachability::sharedInstance().currentStatus()) {
    case Reachability::Status::ViaWiFi: return kNetworkWiFi;
    case Reachability::Status::ViaWWAN: return kNetwork3G;
    case Reachability::Status::NotReachable: break;
    }
    return kNetworkUnknown;
}

QString VELMobileStatImp::networkName(int status)
{
    switch (status) {
    case kNetworkWiFi: return QStringLiteral("wifi");
    case kNetwork3G: return QStringLiteral("3G");
    }
    return QStringLiteral("unknown");
}

void VELMobileStatImp::event(const QString &name, const std::optional<QString> &label, int acc)
{
    const bool important = name == QLatin1String("appLaunch") || name == QLatin1String("appTerminal");
    event(name, label, important ? VELStatEvent::kImportant : VELStatEvent::kNormal, acc);
}

void VELMobileStatImp::event(const QString &name, const std::optional<QString> &label, int type,
                             int acc)
{
    VELStatEvent event(name, label, acc);
    event.type = type;
    record(event, false);
}

void VELMobileStatImp::beginEvent(const QString &name, const std::optional<QString> &label)
{
    VELStatEvent event(name, label, 0);
    event.action = QStringLiteral("beginEvent");
    record(event, false);
}

void VELMobileStatImp::endEvent(const QString &name, const std::optional<QString> &label)
{
    VELStatEvent event(name, label, 0);
    event.action = QStringLiteral("endEvent");
    record(event, false);
}

bool VELMobileStatImp::record(VELStatEvent event, bool syncWrite)
{
    if (m_apikey.isEmpty()) {
        logger().logWithLevel(3, "[ERROR] %s(%d): App api key should not be nil", Q_FUNC_INFO, __LINE__);
        return false;
    }
    event.net = networkName(m_networkStatus);
    logEvent(event, syncWrite);
    return true;
}

void VELMobileStatImp::logEvent(const VELStatEvent &event, bool syncWrite)
{
    const bool sendNow = m_strategy == 7
            || ((m_strategy & kPolicyWiFi) && m_networkStatus == kNetworkWiFi)
            || ((m_strategy & kPolicyCellular) && m_networkStatus == kNetwork3G);
    if (sendNow)
        sendEventRequest(event);
    else if (syncWrite)
        storage().writelEventToDisk(event);
    else
        storage().asyncWritelEventToDisk(event);
}

QString VELMobileStatImp::launchLabel(const QVariantMap &options)
{
    QString label;
    const QString query = options.value(ApplicationLifecycle::kLaunchOptionsURLKey).toUrl().query(QUrl::FullyEncoded);
    if (!query.isEmpty())
        label += QStringLiteral("query=%1|").arg(query);
    const QString source = options.value(ApplicationLifecycle::kLaunchOptionsSourceApplicationKey).toString();
    if (source.size() >= 10)
        label += QStringLiteral("source=%1|").arg(source);
    if (options.contains(ApplicationLifecycle::kLaunchOptionsRemoteNotificationKey))
        label += QStringLiteral("notification=remote|");
    if (options.contains(ApplicationLifecycle::kLaunchOptionsLocalNotificationKey))
        label += QStringLiteral("notification=local|");
    return label;
}

void VELMobileStatImp::applicationDidFinishLaunching(const QVariantMap &launchOptions)
{
    if (!m_started) {
        logger().logWithLevel(3, "[ERROR] %s(%d): !!!!!!!!!!! Error: Should start VELMobileStat first !!!!!!!!",
                              Q_FUNC_INFO, __LINE__);
        return;
    }
    const QString label = launchLabel(launchOptions);
    Preferences &preferences = Preferences::standard();
    if (!preferences.contains(VELMobileStatDefaultValues::kFirstLaunchKey)) {
        event(QStringLiteral("appFirstLaunch"), label, VELStatEvent::kImportant, 1);
        preferences.setValue(VELMobileStatDefaultValues::kFirstLaunchKey, 1);
        preferences.synchronize();
    }
    if (m_strategy & kPolicyUploadAtLaunch)
        uploadAllEvents();
    event(QStringLiteral("appLaunch"), label, VELStatEvent::kImportant, 1);
    sendCrashReport();
}

void VELMobileStatImp::applicationWillEnterForeground()
{
    if (!m_started) {
        logger().logWithLevel(3, "[ERROR] %s(%d): !!!!!!!!!!! Error: Should start VELMobileStat first !!!!!!!!",
                              Q_FUNC_INFO, __LINE__);
        return;
    }
    if (m_strategy & kPolicyUploadAtLaunch) {
        if (networkStatus() == kNetworkWiFi) {
            uploadAllEventsIfNeeded();
        } else {
            uploadImportantEventsIfNeeded();
            forceUploadNormalEventsIfMoreThanOneDayIfNeeded();
        }
    }
    event(QStringLiteral("appLaunch"), QStringLiteral("foreground"), 1);
}

void VELMobileStatImp::recordTermination(const std::optional<QString> &label)
{
    if (!record(VELStatEvent::importantEventWithName(QStringLiteral("appTerminal"), label, 1), true))
        return;
    const int normal = storage().clearOldNormalLogFiles();
    const int important = storage().clearOldImportLogFiles();
    for (const auto &[deleted, format] : { std::pair { normal, "n_%1" }, std::pair { important, "i_%1" } }) {
        if (deleted > 0)
            record(VELStatEvent::importantEventWithName(QStringLiteral("event_file_deleted"),
                                                        QString::fromLatin1(format).arg(deleted), 1),
                   true);
    }
    Preferences::standard().synchronize();
}

void VELMobileStatImp::applicationDidEnterBackground()
{
    recordTermination(QStringLiteral("background"));
}

void VELMobileStatImp::applicationWillTerminate()
{
    recordTermination(std::nullopt);
}

void VELMobileStatImp::reachabilityChanged()
{
    const int before = m_networkStatus;
    m_networkStatus = networkStatus();
    if (m_networkStatus == before)
        return;
    if ((m_networkStatus == kNetwork3G && (m_strategy & kPolicyCellular))
        || (m_networkStatus == kNetworkWiFi && (m_strategy & kPolicyWiFi)))
        uploadAllEventsIfNeeded();
}

VELStatUpload::Identity VELMobileStatImp::identity() const
{
    QString name = m_appname;
    if (name.isEmpty())
        name = ApplicationInfo::infoValue(QStringLiteral("CFBundleDisplayName")).toString();
    return { name, m_apikey, m_channel, m_userid, m_md5Token, networkName(networkStatus()) };
}

void VELMobileStatImp::uploadAllEvents()
{
    uploadAllImportantEvents();
    uploadAllNormalEvents();
}

void VELMobileStatImp::uploadAllImportantEvents()
{
    uploadFiles(storage().sortedPathsOfImportantLogFilesByTimeIncrease(), false);
}

void VELMobileStatImp::uploadAllNormalEvents()
{
    uploadFiles(storage().sortedPathsOfNormalLogFilesByTimeIncrease(), true);
}

void VELMobileStatImp::uploadFiles(const QStringList &paths, bool normal)
{
    if (!Reachability::sharedInstance().isReachable())
        return;
    for (const QString &path : paths) {
        sendEventsInFile(
                path,
                // Runs later on the main thread, when the engine may be gone.
                [self = QPointer<VELMobileStatImp>(this), normal] {
                    if (!self)
                        return;
                    self->m_lastUploadTime = Clock::now();
                    if (normal) {
                        Preferences::standard().setValue(
                                VELMobileStatDefaultValues::kNormalEventsUploadTimeKey,
                                double(self->m_lastUploadTime->toMSecsSinceEpoch()) / 1000.0);
                    }
                },
                {});
    }
}

void VELMobileStatImp::uploadAllEventsIfNeeded()
{
    if (!m_lastUploadTime || qAbs(m_lastUploadTime->secsTo(Clock::now())) > kOneHour)
        uploadAllEvents();
}

void VELMobileStatImp::uploadImportantEventsIfNeeded()
{
    if (!m_lastUploadTime || qAbs(m_lastUploadTime->secsTo(Clock::now())) > kOneHour)
        uploadAllImportantEvents();
}

void VELMobileStatImp::forceUploadNormalEventsIfMoreThanOneDayIfNeeded()
{
    const Preferences &preferences = Preferences::standard();
    if (!preferences.contains(VELMobileStatDefaultValues::kNormalEventsUploadTimeKey))
        return;
    const QDateTime last = QDateTime::fromMSecsSinceEpoch(qint64(
            preferences.real(VELMobileStatDefaultValues::kNormalEventsUploadTimeKey) * 1000));
    if (qAbs(last.secsTo(Clock::now())) > kOneDay)
        uploadAllNormalEvents();
}

void VELMobileStatImp::sendEventsInFile(const QString &path, FileCallback succeed,
                                        FileCallback failure)
{
    if (storage().isSendingEventLogFile(path))
        return;
    storage().addSendingPath(path);
    const VELStatUpload::Identity who = identity();
    m_networkQueue.async([this, path, who, succeed = std::move(succeed), failure = std::move(failure)] {
        syncSendEventsInFile(path, who, succeed, failure);
    });
}

void VELMobileStatImp::syncSendEventsInFile(const QString &path, const VELStatUpload::Identity &who,
                                            FileCallback succeed, FileCallback failure)
{
    if (!isServiceAvailable() || !Reachability::sharedInstance().isReachable() || !QFile::exists(path)) {
        storage().removeSendingPath(path);
        return;
    }
    const QVariantList events = VELMobileStatEventStorage::eventsInFile(path);
    if (events.isEmpty()) {
        storage().deleteEventLogFile(path);
        logger().logWithLevel(3, "[ERROR] %s(%d): Empty events at path %@", Q_FUNC_INFO, __LINE__, path);
        if (failure)
            MainThread::post(failure);
        return;
    }
    storage().addSendingPath(path);
    const QString json = VELStatUpload::jsonText(VELStatUpload::events2Dictionary(events, who));
    const QByteArray boundary = VELStatUpload::newBoundary();
    auto request = VELHttpRequest::requestWithURL(QUrl(root()));
    request->setRequestMethod("POST");
    request->addRequestHeader("Content-type", "multipart/form-data; boundary=" + boundary);
    request->setPostBody(VELStatUpload::multipartBody(boundary, VELStatUpload::requestParams(who),
                                                      Gzip::compress(json.toUtf8())));
    HalvornConnection connection;
    bool accepted = false;
    connection.sendRequeset(request, false, [&accepted](HalvornConnection &) { accepted = true; }, {});
    if (accepted) {
        storage().deleteEventLogFile(path);
        if (succeed)
            MainThread::post(succeed);
        return;
    }
    storage().removeSendingPath(path);
    logger().logWithLevel(3, "[ERROR] %s(%d): Failed to send events through url %@, with logs %@",
                          Q_FUNC_INFO, __LINE__, connection.requestURL(), json);
    if (failure)
        MainThread::post(failure);
}

void VELMobileStatImp::sendEventRequest(const VELStatEvent &event)
{
    const VELStatUpload::Identity who = identity();
    m_networkQueue.async([this, event, who] { syncSendEventRequest(event, who); });
}

void VELMobileStatImp::syncSendEventRequest(const VELStatEvent &event, const VELStatUpload::Identity &who)
{
    bool sent = false;
    if (isServiceAvailable() && Reachability::sharedInstance().isReachable()) {
        QString url = root() + QStringLiteral("?app_name=%1&apikey=%2").arg(who.appName, who.apikey);
        if (!who.userid.isEmpty())
            url += QStringLiteral("&userid=%1").arg(who.userid);
        if (!who.md5Token.isEmpty())
            url += QStringLiteral("&token=%1").arg(who.md5Token);
        url += QStringLiteral("&%1=%2").arg(QStringLiteral("did"), VELSharedUDID::sharedUDID());
        const QString json = VELStatUpload::jsonText(
                VELStatUpload::events2Dictionary({ event.toMutableDictionary() }, who));
        HalvornConnection connection;
        connection.post(url, QStringLiteral("logs=") + json, false,
                        [&sent](HalvornConnection &) { sent = true; }, {});
    }
    // Not sent: kept for a later upload.
    if (!sent)
        storage().asyncWritelEventToDisk(event);
}

bool VELMobileStatImp::isServiceAvailable() const
{
    return VELStatConfig::localConfig().serviceAvailable();
}

void VELMobileStatImp::sendRequestServiceAvailable(std::function<void(int)> finish)
{
    const QString url = root()
            + QStringLiteral("check?app_name=%1&apikey=%2&sdkVersion=%3")
                      .arg(m_appname, m_apikey, VELMobileStatDefaultValues::kSdkVersion)
            + QStringLiteral("&%1=%2").arg(QStringLiteral("did"), VELSharedUDID::sharedUDID());
    std::make_shared<HalvornConnection>()->get(
            url, {}, true,
            [finish](HalvornConnection &connection) {
                const bool available = connection.fecthResponseString() != QLatin1String("0");
                if (finish)
                    finish(available ? 1 : 0);
                VELStatConfig::localConfig().setServiceAvailable(available);
            },
            {});
}

void VELMobileStatImp::enableCrashReport()
{
    if (!CrashReporter::enable(VELMobileStatDefaultValues::filePathOfPendingCrashReport()))
        logger().logWithLevel(3, "[ERROR] %s(%d): Warning: Could not enable crash reporter: %@",
                              Q_FUNC_INFO, __LINE__,
                              VELMobileStatDefaultValues::filePathOfPendingCrashReport());
    m_crashReportEnabled = true;
}

void VELMobileStatImp::sendCrashReport()
{
    const QString pending = VELMobileStatDefaultValues::filePathOfPendingCrashReport();
    if (!m_crashReportEnabled || !CrashReporter::hasPendingCrashReport(pending))
        return;
    const auto report = CrashReporter::loadPendingCrashReport(pending);
    if (!report) {
        logger().logWithLevel(4, "[WARNING] %s(%d): Could not load crash report: %@", Q_FUNC_INFO,
                              __LINE__, pending);
        return;
    }
    logger().logWithLevel(4, "[WARNING] %s(%d): Crash log identity: %@, local file: %@", Q_FUNC_INFO,
                          __LINE__, report->identity, VELMobileStatDefaultValues::filePathOfCrashLog());
    const VELStatUpload::Identity who = identity();
    m_networkQueue.async([report = *report, who, pending] {
        QVariantMap fields = VELStatUpload::requestParams(who);
        fields.insert("info", VELStatUpload::jsonText(
                                      VELStatUpload::extraInfoWithIdentity(who, report.identity)));
        if (!report.identity.isEmpty())
            fields.insert("identity", report.identity);
        const QByteArray boundary = VELStatUpload::newBoundary();
        auto request = VELHttpRequest::requestWithURL(QUrl(root() + QStringLiteral("crash")));
        request->setRequestMethod("POST");
        request->addRequestHeader("Content-type", "multipart/form-data; boundary=" + boundary);
        request->setPostBody(VELStatUpload::multipartBody(boundary, fields,
                                                          Gzip::compress(report.text.toUtf8())));
        HalvornConnection connection;
        bool sent = false;
        connection.sendRequeset(request, false, [&sent](HalvornConnection &) { sent = true; }, {});
        if (!sent) {
            logger().logWithLevel(3, "[ERROR] %s(%d): Did fail to send crash log through url",
                                  Q_FUNC_INFO, __LINE__);
            logger().logWithLevel(4, "[WARNING] %s(%d): Faile to send crash log", Q_FUNC_INFO, __LINE__);
            return;
        }
        MainThread::post([report, pending] {
            CrashReporter::purgePendingCrashReport(pending);
            QDir().mkpath(QFileInfo(VELMobileStatDefaultValues::filePathOfCrashLog()).absolutePath());
            QSaveFile latest(VELMobileStatDefaultValues::filePathOfCrashLog());
            const QByteArray bytes = report.text.toUtf8();
            if (latest.open(QIODevice::WriteOnly) && latest.write(bytes) == bytes.size())
                latest.commit();
        });
    });
}

void VELMobileStatImp::waitForNetworkQueue()
{
    m_networkQueue.sync([] {});
}
