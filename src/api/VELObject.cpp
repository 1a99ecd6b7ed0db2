#include "VELObject.h"

#include "platform/Clock.h"

#include <QJsonDocument>

VELObject::VELObject(const QJsonObject &dictionary) : m_dictionary(dictionary) { }

std::optional<QJsonObject> VELObject::parse(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}

void VELObject::setDictionary(const QJsonObject &dictionary)
{
    m_dictionary = dictionary;
    emit changed();
}

QString VELObject::string() const
{
    return QString::fromUtf8(QJsonDocument(m_dictionary).toJson(QJsonDocument::Compact));
}

void VELObject::setString(const QString &text)
{
    if (std::optional<QJsonObject> parsed = parse(text))
        setDictionary(*parsed);
}

void VELObject::setValue(const QString &key, const QJsonValue &value)
{
    if (value.isUndefined())
        m_dictionary.remove(key);
    else
        m_dictionary.insert(key, value);
    emit changed();
}

void VELObject::setText(const QString &key, const QString &value)
{
    setValue(key, value.isNull() ? QJsonValue(QJsonValue::Undefined) : QJsonValue(value));
}

QString VELObject::text(QStringView key) const
{
    const QJsonValue value = m_dictionary.value(key);
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 17);
    if (value.isBool())
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return QString();
}

namespace {

// Like a C library's atoll: the leading decimal digits, after blanks and an optional sign.
qint64 leadingInteger(QStringView text)
{
    text = text.trimmed();
    qsizetype end = (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) ? 1 : 0;
    while (end < text.size() && text.at(end).isDigit())
        ++end;
    return text.left(end).toLongLong();
}

} // namespace

qint64 VELObject::integer(QStringView key) const
{
    const QJsonValue value = m_dictionary.value(key);
    if (value.isString())
        return leadingInteger(value.toString());
    if (value.isBool())
        return value.toBool() ? 1 : 0;
    return qint64(value.toDouble());
}

float VELObject::real(QStringView key) const
{
    const QJsonValue value = m_dictionary.value(key);
    if (value.isString())
        return value.toString().trimmed().toFloat();
    return float(value.toDouble());
}

bool VELObject::boolean(QStringView key) const
{
    const QJsonValue value = m_dictionary.value(key);
    if (value.isBool())
        return value.toBool();
    if (value.isDouble())
        return value.toDouble() != 0;
    return false;
}

QDateTime VELObject::time(QStringView key) const
{
    const QJsonValue value = m_dictionary.value(key);
    return value.isString() ? dateOfString(value.toString()) : QDateTime();
}

QDateTime VELObject::dateOfString(const QString &text)
{
    return dateOfString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime VELObject::dateOfString(const QString &text, const QString &format)
{
    QDateTime parsed = QDateTime::fromString(text, format);
    if (!parsed.isValid())
        return QDateTime();
    parsed.setTimeZone(Clock::timeZone());
    return parsed;
}

QDateTime VELObject::dateFromExpiresin(const QVariant &seconds)
{
    return Clock::now().addMSecs(qint64(seconds.toDouble() * 1000));
}

QDateTime VELObject::dateFromExpiresTimestamp(const QVariant &seconds)
{
    return QDateTime::fromMSecsSinceEpoch(qint64(seconds.toDouble() * 1000), Qt::UTC);
}

double VELObject::expiresTimestamp(const QDateTime &moment)
{
    return double(moment.toMSecsSinceEpoch()) / 1000.0;
}
