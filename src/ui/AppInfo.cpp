#include "ui/AppInfo.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quillane {

// An installed program reads the README installed beside its documentation; one run from
// the build reads the source checkout's.
QUrl MakerWebPage()
{
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/doc/quillane/README.md");
    if (QFileInfo::exists(installed))
        return QUrl::fromLocalFile(QFileInfo(installed).canonicalFilePath());
    return QUrl::fromLocalFile(QStringLiteral(QUILLANE_README_PATH));
}

QUrl SupportMailUrl()
{
    return QUrl(QStringLiteral("mailto:") + kSupportAddress + QStringLiteral("?subject=关于") + kAppTitle);
}

}  // namespace quillane
