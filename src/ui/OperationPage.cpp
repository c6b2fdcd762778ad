#include "ui/OperationPage.h"
#include "ui/WindowLanguage.h"

#include "jobs/JobHost.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>

#include "ui/ResultReasons.h"
#include "ui/ResultsBox.h"
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillane {

TOperationPage::TOperationPage(QWidget* parent, const TNames& names) : QWidget(parent)
{
    setObjectName(QString::fromUtf8(names.Page));
    rulesGroup_ = new QGroupBox(Window::tr(names.RulesCaption), this);
    rulesGroup_->setFixedWidth(names.RulesWidth);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(rulesGroup_);
    layout->addWidget(BuildStartGroup(names));
    layout->addWidget(BuildResultsGroup(names), 1);

    connect(startButton_, &QPushButton::clicked, this, &TOperationPage::StartClicked);
    connect(stopButton_, &QPushButton::clicked, this, [this] {
        stopButton_->setEnabled(false);  // the run ends after the file in progress
        emit StopClicked();
    });
}

QGroupBox* TOperationPage::BuildStartGroup(const TNames& names)
{
    auto* startGroup = new QGroupBox(this);
    startGroup->setFixedWidth(names.StartWidth);
    startPanel_ = new QWidget(startGroup);
    startLayout_ = new QVBoxLayout(startPanel_);
    startLayout_->setContentsMargins(0, 0, 0, 0);
    startButton_ = new QPushButton(Window::tr(names.StartCaption), startPanel_);
    startButton_->setObjectName(QString::fromUtf8(names.StartButton));
    startLayout_->addWidget(startButton_);

    runPanel_ = new QWidget(startGroup);
    progressBar_ = new QProgressBar(runPanel_);
    progressBar_->setObjectName(QStringLiteral("PbRun"));
    progressBar_->setTextVisible(false);
    stopButton_ = new QPushButton(Window::tr("停止"), runPanel_);
    stopButton_->setObjectName(QStringLiteral("BtnStop"));
    auto* runLayout = new QVBoxLayout(runPanel_);
    runLayout->setContentsMargins(0, 0, 0, 0);
    runLayout->addWidget(progressBar_);
    runLayout->addWidget(stopButton_);
    runPanel_->hide();

    auto* layout = new QVBoxLayout(startGroup);
    layout->addWidget(startPanel_);
    layout->addStretch();
    layout->addWidget(runPanel_);
    return startGroup;
}

QGroupBox* TOperationPage::BuildResultsGroup(const TNames& names)
{
    auto* resultsGroup = new QGroupBox(Window::tr("执行结果"), this);
    resultsBox_ = new TResultsBox(resultsGroup);
    resultsBox_->setObjectName(QString::fromUtf8(names.ResultsBox));
    resultsBox_->setFrameShape(QFrame::NoFrame);
    resultsBox_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; }"));
    resultsBox_->hide();  // until the page's job first runs
    resultsBox_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultsBox_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { ResultsMenu()->exec(resultsBox_->viewport()->mapToGlobal(point)); });
    resultReasons_ = new TResultReasons(resultsBox_);
    auto* layout = new QVBoxLayout(resultsGroup);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(resultsBox_);
    return resultsGroup;
}

void TOperationPage::SetLocked(bool locked)
{
    rulesGroup_->setEnabled(!locked);
    startPanel_->setEnabled(!locked);
}

void TOperationPage::BeginRun()
{
    SetLocked(true);
    progressBar_->setRange(0, 0);
    stopButton_->setEnabled(true);
    runPanel_->show();
}

void TOperationPage::EndRun()
{
    runPanel_->hide();
    SetLocked(false);
}

QString TOperationPage::OutputFolder() const
{
    const auto* field = outputField_ ? findChild<QLineEdit*>(QString::fromUtf8(outputField_)) : nullptr;
    return field ? field->text().trimmed() : QString();
}

std::unique_ptr<QMenu> TOperationPage::ResultsMenu()
{
    std::unique_ptr<QMenu> menu(resultsBox_->createStandardContextMenu());
    menu->addSeparator();
    const QString folder = OutputFolder();
    QAction* open =
        menu->addAction(Window::tr("打开输出文件夹"), this, [this, folder] { emit OpenFolderRequested(folder); });
    open->setEnabled(!folder.isEmpty());
    return menu;
}

void TOperationPage::ShowStopping()
{
    stopButton_->setEnabled(false);
}

void TOperationPage::ShowProgress(const TProgress& progress)
{
    if (!progress.FilesTotal || *progress.FilesTotal == 0) {
        progressBar_->setRange(0, 0);  // still counting: a busy bar
        return;
    }
    progressBar_->setRange(0, static_cast<int>(*progress.FilesTotal));
    progressBar_->setValue(static_cast<int>(progress.FilesDone));
}

}  // namespace quillane
