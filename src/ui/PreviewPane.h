#pragma once

#include <QWidget>

#include <filesystem>

class QLabel;
class QScrollArea;

namespace quillane {

// The preview area: Image1 stretches the picture to the whole area (its aspect ratio is
// not kept), PnlWeb shows it at 100 % in a scroll area. Exactly one of them is visible.
class TPreviewPane : public QWidget {
    Q_OBJECT

public:
    enum class TMode { pmImage, pmWeb };

    explicit TPreviewPane(QWidget* parent);

    void SetMode(TMode mode);
    TMode Mode() const { return mode_; }

    // Shows the picture in the current mode; returns false, showing nothing, when the
    // file cannot be read.
    bool ShowPicture(const std::filesystem::path& file);

private:
    TMode mode_ = TMode::pmImage;
    QLabel* Image1 = nullptr;
    QScrollArea* PnlWeb = nullptr;
    QLabel* WebBrowser1 = nullptr;
};

}  // namespace quillane
