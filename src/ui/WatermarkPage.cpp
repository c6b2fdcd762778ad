#include "ui/WatermarkPage.h"

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet7", "BtnWatermark", "创建水印标签(&C)", "MmWatermark", "-水印标签设置规则-", 409, 129};

}  // namespace

TWatermarkPage::TWatermarkPage(QWidget* parent) : TOperationPage(parent, kNames)
{
}

}  // namespace quillane
