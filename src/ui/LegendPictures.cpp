#include "ui/LegendPictures.h"
#include "ui/WindowTr.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace quillane {

namespace {

constexpr int kBoxWidth = 24;
constexpr int kBoxHeight = 13;
constexpr int kGap = 11;  // distance of the box from the measured edges

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// An arrow head at `tip`, opening towards (dx, dy).
void DrawArrowHead(QPainter& painter, QPoint tip, int dx, int dy)
{
    const QPoint back(tip.x() + 2 * dx, tip.y() + 2 * dy);
    const QPoint side(2 * dy, 2 * dx);
    painter.drawLine(tip, back + side);
    painter.drawLine(tip, back - side);
}

// A dimension arrow from `from` to `to`, heads at both ends.
void DrawArrow(QPainter& painter, QPoint from, QPoint to)
{
    painter.drawLine(from, to);
    const int dx = Sign(to.x() - from.x());
    const int dy = Sign(to.y() - from.y());
    DrawArrowHead(painter, from, dx, dy);
    DrawArrowHead(painter, to, -dx, -dy);
}

void DrawBox(QPainter& painter, const QRect& box)
{
    painter.setPen(QColor(120, 100, 0));
    painter.setBrush(QColor(255, 230, 0));
    painter.drawRect(box);
    const QString word = Window::tr("水印");
    QFont font = painter.font();
    // A translation may be longer than the two characters the box was drawn for.
    for (int size = 9; size >= 6; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(word) < box.width())
            break;
    }
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, word);
}

void DrawLabel(QPainter& painter, const QRect& area, const QString& text)
{
    QFont font = painter.font();
    font.setPixelSize(8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(180, 0, 0));
    painter.drawText(area, Qt::AlignCenter, text);
}

}  // namespace

QPixmap OriginLegend(int entry)
{
    QPixmap picture(kLegendWidth, kLegendHeight);
    if (entry != 0 && entry != 1) {
        picture.fill(Qt::transparent);
        return picture;
    }
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(0, 0, kLegendWidth - 1, kLegendHeight - 1);
    const int right = kLegendWidth - 1;
    const int bottom = kLegendHeight - 1;
    const bool fromBottomRight = entry == 0;
    const QRect box = fromBottomRight
                          ? QRect(right - kGap - kBoxWidth, bottom - kGap - kBoxHeight, kBoxWidth, kBoxHeight)
                          : QRect(kGap + 1, kGap + 1, kBoxWidth, kBoxHeight);
    DrawBox(painter, box);

    painter.setPen(QColor(180, 0, 0));
    const int arrowY = box.center().y();
    const int arrowX = box.center().x();
    if (fromBottomRight) {
        DrawArrow(painter, QPoint(box.right() + 1, arrowY), QPoint(right, arrowY));
        DrawArrow(painter, QPoint(arrowX, box.bottom() + 1), QPoint(arrowX, bottom));
        DrawLabel(painter, QRect(box.right() + 1, arrowY - 11, kGap, 9), QStringLiteral("X"));
        DrawLabel(painter, QRect(arrowX + 1, box.bottom() + 2, 9, kGap), QStringLiteral("Y"));
    } else {
        DrawArrow(painter, QPoint(0, arrowY), QPoint(box.left() - 1, arrowY));
        DrawArrow(painter, QPoint(arrowX, 0), QPoint(arrowX, box.top() - 1));
        DrawLabel(painter, QRect(0, arrowY + 2, kGap, 9), QStringLiteral("X"));
        DrawLabel(painter, QRect(arrowX + 1, 1, 9, kGap), QStringLiteral("Y"));
    }
    return picture;
}

}  // namespace quillane
