#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QUrl;

namespace quillane {

// The about box: title and version, and the support address as a link that starts a mail.
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    using TUrlOpener = std::function<void(const QUrl&)>;

    TfrmAbout(QWidget* parent, TUrlOpener openUrl);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void Label1Click();

    TUrlOpener openUrl_;
    QLabel* Image1 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
};

}  // namespace quillane
