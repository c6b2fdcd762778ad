#pragma once

#include "jobs/ConvertJob.h"
#include "ui/OperationPage.h"
#include "ui/settings/Settings.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quillane {

class TPageServices;
class TSaveFolderMenu;

// "批量类型转换": conversion to another picture format.
class TConvertPage : public TOperationPage {
    Q_OBJECT

public:
    TConvertPage(QWidget* parent, TPageServices& services);

    TConvertFields Fields() const;
    TConvertSettings Stored() const;
    void Load(const TConvertSettings& stored);

signals:
    // "更多好工具！": the maker's web page.
    void BtnGoodClick();

private:
    void BuildRules();

    QComboBox* CmbD = nullptr;
    QLineEdit* lbEdtSavePath2 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QComboBox* CmbXFix2 = nullptr;
    QLineEdit* lbEdtPrefix2 = nullptr;
    QPushButton* BtnGood = nullptr;
    TSaveFolderMenu* PMConvert = nullptr;
};

}  // namespace quillane
