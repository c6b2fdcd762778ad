#pragma once

#include "jobs/WOrHJob.h"
#include "ui/OperationPage.h"
#include "ui/settings/Settings.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace quillane {

class TPageServices;
class TSaveFolderMenu;

// "按宽或高像素生成缩略图": thumbnails by width only or by height only.
class TWOrHPage : public TOperationPage {
    Q_OBJECT

public:
    TWOrHPage(QWidget* parent, TPageServices& services);

    TWOrHFields Fields() const;
    TWOrHSettings Stored() const;
    void Load(const TWOrHSettings& stored);

private:
    void BuildRules();
    // The side choice: only the chosen side's field is shown, and the skip box speaks
    // of that side. Before any choice both fields are shown.
    void RbWOnlyClick();
    void RbHOnlyClick();
    void ShowSide(bool width);

    QRadioButton* RbWOnly = nullptr;
    QLineEdit* EdtWOnly = nullptr;
    QLabel* LblWOnly = nullptr;
    QRadioButton* RbHOnly = nullptr;
    QLineEdit* EdtHOnly = nullptr;
    QLabel* LblHOnly = nullptr;
    QCheckBox* ChkSkipSmaller = nullptr;
    QLineEdit* EdtWOrHPath = nullptr;
    QToolButton* SBtnWOrH = nullptr;
    QComboBox* CmbXFixWorH = nullptr;
    QLineEdit* EdtPrefixWOrH = nullptr;
    QRadioButton* Rb3 = nullptr;
    QRadioButton* Rb3X = nullptr;
    TSaveFolderMenu* PMWOrH = nullptr;
};

}  // namespace quillane
