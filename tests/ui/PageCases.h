#pragma once

#include "PageTestWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>

#include <functional>

namespace quillane {

// A shown window on a folder of 20 x 10 pictures p0.png, p1.png, ..., and an output folder.
struct TFolderWindow : TPageWindow {
    TTestFolder Source;
    TTestFolder Out;
    explicit TFolderWindow(int pictures = 1)
    {
        for (int index = 0; index < pictures; ++index)
            WritePicture(Source.File("p" + std::to_string(index) + ".png"), SolidPicture(20, 10, Qt::red));
        ShowFolder(Window, Source.Path());
        Window.show();
    }
    void Fill(const char* field, const QString& text) { Get<QLineEdit>(field)->setText(text); }
};

// Each page with the controls a test needs and fields that let its start button run
// (the output folder aside).
struct TPageCase {
    int Tab;
    const char* StartButton;
    const char* ResultsBox;
    const char* SaveField;  // none for renaming
    std::function<void(TFolderWindow&)> Fill;
    const char* WrittenSize;  // of a result of a 20 x 10 picture
};

inline const std::vector<TPageCase>& PageCases()
{
    static const std::vector<TPageCase> cases = {
        {0, "BtnPercent", "Memo1", "lbEdtSavePath", [](TFolderWindow& w) { w.Fill("lbEdtRWidth", "50"); }, "10 × 5"},
        {1, "BtnPixel", "MmPixel", "EdtSavePixel",
         [](TFolderWindow& w) {
             w.Fill("lbEdtWidth", "12");
             w.Fill("lbEdtHeight", "12");
             w.Get<QRadioButton>("RbScale")->click();
         },
         "12 × 12"},
        {2, "BtnWOrH", "MmWORH", "EdtWOrHPath",
         [](TFolderWindow& w) {
             w.Get<QRadioButton>("RbWOnly")->click();
             w.Fill("EdtWOnly", "8");
         },
         "8 × 4"},
        {3, "BtnRename", "Memo3", nullptr, [](TFolderWindow& w) { w.Fill("EdtNewName", "trip"); }, nullptr},
        {4, "BtnConvert", "Memo2", "lbEdtSavePath2",
         [](TFolderWindow& w) { w.Get<QComboBox>("CmbD")->setCurrentIndex(1); }, "20 × 10"},
        {5, "BtnCut", "Memo4", "EdtCutSave",
         [](TFolderWindow& w) {
             w.Fill("EdtW", "5");
             w.Fill("EdtH", "4");
         },
         "5 × 4"},
        {6, "BtnWatermark", "MmWatermark", "EdtWatermarkSave",
         [](TFolderWindow& w) {
             w.Fill("EdtWatermark", "Q");
             w.Fill("EdtWatermarkX", "1");
             w.Fill("EdtWatermarkY", "1");
         },
         "20 × 10"},
    };
    return cases;
}

// The page in front with its fields filled in, the output folder too.
inline void ShowFilledPage(TFolderWindow& window, const TPageCase& page)
{
    window.Get<QTabWidget>("PageControl1")->setCurrentIndex(page.Tab);
    page.Fill(window);
    if (page.SaveField)
        window.Fill(page.SaveField, window.Out.QPath());
}

}  // namespace quillane
