#include "ui/FrmAbout.h"

#include "ui/AppInfo.h"
#include "ui/Pictures.h"
#include "ui/WindowTr.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace quillane {

TfrmAbout::TfrmAbout(QWidget* parent, TUrlOpener openUrl) : QDialog(parent), openUrl_(std::move(openUrl))
{
    setObjectName(QStringLiteral("frmAbout"));
    setModal(true);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(ProgramPicture());
    Image1->setFixedSize(32, 32);
    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    QFont bold = lblVersion->font();
    bold.setBold(true);
    lblVersion->setFont(bold);

    // A link in looks only: the click itself goes through Label1Click, as a label's click would.
    Label1 = new QLabel(Window::tr("技术支持：") + kSupportAddress, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setStyleSheet(QStringLiteral("color: navy; text-decoration: underline;"));
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->installEventFilter(this);
    Button1 = new QPushButton(Window::tr("确定"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(lblVersion, 0, 1);
    grid->addWidget(Label1, 1, 1);
    grid->addWidget(Button1, 2, 1, Qt::AlignRight);
    // The support line is never cut off: the box grows past its 259 pixels when it needs to.
    setFixedSize(qMax(259, sizeHint().width()), qMax(129, sizeHint().height()));

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

void TfrmAbout::FormCreate()
{
    setWindowTitle(kAppTitle);
    lblVersion->setText(kAppTitle + QLatin1Char(' ') + kAppVersion);
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
        Label1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAbout::Label1Click()
{
    if (openUrl_)
        openUrl_(SupportMailUrl());
}

}  // namespace quillane
