#pragma once

#include <QList>
#include <QString>

#include <optional>

// The outside usage-analytics service's client, as far as the application uses it: started with
// a key, a policy code and a channel, then told every event. It keeps what it was given (there
// is no outside service on this machine) and writes each call to the debug log.
class VELAnalyticsSDK
{
public:
    struct Call
    {
        QString kind; // "event", "beginEvent" or "endEvent"
        QString name;
        std::optional<QString> label;
    };

    static VELAnalyticsSDK &sharedInstance();

    void startWithAppkey(const QString &appKey, int reportPolicy, const QString &channelId);
    void event(const QString &name, const std::optional<QString> &label = std::nullopt);
    void beginEvent(const QString &name);
    void endEvent(const QString &name);

    int startCount() const { return m_startCount; }
    QString appKey() const { return m_appKey; }
    int reportPolicy() const { return m_reportPolicy; }
    QString channelId() const { return m_channelId; }
    QList<Call> calls() const { return m_calls; }

private:
    void record(const QString &kind, const QString &name, const std::optional<QString> &label);

    int m_startCount = 0;
    QString m_appKey;
    int m_reportPolicy = -1;
    QString m_channelId;
    QList<Call> m_calls;
};
