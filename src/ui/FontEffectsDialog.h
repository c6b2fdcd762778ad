#pragma once

#include <QDialog>

#include "ui/Dialogs.h"

class QComboBox;
class QFontDialog;

namespace quillane {

// The font dialog with effects: face, style and size, underline and strike-out from
// the toolkit's font chooser, and the text colour from the sixteen basic colours.
class TFontEffectsDialog : public QDialog {
    Q_OBJECT

public:
    explicit TFontEffectsDialog(QWidget* parent);

    void SetChoice(const TFontChoice& choice);
    TFontChoice Choice() const;

private:
    void SelectColour(const QColor& colour);

    QFontDialog* fonts_;
    QComboBox* CmbColour;
};

}  // namespace quillane
