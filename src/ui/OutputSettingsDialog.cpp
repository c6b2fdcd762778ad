#include "ui/OutputSettingsDialog.h"
#include "ui/WindowTr.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quillane {

TOutputSettingsDialog::TOutputSettingsDialog(const TOutputSettings& settings, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOutput"));
    setWindowTitle(Window::tr("输出设置"));
    auto* form = new QFormLayout;
    SpnJpegQuality = AddNumber(form, "SpnJpegQuality", Window::tr("JPEG 质量："), kQualityRange, settings.JpegQuality);
    SpnWebpQuality = AddNumber(form, "SpnWebpQuality", Window::tr("WebP 质量："), kQualityRange, settings.WebpQuality);
    SpnAvifQuality = AddNumber(form, "SpnAvifQuality", Window::tr("AVIF 质量："), kQualityRange, settings.AvifQuality);
    SpnHeicQuality = AddNumber(form, "SpnHeicQuality", Window::tr("HEIC 质量："), kQualityRange, settings.HeicQuality);
    SpnJxlQuality = AddNumber(form, "SpnJxlQuality", Window::tr("JPEG XL 质量："), kQualityRange, settings.JxlQuality);
    ChkLossless = new QCheckBox(Window::tr("WebP 和 JPEG XL 无损压缩"));
    ChkLossless->setObjectName(QStringLiteral("ChkLossless"));
    ChkLossless->setChecked(settings.Lossless);
    form->addRow(QString(), ChkLossless);
    SpnPngCompression = AddNumber(form, "SpnPngCompression", Window::tr("PNG 压缩级别："), kPngCompressionRange,
                                  settings.PngCompression);
    SpnAvifEffort = AddNumber(form, "SpnAvifEffort", Window::tr("AVIF 编码力度："), kEffortRange, settings.AvifEffort,
                              Window::tr("每高一级约慢一倍"));
    SpnHeicEffort = AddNumber(form, "SpnHeicEffort", Window::tr("HEIC 编码力度："), kEffortRange, settings.HeicEffort,
                              Window::tr("本机的 HEVC 编码器忽略此项"));
    SpnJxlEffort = AddNumber(form, "SpnJxlEffort", Window::tr("JPEG XL 编码力度："), kEffortRange, settings.JxlEffort,
                             Window::tr("0 至 2 按 3 处理"));
    CmbMetadata = new QComboBox;
    CmbMetadata->setObjectName(QStringLiteral("CmbMetadata"));
    // In the order of TMetadataMode.
    CmbMetadata->addItems(
        {Window::tr("保留（EXIF、ICC 等）"), Window::tr("全部去除"), Window::tr("只去除位置（GPS）")});
    CmbMetadata->setCurrentIndex(static_cast<int>(settings.Metadata));
    form->addRow(Window::tr("元数据："), CmbMetadata);
    ChkKeepTimes = new QCheckBox(Window::tr("保留源文件的修改时间"));
    ChkKeepTimes->setObjectName(QStringLiteral("ChkKeepTimes"));
    ChkKeepTimes->setChecked(settings.KeepTimes);
    form->addRow(QString(), ChkKeepTimes);
    ChkTrashReplaced = new QCheckBox(Window::tr("替换的文件也放入回收站"));
    ChkTrashReplaced->setObjectName(QStringLiteral("ChkTrashReplaced"));
    ChkTrashReplaced->setChecked(settings.TrashReplaced);
    form->addRow(QString(), ChkTrashReplaced);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(Window::tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Window::tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QSpinBox* TOutputSettingsDialog::AddNumber(QFormLayout* form, const char* name, const QString& label,
                                           TSettingRange range, int value, const QString& note)
{
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(range.Lowest, range.Highest);
    box->setValue(value);
    if (note.isEmpty()) {
        form->addRow(label, box);
        return box;
    }
    auto* row = new QHBoxLayout;
    row->addWidget(box);
    row->addWidget(new QLabel(note));
    row->addStretch(1);
    form->addRow(label, row);
    return box;
}

TOutputSettings TOutputSettingsDialog::Settings() const
{
    TOutputSettings settings;
    settings.JpegQuality = SpnJpegQuality->value();
    settings.WebpQuality = SpnWebpQuality->value();
    settings.AvifQuality = SpnAvifQuality->value();
    settings.HeicQuality = SpnHeicQuality->value();
    settings.JxlQuality = SpnJxlQuality->value();
    settings.Lossless = ChkLossless->isChecked();
    settings.PngCompression = SpnPngCompression->value();
    settings.AvifEffort = SpnAvifEffort->value();
    settings.HeicEffort = SpnHeicEffort->value();
    settings.JxlEffort = SpnJxlEffort->value();
    settings.Metadata = static_cast<TMetadataMode>(CmbMetadata->currentIndex());
    settings.KeepTimes = ChkKeepTimes->isChecked();
    settings.TrashReplaced = ChkTrashReplaced->isChecked();
    return settings;
}

}  // namespace quillane
