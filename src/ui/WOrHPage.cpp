#include "ui/WOrHPage.h"

#include "ui/PageFields.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet6", "BtnWOrH", "创建缩略图(&C)", "MmWORH", "-缩略图形成规则-", 341, 124};

}  // namespace

TWOrHPage::TWOrHPage(QWidget* parent) : TOperationPage(parent, kNames)
{
    const TQualityPair pair =
        AddQualityPair(StartLayout(), StartButton()->parentWidget(), "Rb3", "Rb3X");
    Rb3 = pair.Fast;
    Rb3X = pair.HighQuality;
}

}  // namespace quillane
