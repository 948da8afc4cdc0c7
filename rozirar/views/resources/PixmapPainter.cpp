// Paints the pictures of the views (unit drawings and check-box marks) into PNG files at build
// time, so the artwork lives as code in the repository.
//
// Usage: views_pixmaps <output folder>

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>

namespace
{
// The air colours of the value labels, so a reading and its duct match.
const QColor OUTDOOR_AIR(112, 192, 112);
const QColor EXHAUST_AIR(196, 160, 96);
const QColor EXTRACT_AIR(205, 205, 96);
const QColor SUPPLY_AIR(224, 160, 160);
const QColor OUTLINE(40, 48, 56);

QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// An arrow head at the end of a straight stretch, pointing along it.
void drawArrowHead(QPainter& painter, QPointF tip, qreal angleDegrees, qreal size, const QColor& colour)
{
    painter.save();
    painter.translate(tip);
    painter.rotate(angleDegrees);
    QPainterPath head;
    head.moveTo(0, 0);
    head.lineTo(-size, -size * 0.6);
    head.lineTo(-size, size * 0.6);
    head.closeSubpath();
    painter.setPen(QPen(OUTLINE, 2));
    painter.setBrush(colour);
    painter.drawPath(head);
    painter.restore();
}

// A broad translucent band along the path, ended by an arrow head.
void drawAirStream(QPainter& painter, const QPainterPath& path, const QColor& colour)
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(colour.darker(130), 200), 46, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
    painter.setPen(QPen(withAlpha(colour, 230), 38, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(path);
    const QPointF tip = path.pointAtPercent(1.0);
    drawArrowHead(painter, tip + QPointF(0, 0), -path.angleAtPercent(0.999), 40, colour);
}

void drawFan(QPainter& painter, QPointF centre, qreal radius)
{
    painter.save();
    painter.translate(centre);
    QRadialGradient ring(QPointF(0, 0), radius);
    ring.setColorAt(0.0, QColor(90, 98, 108));
    ring.setColorAt(1.0, QColor(50, 56, 64));
    painter.setPen(QPen(OUTLINE, 3));
    painter.setBrush(ring);
    painter.drawEllipse(QPointF(0, 0), radius, radius);

    const int nBlades = 7;
    for (int i = 0; i < nBlades; ++i)
    {
        painter.save();
        painter.rotate(360.0 * i / nBlades);
        QPainterPath blade;
        blade.moveTo(radius * 0.22, 0);
        blade.cubicTo(radius * 0.5, -radius * 0.35, radius * 0.85, -radius * 0.25, radius * 0.9, 0);
        blade.cubicTo(radius * 0.7, radius * 0.05, radius * 0.45, radius * 0.1, radius * 0.22, 0);
        QLinearGradient bladeShade(0, -radius * 0.3, 0, radius * 0.1);
        bladeShade.setColorAt(0, QColor(200, 210, 220));
        bladeShade.setColorAt(1, QColor(130, 140, 150));
        painter.setPen(QPen(OUTLINE, 1.5));
        painter.setBrush(bladeShade);
        painter.drawPath(blade);
        painter.restore();
    }
    QRadialGradient hub(QPointF(-radius * 0.05, -radius * 0.05), radius * 0.25);
    hub.setColorAt(0, QColor(230, 230, 230));
    hub.setColorAt(1, QColor(120, 120, 120));
    painter.setBrush(hub);
    painter.drawEllipse(QPointF(0, 0), radius * 0.22, radius * 0.22);
    painter.restore();
}

// The cross-flow heat exchanger: a square block on its corner with its plate edges.
void drawHeatExchanger(QPainter& painter, QPointF centre, qreal halfDiagonal)
{
    QPainterPath diamond;
    diamond.moveTo(centre + QPointF(0, -halfDiagonal));
    diamond.lineTo(centre + QPointF(halfDiagonal, 0));
    diamond.lineTo(centre + QPointF(0, halfDiagonal));
    diamond.lineTo(centre + QPointF(-halfDiagonal, 0));
    diamond.closeSubpath();

    QLinearGradient copper(centre - QPointF(halfDiagonal, halfDiagonal),
                           centre + QPointF(halfDiagonal, halfDiagonal));
    copper.setColorAt(0, QColor(250, 214, 150));
    copper.setColorAt(0.5, QColor(226, 170, 96));
    copper.setColorAt(1, QColor(170, 112, 52));
    painter.setPen(Qt::NoPen);
    painter.setBrush(copper);
    painter.drawPath(diamond);

    painter.save();
    painter.setClipPath(diamond);
    painter.setPen(QPen(QColor(120, 80, 40, 150), 2));
    for (qreal d = -2 * halfDiagonal; d <= 2 * halfDiagonal; d += 14)
    {
        painter.drawLine(centre + QPointF(d - halfDiagonal, -halfDiagonal),
                         centre + QPointF(d + halfDiagonal, halfDiagonal));
        painter.drawLine(centre + QPointF(d - halfDiagonal, halfDiagonal),
                         centre + QPointF(d + halfDiagonal, -halfDiagonal));
    }
    painter.restore();

    painter.setPen(QPen(OUTLINE, 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(diamond);
}

QImage paintTolVane100()
{
    QImage image(600, 900, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Ducts to the outside (left), the room (right) and the second room (top and bottom).
    const QColor ductShade(170, 176, 184);
    painter.setPen(QPen(OUTLINE, 3));
    painter.setBrush(ductShade);
    for (const QRectF& duct : {QRectF(0, 130, 80, 110), QRectF(0, 680, 80, 110), QRectF(520, 130, 80, 110),
                               QRectF(520, 680, 80, 110), QRectF(250, 0, 100, 60), QRectF(250, 840, 100, 60)})
        painter.drawRect(duct);

    // Housing.
    QLinearGradient body(60, 0, 540, 0);
    body.setColorAt(0, QColor(246, 248, 250));
    body.setColorAt(0.6, QColor(222, 226, 232));
    body.setColorAt(1, QColor(180, 186, 194));
    painter.setPen(QPen(OUTLINE, 5));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(60, 40, 480, 820), 44, 44);
    painter.setPen(QPen(QColor(150, 156, 164), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(84, 64, 432, 772), 30, 30);

    // Air streams through the exchanger: outdoor air becomes supply air, extract air exhaust air.
    QPainterPath outdoor(QPointF(10, 185));
    outdoor.lineTo(170, 185);
    outdoor.lineTo(300, 450);
    outdoor.lineTo(430, 735);
    outdoor.lineTo(575, 735);
    QPainterPath extract(QPointF(590, 185));
    extract.lineTo(430, 185);
    extract.lineTo(300, 450);
    extract.lineTo(170, 735);
    extract.lineTo(25, 735);
    QPainterPath secondRoom(QPointF(300, 10));
    secondRoom.lineTo(300, 110);
    drawAirStream(painter, secondRoom, EXTRACT_AIR);
    QPainterPath secondRoomSupply(QPointF(300, 790));
    secondRoomSupply.lineTo(300, 890);
    drawAirStream(painter, secondRoomSupply, SUPPLY_AIR);

    drawAirStream(painter, outdoor, OUTDOOR_AIR);
    drawAirStream(painter, extract, EXTRACT_AIR);
    drawHeatExchanger(painter, QPointF(300, 450), 150);

    // The cooled and warmed halves leave the exchanger in their new colours.
    QPainterPath supply(QPointF(375, 610));
    supply.lineTo(430, 735);
    supply.lineTo(575, 735);
    drawAirStream(painter, supply, SUPPLY_AIR);
    QPainterPath exhaust(QPointF(225, 610));
    exhaust.lineTo(170, 735);
    exhaust.lineTo(25, 735);
    drawAirStream(painter, exhaust, EXHAUST_AIR);

    drawFan(painter, QPointF(170, 185), 62);
    drawFan(painter, QPointF(430, 735), 62);

    // Filters in front of the fans.
    painter.setPen(QPen(OUTLINE, 2));
    painter.setBrush(QColor(250, 250, 250, 220));
    for (const QRectF& filter : {QRectF(92, 140, 14, 90), QRectF(494, 140, 14, 90)})
    {
        painter.drawRect(filter);
        for (qreal y = filter.top() + 8; y < filter.bottom(); y += 10)
            painter.drawLine(QPointF(filter.left(), y), QPointF(filter.right(), y + 4));
    }
    return image;
}

QImage paintTolVanePlus()
{
    QImage image(600, 600, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The wall between the two rooms, cut open.
    QLinearGradient wall(230, 0, 370, 0);
    wall.setColorAt(0, QColor(190, 180, 168));
    wall.setColorAt(1, QColor(150, 140, 128));
    painter.setPen(QPen(OUTLINE, 3));
    painter.setBrush(wall);
    painter.drawRect(QRectF(230, 0, 140, 600));
    painter.setPen(QPen(QColor(120, 110, 100), 2));
    for (qreal y = 30; y < 600; y += 40)
    {
        painter.drawLine(QPointF(230, y), QPointF(370, y));
        const qreal x = (int(y) / 40) % 2 ? 300 : 265;
        painter.drawLine(QPointF(x, y), QPointF(x, y + 40));
    }

    // The tube through the wall with its fan.
    QLinearGradient tube(0, 220, 0, 380);
    tube.setColorAt(0, QColor(210, 214, 220));
    tube.setColorAt(0.5, QColor(245, 246, 248));
    tube.setColorAt(1, QColor(170, 176, 184));
    painter.setPen(QPen(OUTLINE, 3));
    painter.setBrush(tube);
    painter.drawRect(QRectF(200, 220, 200, 160));

    // Extract air comes in from the preferred room (right) and leaves as supply air on the left.
    QPainterPath extract(QPointF(590, 120));
    extract.cubicTo(QPointF(500, 120), QPointF(470, 300), QPointF(380, 300));
    drawAirStream(painter, extract, EXTRACT_AIR);
    QPainterPath supply(QPointF(220, 300));
    supply.cubicTo(QPointF(130, 300), QPointF(100, 480), QPointF(10, 480));
    drawAirStream(painter, supply, SUPPLY_AIR);

    drawFan(painter, QPointF(300, 300), 66);

    // Round room-side cover with its grille rings.
    QRadialGradient cover(QPointF(470, 280), 150, QPointF(450, 250));
    cover.setColorAt(0, QColor(255, 255, 255));
    cover.setColorAt(0.7, QColor(226, 230, 236));
    cover.setColorAt(1, QColor(170, 176, 186));
    painter.setPen(QPen(OUTLINE, 4));
    painter.setBrush(cover);
    painter.drawRoundedRect(QRectF(396, 170, 44, 260), 16, 16);
    painter.setPen(QPen(QColor(140, 146, 156), 3));
    for (qreal y = 200; y <= 400; y += 25)
        painter.drawLine(QPointF(406, y), QPointF(430, y));

    // Weather hood on the outdoor-air side.
    painter.setPen(QPen(OUTLINE, 4));
    painter.setBrush(QColor(200, 206, 214));
    QPainterPath hood;
    hood.moveTo(200, 190);
    hood.lineTo(160, 210);
    hood.lineTo(160, 390);
    hood.lineTo(200, 410);
    hood.closeSubpath();
    painter.drawPath(hood);
    return image;
}

QImage paintCheckMark(bool bChecked)
{
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient box(0, 0, 0, 32);
    box.setColorAt(0, QColor(255, 255, 255, 230));
    box.setColorAt(1, QColor(200, 210, 220, 230));
    painter.setPen(QPen(QColor(0, 0, 64), 2));
    painter.setBrush(box);
    painter.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    if (bChecked)
    {
        QPainterPath tick(QPointF(8, 17));
        tick.lineTo(14, 23);
        tick.lineTo(25, 9);
        painter.setPen(QPen(QColor(0, 140, 40), 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    return image;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: views_pixmaps <output folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
    {
        std::fprintf(stderr, "views_pixmaps: cannot create %s\n", argv[1]);
        return 1;
    }
    const struct
    {
        const char* name;
        QImage image;
    } pictures[] = {{"tolVane100.png", paintTolVane100()},
                    {"tolVaneplus.png", paintTolVanePlus()},
                    {"Checked.png", paintCheckMark(true)},
                    {"NotChecked.png", paintCheckMark(false)}};
    for (const auto& picture : pictures)
    {
        if (!picture.image.save(dir.filePath(QLatin1String(picture.name)), "PNG"))
        {
            std::fprintf(stderr, "views_pixmaps: cannot write %s\n", picture.name);
            return 1;
        }
    }
    return 0;
}
