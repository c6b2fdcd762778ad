#include "ui/PixelPage.h"

#include "ui/PageFields.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet5", "BtnPixel", "创建缩略图(&C)", "MmPixel", "-缩略图形成规则-", 341, 124};

}  // namespace

TPixelPage::TPixelPage(QWidget* parent) : TOperationPage(parent, kNames)
{
    const TQualityPair pair =
        AddQualityPair(StartLayout(), StartButton()->parentWidget(), "Rb2", "Rb2X");
    Rb2 = pair.Fast;
    Rb2X = pair.HighQuality;
}

}  // namespace quillane
