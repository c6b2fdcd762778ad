#include "ui/SourceBrowser.h"
#include "ui/WindowLanguage.h"

#include "jobs/TypeFilter.h"
#include "ui/PreviewPane.h"
#include "ui/ShellListView.h"
#include "ui/ShellTreeView.h"
#include "ui/SourceListModel.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>

namespace quillane {

namespace {

QWidget* NamedPanel(const char* name, QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromUtf8(name));
    return panel;
}

std::filesystem::path BytePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace

TSourceBrowser::TSourceBrowser(QWidget* parent) : QGroupBox(parent)
{
    setObjectName(QStringLiteral("GroupBox1"));
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->addWidget(BuildLeftColumn());
    Splitter1->addWidget(BuildMiddleColumn());
    Splitter1->addWidget(BuildRightColumn());
    Splitter1->setStretchFactor(2, 1);
    Splitter1->setSizes({233, 251, 339});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(3, 3, 3, 3);
    layout->addWidget(Splitter1);

    connect(ShellTreeView1, &TShellTreeView::SelectionChanged, this, &TSourceBrowser::ShellTreeView1Change);
    connect(ShellTreeView1, &TShellTreeView::FolderClicked, this, &TSourceBrowser::ShellTreeView1Click);
    connect(ShellTreeView1, &TShellTreeView::FolderChosen, this, &TSourceBrowser::ShellTreeView1Click);
    connect(ShellListView1, &TShellListView::ItemClicked, this, &TSourceBrowser::ShellListView1Click);
    connect(ShellListView1, &TShellListView::FolderOpened, this, &TSourceBrowser::ShellListView1FolderOpened);
    connect(ShellListView1, &TShellListView::OpenRequested, this, &TSourceBrowser::OpenRequested);
    connect(ShellListView1, &TShellListView::InformationRequested, this, &TSourceBrowser::InformationRequested);
    connect(ClbType, &QListWidget::itemChanged, this, &TSourceBrowser::ClbTypeClick);
    connect(ChkSubFolder, &QCheckBox::clicked, this, &TSourceBrowser::ChkSubFolderClick);
    connect(RbImage, &QRadioButton::clicked, this, &TSourceBrowser::RbImageClick);
    connect(RbWeb, &QRadioButton::clicked, this, &TSourceBrowser::RbWebClick);
    connect(RbEffect, &QRadioButton::clicked, this, &TSourceBrowser::RbEffectClick);

    ApplyFilter();
    ShellListView1->SetFolder(BytePath(ShellTreeView1->SelectedPath()));
}

QWidget* TSourceBrowser::BuildLeftColumn()
{
    QWidget* column = NamedPanel("pnlSelSource", Splitter1);
    ShellTreeView1 = new TShellTreeView(column);
    ShellTreeView1->setObjectName(QStringLiteral("ShellTreeView1"));
    ClbType = new QListWidget(column);
    ClbType->setObjectName(QStringLiteral("ClbType"));
    for (const std::string& caption : TypeCaptions()) {
        auto* entry = new QListWidgetItem(QString::fromStdString(caption), ClbType);
        entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
        entry->setCheckState(Qt::Checked);
    }
    FitTypeList();
    connect(ClbType->model(), &QAbstractItemModel::rowsInserted, this, &TSourceBrowser::FitTypeList);
    connect(ClbType->model(), &QAbstractItemModel::rowsRemoved, this, &TSourceBrowser::FitTypeList);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ShellTreeView1, 1);
    layout->addWidget(ClbType);
    return column;
}

QWidget* TSourceBrowser::BuildMiddleColumn()
{
    QWidget* column = NamedPanel("Panel3", Splitter1);
    ShellListView1 = new TShellListView(column);
    ShellListView1->setObjectName(QStringLiteral("ShellListView1"));
    QWidget* panel4 = NamedPanel("Panel4", column);
    panel4->setFixedHeight(25);
    ChkSubFolder = new QCheckBox(Window::tr("包含子目录中图片"), panel4);
    ChkSubFolder->setObjectName(QStringLiteral("ChkSubFolder"));
    auto* boxLayout = new QHBoxLayout(panel4);
    boxLayout->setContentsMargins(4, 0, 4, 0);
    boxLayout->addWidget(ChkSubFolder);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ShellListView1, 1);
    layout->addWidget(panel4);
    return column;
}

