#pragma once

#include "jobs/RenameJob.h"
#include "ui/OperationPage.h"
#include "ui/settings/Settings.h"

class QLineEdit;
class QSpinBox;
class QRadioButton;

namespace quillane {

// "批量重命名": renaming in place.
class TRenamePage : public TOperationPage {
    Q_OBJECT

public:
    explicit TRenamePage(QWidget* parent);

    TRenameFields Fields() const;
    TRenameSettings Stored() const;
    void Load(const TRenameSettings& stored);

private:
    QLineEdit* EdtNewName = nullptr;
    QRadioButton* RbRenameNumber = nullptr;
    QRadioButton* RbRenameRandom = nullptr;
    QSpinBox* SpnNumberWidth = nullptr;
    QLineEdit* EdtNamePattern = nullptr;
};

}  // namespace quillane
