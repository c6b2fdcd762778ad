#include "ui/PreviewPane.h"
#include "ui/WindowLanguage.h"

#include "ui/EffectPreview.h"
#include "ui/PreviewLoader.h"

#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

namespace quillane {

TPreviewPane::TPreviewPane(QWidget* parent) : QWidget(parent)
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    // The picture must never decide the pane's size: it follows the pane.
    Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    Image1->setMinimumSize(1, 1);

    PnlWeb = new QScrollArea(this);
    PnlWeb->setObjectName(QStringLiteral("PnlWeb"));
    PnlWeb->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    WebBrowser1 = new QLabel;
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PnlWeb->setWidget(WebBrowser1);
    PnlWeb->setWidgetResizable(false);

    PnlEffect = new QWidget(this);
    PnlEffect->setObjectName(QStringLiteral("PnlEffect"));
    ImgEffect = new QLabel(PnlEffect);
    ImgEffect->setObjectName(QStringLiteral("ImgEffect"));
    ImgEffect->setAlignment(Qt::AlignCenter);
    ImgEffect->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    ImgEffect->setWordWrap(true);
    LblEffect = new QLabel(PnlEffect);
    LblEffect->setObjectName(QStringLiteral("LblEffect"));
    LblEffect->setAlignment(Qt::AlignCenter);
    auto* effectLayout = new QVBoxLayout(PnlEffect);
    effectLayout->setContentsMargins(0, 0, 0, 0);
    effectLayout->addWidget(ImgEffect, 1);
    effectLayout->addWidget(LblEffect);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    layout->addWidget(PnlWeb);
    layout->addWidget(PnlEffect);
    SetMode(TMode::pmImage);
}

void TPreviewPane::SetMode(TMode mode)
{
    mode_ = mode;
    PnlWeb->setVisible(mode == TMode::pmWeb);
    Image1->setVisible(mode == TMode::pmImage);
    PnlEffect->setVisible(mode == TMode::pmEffect);
}

void TPreviewPane::ShowEffect(const TEffectResult& result)
{
    effect_ = result.Picture;
    effectLine_ =
        result.Picture.isNull()
            ? result.Reason
            : Window::tr("%1 × %2 像素，%3 字节").arg(result.Size.width()).arg(result.Size.height()).arg(result.Bytes);
    ImgEffect->setEnabled(true);
    LblEffect->setText(effectLine_);
    FitEffect();
}

void TPreviewPane::MarkEffectOutdated()
{
    ImgEffect->setEnabled(false);  // drawn greyed until the new result is in
    if (!effectLine_.isEmpty())
        LblEffect->setText(effectLine_ + Window::tr("（更新中…）"));
}

// At its own size, or fitted to the pane keeping its shape where it is larger.
void TPreviewPane::FitEffect()
{
    if (effect_.isNull()) {
        ImgEffect->clear();
        return;
    }
    const QSize room = ImgEffect->size();
    const bool fits = effect_.width() <= room.width() && effect_.height() <= room.height();
    const QImage shown =
        fits || room.isEmpty() ? effect_ : effect_.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImgEffect->setPixmap(QPixmap::fromImage(shown));
}

void TPreviewPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitEffect();
}

bool TPreviewPane::ShowPicture(const std::filesystem::path& file)
{
    const QImage picture = LoadPreviewPicture(file);
    const QPixmap pixmap = QPixmap::fromImage(picture);
    if (mode_ == TMode::pmImage) {
        Image1->setPixmap(pixmap);
    } else {
        WebBrowser1->setPixmap(pixmap);
        WebBrowser1->resize(pixmap.size());
    }
    return !picture.isNull();
}

}  // namespace quillane
