#pragma once

#include <QByteArray>

#include <optional>

// gzip streams (RFC 1952) through zlib.
class Gzip
{
public:
    static QByteArray compress(const QByteArray &data, int level = 6);
    // None when the input is not a whole, valid gzip stream.
    static std::optional<QByteArray> decompress(const QByteArray &data);
};
