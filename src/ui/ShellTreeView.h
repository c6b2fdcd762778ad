#pragma once

#include <QTreeView>

class QFileSystemModel;

namespace quillane {

// A folder tree of the file system from "/", folders only. It refreshes itself when
// folders change on disk; at start the home folder is expanded and selected.
class TShellTreeView : public QTreeView {
    Q_OBJECT

public:
    explicit TShellTreeView(QWidget* parent);

    // The selected folder's path, or empty when nothing is selected.
    QString SelectedPath() const;

    // Selects a folder, expanding its parents; returns false when the tree has no such folder.
    bool SelectPath(const QString& path);

signals:
    // The selection moved, by the user or by the program.
    void SelectionChanged(const QString& path);
    // The user clicked a folder.
    void FolderClicked(const QString& path);
    // The user moved the selection to another folder, by mouse or keyboard.
    void FolderChosen(const QString& path);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QFileSystemModel* model_;
    bool followSelection_ = false;
    bool selecting_ = false;  // SelectPath() is moving the selection
};

}  // namespace quillane
