#pragma once

#include <QMutex>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <memory>

// The key-value preferences store that persists across launches: an INI file in the application
// home, owner-only because tokens live in it. Safe to use from any thread.
class Preferences
{
public:
    Preferences();
    ~Preferences();

    static Preferences &standard();

    QVariant value(const QString &key, const QVariant &fallback = {}) const;
    QString string(const QString &key) const;
    qint64 integer(const QString &key, qint64 fallback = 0) const;
    double real(const QString &key, double fallback = 0) const;
    bool boolean(const QString &key, bool fallback = false) const;
    QVariantMap dictionary(const QString &key) const;
    bool contains(const QString &key) const;
    QStringList keys() const;

    void setValue(const QString &key, const QVariant &value);
    void remove(const QString &key);
    void clear();
    // Writes pending changes to disk. False when the file could not be written.
    bool synchronize();

    QString filePath() const;

private:
    mutable QMutex m_mutex;
    std::unique_ptr<QSettings> m_settings;
};
