#include "ui/WindowLanguage.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMutex>
#include <QMutexLocker>
#include <QTabWidget>
#include <QWidget>

#include <functional>

#include "jobs/EngineTexts.h"
#include "texts/HostTexts.h"

namespace quillane {

namespace {

constexpr const char* kContext = "Window";

bool HasChinese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff) || (c.unicode() >= 0x3000 && c.unicode() <= 0x303f) ||
               (c.unicode() >= 0xff00 && c.unicode() <= 0xffef);
    });
}

// The Chinese of every English text the catalogues gave out, the first where two share
// one; any thread may translate (the effect preview's worker does).
struct TSourcesOfTranslations {
    QMutex lock;
    QHash<QString, QString> chinese;
};

TSourcesOfTranslations& SourcesOfTranslations()
{
    static TSourcesOfTranslations sources;
    return sources;
}

QString SourceOfTranslation(const QString& english)
{
    TSourcesOfTranslations& sources = SourcesOfTranslations();
    const QMutexLocker locker(&sources.lock);
    return sources.chinese.value(english);
}

// One text of an object: how to read and write it, and the key that keeps its Chinese.
struct TTextSlot {
    QObject* owner;
    QByteArray key;
    std::function<QString()> get;
    std::function<void(const QString&)> set;
};

// The Chinese a slot shows: what was remembered, unless the window has set a new text
// since (one that is neither the remembered Chinese nor its translation); a new text
// set in English is known by its translation.
QString ChineseOf(const TTextSlot& slot)
{
    const QString shown = slot.get();
    const QVariant remembered = slot.owner->property(slot.key);
    if (remembered.isValid()) {
        const QString chinese = remembered.toString();
        if (shown == chinese || shown == WindowText(chinese))
            return chinese;
    }
    // Only while English is shown: in Chinese, a name that reads like a translation is a name.
    const QString source = SourceOfTranslation(shown);
    const QString chinese = !source.isEmpty() && WindowText(source) == shown ? source : shown;
    slot.owner->setProperty(slot.key, chinese);
    return chinese;
}

template <typename T, typename Getter, typename Setter>
void AddSlot(std::vector<TTextSlot>& entries, T* owner, const char* key, Getter get, Setter set)
{
    entries.push_back({owner, QByteArray("quillaneZh.") + key, [=] { return (owner->*get)(); },
                       [=](const QString& text) { (owner->*set)(text); }});
}

void AddWidgetSlots(std::vector<TTextSlot>& entries, QWidget* widget)
{
    AddSlot(entries, widget, "toolTip", &QWidget::toolTip, &QWidget::setToolTip);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        AddSlot(entries, button, "text", &QAbstractButton::text, &QAbstractButton::setText);
    if (auto* label = qobject_cast<QLabel*>(widget))
        AddSlot(entries, label, "text", &QLabel::text, &QLabel::setText);
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        AddSlot(entries, box, "title", &QGroupBox::title, &QGroupBox::setTitle);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
        AddSlot(entries, spin, "special", &QAbstractSpinBox::specialValueText, &QAbstractSpinBox::setSpecialValueText);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        AddSlot(entries, edit, "placeholder", &QLineEdit::placeholderText, &QLineEdit::setPlaceholderText);
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
        for (int i = 0; i < tabs->count(); ++i) {
            entries.push_back({tabs, "quillaneZh.tab" + QByteArray::number(i), [=] { return tabs->tabText(i); },
                               [=](const QString& text) { tabs->setTabText(i, text); }});
        }
    }
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < combo->count(); ++i) {
            entries.push_back({combo, "quillaneZh.item" + QByteArray::number(i), [=] { return combo->itemText(i); },
                               [=](const QString& text) { combo->setItemText(i, text); }});
        }
    }
}

