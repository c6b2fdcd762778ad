#include "ui/AppInfo.h"

namespace quillane {

QUrl MakerWebPage()
{
    return QUrl::fromLocalFile(QStringLiteral(QUILLANE_README_PATH));
}

QUrl SupportMailUrl()
{
    return QUrl(QStringLiteral("mailto:") + kSupportAddress + QStringLiteral("?subject=关于") + kAppTitle);
}

}  // namespace quillane
