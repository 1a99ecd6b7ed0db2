#include "Preferences.h"

#include "ApplicationHome.h"
#include "SharedInstances.h"

#include <QFile>

namespace {

// QSettings reads '/' and '\' in a key as group separators; keys here are flat texts.
QString encodeKey(const QString &key)
{
    QString encoded = key;
    encoded.replace(u'%', QStringLiteral("%25"));
    encoded.replace(u'/', QStringLiteral("%2F"));
    encoded.replace(u'\\', QStringLiteral("%5C"));
    return encoded;
}

QString decodeKey(const QString &key)
{
    QString decoded = key;
    decoded.replace(QStringLiteral("%2F"), QStringLiteral("/"));
    decoded.replace(QStringLiteral("%5C"), QStringLiteral("\\"));
    decoded.replace(QStringLiteral("%25"), QStringLiteral("%"));
    return decoded;
}

} // namespace

Preferences::Preferences()
    : m_settings(std::make_unique<QSettings>(ApplicationHome::preferencesFilePath(),
                                             QSettings::IniFormat))
{ }

Preferences::~Preferences()
{
    synchronize();
}

Preferences &Preferences::standard()
{
    return SharedInstance<Preferences>::get();
}

QVariant Preferences::value(const QString &key, const QVariant &fallback) const
{
    QMutexLocker locker(&m_mutex);
    return m_settings->value(encodeKey(key), fallback);
}

QString Preferences::string(const QString &key) const
{
    return value(key).toString();
}

qint64 Preferences::integer(const QString &key, qint64 fallback) const
{
    return value(key, fallback).toLongLong();
}

double Preferences::real(const QString &key, double fallback) const
{
    return value(key, fallback).toDouble();
}

bool Preferences::boolean(const QString &key, bool fallback) const
{
    return value(key, fallback).toBool();
}

QVariantMap Preferences::dictionary(const QString &key) const
{
    return value(key).toMap();
}

bool Preferences::contains(const QString &key) const
{
    QMutexLocker locker(&m_mutex);
    return m_settings->contains(encodeKey(key));
}

QStringList Preferences::keys() const
{
    QMutexLocker locker(&m_mutex);
    QStringList result;
    const QStringList stored = m_settings->allKeys();
    for (const QString &key : stored)
        result << decodeKey(key);
    return result;
}

void Preferences::setValue(const QString &key, const QVariant &value)
{
    QMutexLocker locker(&m_mutex);
    m_settings->setValue(encodeKey(key), value);
}

void Preferences::remove(const QString &key)
{
    QMutexLocker locker(&m_mutex);
    m_settings->remove(encodeKey(key));
}

void Preferences::clear()
{
    QMutexLocker locker(&m_mutex);
    m_settings->clear();
}

bool Preferences::synchronize()
{
    QMutexLocker locker(&m_mutex);
    m_settings->sync();
    const QString path = m_settings->fileName();
    if (QFile::exists(path))
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return m_settings->status() == QSettings::NoError;
}

QString Preferences::filePath() const
{
    return m_settings->fileName();
}
