#include "ui/ConvertPage.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet2", "BtnConvert", "类型转换(&R)", "Memo2", "-指量类型转换规则-", 341, 124};

}  // namespace

TConvertPage::TConvertPage(QWidget* parent) : TOperationPage(parent, kNames)
{
    BtnGood = new QPushButton(QStringLiteral("更多好工具！"), StartButton()->parentWidget());
    BtnGood->setObjectName(QStringLiteral("BtnGood"));
    StartLayout()->addWidget(BtnGood);
    connect(BtnGood, &QPushButton::clicked, this, &TConvertPage::BtnGoodClick);
}

}  // namespace quillane
