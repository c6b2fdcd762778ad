#pragma once

#include <QDialog>

#include "imaging/OutputSettings.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QSpinBox;

namespace quillane {

// "输出设置": how every job writes pictures (quality, lossless, PNG level, effort,
// metadata, file times).
class TOutputSettingsDialog : public QDialog {
    Q_OBJECT

public:
    TOutputSettingsDialog(const TOutputSettings& settings, QWidget* parent = nullptr);

    // The settings as the dialog's fields show them.
    TOutputSettings Settings() const;

private:
    QSpinBox* AddNumber(QFormLayout* form, const char* name, const QString& label, TSettingRange range, int value,
                        const QString& note = {});

    QSpinBox* SpnJpegQuality = nullptr;
    QSpinBox* SpnWebpQuality = nullptr;
    QSpinBox* SpnAvifQuality = nullptr;
    QSpinBox* SpnHeicQuality = nullptr;
    QSpinBox* SpnJxlQuality = nullptr;
    QCheckBox* ChkLossless = nullptr;
    QSpinBox* SpnPngCompression = nullptr;
    QSpinBox* SpnAvifEffort = nullptr;
    QSpinBox* SpnHeicEffort = nullptr;
    QSpinBox* SpnJxlEffort = nullptr;
    QComboBox* CmbMetadata = nullptr;
    QCheckBox* ChkKeepTimes = nullptr;
    QCheckBox* ChkTrashReplaced = nullptr;
};

}  // namespace quillane
