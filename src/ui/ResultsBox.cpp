#include "ui/ResultsBox.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

namespace quillane {

QString ElideResultLine(const QString& line, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    const qsizetype slash = line.lastIndexOf(QLatin1Char('/'));
    const QString tail = line.mid(slash + 1);  // the file name and the outcome
    const int room = width - metrics.horizontalAdvance(tail);
    if (slash < 0 || room < metrics.horizontalAdvance(QStringLiteral("/…/")))
        return metrics.elidedText(line, Qt::ElideLeft, width);  // the outcome above all
    return metrics.elidedText(line.left(slash + 1), Qt::ElideMiddle, room) + tail;
}

TResultsBox::TResultsBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // Lines are elided to the width: there is nothing to scroll to sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

int TResultsBox::LineWidth() const
{
    return viewport()->width() - 2 * static_cast<int>(document()->documentMargin());
}

QString TResultsBox::ShownText(const QTextBlock& block) const
{
    return ElideResultLine(block.text(), fontMetrics(), LineWidth());
}

void TResultsBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().base());
    const QTextCursor cursor = textCursor();
    const int margin = static_cast<int>(document()->documentMargin());
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF bounds = blockBoundingGeometry(block).translated(offset);
        if (bounds.top() > event->rect().bottom())
            break;
        const QRectF line(margin, bounds.top(), LineWidth(), bounds.height());
        const bool selected = cursor.hasSelection() && cursor.selectionStart() < block.position() + block.length() &&
                              cursor.selectionEnd() > block.position();
        if (selected)
            painter.fillRect(QRectF(0, bounds.top(), viewport()->width(), bounds.height()), palette().highlight());
        painter.setPen(selected ? palette().highlightedText().color() : palette().text().color());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, ShownText(block));
    }
}

}  // namespace quillane
