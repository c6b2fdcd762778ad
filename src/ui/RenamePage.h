#pragma once

#include "ui/OperationPage.h"

namespace quillane {

// "批量重命名": renaming in place.
class TRenamePage : public TOperationPage {
    Q_OBJECT

public:
    explicit TRenamePage(QWidget* parent);
};

}  // namespace quillane
