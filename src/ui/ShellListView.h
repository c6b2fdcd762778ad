#pragma once

#include <QTreeView>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jobs/JobHost.h"

class QFileSystemWatcher;
class QMenu;
class QTimer;
class QUrl;

namespace quillane {

class TSourceListModel;

// The file list: the source items of the current folder in details view, one selection.
// It behaves as a file view: Enter or a double-click opens a folder or a file, Backspace
// goes up, F5 rebuilds, Alt+Enter shows properties, F2 renames in place; it rebuilds
// itself when the folder changes on disk.
class TShellListView : public QTreeView {
    Q_OBJECT

public:
    explicit TShellListView(QWidget* parent);

    TSourceListModel& Model() const { return *model_; }
    void SetFolder(const std::filesystem::path& folder);
    const std::filesystem::path& Folder() const;
    // Re-reads the folder, keeping the selected position where the list is still long enough.
    void Rebuild();
    // The list filter's two inputs; the list is rebuilt at once.
    void SetFilter(bool includeSubFolders, std::vector<std::string> checkedCaptions);
    // Selects the item of that path; false when the list does not show it.
    bool SelectItem(const std::filesystem::path& path);
    // The first selected item, if any.
    std::optional<TSourceItem> SelectedItem() const;
    // The right-click menu of an item.
    std::unique_ptr<QMenu> ContextMenuFor(const QModelIndex& index);

signals:
    // The list moved to another folder by itself (open, up); the tree follows.
    void FolderOpened(const QString& path);
    // A mouse click on an item.
    void ItemClicked();
    // The desktop's "open" action on a file or folder.
    void OpenRequested(const QUrl& url);
    // A note for the user (properties, a refused rename).
    void InformationRequested(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void OpenItem(const QModelIndex& index);
    void GoUp();
    void RenameSelected();
    void ShowProperties();
    void WatchFolder();
    void ReselectRow(int row);

    TSourceListModel* model_;
    QFileSystemWatcher* watcher_;
    QTimer* refreshTimer_;
};

}  // namespace quillane