std::vector<TTextSlot> TextSlots(QWidget* root)
{
    std::vector<TTextSlot> entries;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        if (!widget->property(kKeepText).toBool())
            AddWidgetSlots(entries, widget);
    }
    for (QAction* action : root->findChildren<QAction*>()) {
        if (!action->property(kKeepText).toBool())
            AddSlot(entries, action, "text", &QAction::text, &QAction::setText);
    }
    return entries;
}

}  // namespace

QString TRememberingCatalogue::translate(const char* context, const char* sourceText, const char* disambiguation,
                                         int n) const
{
    const QString translated = QTranslator::translate(context, sourceText, disambiguation, n);
    if (!translated.isEmpty() && n < 0) {
        TSourcesOfTranslations& sources = SourcesOfTranslations();
        const QMutexLocker locker(&sources.lock);
        if (!sources.chinese.contains(translated))
            sources.chinese.insert(translated, QString::fromUtf8(sourceText));
    }
    return translated;
}

QString WindowText(const QString& chinese)
{
    const QByteArray source = chinese.toUtf8();
    const QString translated = QCoreApplication::translate(kContext, source.constData());
    if (translated != chinese)
        return translated;
    // The engine's texts that the window shows itself (the overwrite question).
    for (const TEngineText& text : EngineTexts()) {
        if (text.Chinese == source.toStdString())
            return QCoreApplication::translate("Engine", source.constData(), text.Id.c_str());
    }
    return chinese;
}

QStringList WindowTexts(QWidget* root)
{
    QStringList texts;
    for (const TTextSlot& slot : TextSlots(root)) {
        const QString chinese = ChineseOf(slot);
        if (HasChinese(chinese) && !texts.contains(chinese))
            texts.append(chinese);
    }
    return texts;
}

QStringList ShownTexts(QWidget* root)
{
    QStringList texts;
    for (const TTextSlot& slot : TextSlots(root)) {
        if (!slot.get().isEmpty())
            texts.append(slot.get());
    }
    return texts;
}

TWindowLanguage::TWindowLanguage(QObject* parent) : QObject(parent)
{
    const QString folder = QString::fromStdString(TranslationsFolder());
    (void)window_.load(QStringLiteral("quillane_window_en"), folder);
    (void)engine_.load(QStringLiteral("quillane_en"), folder);
}

TWindowLanguage::~TWindowLanguage()
{
    QCoreApplication::removeTranslator(&window_);
    QCoreApplication::removeTranslator(&engine_);
    QCoreApplication::removeTranslator(&toolkit_);
}

void TWindowLanguage::Apply(TLanguage language, QWidget* root)
{
    // Remember every Chinese text before the catalogues change what "translated" means.
    const std::vector<TTextSlot> entries = TextSlots(root);
    for (const TTextSlot& slot : entries)
        (void)ChineseOf(slot);
    QCoreApplication::removeTranslator(&window_);
    QCoreApplication::removeTranslator(&engine_);
    QCoreApplication::removeTranslator(&toolkit_);
    current_ = language;
    const QString toolkitFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == TLanguage::lgEnglish) {
        QCoreApplication::installTranslator(&window_);
        QCoreApplication::installTranslator(&engine_);
    } else if (toolkit_.load(QStringLiteral("qtbase_zh_CN"), toolkitFolder)) {
        // The toolkit's own buttons ("是", "否", "确定") in the language of the window.
        QCoreApplication::installTranslator(&toolkit_);
    }
    for (const TTextSlot& slot : entries) {
        const QString chinese = slot.owner->property(slot.key).toString();
        slot.set(language == TLanguage::lgEnglish ? WindowText(chinese) : chinese);
    }
    emit Changed(language);
}

void TWindowLanguage::Retranslate(QWidget* root) const
{
    for (const TTextSlot& slot : TextSlots(root)) {
        const QString chinese = ChineseOf(slot);
        slot.set(current_ == TLanguage::lgEnglish ? WindowText(chinese) : chinese);
    }
}

}  // namespace quillane
