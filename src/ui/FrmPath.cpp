#include "ui/FrmPath.h"

#include "ui/ShellTreeView.h"
#include "ui/WindowTr.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillane {

TfrmPath::TfrmPath(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPath"));
    setModal(true);
    ShellTreeView1 = new TShellTreeView(this);
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    ShellTreeView1->setFixedHeight(315);
    BtnCancel = new QPushButton(Window::tr("取消(&C)"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnOK = new QPushButton(Window::tr("确定(&O)"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnCancel);
    buttons->addWidget(BtnOK);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(ShellTreeView1);
    layout->addLayout(buttons);
    setFixedSize(323, 346);

    connect(ShellTreeView1, &TShellTreeView::SelectionChanged, this, &TfrmPath::ShellTreeView1Change);
    connect(BtnOK, &QPushButton::clicked, this, &TfrmPath::BtnOKClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TfrmPath::BtnCancelClick);
    FormCreate();
}

void TfrmPath::FormCreate()
{
    setWindowTitle(Window::tr("选择目录："));
}

void TfrmPath::showEvent(QShowEvent* event)
{
    chosenPath_.clear();
    ShellTreeView1Change();
    QDialog::showEvent(event);
}

QString TfrmPath::SelectedDirectory() const
{
    const QString path = ShellTreeView1->SelectedPath();
    return !path.isEmpty() && QFileInfo(path).isDir() ? path : QString();
}

void TfrmPath::ShellTreeView1Change()
{
    BtnOK->setEnabled(!SelectedDirectory().isEmpty());
}

void TfrmPath::BtnOKClick()
{
    chosenPath_ = SelectedDirectory();
    accept();
}

void TfrmPath::BtnCancelClick()
{
    chosenPath_.clear();
    reject();
}

}  // namespace quillane
