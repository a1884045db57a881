#include "screens/numedit.h"

#include "core/util/numtext.h"
#include "core/util/prompter.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTimer>

namespace orv {

NumEdit::NumEdit(QWidget *parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Numbers only: no input method composes into this field.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setKind(Kind::Amount);
}

void NumEdit::setKind(Kind kind)
{
    m_kind = kind;
    setInputMethodHints(Qt::ImhNoPredictiveText | Qt::ImhPreferLatin |
                        (kind == Kind::Amount ? Qt::ImhDigitsOnly : Qt::ImhFormattedNumbersOnly));
}

void NumEdit::setValueText(const QString &text)
{
    setText(text);
    m_accepted = text;
}

bool NumEdit::accepts(QChar c) const
{
    if (c.isDigit() && c.unicode() < 128)
        return true;
    if (c == QLatin1Char('-'))
        return true;
    if (c == QLatin1Char('.'))
        return m_kind != Kind::Amount;
    if (c == QLatin1Char(':'))
        return m_kind == Kind::Time;
    return false;
}

bool NumEdit::commit()
{
    if (m_committing || isReadOnly() || text() == m_accepted)
        return true;
    m_committing = true;
    Prompter &prompter = m_prompter ? *m_prompter : nullPrompter();
    if (m_formatCode > 0) {
        std::string checked = CheckNumText(text().toStdString(), m_formatCode, prompter);
        if (checked.empty()) {
            // Refused: the message was shown; the field goes back to what it held.
            setText(m_accepted);
            selectAll();
            m_committing = false;
            return false;
        }
        setText(QString::fromStdString(checked));
    }
    bool moveOnAllowed = onEntered ? onEntered(this) : true;
    m_accepted = text();
    m_committing = false;
    return moveOnAllowed;
}

void NumEdit::moveOn(int step)
{
    if (navigate)
        navigate(this, step);
    else
        focusNextPrevChild(step > 0);
}

void NumEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const auto mods = event->modifiers() & ~Qt::KeypadModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter || (mods == 0 && (key == Qt::Key_Down || key == Qt::Key_Up))) {
        if (commit())
            moveOn(key == Qt::Key_Up ? -1 : 1);
        event->accept();
        return;
    }
    if (key == Qt::Key_Delete && (mods & Qt::ControlModifier)) {
        if (!isReadOnly())
            clear();
        event->accept();
        return;
    }
    // Keys that would switch a Japanese keyboard to full-width input do nothing here.
    if (key == Qt::Key_Zenkaku_Hankaku || key == Qt::Key_Kanji || key == Qt::Key_Henkan ||
        key == Qt::Key_Hiragana_Katakana || key == Qt::Key_Zenkaku || key == Qt::Key_Hankaku ||
        key == Qt::Key_Eisu_toggle) {
        QTimer::singleShot(100, this, [this] { setAttribute(Qt::WA_InputMethodEnabled, false); });
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                           !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!printable || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    for (QChar c : typed) {
        if (!accepts(c)) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    const bool overwrite = m_inputOverN && !hasSelectedText() && cursorPosition() < text().size();
    if (m_typedLimit > 0 && !overwrite) {
        QString rest = text();
        if (hasSelectedText())
            rest.remove(selectionStart(), selectedText().size());
        rest.remove(QLatin1Char(',')).remove(QLatin1Char(' '));
        if (rest.size() + typed.size() > m_typedLimit) {
            QApplication::beep();
            event->accept();
            return;
        }
    }
    if (overwrite) {
        // The character under the caret is replaced and the caret moves one place on.
        setSelection(cursorPosition(), 1);
        insert(typed.left(1));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (m_autoSelect && !isReadOnly())
        QTimer::singleShot(150, this, [this] {
            if (hasFocus())
                selectAll();
        });
}

void NumEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A message box or another window taking the focus is not leaving the field.
    const auto reason = event->reason();
    if (!m_leaveHandling || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    if (!commit())
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
}

void NumEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // Composed text (full-width characters) never enters a numeric field.
    event->ignore();
}

} // namespace orv
