#pragma once

#include <QDialog>

class QLabel;
class QTimer;

namespace orv {

// The notice popup: a borderless stay-on-top window (yellow text on blue, 250 x 28 pixels,
// centred on its owner) that shows one message and, in its usual form, closes itself after
// 1500 ms.
class TfmNotice : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAutoCloseMs = 1500;

    explicit TfmNotice(QWidget *owner = nullptr);

    // Shows the message without blocking; closes itself after `autoCloseMs` (0: stays until
    // closed by the caller).
    void showMessage(const QString &text, int autoCloseMs = kAutoCloseMs);
    QString message() const;

    // The usual use: a self-closing popup over `owner`, deleted when it closes.
    static TfmNotice *popup(QWidget *owner, const QString &text);

private:
    QLabel *m_label;
    QTimer *m_timer;
};

} // namespace orv
