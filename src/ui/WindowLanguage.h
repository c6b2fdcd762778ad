#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include "jobs/Language.h"
#include "ui/WindowTr.h"

class QWidget;

namespace quillane {

// A catalogue that remembers the source of every translation it gives out, so that a
// text set through Window::tr while English is shown still finds its way back.
class TRememberingCatalogue : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
};

// The window's language. The window's texts are written in Chinese, its own language;
// English is their translation in the catalogue (context "Window"). Switching walks
// every widget and action below the root and shows each text in the new language, so
// nothing needs a restart; Qt's own dialogs and buttons follow through qtbase_*.qm.
class TWindowLanguage : public QObject {
    Q_OBJECT

public:
    explicit TWindowLanguage(QObject* parent = nullptr);
    ~TWindowLanguage() override;

    TLanguage Current() const { return current_; }
    void Apply(TLanguage language, QWidget* root);
    // Walks the root again, for texts the window set since the last switch.
    void Retranslate(QWidget* root) const;

signals:
    void Changed(TLanguage language);

private:
    TLanguage current_ = TLanguage::lgChinese;
    TRememberingCatalogue window_;
    TRememberingCatalogue engine_;  // the engine's texts the window shows itself
    QTranslator toolkit_;
};

// A window text in the current language (the Chinese where no translation exists).
QString WindowText(const QString& chinese);

// Every text of the root's widgets and actions in the window's own language, as the
// language switch finds them.
QStringList WindowTexts(QWidget* root);
// The texts the root's widgets and actions show now, in whatever language.
QStringList ShownTexts(QWidget* root);

// Widgets and actions whose texts are the same in both languages (the language menu).
inline constexpr const char* kKeepText = "quillaneKeepText";

}  // namespace quillane
