#include "ui/PercentPage.h"

#include "jobs/ControlNames.h"
#include "ui/DigitFilter.h"
#include "ui/PageFields.h"
#include "ui/Pictures.h"
#include "ui/SaveFolderMenu.h"
#include "ui/WindowTr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet1", "BtnPercent", QT_TRANSLATE_NOOP("Window", "创建缩略图(&C)"), "Memo1",
                                    QT_TRANSLATE_NOOP("Window", "-缩略图形成规则-")};

}  // namespace

TPercentPage::TPercentPage(QWidget* parent, TPageServices& services) : TOperationPage(parent, kNames)
{
    BuildRules();
    PopupMenu1 =
        new TSaveFolderMenu(SpeedButton1, lbEdtSavePath, {"PopupMenu1", "mnuCurrentDir", "mnuBrowse"}, services);
    AcceptDigitsOnly(lbEdtRWidth, 3);
    AcceptDigitsOnly(lbEdtRHeight, 3);
    connect(lbEdtRWidth, &QLineEdit::textChanged, this, &TPercentPage::lbEdtRWidthChange);
    connect(lbEdtRHeight, &QLineEdit::textChanged, this, &TPercentPage::lbEdtRHeightChange);
    connect(ChkConstraint, &QCheckBox::toggled, this, &TPercentPage::ChkConstraintClick);
    const TQualityPair pair = AddQualityPair(StartLayout(), StartButton()->parentWidget(), "Rb1", "Rb1X");
    Rb1 = pair.Fast;
    Rb1X = pair.HighQuality;
}

void TPercentPage::BuildRules()
{
    auto* grid = new QGridLayout(RulesGroup());
    lbEdtRWidth = AddLabelledEdit(grid, 0, control::lbEdtRWidth, Window::tr("宽％ "), {}, 3);
    lbEdtRHeight = AddLabelledEdit(grid, 1, control::lbEdtRHeight, Window::tr("高％ "), {}, 3);
    ChkConstraint = new QCheckBox(Window::tr("宽高强制约束"));
    ChkConstraint->setObjectName(QStringLiteral("ChkConstraint"));
    ChkConstraint->setChecked(true);
    Image2 = new QLabel;
    Image2->setPixmap(LinkPicture());
    Image2->setObjectName(QStringLiteral("Image2"));
    grid->addWidget(Image2, 0, 2, 2, 1);
    grid->addWidget(ChkConstraint, 0, 3, 2, 1);
    const TSaveFolderRow save =
        AddSaveFolderRow(grid, 2, control::lbEdtSavePath, "SpeedButton1", Window::tr("缩略图存放路径：   "));
    lbEdtSavePath = save.Edit;
    SpeedButton1 = save.Button;
    const TAffixRow affix = AddAffixRow(grid, 4, "CmbXfixPercent", "lbEdtPrefix", QStringLiteral("_s"));
    CmbXfixPercent = affix.Position;
    lbEdtPrefix = affix.Affix;
    grid->setRowStretch(5, 1);
}

// Giving a field the text it already holds changes nothing, so one pass ends the mirroring.
void TPercentPage::lbEdtRWidthChange()
{
    if (ChkConstraint->isChecked() && lbEdtRHeight->text() != lbEdtRWidth->text())
        lbEdtRHeight->setText(lbEdtRWidth->text());
}

void TPercentPage::lbEdtRHeightChange()
{
    if (ChkConstraint->isChecked() && lbEdtRWidth->text() != lbEdtRHeight->text())
        lbEdtRWidth->setText(lbEdtRHeight->text());
}

void TPercentPage::ChkConstraintClick()
{
    Image2->setVisible(ChkConstraint->isChecked());
    if (ChkConstraint->isChecked() && lbEdtRHeight->text() != lbEdtRWidth->text())
        lbEdtRHeight->setText(lbEdtRWidth->text());
}

TPercentSettings TPercentPage::Stored() const
{
    return {lbEdtRWidth->text().toStdString(), lbEdtRHeight->text().toStdString(), ChkConstraint->isChecked(),
            lbEdtPrefix->text().toStdString(), CmbXfixPercent->currentIndex()};
}

// In the order the file is read: the constraint first, so the texts mirror as typed.
void TPercentPage::Load(const TPercentSettings& stored)
{
    ChkConstraint->setChecked(stored.ChkConstraint);
    lbEdtRWidth->setText(QString::fromStdString(stored.lbEdtRWidth));
    lbEdtRHeight->setText(QString::fromStdString(stored.lbEdtRHeight));
    lbEdtPrefix->setText(QString::fromStdString(stored.lbEdtPrefix));
    CmbXfixPercent->setCurrentIndex(stored.CmbXfixPercent);
}

TPercentFields TPercentPage::Fields() const
{
    TPercentFields fields;
    fields.Width = lbEdtRWidth->text().toStdString();
    fields.Height = lbEdtRHeight->text().toStdString();
    fields.SavePath = lbEdtSavePath->text().toStdString();
    fields.Affix = lbEdtPrefix->text().toStdString();
    fields.AffixPosition = CmbXfixPercent->currentIndex();
    fields.Fast = Rb1->isChecked();
    return fields;
}

}  // namespace quillane
