#include "ui/ShellTreeView.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTimer>

namespace quillane {

TShellTreeView::TShellTreeView(QWidget* parent) : QTreeView(parent), model_(new QFileSystemModel(this))
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

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        const QString path = model_->filePath(current);
        emit SelectionChanged(path);
        if (!selecting_)
            emit FolderChosen(path);
    });
    connect(this, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { emit FolderClicked(model_->filePath(index)); });
    // The tree fills and sorts itself in the background, moving rows about: keep a folder
    // selected by the program in sight until the user takes over.
    const auto keepInSight = [this] {
        if (followSelection_)
            QTimer::singleShot(0, this, [this] { scrollTo(currentIndex(), PositionAtCenter); });
    };
    connect(model_, &QAbstractItemModel::layoutChanged, this, keepInSight);
    connect(model_, &QAbstractItemModel::rowsInserted, this, keepInSight);
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
    selecting_ = true;
    setCurrentIndex(index);
    selecting_ = false;
    scrollTo(index);
    followSelection_ = true;
    return true;
}

void TShellTreeView::mousePressEvent(QMouseEvent* event)
{
    followSelection_ = false;
    QTreeView::mousePressEvent(event);
}

void TShellTreeView::keyPressEvent(QKeyEvent* event)
{
    followSelection_ = false;
    QTreeView::keyPressEvent(event);
}

void TShellTreeView::wheelEvent(QWheelEvent* event)
{
    followSelection_ = false;
    QTreeView::wheelEvent(event);
}

}  // namespace quillane
