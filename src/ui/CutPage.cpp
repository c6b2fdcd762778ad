#include "ui/CutPage.h"

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet4", "BtnCut", "创建剪切图(&C)", "Memo4", "-剪切图形成规则-", 341, 124};

}  // namespace

TCutPage::TCutPage(QWidget* parent) : TOperationPage(parent, kNames)
{
}

}  // namespace quillane
