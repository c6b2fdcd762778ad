#pragma once

#include <QPlainTextEdit>

class QFontMetrics;
class QTextBlock;

namespace quillane {

// A result line as it fits `width`: unchanged when it fits; otherwise the middle of its
// folder path gives way, so the file name and the outcome at the end stay in sight.
QString ElideResultLine(const QString& line, const QFontMetrics& metrics, int width);

// A page's results box. Every line is drawn on one line of the box, elided to its width
// (see ElideResultLine); the text itself, what is copied and searched, stays whole.
class TResultsBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TResultsBox(QWidget* parent);

    // The block's line as the box draws it now.
    QString ShownText(const QTextBlock& block) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int LineWidth() const;
};

}  // namespace quillane
