#pragma once

#include <QByteArray>
#include <QList>
#include <QLocale>
#include <QString>

// The application's localised texts, looked up by their "ls" keys: Chinese unless the locale's
// language is another one the table has (English). The locale is the default one (the system's
// unless the application sets another). An unknown key reads as itself.
class LocalizedStrings
{
public:
    static QString text(const char *key);
    static QString text(const char *key, const QString &language);
    static QList<QByteArray> keys();
    // The table's language for a locale: "zh" or "en".
    static QString languageFor(const QLocale &locale);
};
