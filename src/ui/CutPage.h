#pragma once

#include "ui/OperationPage.h"

namespace quillane {

// "批量剪裁": cutting a fixed rectangle out of every picture.
class TCutPage : public TOperationPage {
    Q_OBJECT

public:
    explicit TCutPage(QWidget* parent);
};

}  // namespace quillane
