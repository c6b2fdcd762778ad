#pragma once

#include "ui/OperationPage.h"

class QRadioButton;

namespace quillane {

// "按宽或高像素生成缩略图": thumbnails by width only or by height only.
class TWOrHPage : public TOperationPage {
    Q_OBJECT

public:
    explicit TWOrHPage(QWidget* parent);

private:
    QRadioButton* Rb3 = nullptr;
    QRadioButton* Rb3X = nullptr;
};

}  // namespace quillane
