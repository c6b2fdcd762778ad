#include "ui/FrmRewrite.h"

#include "ui/AppInfo.h"
#include "ui/Pictures.h"

#include "jobs/JobTexts.h"
#include "ui/WindowTr.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

constexpr int kYes = QDialog::Accepted;
constexpr int kNo = QDialog::Rejected;

}  // namespace

TfrmRewrite::TfrmRewrite(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmRewrite"));
    setModal(true);

    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(2);

    Image1 = new QLabel(bevel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QuestionPicture());
    Image1->setFixedSize(32, 32);
    Label1 = new QLabel(QString::fromUtf8(kOverwriteQuestion), bevel);
    Label1->setObjectName(QStringLiteral("Label1"));
    ChkNoHint = new QCheckBox(Window::tr("不再提示"), bevel);
    ChkNoHint->setObjectName(QStringLiteral("ChkNoHint"));
    BtnYes = new QPushButton(Window::tr("是"), bevel);
    BtnYes->setObjectName(QStringLiteral("BtnYes"));
    BtnYes->setDefault(true);
    BtnNo = new QPushButton(Window::tr("否"), bevel);
    BtnNo->setObjectName(QStringLiteral("BtnNo"));

    auto* grid = new QGridLayout(bevel);
    grid->addWidget(Image1, 0, 0, Qt::AlignTop);
    grid->addWidget(Label1, 0, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ChkNoHint);
    buttons->addStretch();
    buttons->addWidget(BtnYes);
    buttons->addWidget(BtnNo);
    grid->addLayout(buttons, 1, 0, 1, 2);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(5, 5, 5, 5);
    outer->addWidget(bevel);
    setFixedSize(257, 115);

    connect(BtnYes, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(BtnNo, &QPushButton::clicked, this, [this] { done(kNo); });
    FormCreate();
}

void TfrmRewrite::FormCreate()
{
    setWindowTitle(kAppTitle);
}

TOverwriteAnswer TfrmRewrite::Ask()
{
    const int result = exec();
    return TOverwriteAnswer{result != kNo, ChkNoHint->isChecked()};
}

void TfrmRewrite::AnswerNo()
{
    if (isVisible())
        done(kNo);
}

}  // namespace quillane
