#include "ui/ShellListView.h"
#include "ui/WindowLanguage.h"

#include "ui/SourceListModel.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QTimer>
#include <QUrl>

#include <sys/stat.h>

namespace quillane {

namespace {

QString DecodePath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QString PropertiesText(const TSourceItem& item)
{
    QString text = Window::tr("名称：") + DecodePath(item.Path.filename()) + Window::tr("\n位置：") +
                   DecodePath(item.Path.parent_path());
    struct stat info {};
    if (::stat(item.Path.c_str(), &info) != 0)
        return text;
    if (!item.IsFolder)
        text += Window::tr("\n大小：") + QLocale().toString(static_cast<qint64>(info.st_size)) + Window::tr(" 字节");
    text += Window::tr("\n修改日期：") +
            QLocale().toString(QDateTime::fromSecsSinceEpoch(info.st_mtime), QLocale::LongFormat) +
            Window::tr("\n权限：") + QString::number(info.st_mode & 07777, 8);
    return text;
}

}  // namespace

TShellListView::TShellListView(QWidget* parent)
    : QTreeView(parent),
      model_(new TSourceListModel(this)),
      watcher_(new QFileSystemWatcher(this)),
      refreshTimer_(new QTimer(this))
{
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(TSourceListModel::colName, QHeaderView::Interactive);
    setColumnWidth(TSourceListModel::colName, 160);

    // Several changes in a row (a job writing into the folder) give one rebuild.
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(200);
    connect(refreshTimer_, &QTimer::timeout, this, &TShellListView::Rebuild);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, refreshTimer_, qOverload<>(&QTimer::start));
    connect(this, &QTreeView::activated, this, &TShellListView::OpenItem);
    connect(this, &QTreeView::clicked, this, &TShellListView::ItemClicked);
    connect(model_, &TSourceListModel::RenameFailed, this,
            [this](const QString& reason) { emit InformationRequested(Window::tr("不能重命名文件：") + reason); });
}

void TShellListView::SetFolder(const std::filesystem::path& folder)
{
    if (folder == model_->Folder())
        return;
    model_->SetFolder(folder);
    WatchFolder();
    if (model_->rowCount() > 0)
        setCurrentIndex(model_->index(0, 0));
}

const std::filesystem::path& TShellListView::Folder() const
{
    return model_->Folder();
}

void TShellListView::WatchFolder()
{
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    if (!model_->Folder().empty())
        watcher_->addPath(DecodePath(model_->Folder()));
}

void TShellListView::Rebuild()
{
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    model_->Rebuild();
    ReselectRow(row);
}

void TShellListView::SetFilter(bool includeSubFolders, std::vector<std::string> checkedCaptions)
{
    const int row = currentIndex().isValid() ? currentIndex().row() : -1;
    model_->SetFilter(includeSubFolders, std::move(checkedCaptions));
    ReselectRow(row);
}

void TShellListView::ReselectRow(int row)
{
    if (row >= 0 && row < model_->rowCount())
        setCurrentIndex(model_->index(row, 0));
}

bool TShellListView::SelectItem(const std::filesystem::path& path)
{
    for (int row = 0; row < model_->rowCount(); ++row) {
        if (model_->Item(row).Path == path) {
            setCurrentIndex(model_->index(row, 0));
            return true;
        }
    }
    return false;
}

std::optional<TSourceItem> TShellListView::SelectedItem() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return std::nullopt;
    return model_->Item(rows.first().row());
}

void TShellListView::OpenItem(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const TSourceItem item = model_->Item(index.row());
    if (item.IsFolder) {
        SetFolder(item.Path);
        emit FolderOpened(DecodePath(item.Path));
    } else {
        emit OpenRequested(QUrl::fromLocalFile(DecodePath(item.Path)));
    }
}

void TShellListView::GoUp()
{
    const std::filesystem::path folder = model_->Folder();
    if (folder.empty() || folder == folder.root_path())
        return;
    const std::filesystem::path parent = folder.parent_path();
    SetFolder(parent);
    emit FolderOpened(DecodePath(parent));
}

void TShellListView::RenameSelected()
{
    const QModelIndex index = currentIndex();
    if (index.isValid())
        edit(model_->index(index.row(), TSourceListModel::colName));
}

void TShellListView::ShowProperties()
{
    if (const auto item = SelectedItem())
        emit InformationRequested(PropertiesText(*item));
}

void TShellListView::keyPressEvent(QKeyEvent* event)
{
    const bool editing = state() == QAbstractItemView::EditingState;
    if (!editing && event->key() == Qt::Key_Backspace) {
        GoUp();
    } else if (event->key() == Qt::Key_F5) {
        Rebuild();
    } else if (!editing && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
               event->modifiers() & Qt::AltModifier) {
        ShowProperties();
    } else {
        QTreeView::keyPressEvent(event);
    }
}

void TShellListView::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    ContextMenuFor(index)->exec(event->globalPos());
}

std::unique_ptr<QMenu> TShellListView::ContextMenuFor(const QModelIndex& index)
{
    auto menu = std::make_unique<QMenu>(this);
    menu->addAction(Window::tr("打开(&O)"), this, [this, index] { OpenItem(index); });
    menu->addAction(Window::tr("在文件管理器中显示"), this, [this, index] {
        // The folder that holds the item, opened by the desktop's file manager.
        const std::filesystem::path item = model_->Item(index.row()).Path;
        emit OpenRequested(QUrl::fromLocalFile(QFile::decodeName(item.parent_path().c_str())));
    });
    menu->addAction(Window::tr("重命名(&M)"), this, &TShellListView::RenameSelected);
    menu->addSeparator();
    menu->addAction(Window::tr("属性(&R)"), this, &TShellListView::ShowProperties);
    return menu;
}

}  // namespace quillane
