#include "ui/DigitFilter.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace quillane {

namespace {

class TDigitFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && !DigitFilterAccepts(*static_cast<QKeyEvent*>(event)))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

bool DigitFilterAccepts(const QKeyEvent& event)
{
    if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete)
        return true;
    // Editing shortcuts are no typed characters; pasted text is not filtered.
    for (const QKeySequence::StandardKey shortcut :
         {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Paste, QKeySequence::Cut})
        if (event.matches(shortcut))
            return true;
    const QString typed = event.text();
    if (typed.isEmpty())
        return true;  // no character: navigation, or a paste by Shift+Insert
    for (const QChar character : typed) {
        if (character < QLatin1Char('0') || character > QLatin1Char('9'))
            return false;
    }
    return true;
}

void AcceptDigitsOnly(QLineEdit* edit, int maxLength)
{
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    // Characters composed by an input method would pass by the key filter.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(new TDigitFilter(edit));
}

}  // namespace quillane
