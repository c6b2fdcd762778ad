#include "ui/Pictures.h"

#include <QFont>
#include <QPainter>

namespace quillane {

namespace {

QPixmap TransparentPixmap(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

}  // namespace

QPixmap QuestionPicture()
{
    QPixmap pixmap = TransparentPixmap(32, 32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 100, 0), 1));
    painter.setBrush(QColor(30, 160, 60));
    painter.drawEllipse(QRectF(1.5, 1.5, 29, 29));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(22);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("?"));
    return pixmap;
}

QPixmap ProgramPicture()
{
    QPixmap pixmap = TransparentPixmap(32, 32);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(16, 16);
    painter.rotate(-15);
    // White print border, then sky and a hill inside it.
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(-12, -10, 24, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(110, 170, 230));
    painter.drawRect(QRectF(-10, -8, 20, 16));
    painter.setClipRect(QRectF(-10, -8, 20, 16));
    painter.setBrush(QColor(60, 150, 60));
    painter.drawEllipse(QRectF(-14, 1, 22, 14));
    painter.setBrush(QColor(250, 210, 60));
    painter.drawEllipse(QRectF(4, -6, 4, 4));
    return pixmap;
}

QPixmap LinkPicture()
{
    QPixmap pixmap = TransparentPixmap(12, 40);
    QPainter painter(&pixmap);
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.drawPolyline(QPolygon({QPoint(1, 6), QPoint(8, 6), QPoint(8, 34), QPoint(1, 34)}));
    painter.drawLine(QPoint(8, 20), QPoint(11, 20));
    return pixmap;
}

}  // namespace quillane
