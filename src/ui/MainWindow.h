#pragma once

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>

#include "jobs/BatchJob.h"

class QAction;
class QSplitter;
class QTabWidget;

namespace quillane {

class TDialogs;
class TJobRunner;
class TOperationPage;
class TPercentPage;
class TSourceBrowser;
class TWindowHost;

// The main window: the source browser above the seven operation pages. A start button
// checks its page on the GUI thread and hands the run to a worker thread; during a run
// the page and the source browser are locked and a stop button is offered.
class TfrmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The dialogs are created after the window, so they are handed in afterwards.
    void SetDialogs(TDialogs* dialogs) { dialogs_ = dialogs; }
    TDialogs* Dialogs() const { return dialogs_; }

    TSourceBrowser* Browser() const { return GroupBox1; }
    TOperationPage* Page(TJobPage page) const;
    TOperationPage* RunningPage() const { return runningPage_; }
    TWindowHost& Host() const { return *host_; }
    bool JobRunning() const;

    // A start button's click: the checks now, then the run on the worker thread.
    // `closingMessage` is the job's closing message: a run the user stopped still ends
    // with it, as every run that passed its checks does.
    void StartJob(TJobPage page, std::shared_ptr<TBatchJob> job, std::string closingMessage);
    // The stop button: the run ends after the file in progress.
    void RequestStop();

signals:
    // A run has ended and the window is unlocked again.
    void RunFinished();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildPages();
    void FormCreate();
    void CentreOnScreen();
    void SetRunLock(bool locked);
    void RunEnded();

    void BtnPercentClick();
    void mnuExitClick();
    void mnuAboutClick();
    void N2Click();
    void BtnGoodClick();

    TDialogs* dialogs_ = nullptr;
    TWindowHost* host_ = nullptr;
    TJobRunner* runner_ = nullptr;
    TSourceBrowser* GroupBox1 = nullptr;
    QSplitter* Splitter2 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    TPercentPage* TabSheet1 = nullptr;
    std::array<TOperationPage*, 7> pages_{};
    TOperationPage* runningPage_ = nullptr;
    std::shared_ptr<TRunOutcome> outcome_;
    std::string closingMessage_;
    bool stoppedByUser_ = false;
    bool closeAfterRun_ = false;
};

}  // namespace quillane
