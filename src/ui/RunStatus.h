#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quillane {

struct TProgress;

// The run as the status bar shows it, whichever page is in front: a progress bar,
// "n / N", the file in progress and "停止". Hidden while no run goes on.
class TRunStatus : public QWidget {
    Q_OBJECT

public:
    explicit TRunStatus(QWidget* parent);

    void Begin();
    void End();
    void ShowProgress(const TProgress& progress);
    // The stop was asked for: the run ends after the file in progress.
    void ShowStopping();

signals:
    void StopClicked();
    // A progress report was shown; the run's worker waits until it has been.
    void ProgressShown();

private:
    QProgressBar* bar_;
    QLabel* count_;
    QLabel* file_;
    QPushButton* stop_;
};

}  // namespace quillane
