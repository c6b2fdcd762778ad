#pragma once

#include "ui/OperationPage.h"

class QRadioButton;

namespace quillane {

// "按宽和高像素生成缩略图": thumbnails of an exact width and height.
class TPixelPage : public TOperationPage {
    Q_OBJECT

public:
    explicit TPixelPage(QWidget* parent);

private:
    QRadioButton* Rb2 = nullptr;
    QRadioButton* Rb2X = nullptr;
};

}  // namespace quillane
