#include "gui/help/AboutPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {

QPixmap blank(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A stick figure drawn with round, thick strokes, in a 100 x 160 box.
void figure(QPainter& p, const QPointF& hip, double lean, double armUp, double legOut)
{
    const QPointF neck = hip + QPointF(lean, -52);
    p.drawLine(hip, neck);
    p.save();
    p.setBrush(p.pen().color());
    p.drawEllipse(neck + QPointF(lean * 0.3, -16), 10, 10);
    p.restore();
    const QPointF shoulder = neck + QPointF(0, 6);
    p.drawLine(shoulder, shoulder + QPointF(-22, -armUp));
    p.drawLine(shoulder, shoulder + QPointF(24, armUp * 0.4 - 14));
    const QPointF knee1 = hip + QPointF(-legOut, 30);
    const QPointF knee2 = hip + QPointF(legOut * 0.6, 32);
    p.drawLine(hip, knee1);
    p.drawLine(knee1, knee1 + QPointF(-6, 32));
    p.drawLine(hip, knee2);
    p.drawLine(knee2, knee2 + QPointF(14, 28));
}

} // namespace

QPixmap AboutPictures::dancers(const QSize& size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(40, 30, 110));
    sky.setColorAt(0.6, QColor(230, 90, 80));
    sky.setColorAt(1, QColor(255, 190, 90));
    p.fillRect(pixmap.rect(), sky);
    QRadialGradient sun(size.width() * 0.7, size.height() * 0.78, size.height() * 0.35);
    sun.setColorAt(0, QColor(255, 240, 170));
    sun.setColorAt(1, QColor(255, 240, 170, 0));
    p.fillRect(pixmap.rect(), sun);
    p.fillRect(QRectF(0, size.height() * 0.88, size.width(), size.height()), QColor(30, 20, 40));

    p.scale(size.width() / 250.0, size.height() / 161.0);
    p.setPen(QPen(QColor(20, 12, 30), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    figure(p, QPointF(100, 90), -6, 34, 16);
    p.save();
    p.translate(262, 0);
    p.scale(-1, 1);
    figure(p, QPointF(118, 92), -4, 10, 10);
    p.restore();
    // The joined hands.
    p.drawLine(QPointF(118, 48), QPointF(130, 44));
    return pixmap;
}

QPixmap AboutPictures::filmLoop(const QSize& size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient back(0, 0, size.width(), size.height());
    back.setColorAt(0, QColor(20, 60, 90));
    back.setColorAt(1, QColor(10, 120, 110));
    p.fillRect(pixmap.rect(), back);

    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const double outer = size.height() * 0.45;
    const double inner = outer * 0.62;
    QPainterPath strip;
    strip.addEllipse(centre, outer, outer);
    strip.addEllipse(centre, inner, inner);
    p.fillPath(strip, QColor(25, 25, 28));

    const int frames = 12;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < frames; ++i) {
        p.save();
        p.translate(centre);
        p.rotate(i * 360.0 / frames);
        // A frame of the film, lit in warm colours.
        const double mid = (outer + inner) / 2;
        const double width = (outer - inner) * 0.55;
        p.setBrush(QColor::fromHsv((i * 30) % 360, 120, 240));
        p.drawRoundedRect(QRectF(-width * 0.7, -mid - width / 2, width * 1.4, width), 2, 2);
        // Sprocket holes on both edges.
        p.setBrush(QColor(200, 200, 200));
        for (double r : {outer - (outer - inner) * 0.1, inner + (outer - inner) * 0.1})
            p.drawRect(QRectF(-2, -r - 2, 4, 4));
        p.restore();
    }
    // The play arrow in the middle.
    QPainterPath arrow;
    const double a = inner * 0.55;
    arrow.moveTo(centre + QPointF(-a * 0.5, -a * 0.7));
    arrow.lineTo(centre + QPointF(a * 0.8, 0));
    arrow.lineTo(centre + QPointF(-a * 0.5, a * 0.7));
    arrow.closeSubpath();
    p.fillPath(arrow, QColor(4, 179, 108));
    return pixmap;
}

QPixmap AboutPictures::loopSign(const QSize& size)
{
    QPixmap pixmap = blank(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(size.width(), size.height());
    const QRectF ring(side * 0.15, side * 0.15, side * 0.7, side * 0.7);
    p.setPen(QPen(QColor(4, 179, 108), side * 0.12, Qt::SolidLine, Qt::RoundCap));
    // Round from 100 degrees to 60, the arrow pointing onwards.
    p.drawArc(ring, 100 * 16, 320 * 16);
    const double angle = qDegreesToRadians(60.0);
    const double radius = ring.width() / 2;
    const QPointF end = ring.center() + QPointF(radius * qCos(angle), -radius * qSin(angle));
    const QPointF along(-qSin(angle), -qCos(angle));
    const QPointF across(qCos(angle), -qSin(angle));
    const double s = side * 0.16;
    QPainterPath head;
    head.moveTo(end + along * s * 1.2);
    head.lineTo(end + across * s);
    head.lineTo(end - across * s);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.fillPath(head, QColor(4, 179, 108));
    return pixmap;
}

TPicture::TPicture(const QPixmap& pixmap, const QString& description, QWidget* parent)
    : QWidget(parent), m_pixmap(pixmap)
{
    setFixedSize(pixmap.size());
    setAccessibleName(description);
}

void TPicture::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, m_pixmap);
}
