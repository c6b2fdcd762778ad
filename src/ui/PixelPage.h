#pragma once

#include <QColor>

#include "jobs/PixelJob.h"
#include "ui/OperationPage.h"
#include "ui/settings/Settings.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace quillane {

class TPageServices;
class TSaveFolderMenu;

// "按宽和高像素生成缩略图": thumbnails of an exact width and height.
class TPixelPage : public TOperationPage {
    Q_OBJECT

public:
    TPixelPage(QWidget* parent, TPageServices& services);

    TPixelFields Fields() const;
    TPixelSettings Stored() const;
    void Load(const TPixelSettings& stored);
    QColor BackColour() const { return backColour_; }

private:
    void BuildRules();
    // pnlBgColor is shown exactly while RbScale is selected.
    void RbScaleClick();
    void pnlBgColorClick();
    void SetBackColour(const QColor& colour);

    TPageServices& services_;
    QLineEdit* lbEdtWidth = nullptr;
    QLineEdit* lbEdtHeight = nullptr;
    QRadioButton* RbNoScale = nullptr;
    QRadioButton* RbScale = nullptr;
    QRadioButton* RbScaleCut = nullptr;
    QPushButton* pnlBgColor = nullptr;
    QLineEdit* EdtSavePixel = nullptr;
    QToolButton* BtnPathPixel = nullptr;
    QComboBox* CmbXFixPixel = nullptr;
    QLineEdit* EdtPrefixPixel = nullptr;
    QRadioButton* Rb2 = nullptr;
    QRadioButton* Rb2X = nullptr;
    TSaveFolderMenu* PPMPixel = nullptr;
    QColor backColour_ = Qt::white;
};

}  // namespace quillane
