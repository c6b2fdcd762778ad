#pragma once

#include "jobs/CropJob.h"
#include "ui/OperationPage.h"
#include "ui/settings/Settings.h"

class QComboBox;
class QLineEdit;
class QToolButton;

namespace quillane {

class TPageServices;
class TSaveFolderMenu;

// "批量剪裁": cutting a fixed rectangle out of every picture.
class TCropPage : public TOperationPage {
    Q_OBJECT

public:
    TCropPage(QWidget* parent, TPageServices& services);

    TCropFields Fields() const;
    TCropSettings Stored() const;
    void Load(const TCropSettings& stored);

private:
    void BuildRules();
    // BtnCut can be pressed only for a size whose width times height is above 0.
    void EdtWChange();

    TPageServices& services_;
    QLineEdit* EdtLeft = nullptr;
    QLineEdit* EdtTop = nullptr;
    QLineEdit* EdtW = nullptr;
    QLineEdit* EdtH = nullptr;
    QLineEdit* EdtCutSave = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QComboBox* CmbXFixCut = nullptr;
    QLineEdit* EdtCutPrefix = nullptr;
    TSaveFolderMenu* PopupMenu3 = nullptr;
};

}  // namespace quillane
