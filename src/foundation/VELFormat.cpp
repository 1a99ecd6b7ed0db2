#include "VELFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <cstring>

namespace {

bool isFlag(char c)
{
    return c && std::strchr("-+ #0'", c);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The C library's own rendering, so numbers read exactly as printf writes them.
template<typename T>
QString cFormat(const QByteArray &spec, T value)
{
    char small[128];
    const int length = std::snprintf(small, sizeof small, spec.constData(), value);
    if (length < 0)
        return QString();
    if (size_t(length) < sizeof small)
        return QString::fromUtf8(small, length);
    QByteArray large(length + 1, Qt::Uninitialized);
    std::snprintf(large.data(), size_t(large.size()), spec.constData(), value);
    return QString::fromUtf8(large.constData(), length);
}

} // namespace

QString VELFormat::describe(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("(null)");
    switch (value.typeId()) {
    case QMetaType::QVariantMap:
        return QString::fromUtf8(QJsonDocument(QJsonObject::fromVariantMap(value.toMap()))
                                         .toJson(QJsonDocument::Compact));
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return QString::fromUtf8(QJsonDocument(QJsonArray::fromVariantList(value.toList()))
                                         .toJson(QJsonDocument::Compact));
    case QMetaType::QJsonObject:
        return QString::fromUtf8(
                QJsonDocument(value.toJsonObject()).toJson(QJsonDocument::Compact));
    case QMetaType::QJsonArray:
        return QString::fromUtf8(QJsonDocument(value.toJsonArray()).toJson(QJsonDocument::Compact));
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    default: return value.toString();
    }
}

QString VELFormat::format(const char *format, const QVariantList &arguments)
{
    QString out;
    if (!format)
        return out;
    qsizetype next = 0;
    const char *p = format;
    const char *literal = p;
    auto flushLiteral = [&](const char *end) {
        if (end > literal)
            out += QString::fromUtf8(literal, end - literal);
    };
    while (*p) {
        if (*p != '%') {
            ++p;
            continue;
        }
        flushLiteral(p);
        const char *start = p++;
        if (*p == '%') {
            out += u'%';
            literal = ++p;
            continue;
        }
        QByteArray spec("%");
        while (isFlag(*p))
            spec += *p++;
        while (isDigit(*p))
            spec += *p++;
        if (*p == '.') {
            spec += *p++;
            while (isDigit(*p))
                spec += *p++;
        }
        while (*p && std::strchr("hlqzjtL", *p))
            ++p; // widths come from the argument, not from the format
        const char conversion = *p;
        if (!conversion || !std::strchr("@diuxXocfFeEgGsp", conversion)) {
            // Not a placeholder we know: keep it as written.
            literal = start;
            if (*p)
                ++p;
            flushLiteral(p);
            literal = p;
            continue;
        }
        ++p;
        literal = p;
        if (next >= arguments.size()) {
            out += QString::fromUtf8(start, p - start);
            continue;
        }
        const QVariant &argument = arguments.at(next++);
        switch (conversion) {
        case 'd':
        case 'i': out += cFormat(spec + "lld", argument.toLongLong()); break;
        case 'u':
        case 'x':
        case 'X':
        case 'o': out += cFormat(spec + "ll" + conversion, argument.toULongLong()); break;
        case 'c': out += cFormat(spec + 'c', argument.toInt()); break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G': out += cFormat(spec + conversion, argument.toDouble()); break;
        case 'p':
            out += QStringLiteral("0x") + cFormat(spec + "llx", argument.toULongLong());
            break;
        default: // '@' and 's'
            out += cFormat(spec + 's', describe(argument).toUtf8().constData());
            break;
        }
    }
    flushLiteral(p);
    return out;
}
