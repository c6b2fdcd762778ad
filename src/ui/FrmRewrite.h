#pragma once

#include <QDialog>

#include "jobs/JobHost.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace quillane {

// The overwrite prompt: created once, shown for every existing target. Its "不再提示"
// box keeps its state from one showing to the next until the application exits.
class TfrmRewrite : public QDialog {
    Q_OBJECT

public:
    explicit TfrmRewrite(QWidget* parent);

    // Shows the prompt modally and returns the answer once a button closed it.
    TOverwriteAnswer Ask();

    // Closes a showing prompt with "否", e.g. when the window closes during a run.
    void AnswerNo();

public slots:
    // Only the two buttons answer: Escape must not pick an answer the user never chose.
    void reject() override {}

private:
    void FormCreate();

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* ChkNoHint = nullptr;
    QPushButton* BtnYes = nullptr;
    QPushButton* BtnNo = nullptr;
};

}  // namespace quillane
