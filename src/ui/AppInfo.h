#pragma once

#include <QString>
#include <QUrl>

namespace quillane {

// The application's title: caption of the main window, the prompts and every message box.
inline const QString kAppTitle = QStringLiteral("Quillane");
inline const QString kAppVersion = QStringLiteral("3.41");
inline const QString kSupportAddress = QStringLiteral("support@quillane.example");

// The maker's web page opened by the help menu and the conversion page.
QUrl MakerWebPage();

// "mailto:" + support address + "?subject=关于Quillane".
QUrl SupportMailUrl();

}  // namespace quillane
