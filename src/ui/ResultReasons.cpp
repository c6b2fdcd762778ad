#include "ui/ResultReasons.h"

#include <QHelpEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include "ui/ResultsBox.h"

namespace quillane {

TResultReasons::TResultReasons(QPlainTextEdit* box) : QObject(box), box_(box)
{
    box_->viewport()->installEventFilter(this);
}

void TResultReasons::Clear()
{
    reasons_.clear();
    lastLineFirstBlock_ = -1;
}

void TResultReasons::NoteAppendedLine(int firstBlock)
{
    lastLineFirstBlock_ = firstBlock;
}

void TResultReasons::SetReasonOfLastLine(const QString& reason)
{
    if (lastLineFirstBlock_ < 0)
        return;
    const int lastBlock = box_->document()->blockCount() - 1;
    for (int block = lastLineFirstBlock_; block <= lastBlock; ++block)
        reasons_.insert(block, reason);
}

QTextBlock TResultReasons::BlockAt(const QPoint& viewportPoint) const
{
    const QTextBlock block = box_->cursorForPosition(viewportPoint).block();
    if (!block.isValid())
        return {};
    // A point below the last line still lands on it; only a point on the line counts.
    const QRect line = box_->cursorRect(QTextCursor(block));
    if (viewportPoint.y() < line.top() || viewportPoint.y() > line.bottom())
        return {};
    return block;
}

QString TResultReasons::ReasonAt(const QPoint& viewportPoint) const
{
    const QTextBlock block = BlockAt(viewportPoint);
    return block.isValid() ? ReasonOfBlock(block.blockNumber()) : QString();
}

QString TResultReasons::ToolTipAt(const QPoint& viewportPoint) const
{
    const QTextBlock block = BlockAt(viewportPoint);
    if (!block.isValid())
        return {};
    const QString reason = ReasonOfBlock(block.blockNumber());
    // A line drawn shortened shows itself whole, above its reason.
    const auto* results = qobject_cast<const TResultsBox*>(box_);
    if (results == nullptr || results->ShownText(block) == block.text())
        return reason;
    return reason.isEmpty() ? block.text() : block.text() + QLatin1Char('\n') + reason;
}

bool TResultReasons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != box_->viewport())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = ToolTipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, box_->viewport());
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const QString reason = ReasonAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (!reason.isEmpty())
            ShowInStatusBar(reason);
    }
    return QObject::eventFilter(watched, event);
}

void TResultReasons::ShowInStatusBar(const QString& reason) const
{
    if (auto* window = qobject_cast<QMainWindow*>(box_->window()))
        window->statusBar()->showMessage(reason);
}

}  // namespace quillane
