#pragma once

#include <QMetaType>
#include <QString>
#include <QUrl>
#include <QVariantMap>

// A request to the events service: a path below the base URL and its parameters.
class VELQuery
{
public:
    VELQuery() = default;
    explicit VELQuery(const QString &subPath, const QVariantMap &parameters = {});

    QString subPath() const { return m_subPath; }
    QVariantMap parameters() const { return m_parameters; }
    QString apiBaseUrlString() const { return m_apiBaseUrlString; }
    void setApiBaseUrlString(const QString &base) { m_apiBaseUrlString = base; }

    // Base URL and path, escaped for a URL, then the parameters. Keys and values are
    // percent-encoded on their own, so "&", "=" and "?" inside a value reach the server intact.
    QString requestURLString() const;
    QUrl requestURL() const;
    // "" without parameters, else the query part beginning with "?".
    QString parametersUrlString() const;

    // A value's plain text form: numbers as decimal digits.
    static QString plainText(const QVariant &value);

private:
    QString m_subPath;
    QVariantMap m_parameters;
    QString m_apiBaseUrlString;
};
Q_DECLARE_METATYPE(VELQuery)
