#pragma once

#include <QDialog>

class QPushButton;

namespace quillane {

class TShellTreeView;

// The folder chooser: created once; its tree keeps the selection between showings,
// so it reopens on the folder chosen last.
class TfrmPath : public QDialog {
    Q_OBJECT

public:
    explicit TfrmPath(QWidget* parent);

    // Empty unless OK was pressed on an existing directory during the last showing.
    QString ChosenPath() const { return chosenPath_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void ShellTreeView1Change();
    void BtnOKClick();
    void BtnCancelClick();
    QString SelectedDirectory() const;

    TShellTreeView* ShellTreeView1 = nullptr;
    QPushButton* BtnCancel = nullptr;
    QPushButton* BtnOK = nullptr;
    QString chosenPath_;
};

}  // namespace quillane
