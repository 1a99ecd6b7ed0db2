#pragma once

#include "HalvornConnection.h"
#include "VELStatEvent.h"
#include "VELStatUpload.h"

#include "platform/SerialQueue.h"

#include <QDateTime>
#include <QObject>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

// The statistics engine: takes events, stores or sends them by the report policy, records the
// application's launches and terminations, uploads stored files to the statistics host on a
// serial network queue, checks whether the host takes statistics, and sends crash reports.
// Public operations are called on the main thread.
class VELMobileStatImp : public QObject
{
    Q_OBJECT
public:
    static VELMobileStatImp &sharedInstance();
    VELMobileStatImp();
    ~VELMobileStatImp() override;

    static constexpr int kPolicyUploadAtLaunch = 1;
    static constexpr int kPolicyWiFi = 2;
    static constexpr int kPolicyCellular = 4;
    static constexpr int kNetworkUnknown = 0;
    static constexpr int kNetwork3G = 1;
    static constexpr int kNetworkWiFi = 2;

    void startWithAppkey(const QString &appkey, const QString &appName, int reportPolicy,
                         const QString &channelId);
    bool isStarted() const { return m_started; }
    QString apikey() const { return m_apikey; }
    QString appname() const { return m_appname; }
    QString channel() const { return m_channel; }
    int strategy() const { return m_strategy; }
    QString userid() const { return m_userid; }
    QString md5Token() const { return m_md5Token; }

    void bindUser(const QString &userId, const QString &token);
    void unBindUser();

    void event(const QString &name, const std::optional<QString> &label, int acc);
    // `type`: 1 important, 0 normal.
    void event(const QString &name, const std::optional<QString> &label, int type, int acc);
    void beginEvent(const QString &name, const std::optional<QString> &label);
    void endEvent(const QString &name, const std::optional<QString> &label);
    void logEvent(const VELStatEvent &event, bool syncWrite);

    // Lifecycle; the engine observes the application notifications and calls these.
    void applicationDidFinishLaunching(const QVariantMap &launchOptions);
    void applicationWillEnterForeground();
    void applicationDidEnterBackground();
    void applicationWillTerminate();
    void reachabilityChanged();
    static QString launchLabel(const QVariantMap &launchOptions);

    int networkStatus() const;
    static QString networkName(int status);

    void uploadAllEvents();
    void uploadAllImportantEvents();
    void uploadAllNormalEvents();
    void uploadAllEventsIfNeeded();
    void uploadImportantEventsIfNeeded();
    void forceUploadNormalEventsIfMoreThanOneDayIfNeeded();
    using FileCallback = std::function<void()>;
    void sendEventsInFile(const QString &path, FileCallback succeed, FileCallback failure);
    void sendEventRequest(const VELStatEvent &event);
    std::optional<QDateTime> lastUploadTime() const { return m_lastUploadTime; }

    void sendRequestServiceAvailable(std::function<void(int)> finish = {});
    bool isServiceAvailable() const;

    void enableCrashReport();
    bool crashReportEnabled() const { return m_crashReportEnabled; }
    void sendCrashReport();

    // Waits until the network queue has run what was queued so far (tests and shutdown).
    void waitForNetworkQueue();

private:
    VELStatUpload::Identity identity() const;
    void uploadFiles(const QStringList &paths, bool normal);
    void syncSendEventsInFile(const QString &path, const VELStatUpload::Identity &who,
                              FileCallback succeed, FileCallback failure);
    void syncSendEventRequest(const VELStatEvent &event, const VELStatUpload::Identity &who);
    // Drops the event when the engine has no key; true when it was kept or sent.
    bool record(VELStatEvent event, bool syncWrite);
    void recordTermination(const std::optional<QString> &label);

    QString m_apikey;
    QString m_appname;
    QString m_channel;
    int m_strategy = kPolicyUploadAtLaunch;
    bool m_started = false;
    QString m_userid;
    QString m_md5Token;
    std::optional<QDateTime> m_lastUploadTime;
    bool m_crashReportEnabled = false;
    int m_networkStatus = kNetworkUnknown;
    SerialQueue m_networkQueue;
};
