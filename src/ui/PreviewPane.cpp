#include "ui/PreviewPane.h"

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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    layout->addWidget(PnlWeb);
    SetMode(TMode::pmImage);
}

void TPreviewPane::SetMode(TMode mode)
{
    mode_ = mode;
    PnlWeb->setVisible(mode == TMode::pmWeb);
    Image1->setVisible(mode == TMode::pmImage);
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
