#pragma once

#include "jobs/PercentJob.h"
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

// "按百分比生成缩略图": thumbnails by a percentage of width and height.
class TPercentPage : public TOperationPage {
    Q_OBJECT

public:
    TPercentPage(QWidget* parent, TPageServices& services);

    // The page's fields as the job reads them.
    TPercentFields Fields() const;
    // The fields the settings file keeps; loading runs the page's own rules.
    TPercentSettings Stored() const;
    void Load(const TPercentSettings& stored);

private:
    void BuildRules();
    // The two percentages stay equal while the constraint is on.
    void lbEdtRWidthChange();
    void lbEdtRHeightChange();
    void ChkConstraintClick();

    QLineEdit* lbEdtRWidth = nullptr;
    QLineEdit* lbEdtRHeight = nullptr;
    QCheckBox* ChkConstraint = nullptr;
    QLabel* Image2 = nullptr;
    QLineEdit* lbEdtSavePath = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QComboBox* CmbXfixPercent = nullptr;
    QLineEdit* lbEdtPrefix = nullptr;
    QRadioButton* Rb1 = nullptr;
    QRadioButton* Rb1X = nullptr;
    TSaveFolderMenu* PopupMenu1 = nullptr;
};

}  // namespace quillane
