#include "MultipartBody.h"

namespace {

QByteArray stripLineEnd(QByteArray bytes)
{
    if (bytes.endsWith("\r\n"))
        bytes.chop(2);
    else if (bytes.endsWith('\n'))
        bytes.chop(1);
    return bytes;
}

} // namespace

QByteArray MultipartBody::Part::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

QByteArray MultipartBody::Part::dispositionParameter(const QByteArray &name) const
{
    return parameter(header("Content-Disposition"), name);
}

QByteArray MultipartBody::parameter(const QByteArray &headerValue, const QByteArray &name)
{
    for (const QByteArray &piece : headerValue.split(';')) {
        const QByteArray trimmed = piece.trimmed();
        const qsizetype equals = trimmed.indexOf('=');
        if (equals < 0 || trimmed.left(equals).trimmed().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        QByteArray value = trimmed.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return {};
}

std::optional<QList<MultipartBody::Part>> MultipartBody::parse(const QByteArray &contentType,
                                                               const QByteArray &body)
{
    const QByteArray boundary = parameter(contentType, "boundary");
    if (boundary.isEmpty())
        return std::nullopt;
    const QByteArray delimiter = "--" + boundary;
    QList<Part> parts;
    qsizetype position = body.indexOf(delimiter);
    while (position >= 0) {
        position += delimiter.size();
        if (body.mid(position, 2) == "--")
            return parts; // the closing delimiter
        const qsizetype next = body.indexOf(delimiter, position);
        if (next < 0)
            return std::nullopt;
        QByteArray chunk = body.mid(position, next - position);
        if (chunk.startsWith("\r\n"))
            chunk.remove(0, 2);
        else if (chunk.startsWith('\n'))
            chunk.remove(0, 1);
        qsizetype split = chunk.indexOf("\r\n\r\n");
        qsizetype gap = 4;
        const qsizetype bare = chunk.indexOf("\n\n");
        if (split < 0 || (bare >= 0 && bare < split)) {
            split = bare;
            gap = 2;
        }
        if (split < 0)
            return std::nullopt;
        Part part;
        for (const QByteArray &line : chunk.left(split).split('\n')) {
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                part.headers.append(qMakePair(line.left(colon).trimmed(), line.mid(colon + 1).trimmed()));
        }
        part.body = stripLineEnd(chunk.mid(split + gap));
        parts.append(part);
        position = next;
    }
    return std::nullopt;
}
