#include "ui/ShellTreeView.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>

namespace quillane {

TShellTreeView::TShellTreeView(QWidget* parent)
    : QTreeView(parent), model_(new QFileSystemModel(this))
{
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    model_->setRootPath(QStringLiteral("/"));
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                emit SelectionChanged(model_->filePath(current));
            });
    connect(this, &QTreeView::clicked, this, [this](const QModelIndex& index) {
        emit FolderClicked(model_->filePath(index));
    });
    // The tree fills in the background: keep the selected folder in sight as its
    // parents are read.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this](const QString& folder) {
        const QString selected = SelectedPath();
        if (selected.startsWith(folder))
            scrollTo(currentIndex());
    });
    SelectPath(QDir::homePath());
}

QString TShellTreeView::SelectedPath() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? model_->filePath(current) : QString();
}

bool TShellTreeView::SelectPath(const QString& path)
{
    const QModelIndex index = model_->index(path);
    if (!index.isValid())
        return false;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    expand(index);
    setCurrentIndex(index);
    scrollTo(index);
    return true;
}

}  // namespace quillane
