#include "ui/RenamePage.h"

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet3", "BtnRename", "文件重命名(&R)", "Memo3", " 重命名规则 ", 341, 124};

}  // namespace

TRenamePage::TRenamePage(QWidget* parent) : TOperationPage(parent, kNames)
{
}

}  // namespace quillane
