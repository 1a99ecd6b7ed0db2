#include "VELQuery.h"

namespace {

// Characters that may stand in a URL as they are; everything else is escaped as UTF-8.
const QByteArray kUrlCharacters = "!#$%&'()*+,/:;=?@[]~";

QString escapedForUrl(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toPercentEncoding(kUrlCharacters));
}

QString escapedComponent(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

} // namespace

VELQuery::VELQuery(const QString &subPath, const QVariantMap &parameters)
    : m_subPath(subPath), m_parameters(parameters)
{ }

QString VELQuery::plainText(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return value.toString();
}

QString VELQuery::parametersUrlString() const
{
    QString query;
    for (auto it = m_parameters.cbegin(); it != m_parameters.cend(); ++it) {
        query += query.isEmpty() ? u'?' : u'&';
        query += escapedComponent(it.key()) + u'=' + escapedComponent(plainText(it.value()));
    }
    return query;
}

QString VELQuery::requestURLString() const
{
    return escapedForUrl(m_apiBaseUrlString + m_subPath) + parametersUrlString();
}

QUrl VELQuery::requestURL() const
{
    return QUrl::fromEncoded(requestURLString().toLatin1());
}
