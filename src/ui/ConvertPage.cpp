#include "ui/ConvertPage.h"

#include "jobs/ControlNames.h"
#include "jobs/ConvertJob.h"
#include "ui/PageFields.h"
#include "ui/SaveFolderMenu.h"
#include "ui/WindowTr.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillane {

namespace {

const TOperationPage::TNames kNames{"TabSheet2",
                                    "BtnConvert",
                                    QT_TRANSLATE_NOOP("Window", "类型转换(&R)"),
                                    "Memo2",
                                    QT_TRANSLATE_NOOP("Window", "-指量类型转换规则-"),
                                    341,
                                    124};

// The conversion's target types as the engine names them, listed here for lupdate: the
// combo box shows each through Window::tr.
[[maybe_unused]] const char* const kTargetCaptions[] = {
    QT_TRANSLATE_NOOP("Window", "JPG格式文件(*.jpg)"),     QT_TRANSLATE_NOOP("Window", "Bmp位图文件(*.bmp)"),
    QT_TRANSLATE_NOOP("Window", "GIF格式文件(*.gif)"),     QT_TRANSLATE_NOOP("Window", "PNG格式文件(*.png)"),
    QT_TRANSLATE_NOOP("Window", "TIF格式文件(*.tif)"),     QT_TRANSLATE_NOOP("Window", "WebP格式文件(*.webp)"),
    QT_TRANSLATE_NOOP("Window", "AVIF格式文件(*.avif)"),   QT_TRANSLATE_NOOP("Window", "HEIC格式文件(*.heic)"),
    QT_TRANSLATE_NOOP("Window", "JPEG XL格式文件(*.jxl)"),
};

}  // namespace

TConvertPage::TConvertPage(QWidget* parent, TPageServices& services) : TOperationPage(parent, kNames)
{
    BuildRules();
    BtnGood = new QPushButton(Window::tr("更多好工具！"), StartButton()->parentWidget());
    BtnGood->setObjectName(QStringLiteral("BtnGood"));
    StartLayout()->addWidget(BtnGood);
    connect(BtnGood, &QPushButton::clicked, this, &TConvertPage::BtnGoodClick);
    PMConvert = new TSaveFolderMenu(SpeedButton2, lbEdtSavePath2, {"PMConvert", "MenuItem1", "MenuItem2"}, services);
}

void TConvertPage::BuildRules()
{
    auto* grid = new QGridLayout(RulesGroup());
    CmbD = new QComboBox;
    CmbD->setObjectName(QStringLiteral("CmbD"));
    // In this order: the index is what the job reads.
    for (int type = 0; const std::optional<TConvertTarget> target = ConvertTargetAt(type); ++type)
        CmbD->addItem(Window::tr(target->Caption));
    auto* label = new QLabel(Window::tr("新文件类型："));
    label->setBuddy(CmbD);
    grid->addWidget(label, 0, 0);
    grid->addWidget(CmbD, 0, 1);
    const TSaveFolderRow save =
        AddSaveFolderRow(grid, 1, control::lbEdtSavePath2, "SpeedButton2", Window::tr("新文件存放路径：   "));
    lbEdtSavePath2 = save.Edit;
    SpeedButton2 = save.Button;
    const TAffixRow affix = AddAffixRow(grid, 3, "CmbXFix2", "lbEdtPrefix2", QString());
    CmbXFix2 = affix.Position;
    lbEdtPrefix2 = affix.Affix;
    grid->setRowStretch(4, 1);
}

TConvertFields TConvertPage::Fields() const
{
    return {CmbD->currentIndex(), lbEdtSavePath2->text().toStdString(), lbEdtPrefix2->text().toStdString(),
            CmbXFix2->currentIndex()};
}

TConvertSettings TConvertPage::Stored() const
{
    return {lbEdtPrefix2->text().toStdString(), CmbXFix2->currentIndex()};
}

void TConvertPage::Load(const TConvertSettings& stored)
{
    lbEdtPrefix2->setText(QString::fromStdString(stored.lbEdtPrefix2));
    CmbXFix2->setCurrentIndex(stored.CmbXFix2);
}

}  // namespace quillane
