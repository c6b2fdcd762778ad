#pragma once

#include <QGroupBox>

#include <filesystem>
#include <string>
#include <vector>

#include "jobs/JobHost.h"

class QCheckBox;
class QListWidget;
class QRadioButton;
class QSplitter;
class QUrl;

namespace quillane {

class TPreviewPane;
class TShellListView;
class TShellTreeView;

// The source area of the main window: folder tree and type list, file list and
// sub-folder box, preview and its two modes. Its caption names the folder the list shows.
class TSourceBrowser : public QGroupBox {
    Q_OBJECT

public:
    explicit TSourceBrowser(QWidget* parent);

    // Start-up steps of the main window.
    void CheckAllTypes();
    void RebuildList();
    void SelectImagePreview();
    void UpdateCaption();

    // What a job reads: the list's items in order, its folder, the two filters.
    std::vector<TSourceItem> SourceItems() const;
    // The list as it stands, as a value a run can keep.
    TSourceList SourceList() const;
    std::filesystem::path SourceRoot() const;
    bool SubFoldersIncluded() const;
    std::vector<std::string> CheckedTypeCaptions() const;
    // Shows a folder, or the folder of a file with that file selected and previewed, as
    // a choice in the tree would; false when the path names neither.
    bool ShowPath(const QString& path);
    // The folder selected in the tree, or empty.
    QString TreeFolder() const;

    TShellListView* List() const { return ShellListView1; }
    TPreviewPane* Preview() const { return PreviewArea; }
    // "效果预览" is the preview mode.
    bool EffectMode() const;
    QListWidget* TypeList() const { return ClbType; }

signals:
    void OpenRequested(const QUrl& url);
    void InformationRequested(const QString& text);
    // The effect preview is wanted anew: its mode was chosen or another picture clicked.
    void EffectPreviewWanted();

private:
    QWidget* BuildLeftColumn();
    QWidget* BuildMiddleColumn();
    QWidget* BuildRightColumn();

    void ShellTreeView1Change(const QString& path);
    void ShellTreeView1Click();
    void ShellListView1Click();
    void ShellListView1FolderOpened(const QString& path);
    void RbImageClick();
    void RbWebClick();
    void RbEffectClick();
    void ClbTypeClick();
    void ChkSubFolderClick();
    void PreviewSelected();
    void ApplyFilter();
    void FitTypeList();

    QSplitter* Splitter1 = nullptr;
    TShellTreeView* ShellTreeView1 = nullptr;
    QListWidget* ClbType = nullptr;
    TShellListView* ShellListView1 = nullptr;
    QCheckBox* ChkSubFolder = nullptr;
    TPreviewPane* PreviewArea = nullptr;
    QRadioButton* RbWeb = nullptr;
    QRadioButton* RbImage = nullptr;
    QRadioButton* RbEffect = nullptr;
};

}  // namespace quillane
