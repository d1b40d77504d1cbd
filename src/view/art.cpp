#include "view/art.h"

#include <QDataStream>
#include <QIODevice>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cmath>

namespace {

QImage canvas(int width, int height, QColor fill, qreal ratio)
{
    QImage image(QSize(width, height) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

// A raised tile: face colour with a light top-left edge and a dark bottom-right edge.
QImage bevelTile(QColor face, qreal ratio, int height = 39)
{
    QImage image = canvas(39, height, face, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 0, 39);
    shade.setColorAt(0, face.lighter(118));
    shade.setColorAt(1, face.darker(108));
    p.fillRect(QRect(0, 0, 39, 39), shade);
    p.setPen(QPen(face.lighter(150), 2));
    p.drawLine(1, 1, 37, 1);
    p.drawLine(1, 1, 1, 37);
    p.setPen(QPen(face.darker(150), 2));
    p.drawLine(1, 38, 38, 38);
    p.drawLine(38, 1, 38, 38);
    return image;
}

} // namespace

QImage art::playFieldBackground(qreal ratio)
{
    QImage image = canvas(342, 544, QColor(0, 140, 214), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Logo strip.
    QLinearGradient sky(0, 0, 0, 80);
    sky.setColorAt(0, QColor(40, 180, 250));
    sky.setColorAt(1, QColor(0, 120, 200));
    p.fillRect(QRect(0, 0, 342, 80), sky);
    QFont logo(QStringLiteral("RocknRoll One"));
    logo.setPixelSize(30);
    p.setFont(logo);
    p.setPen(QColor(0, 50, 120));
    p.drawText(QRect(14, 12, 230, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tazumeki"));
    p.setPen(QColor(255, 240, 80));
    p.drawText(QRect(12, 10, 230, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tazumeki"));

    // Board panel: the tiles sit at (30, 114) with a pitch of 40.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 40, 96));
    p.drawRoundedRect(QRectF(18, 102, 306, 304), 10, 10);
    p.setBrush(QColor(0, 28, 70));
    p.drawRect(QRect(28, 112, 283, 283));

    // Answer and clock panel.
    p.setBrush(QColor(0, 66, 140));
    p.drawRoundedRect(QRectF(18, 416, 306, 40), 8, 8);
    p.setBrush(QColor(0, 30, 80));
    p.drawRoundedRect(QRectF(186, 412, 100, 30), 5, 5);

    // Question panel around the white question box.
    p.setBrush(QColor(230, 245, 255));
    p.drawRoundedRect(QRectF(14, 458, 322, 78), 8, 8);
    p.setBrush(Qt::white);
    p.drawRect(QRect(62, 462, 269, 69));
    return image;
}

QImage art::emptyTile(qreal ratio)
{
    const QColor face(0, 56, 128);
    QImage image = canvas(39, 39, face, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(face.lighter(130), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 38, 38));
    for (QPointF stud : {QPointF(11, 11), QPointF(28, 11), QPointF(11, 28), QPointF(28, 28)}) {
        QRadialGradient g(stud - QPointF(1.5, 1.5), 6);
        g.setColorAt(0, QColor(70, 130, 210));
        g.setColorAt(1, QColor(0, 40, 100));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(stud, 5, 5);
    }
    return image;
}

QImage art::blankTile(qreal ratio)
{
    return bevelTile(QColor(150, 210, 255), ratio, 40);
}

QImage art::playerTile(qreal ratio)
{
    return bevelTile(QColor(255, 226, 60), ratio);
}

QImage art::cpuTile(qreal ratio)
{
    return bevelTile(QColor(255, 150, 196), ratio);
}

QImage art::explosionStrip(qreal ratio)
{
    QImage image = canvas(800, 80, Qt::black, ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator sparks(20061111); // the same sparks every run
    for (int f = 0; f < 10; ++f) {
        const QPointF centre(80 * f + 40, 40);
        const double t = (f + 1) / 10.0;
        const double radius = 8 + 30 * std::sqrt(t);
        const int fade = static_cast<int>(255 * (1.0 - 0.75 * t));
        QRadialGradient fire(centre, radius);
        fire.setColorAt(0, QColor(255, 255, 220, fade));
        fire.setColorAt(0.35, QColor(255, 220, 60, fade));
        fire.setColorAt(0.7, QColor(255, 110, 0, fade * 3 / 4));
        fire.setColorAt(1, QColor(0, 0, 0, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(fire);
        p.drawEllipse(centre, radius, radius);
        for (int s = 0; s < 14; ++s) {
            const double angle = sparks.bounded(360) * M_PI / 180.0;
            const double distance = radius * (0.6 + sparks.bounded(50) / 100.0);
            const QPointF at = centre + QPointF(std::cos(angle) * distance, std::sin(angle) * distance);
            p.setBrush(QColor(255, 240 - 10 * f, 120, fade));
            p.drawEllipse(at, 1.8, 1.8);
        }
    }
    // Pure black stays transparent: keep the frame edges exactly black.
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x]) < 24) {
                line[x] = qRgb(0, 0, 0);
            }
        }
    }
    return image;
}

QImage art::resultBackground(qreal ratio)
{
    QImage image = canvas(280, 209, QColor(0, 140, 214), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 210, 250));
    p.drawRoundedRect(QRectF(2, 2, 276, 205), 12, 12);
    p.setBrush(QColor(255, 248, 220));
    p.drawRoundedRect(QRectF(10, 10, 260, 189), 8, 8);
    // The note sheet, its top right corner folded.
    QPainterPath sheet;
    sheet.moveTo(30, 48);
    sheet.lineTo(234, 48);
    sheet.lineTo(250, 64);
    sheet.lineTo(250, 150);
    sheet.lineTo(30, 150);
    sheet.closeSubpath();
    p.setBrush(QColor(200, 200, 200));
    p.drawPath(sheet.translated(2, 2));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.setBrush(QColor(225, 225, 225));
    p.drawPolygon(QPolygonF({QPointF(234, 48), QPointF(234, 64), QPointF(250, 64)}));
    p.setPen(QPen(QColor(200, 225, 245), 1));
    for (int y = 86; y < 150; y += 24) {
        p.drawLine(40, y, 240, y);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 50, 120));
    p.drawRoundedRect(QRectF(160, 152, 100, 36), 6, 6);
    QFont title(QStringLiteral("RocknRoll One"));
    title.setPixelSize(16);
    p.setFont(title);
    p.setPen(QColor(0, 90, 170));
    p.drawText(QRect(20, 16, 240, 26), Qt::AlignCenter, QStringLiteral("RESULT"));
    return image;
}

QImage art::button(const QString& caption, ButtonState state, qreal ratio)
{
    QImage image = canvas(77, 26, QColor(0, 140, 214), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const bool down = state == ButtonState::Down;
    const bool lit = state == ButtonState::Over;
    QLinearGradient face(0, 0, 0, 26);
    if (down) {
        face.setColorAt(0, QColor(120, 170, 225));
        face.setColorAt(1, QColor(200, 228, 255));
    } else {
        face.setColorAt(0, lit ? QColor(255, 255, 230) : QColor(255, 255, 255));
        face.setColorAt(0.5, lit ? QColor(255, 236, 150) : QColor(214, 236, 255));
        face.setColorAt(1, lit ? QColor(250, 190, 60) : QColor(150, 195, 240));
    }
    p.setPen(QPen(QColor(0, 60, 130), 1.2));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(1, 1, 75, 24), 6, 6);
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(lit ? QColor(120, 40, 0) : QColor(0, 50, 120));
    p.drawText(QRect(down ? 1 : 0, down ? 1 : 0, 77, 26), Qt::AlignCenter, caption);
    return image;
}

QImage art::recordBanner(qreal ratio)
{
    QImage image = canvas(615, 78, QColor(11, 164, 255), ratio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 78);
    sky.setColorAt(0, QColor(120, 210, 255));
    sky.setColorAt(1, QColor(11, 164, 255));
    p.fillRect(QRect(0, 0, 615, 78), sky);
    // A row of little tile characters, each with a face, hopping along.
    const QColor colors[] = {QColor(255, 226, 60), QColor(255, 150, 196), QColor(150, 210, 255), QColor(140, 230, 140)};
    for (int i = 0; i < 12; ++i) {
        const QPointF at(26 + 50 * i, 22 + (i % 2) * 14);
        p.setPen(QPen(QColor(0, 60, 130), 1.5));
        p.setBrush(colors[i % 4]);
        p.drawRoundedRect(QRectF(at, QSizeF(34, 34)), 6, 6);
        p.setBrush(QColor(0, 40, 90));
        p.setPen(Qt::NoPen);
        p.drawEllipse(at + QPointF(11, 13), 2.5, 3.2);
        p.drawEllipse(at + QPointF(23, 13), 2.5, 3.2);
        p.setPen(QPen(QColor(0, 40, 90), 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(at + QPointF(10, 15), QSizeF(14, 10)), 200 * 16, 140 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 120, 150, 160));
        p.drawEllipse(at + QPointF(7, 21), 3, 2);
        p.drawEllipse(at + QPointF(27, 21), 3, 2);
    }
    return image;
}

QImage art::appIcon(int size)
{
    // Drawn, not scaled, at every size so that menus and docks get crisp edges.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QColor face(255, 226, 60);
    const QRectF tile(3, 3, 58, 58);
    QLinearGradient shade(0, 3, 0, 61);
    shade.setColorAt(0, face.lighter(118));
    shade.setColorAt(1, face.darker(112));
    p.setPen(QPen(face.darker(160), 2));
    p.setBrush(shade);
    p.drawRoundedRect(tile, 9, 9);
    p.setPen(QPen(face.lighter(150), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(tile.adjusted(3, 3, -3, -3), 7, 7);
    QFont font(QStringLiteral("HG創英角ﾎﾟｯﾌﾟ体"));
    font.setPixelSize(40);
    p.setFont(font);
    p.setPen(QColor(0, 0, 255));
    p.drawText(tile, Qt::AlignCenter, QStringLiteral("た"));
    return image;
}

namespace {

const char* pieceName(art::Piece piece)
{
    switch (piece) {
    case art::Piece::PlayField: return "play_field";
    case art::Piece::EmptyTile: return "tile_empty";
    case art::Piece::BlankTile: return "tile_blank";
    case art::Piece::PlayerTile: return "tile_player";
    case art::Piece::CpuTile: return "tile_cpu";
    case art::Piece::ExplosionStrip: return "explosion";
    case art::Piece::ResultBackground: return "result";
    case art::Piece::RecordBanner: return "record_banner";
    case art::Piece::StartButton: return "button_start";
    case art::Piece::RecordButton: return "button_record";
    case art::Piece::CloseButton: return "button_close";
    case art::Piece::OkButton: return "button_ok";
    }
    return "";
}

} // namespace

QImage art::draw(Piece piece, qreal ratio)
{
    switch (piece) {
    case Piece::PlayField: return playFieldBackground(ratio);
    case Piece::EmptyTile: return emptyTile(ratio);
    case Piece::BlankTile: return blankTile(ratio);
    case Piece::PlayerTile: return playerTile(ratio);
    case Piece::CpuTile: return cpuTile(ratio);
    case Piece::ExplosionStrip: return explosionStrip(ratio);
    case Piece::ResultBackground: return resultBackground(ratio);
    case Piece::RecordBanner: return recordBanner(ratio);
    case Piece::StartButton: return button(QStringLiteral("スタート"), ButtonState::Init, ratio);
    case Piece::RecordButton: return button(QStringLiteral("記録"), ButtonState::Init, ratio);
    case Piece::CloseButton: return button(QStringLiteral("閉じる"), ButtonState::Init, ratio);
    case Piece::OkButton: return button(QStringLiteral("ＯＫ"), ButtonState::Init, ratio);
    }
    return {};
}

QString art::storedFile(Piece piece, int ratio)
{
    const QString name = QLatin1String(pieceName(piece));
    return ratio == 1 ? name + QStringLiteral(".pixels") : QStringLiteral("%1@%2x.pixels").arg(name).arg(ratio);
}

QString art::windowIconFile(int size)
{
    return QStringLiteral("icon_%1.pixels").arg(size);
}

namespace {

constexpr qsizetype kHeaderSize = 12; // width, height, format: three big-endian 32-bit numbers

bool isPackable(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QByteArray art::packPixels(const QImage& image)
{
    if (image.isNull() || !isPackable(image.format()) || image.bytesPerLine() != image.width() * 4) {
        return {};
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << quint32(image.width()) << quint32(image.height()) << quint32(image.format());
    out.writeRawData(reinterpret_cast<const char*>(image.constBits()), static_cast<int>(image.sizeInBytes()));
    return bytes;
}

QImage art::unpackPixels(const QByteArray& bytes)
{
    QDataStream in(bytes);
    quint32 width = 0;
    quint32 height = 0;
    quint32 format = 0;
    in >> width >> height >> format;
    constexpr quint32 kLargest = 8192;
    if (in.status() != QDataStream::Ok || width == 0 || height == 0 || width > kLargest || height > kLargest ||
        !isPackable(static_cast<QImage::Format>(format)) ||
        bytes.size() - kHeaderSize != qsizetype(width) * qsizetype(height) * 4) {
        return {};
    }
    // The image reads the bytes where they are; its last copy lets them go.
    auto* owner = new QByteArray(bytes);
    return QImage(reinterpret_cast<const uchar*>(owner->constData() + kHeaderSize), int(width), int(height),
                  int(width) * 4, static_cast<QImage::Format>(format),
                  [](void* info) { delete static_cast<QByteArray*>(info); }, owner);
}
