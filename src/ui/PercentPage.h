#pragma once

#include "jobs/PercentJob.h"
#include "ui/OperationPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace quillane {

// "按百分比生成缩略图": thumbnails by a percentage of width and height.
class TPercentPage : public TOperationPage {
    Q_OBJECT

public:
    explicit TPercentPage(QWidget* parent);

    // The page's fields as the job reads them.
    TPercentFields Fields() const;

private:
    void BuildRules();

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
};

}  // namespace quillane
