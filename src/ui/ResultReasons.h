#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QPlainTextEdit;
class QTextBlock;

namespace quillane {

// The reasons of a results box's failure lines, by line (block) number: shown as the
// tooltip of a line under the mouse, and in the window's status bar when the line is
// clicked. A result line whose path holds a line break spans several blocks; each of
// them carries the reason.
class TResultReasons : public QObject {
    Q_OBJECT

public:
    explicit TResultReasons(QPlainTextEdit* box);

    // Called as the box is cleared, and right after a line was appended to it.
    void Clear();
    void NoteAppendedLine(int firstBlock);
    // The reason of the line appended last.
    void SetReasonOfLastLine(const QString& reason);

    QString ReasonOfBlock(int block) const { return reasons_.value(block); }
    // The reason of the line at a point of the box's viewport; empty for none.
    QString ReasonAt(const QPoint& viewportPoint) const;
    // The tooltip there: the reason, and above it the whole line where it is drawn shortened.
    QString ToolTipAt(const QPoint& viewportPoint) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextBlock BlockAt(const QPoint& viewportPoint) const;
    void ShowInStatusBar(const QString& reason) const;

    QPlainTextEdit* box_;
    QHash<int, QString> reasons_;
    int lastLineFirstBlock_ = -1;
};

}  // namespace quillane
