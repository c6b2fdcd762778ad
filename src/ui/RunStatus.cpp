#include "ui/RunStatus.h"

#include "jobs/JobHost.h"
#include "ui/WindowTr.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace quillane {

namespace {

QString FileNameOf(const std::filesystem::path& file)
{
    return QFile::decodeName(QByteArray::fromStdString(file.filename().string()));
}

}  // namespace

TRunStatus::TRunStatus(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PnlRunStatus"));
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("PbStatusRun"));
    bar_->setTextVisible(false);
    bar_->setFixedWidth(120);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("LblRunCount"));
    file_ = new QLabel(this);
    file_->setObjectName(QStringLiteral("LblRunFile"));
    file_->setFixedWidth(180);
    stop_ = new QPushButton(Window::tr("停止"), this);
    stop_->setObjectName(QStringLiteral("BtnStatusStop"));
    stop_->setToolTip(QStringLiteral("Esc"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar_);
    layout->addWidget(count_);
    layout->addWidget(file_);
    layout->addWidget(stop_);
    connect(stop_, &QPushButton::clicked, this, &TRunStatus::StopClicked);
    hide();
}

void TRunStatus::Begin()
{
    bar_->setRange(0, 0);
    count_->clear();
    file_->clear();
    file_->setToolTip({});
    stop_->setEnabled(true);
    show();
}

void TRunStatus::End()
{
    hide();
}

void TRunStatus::ShowStopping()
{
    stop_->setEnabled(false);
}

void TRunStatus::ShowProgress(const TProgress& progress)
{
    if (progress.FilesTotal && *progress.FilesTotal > 0) {
        bar_->setRange(0, static_cast<int>(*progress.FilesTotal));
        bar_->setValue(static_cast<int>(progress.FilesDone));
        count_->setText(QStringLiteral("%1 / %2").arg(progress.FilesDone).arg(*progress.FilesTotal));
    } else {
        bar_->setRange(0, 0);  // still counting: a busy bar
        count_->setText(QString::number(progress.FilesDone));
    }
    if (!progress.CurrentFile.empty()) {
        const QString name = FileNameOf(progress.CurrentFile);
        file_->setText(file_->fontMetrics().elidedText(name, Qt::ElideMiddle, file_->width()));
        file_->setToolTip(QFile::decodeName(QByteArray::fromStdString(progress.CurrentFile.string())));
    }
    emit ProgressShown();
}

}  // namespace quillane
