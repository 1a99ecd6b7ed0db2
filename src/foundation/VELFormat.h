#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <type_traits>

// printf-style formatting with the placeholders the code base uses: %@ for a value's text, %d %i
// %u %x %X %o %c with the h/l/ll/q/z lengths, %f %e %g with precision, %s, %p and %%. Flags, width
// and precision apply to every kind. A placeholder without an argument stays as written.
class VELFormat
{
public:
    static QString format(const char *format, const QVariantList &arguments);

    template<typename... Args>
    static QVariantList arguments(const Args &...args)
    {
        return QVariantList{ toVariant(args)... };
    }

    // The text %@ gives for a value: strings as they are, numbers in C form, maps and lists as
    // compact JSON, none as "(null)".
    static QString describe(const QVariant &value);

private:
    template<typename T>
    static QVariant toVariant(const T &value)
    {
        if constexpr (std::is_array_v<T> && std::is_convertible_v<T, const char *>) {
            return QString::fromUtf8(value);
        } else if constexpr (std::is_convertible_v<T, const char *>) {
            const char *text = value;
            return text ? QVariant(QString::fromUtf8(text)) : QVariant();
        } else if constexpr (std::is_pointer_v<T>)
            return QVariant::fromValue(quintptr(value));
        else
            return QVariant::fromValue(value);
    }
};
