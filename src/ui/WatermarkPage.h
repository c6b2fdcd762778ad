#pragma once

#include "jobs/WatermarkJob.h"
#include "ui/OperationPage.h"
#include "ui/settings/Settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace quillane {

class TPageServices;
class TSaveFolderMenu;

// "批量设置水印标签": text or picture watermarks.
class TWatermarkPage : public TOperationPage {
    Q_OBJECT

public:
    TWatermarkPage(QWidget* parent, TPageServices& services);

    TWatermarkFields Fields() const;
    TWatermarkSettings Stored() const;
    void Load(const TWatermarkSettings& stored);
    // The legend's box carries a word.
    void Retranslate() override { CmbOriginChange(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildPlacement();
    QWidget* BuildMark();
    QWidget* BuildOutput();
    // Text fields while RbText is selected, the picture's fields otherwise.
    void RbImgWatermarkClick();
    void BtnWatermarkFontClick();
    void BtnWatermarkPicPathClick();
    void CmbOriginChange();
    // EdtWatermarkFont names the watermark font and is drawn in it.
    void ShowFont();
    TColor WindowTextColour() const;

    TPageServices& services_;
    TFontSettings font_;
    QComboBox* CmbOrigin = nullptr;
    QLabel* ImgPoint = nullptr;
    QLineEdit* EdtWatermarkX = nullptr;
    QLineEdit* EdtWatermarkY = nullptr;
    QLineEdit* EdtWatermarkOpacity = nullptr;
    QRadioButton* RbText = nullptr;
    QRadioButton* RbImgWatermark = nullptr;
    QLabel* LblWatermark = nullptr;
    QLineEdit* EdtWatermark = nullptr;
    QLabel* LblWatermarkFont = nullptr;
    QLineEdit* EdtWatermarkFont = nullptr;
    QToolButton* BtnWatermarkFont = nullptr;
    QLabel* LblWatermarkPic = nullptr;
    QLineEdit* EdtWatermarkPic = nullptr;
    QToolButton* BtnWatermarkPicPath = nullptr;
    QLineEdit* EdtWatermarkSave = nullptr;
    QToolButton* BtnWatermarkPath = nullptr;
    QComboBox* CmbXFixWatermark = nullptr;
    QLineEdit* EdtWatermarkPrefix = nullptr;
    QLineEdit* EdtMinWidth = nullptr;
    TSaveFolderMenu* MnuWatermark = nullptr;
};

}  // namespace quillane
