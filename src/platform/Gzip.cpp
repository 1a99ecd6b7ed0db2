#include "Gzip.h"

#include <zlib.h>

namespace {

constexpr int kGzipWindowBits = 15 + 16; // 16 asks zlib for the gzip wrapper
constexpr int kChunk = 64 * 1024;

} // namespace

QByteArray Gzip::compress(const QByteArray &data, int level)
{
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, kGzipWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out;
    out.resize(qsizetype(deflateBound(&stream, uLong(data.size()))) + 32);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

std::optional<QByteArray> Gzip::decompress(const QByteArray &data)
{
    z_stream stream{};
    if (inflateInit2(&stream, kGzipWindowBits) != Z_OK)
        return std::nullopt;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    QByteArray out;
    int result = Z_OK;
    while (result == Z_OK) {
        const qsizetype before = out.size();
        out.resize(before + kChunk);
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + before);
        stream.avail_out = kChunk;
        result = inflate(&stream, Z_NO_FLUSH);
        out.resize(before + (kChunk - qsizetype(stream.avail_out)));
    }
    inflateEnd(&stream);
    // Z_BUF_ERROR here means the input ended before the stream did.
    if (result != Z_STREAM_END)
        return std::nullopt;
    return out;
}
