#pragma once

#include <QImage>
#include <QWidget>

#include <filesystem>

class QLabel;
class QScrollArea;

namespace quillane {

struct TEffectResult;

// The preview area: Image1 stretches the picture to the whole area (its aspect ratio is
// not kept), PnlWeb shows it at 100 % in a scroll area, PnlEffect shows what the current
// page would write, at its own size (smaller where the pane is), with its pixel size and
// file size in a line under it. Exactly one of them is visible.
class TPreviewPane : public QWidget {
    Q_OBJECT

public:
    enum class TMode { pmImage, pmWeb, pmEffect };

    explicit TPreviewPane(QWidget* parent);

    void SetMode(TMode mode);
    TMode Mode() const { return mode_; }

    // Shows the picture in the current mode; returns false, showing nothing, when the
    // file cannot be read.
    bool ShowPicture(const std::filesystem::path& file);

    // The effect preview: a new result, or the one shown marked as out of date.
    void ShowEffect(const TEffectResult& result);
    void MarkEffectOutdated();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TMode mode_ = TMode::pmImage;
    QLabel* Image1 = nullptr;
    QScrollArea* PnlWeb = nullptr;
    QLabel* WebBrowser1 = nullptr;
    QWidget* PnlEffect = nullptr;
    QLabel* ImgEffect = nullptr;
    QLabel* LblEffect = nullptr;
    QImage effect_;
    QString effectLine_;

    void FitEffect();
};

}  // namespace quillane
