#include "PicturePainter.h"

#include <QFont>
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QTextOption>

namespace {

struct Palette
{
    QColor from, to, accent;
};

Palette paletteFor(const QString &category, int style)
{
    static const QHash<QString, Palette> palettes = {
        { "music", { QColor(0x2b1055), QColor(0x7597de), QColor(0xffd166) } },
        { "drama", { QColor(0x5c0a0a), QColor(0xc0392b), QColor(0xf5e6c8) } },
        { "exhibition", { QColor(0xf4efe6), QColor(0xc9b79c), QColor(0x1d3557) } },
        { "sports", { QColor(0x00695c), QColor(0x4db6ac), QColor(0xfff176) } },
        { "party", { QColor(0xff6f61), QColor(0xffc371), QColor(0x3d348b) } },
        { "commonweal", { QColor(0x2e7d32), QColor(0xa5d6a7), QColor(0xffffff) } },
        { "travel", { QColor(0x0d47a1), QColor(0x81d4fa), QColor(0xffe082) } },
        { "film", { QColor(0x111111), QColor(0x434343), QColor(0xe0c068) } },
        { "salon", { QColor(0x37474f), QColor(0x90a4ae), QColor(0xff8a65) } },
    };
    Palette palette = palettes.value(category, { QColor(0x6d4c41), QColor(0xbcaaa4), QColor(0xfff8e1) });
    // Each event shifts its hues a little, so neighbouring posters differ.
    const int shift = (style % 41) - 20;
    auto turn = [shift](const QColor &c) {
        return QColor::fromHsv((c.hsvHue() + shift + 360) % 360, c.hsvSaturation(), c.value());
    };
    return { turn(palette.from), turn(palette.to), palette.accent };
}

QFont fontOfPixels(int pixels, bool bold)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(std::max(6, pixels));
    font.setBold(bold);
    return font;
}

} // namespace

QImage PicturePainter::poster(qint64 eventId, int style, const QString &title,
                              const QString &category, const QString &when, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const Palette palette = paletteFor(category, style);
    const qreal w = size.width(), h = size.height();

    QLinearGradient background(0, 0, (style & 1) ? w : 0, h);
    background.setColorAt(0, palette.from);
    background.setColorAt(1, palette.to);
    painter.fillRect(image.rect(), background);

    QRandomGenerator random(quint32(eventId * 7919 + style));
    QColor accent = palette.accent;
    switch (style % 3) {
    case 0: // circles
        for (int i = 0; i < 6; ++i) {
            accent.setAlpha(40 + int(random.bounded(120)));
            painter.setBrush(accent);
            painter.setPen(Qt::NoPen);
            const qreal r = w * (0.08 + random.generateDouble() * 0.3);
            painter.drawEllipse(QPointF(random.generateDouble() * w, random.generateDouble() * h * 0.6),
                                r, r);
        }
        break;
    case 1: // diagonal bands
        for (int i = 0; i < 5; ++i) {
            accent.setAlpha(50 + int(random.bounded(100)));
            painter.setPen(QPen(accent, w * (0.02 + random.generateDouble() * 0.08)));
            const qreal x = random.generateDouble() * w * 1.5 - w * 0.25;
            painter.drawLine(QPointF(x, 0), QPointF(x - w * 0.6, h * 0.7));
        }
        break;
    default: { // hills
        for (int layer = 0; layer < 3; ++layer) {
            QPainterPath hills;
            hills.moveTo(0, h);
            const qreal base = h * (0.35 + 0.12 * layer);
            for (int x = 0; x <= 8; ++x)
                hills.lineTo(w * x / 8.0, base + random.generateDouble() * h * 0.12);
            hills.lineTo(w, h);
            accent.setAlpha(60 + 50 * layer);
            painter.fillPath(hills, accent);
        }
    }
    }

    // The text panel at the bottom.
    const QRectF panel(0, h * 0.62, w, h * 0.38);
    painter.fillRect(panel, QColor(0, 0, 0, 110));
    const qreal margin = w * 0.07;
    painter.setPen(Qt::white);
    painter.setFont(fontOfPixels(int(h * 0.065), true));
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    painter.drawText(QRectF(margin, panel.top() + h * 0.03, w - 2 * margin, h * 0.19), title, wrap);
    painter.setFont(fontOfPixels(int(h * 0.035), false));
    painter.drawText(QRectF(margin, h - h * 0.1, w - 2 * margin, h * 0.06),
                     Qt::AlignLeft | Qt::AlignVCenter, when);
    painter.setPen(palette.accent);
    painter.setFont(fontOfPixels(int(h * 0.03), true));
    painter.drawText(QRectF(margin, h * 0.04, w - 2 * margin, h * 0.05),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("VELARI"));
    return image;
}

QImage PicturePainter::photo(qint64 photoId, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator random(quint32(photoId * 2654435761u));
    const qreal w = size.width(), h = size.height();
    const int hue = int(random.bounded(360));

    // A lit stage or a sky, a crowd or a skyline, and lights.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor::fromHsv(hue, 160, 60));
    sky.setColorAt(1, QColor::fromHsv((hue + 40) % 360, 120, 200));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 5; ++i) {
        QRadialGradient light(QPointF(random.generateDouble() * w, random.generateDouble() * h * 0.5),
                              w * (0.1 + random.generateDouble() * 0.25));
        light.setColorAt(0, QColor::fromHsv((hue + 180) % 360, 80, 255, 180));
        light.setColorAt(1, QColor(255, 255, 255, 0));
        painter.fillRect(image.rect(), light);
    }
    QPainterPath crowd;
    crowd.moveTo(0, h);
    for (int x = 0; x <= 40; ++x)
        crowd.lineTo(w * x / 40.0, h * (0.72 + random.generateDouble() * 0.1));
    crowd.lineTo(w, h);
    painter.fillPath(crowd, QColor(20, 20, 30, 230));
    return image;
}

QImage PicturePainter::avatar(qint64 userId, const QString &name, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(image.rect(), QColor::fromHsv(int(userId * 47 % 360), 110, 210));
    painter.setPen(Qt::white);
    painter.setFont(fontOfPixels(int(size.height() * 0.5), true));
    painter.drawText(image.rect(), Qt::AlignCenter, name.left(1));
    return image;
}
