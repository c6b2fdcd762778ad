#pragma once

#include <QWidget>

#include <memory>

class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace quillane {

struct TProgress;
class TResultReasons;

// The frame every operation page shares: the rules group on the left, the group with the
// start button, and the "执行结果" group whose results box stays hidden until the page's
// job first runs. Each page fills its rules group and may add to the start-button group.
class TOperationPage : public QWidget {
    Q_OBJECT

public:
    // Names are the control names of the page, its start button and its results box.
    struct TNames {
        const char* Page;
        const char* StartButton;
        const char* StartCaption;
        const char* ResultsBox;
        const char* RulesCaption;
        int RulesWidth = 341;
        int StartWidth = 124;
    };

    TOperationPage(QWidget* parent, const TNames& names);

    QPushButton* StartButton() const { return startButton_; }
    QPlainTextEdit* ResultsBox() const { return resultsBox_; }
    // The reasons of the results box's failure lines.
    TResultReasons* ResultReasons() const { return resultReasons_; }
    QGroupBox* RulesGroup() const { return rulesGroup_; }

    // While a job of this page runs: the page is locked except for its stop button,
    // which appears with a progress bar in the start-button group.
    void BeginRun();
    void EndRun();
    // Locks a page while another page's job runs.
    void SetLocked(bool locked);
    void ShowProgress(const TProgress& progress);
    // The run was asked to stop, here or elsewhere: the stop button has done its part.
    void ShowStopping();

    // The field naming the page's output folder; none for a page that writes in place.
    void SetOutputFolderField(const char* name) { outputField_ = name; }
    QString OutputFolder() const;
    // The results box's right-click menu: the usual editing entries and "打开输出文件夹".
    std::unique_ptr<QMenu> ResultsMenu();
    // The language changed: what the page draws or composes itself shows it anew.
    virtual void Retranslate() {}

signals:
    void StartClicked();
    void StopClicked();
    void OpenFolderRequested(const QString& folder);

protected:
    // The start-button group's layout, for the fast/high-quality pair or extra buttons.
    QVBoxLayout* StartLayout() const { return startLayout_; }

private:
    QGroupBox* BuildStartGroup(const TNames& names);
    QGroupBox* BuildResultsGroup(const TNames& names);

    QGroupBox* rulesGroup_;
    QWidget* startPanel_;  // the start button and the page's own choices
    QVBoxLayout* startLayout_;
    QWidget* runPanel_;  // progress and stop, shown during a run only
    QPushButton* startButton_;
    QProgressBar* progressBar_;
    QPushButton* stopButton_;
    QPlainTextEdit* resultsBox_;
    TResultReasons* resultReasons_;
    const char* outputField_ = nullptr;
};

}  // namespace quillane
