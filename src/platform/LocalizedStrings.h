#pragma once

#include <QLocale>
#include <QString>

// The application's localised texts, looked up by their "ls" keys: Chinese unless the system's
// language is another one the table has (English). An unknown key reads as itself.
class LocalizedStrings
{
public:
    static QString text(const char *key);
    // The table's language for a locale: "zh" or "en".
    static QString languageFor(const QLocale &locale);
};