QWidget* TSourceBrowser::BuildRightColumn()
{
    QWidget* column = NamedPanel("Panel1", Splitter1);
    PreviewArea = new TPreviewPane(column);
    PreviewArea->setObjectName(QStringLiteral("PreviewArea"));
    QWidget* panel2 = NamedPanel("Panel2", column);
    panel2->setFixedHeight(24);
    RbWeb = new QRadioButton(Window::tr("实际大小查看(&T)"), panel2);
    RbWeb->setObjectName(QStringLiteral("RbWeb"));
    RbImage = new QRadioButton(Window::tr("缩略预览(&S)"), panel2);
    RbImage->setObjectName(QStringLiteral("RbImage"));
    RbEffect = new QRadioButton(Window::tr("效果预览(&E)"), panel2);
    RbEffect->setObjectName(QStringLiteral("RbEffect"));
    auto* modeLayout = new QHBoxLayout(panel2);
    modeLayout->setContentsMargins(4, 0, 4, 0);
    modeLayout->addWidget(RbWeb);
    modeLayout->addWidget(RbImage);
    modeLayout->addWidget(RbEffect);
    modeLayout->addStretch();
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PreviewArea, 1);
    layout->addWidget(panel2);
    return column;
}

// Every entry and its tick in sight, however many types there are.
void TSourceBrowser::FitTypeList()
{
    int height = 2 * ClbType->frameWidth();
    for (int row = 0; row < ClbType->count(); ++row)
        height += ClbType->sizeHintForRow(row);
    ClbType->setFixedHeight(qMax(height, 2 * ClbType->frameWidth() + 1));
}

void TSourceBrowser::CheckAllTypes()
{
    const QSignalBlocker blocker(ClbType);
    for (int row = 0; row < ClbType->count(); ++row)
        ClbType->item(row)->setCheckState(Qt::Checked);
}

void TSourceBrowser::ApplyFilter()
{
    ShellListView1->SetFilter(ChkSubFolder->isChecked(), CheckedTypeCaptions());
}

void TSourceBrowser::RebuildList()
{
    ApplyFilter();
}

void TSourceBrowser::SelectImagePreview()
{
    RbImage->setChecked(true);
    RbImageClick();
}

void TSourceBrowser::UpdateCaption()
{
    setTitle(Window::tr(" 源文件指定：") + QFile::decodeName(QByteArray::fromStdString(SourceRoot().string())) +
             QLatin1Char(' '));
}

std::vector<TSourceItem> TSourceBrowser::SourceItems() const
{
    return ShellListView1->Model().Items();
}

TSourceList TSourceBrowser::SourceList() const
{
    return TSourceList{SourceItems(), SourceRoot(), SubFoldersIncluded(), CheckedTypeCaptions()};
}

std::filesystem::path TSourceBrowser::SourceRoot() const
{
    return ShellListView1->Folder();
}

bool TSourceBrowser::SubFoldersIncluded() const
{
    return ChkSubFolder->isChecked();
}

std::vector<std::string> TSourceBrowser::CheckedTypeCaptions() const
{
    std::vector<std::string> captions;
    for (int row = 0; row < ClbType->count(); ++row) {
        if (ClbType->item(row)->checkState() == Qt::Checked)
            captions.push_back(ClbType->item(row)->text().toStdString());
    }
    return captions;
}

bool TSourceBrowser::ShowPath(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const QString folder = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
    if (!ShellTreeView1->SelectPath(folder))
        return false;
    ShellListView1->SetFolder(BytePath(folder));  // at once, whatever the tree's state
    UpdateCaption();
    if (!info.isDir() && ShellListView1->SelectItem(BytePath(info.absoluteFilePath())))
        PreviewSelected();
    return true;
}

QString TSourceBrowser::TreeFolder() const
{
    return ShellTreeView1->SelectedPath();
}

void TSourceBrowser::ShellTreeView1Change(const QString& path)
{
    if (!path.isEmpty())
        ShellListView1->SetFolder(BytePath(path));
}

void TSourceBrowser::ShellTreeView1Click()
{
    UpdateCaption();
}

void TSourceBrowser::ShellListView1FolderOpened(const QString& path)
{
    ShellTreeView1->SelectPath(path);
}

void TSourceBrowser::ShellListView1Click()
{
    PreviewSelected();
}

void TSourceBrowser::RbImageClick()
{
    PreviewArea->SetMode(TPreviewPane::TMode::pmImage);
    PreviewSelected();
}

void TSourceBrowser::RbWebClick()
{
    PreviewArea->SetMode(TPreviewPane::TMode::pmWeb);
    PreviewSelected();
}

void TSourceBrowser::RbEffectClick()
{
    PreviewArea->SetMode(TPreviewPane::TMode::pmEffect);
    emit EffectPreviewWanted();
}

bool TSourceBrowser::EffectMode() const
{
    return PreviewArea->Mode() == TPreviewPane::TMode::pmEffect;
}

void TSourceBrowser::ClbTypeClick()
{
    RebuildList();
}

void TSourceBrowser::ChkSubFolderClick()
{
    RebuildList();
}

void TSourceBrowser::PreviewSelected()
{
    const auto item = ShellListView1->SelectedItem();
    if (!item || item->IsFolder)
        return;
    if (EffectMode()) {
        emit EffectPreviewWanted();
        return;
    }
    // A picture that cannot be read is not reported: the list is read again instead.
    if (!PreviewArea->ShowPicture(item->Path))
        ShellListView1->Rebuild();
}

}  // namespace quillane
