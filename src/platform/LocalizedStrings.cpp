#include "LocalizedStrings.h"

#include <QHash>

namespace {

struct Texts
{
    const char *chinese;
    const char *english;
};

const QHash<QByteArray, Texts> &table()
{
    static const QHash<QByteArray, Texts> texts = {
        { "lsDefaultCurrentCity", { "北京", "Beijing" } },
    };
    return texts;
}

} // namespace

QString LocalizedStrings::languageFor(const QLocale &locale)
{
    return locale.language() == QLocale::English ? QStringLiteral("en") : QStringLiteral("zh");
}

QString LocalizedStrings::text(const char *key)
{
    const auto it = table().constFind(QByteArray(key));
    if (it == table().cend())
        return QString::fromUtf8(key);
    return QString::fromUtf8(languageFor(QLocale::system()) == QLatin1String("en") ? it->english
                                                                                    : it->chinese);
}
