#pragma once

#include "ui/OperationPage.h"

namespace quillane {

// "批量设置水印标签": text or picture watermarks.
class TWatermarkPage : public TOperationPage {
    Q_OBJECT

public:
    explicit TWatermarkPage(QWidget* parent);
};

}  // namespace quillane
