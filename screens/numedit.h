#pragma once

// The numeric entry field every screen uses: Enter moves on, the whole text is selected 150 ms
// after the field gets the focus (AutoSelect), typing overwrites inside the text (InputOverN),
// Ctrl+Delete empties it, only the characters of its kind are accepted (others beep), the input
// method stays off, and on leaving the text is normalised by CheckNumText. A refused text is
// reported through the prompter and the field returns to its last accepted text, keeping the
// focus so that the user can correct it.

#include <QLineEdit>

#include <functional>

namespace orv {

class Prompter;

class NumEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind {
        Amount, // digits and "-"
        Number, // digits, "-" and "."
        Time,   // digits, "-", "." and ":" (h:mm)
    };

    explicit NumEdit(QWidget *parent = nullptr);

    void setKind(Kind kind);
    Kind kind() const { return m_kind; }
    // Format code 10 x width + decimals for CheckNumText; 0 skips the check.
    void setFormatCode(int f) { m_formatCode = f; }
    int formatCode() const { return m_formatCode; }
    // Characters that may be typed, separators not counted; 0 for no limit.
    void setTypedLimit(int n) { m_typedLimit = n; }
    void setAutoSelect(bool on) { m_autoSelect = on; }
    void setInputOverN(bool on) { m_inputOverN = on; }
    void setPrompter(Prompter *prompter) { m_prompter = prompter; }

    // Shows a value's text and takes it as the accepted text (no leaving steps).
    void setValueText(const QString &text);
    QString acceptedText() const { return m_accepted; }

    // The leaving steps now: when the text differs from the accepted one it is checked,
    // normalised and handed to onEntered. Returns false when the field keeps the focus
    // (refused, or onEntered said so).
    bool commit();

    // Called with the normalised text in the field; returns false to keep the focus here
    // (for example after resetting a value that broke a rule). The handler may reformat the
    // field with setValueText().
    std::function<bool(NumEdit *)> onEntered;
    // Moves the focus on: +1 next field (Enter, Down), -1 previous (Up). Without one the
    // focus chain of the window is used.
    std::function<void(NumEdit *, int)> navigate;

    // Whether the next focus loss runs the leaving steps (off while a window loads values).
    void setLeaveHandling(bool on) { m_leaveHandling = on; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    bool accepts(QChar c) const;
    void moveOn(int step);

    Kind m_kind = Kind::Amount;
    int m_formatCode = 0;
    int m_typedLimit = 0;
    bool m_autoSelect = true;
    bool m_inputOverN = false;
    bool m_leaveHandling = true;
    bool m_committing = false;
    Prompter *m_prompter = nullptr;
    QString m_accepted;
};

} // namespace orv
