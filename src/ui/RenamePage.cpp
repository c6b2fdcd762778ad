#include "ui/RenamePage.h"
#include "ui/WindowTr.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet3",
                                    "BtnRename",
                                    QT_TRANSLATE_NOOP("Window", "文件重命名(&R)"),
                                    "Memo3",
                                    QT_TRANSLATE_NOOP("Window", " 重命名规则 "),
                                    341,
                                    124};

}  // namespace

TRenamePage::TRenamePage(QWidget* parent) : TOperationPage(parent, kNames)
{
    EdtNewName = new QLineEdit;
    EdtNewName->setObjectName(QStringLiteral("EdtNewName"));
    auto* label = new QLabel(Window::tr("新文件名前缀："));
    label->setBuddy(EdtNewName);
    RbRenameNumber = new QRadioButton(Window::tr("自动增加数字序号1、2、3..."));
    RbRenameNumber->setObjectName(QStringLiteral("RbRenameNumber"));
    RbRenameNumber->setChecked(true);
    RbRenameRandom = new QRadioButton(Window::tr("增加随机产生三位字符"));
    RbRenameRandom->setObjectName(QStringLiteral("RbRenameRandom"));
    // Left at 0 and empty, these two leave the names as prefix + number or tag.
    SpnNumberWidth = new QSpinBox;
    SpnNumberWidth->setObjectName(QStringLiteral("SpnNumberWidth"));
    SpnNumberWidth->setRange(0, 9);
    SpnNumberWidth->setSpecialValueText(Window::tr("不补零"));
    auto* widthLabel = new QLabel(Window::tr("序号位数："));
    widthLabel->setBuddy(SpnNumberWidth);
    EdtNamePattern = new QLineEdit;
    EdtNamePattern->setObjectName(QStringLiteral("EdtNamePattern"));
    EdtNamePattern->setPlaceholderText(Window::tr("{n} 序号，{date:%Y%m%d} 拍摄日期"));
    auto* patternLabel = new QLabel(Window::tr("命名模式（代替前缀和序号）："));
    patternLabel->setBuddy(EdtNamePattern);
    auto* layout = new QVBoxLayout(RulesGroup());
    layout->addWidget(label);
    layout->addWidget(EdtNewName);
    layout->addWidget(RbRenameNumber);
    layout->addWidget(RbRenameRandom);
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(widthLabel);
    widthRow->addWidget(SpnNumberWidth);
    widthRow->addStretch();
    layout->addLayout(widthRow);
    layout->addWidget(patternLabel);
    layout->addWidget(EdtNamePattern);
    layout->addStretch();
}

TRenameFields TRenamePage::Fields() const
{
    return {EdtNewName->text().toStdString(), RbRenameRandom->isChecked() ? rmRandom : rmNumber,
            SpnNumberWidth->value(), EdtNamePattern->text().toStdString()};
}

TRenameSettings TRenamePage::Stored() const
{
    return {EdtNewName->text().toStdString(), RbRenameNumber->isChecked(), RbRenameRandom->isChecked()};
}

// A file may clear both radios; only a selected one clears the other.
void TRenamePage::Load(const TRenameSettings& stored)
{
    EdtNewName->setText(QString::fromStdString(stored.EdtNewName));
    for (QRadioButton* radio : {RbRenameNumber, RbRenameRandom})
        radio->setAutoExclusive(false);
    RbRenameNumber->setChecked(stored.RbRenameNumber);
    RbRenameRandom->setChecked(stored.RbRenameRandom);
    for (QRadioButton* radio : {RbRenameNumber, RbRenameRandom})
        radio->setAutoExclusive(true);
}

}  // namespace quillane
