#include "ui/WOrHPage.h"

#include "jobs/ControlNames.h"
#include "ui/DigitFilter.h"
#include "ui/PageFields.h"
#include "ui/SaveFolderMenu.h"
#include "ui/WindowTr.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet6",
                                    "BtnWOrH",
                                    QT_TRANSLATE_NOOP("Window", "创建缩略图(&C)"),
                                    "MmWORH",
                                    QT_TRANSLATE_NOOP("Window", "-缩略图形成规则-"),
                                    341,
                                    124};

const char* const kKeepRatio = QT_TRANSLATE_NOOP("Window", "保持原图宽高比例不变             ");
const char* const kSkipNarrower = QT_TRANSLATE_NOOP("Window", "当源文件宽度已经小于缩略目标值时则不作处理");
const char* const kSkipLower = QT_TRANSLATE_NOOP("Window", "当源文件高度已经小于缩略目标值时则不作处理");

struct TSideRow {
    QRadioButton* Radio;
    QLineEdit* Edit;
    QLabel* Label;
};

TSideRow AddSideRow(QGridLayout* grid, int row, const char* radioName, const char* caption, const char* editName)
{
    auto* radio = new QRadioButton(Window::tr(caption));
    radio->setObjectName(QString::fromUtf8(radioName));
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromUtf8(editName));
    AcceptDigitsOnly(edit);
    auto* label = new QLabel(Window::tr(kKeepRatio));
    grid->addWidget(radio, row, 0);
    grid->addWidget(edit, row, 1);
    grid->addWidget(label, row, 2);
    return {radio, edit, label};
}

}  // namespace

TWOrHPage::TWOrHPage(QWidget* parent, TPageServices& services) : TOperationPage(parent, kNames)
{
    BuildRules();
    const TQualityPair pair = AddQualityPair(StartLayout(), StartButton()->parentWidget(), "Rb3", "Rb3X");
    Rb3 = pair.Fast;
    Rb3X = pair.HighQuality;
    PMWOrH = new TSaveFolderMenu(SBtnWOrH, EdtWOrHPath, {"PMWOrH", "PMWOrHC", "PMWOrHB"}, services);
    connect(RbWOnly, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            RbWOnlyClick();
    });
    connect(RbHOnly, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            RbHOnlyClick();
    });
}

void TWOrHPage::BuildRules()
{
    auto* grid = new QGridLayout(RulesGroup());
    grid->setVerticalSpacing(2);
    const TSideRow width = AddSideRow(grid, 0, "RbWOnly", QT_TRANSLATE_NOOP("Window", "缩略图宽："), control::EdtWOnly);
    RbWOnly = width.Radio;
    EdtWOnly = width.Edit;
    LblWOnly = width.Label;
    const TSideRow height =
        AddSideRow(grid, 1, "RbHOnly", QT_TRANSLATE_NOOP("Window", "缩略图高："), control::EdtHOnly);
    RbHOnly = height.Radio;
    EdtHOnly = height.Edit;
    LblHOnly = height.Label;
    ChkSkipSmaller = new QCheckBox(Window::tr(kSkipNarrower));
    ChkSkipSmaller->setObjectName(QStringLiteral("ChkSkipSmaller"));
    grid->addWidget(ChkSkipSmaller, 2, 0, 1, -1);
    const TSaveFolderRow save =
        AddSaveFolderRow(grid, 3, control::EdtWOrHPath, "SBtnWOrH", Window::tr("缩略图存放路径：   "));
    EdtWOrHPath = save.Edit;
    SBtnWOrH = save.Button;
    const TAffixRow affix = AddAffixRow(grid, 5, "CmbXFixWorH", "EdtPrefixWOrH", QStringLiteral("_s"));
    CmbXFixWorH = affix.Position;
    EdtPrefixWOrH = affix.Affix;
    grid->setRowStretch(6, 1);
}

void TWOrHPage::RbWOnlyClick()
{
    ShowSide(true);
    // Loading the settings selects a side before the window is active: no focus then.
    if (isActiveWindow())
        EdtWOnly->setFocus(Qt::OtherFocusReason);
    ChkSkipSmaller->setText(Window::tr(kSkipNarrower));
}

void TWOrHPage::RbHOnlyClick()
{
    ShowSide(false);
    if (isActiveWindow())
        EdtHOnly->setFocus(Qt::OtherFocusReason);
    ChkSkipSmaller->setText(Window::tr(kSkipLower));
}

void TWOrHPage::ShowSide(bool width)
{
    EdtWOnly->setVisible(width);
    LblWOnly->setVisible(width);
    EdtHOnly->setVisible(!width);
    LblHOnly->setVisible(!width);
}

TWOrHFields TWOrHPage::Fields() const
{
    TWOrHFields fields;
    fields.WidthChosen = RbWOnly->isChecked();
    fields.HeightChosen = RbHOnly->isChecked();
    fields.WidthText = EdtWOnly->text().toStdString();
    fields.HeightText = EdtHOnly->text().toStdString();
    fields.SkipSmaller = ChkSkipSmaller->isChecked();
    fields.SavePath = EdtWOrHPath->text().toStdString();
    fields.Affix = EdtPrefixWOrH->text().toStdString();
    fields.AffixPosition = CmbXFixWorH->currentIndex();
    fields.Fast = Rb3->isChecked();
    return fields;
}

TWOrHSettings TWOrHPage::Stored() const
{
    TWOrHSettings stored;
    stored.side = RbWOnly->isChecked() ? scWidth : RbHOnly->isChecked() ? scHeight : scNone;
    stored.EdtWOnly = EdtWOnly->text().toStdString();
    stored.EdtHOnly = EdtHOnly->text().toStdString();
    stored.EdtPrefixWOrH = EdtPrefixWOrH->text().toStdString();
    stored.ChkSkipSmaller = ChkSkipSmaller->isChecked();
    stored.CmbXFixWorH = CmbXFixWorH->currentIndex();
    return stored;
}

// The side's field is filled before its radio is selected, as the file is read.
void TWOrHPage::Load(const TWOrHSettings& stored)
{
    EdtWOnly->setText(QString::fromStdString(stored.EdtWOnly));
    EdtHOnly->setText(QString::fromStdString(stored.EdtHOnly));
    if (stored.side == scWidth)
        RbWOnly->setChecked(true);
    else if (stored.side == scHeight)
        RbHOnly->setChecked(true);
    EdtPrefixWOrH->setText(QString::fromStdString(stored.EdtPrefixWOrH));
    ChkSkipSmaller->setChecked(stored.ChkSkipSmaller);
    CmbXFixWorH->setCurrentIndex(stored.CmbXFixWorH);
}

}  // namespace quillane
