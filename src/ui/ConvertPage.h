#pragma once

#include "ui/OperationPage.h"

class QPushButton;

namespace quillane {

// "批量类型转换": conversion to another picture format.
class TConvertPage : public TOperationPage {
    Q_OBJECT

public:
    explicit TConvertPage(QWidget* parent);

signals:
    // "更多好工具！": the maker's web page.
    void BtnGoodClick();

private:
    QPushButton* BtnGood = nullptr;
};

}  // namespace quillane
