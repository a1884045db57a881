#pragma once

// Entry fields and small helpers shared by the master and settings windows.

#include "core/options/option.h"
#include "core/records/payimage.h"

#include <QLineEdit>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class Session;

// A numeric entry field: only the characters of `allowed` (and Backspace) are taken, other
// keys beep and are dropped; Enter moves to the next field; Ctrl+Delete empties it; with
// InputOverN typing overwrites the character under the caret; with AutoSelect the whole text
// is selected 150 ms after the field gets the focus. The input method is off. `left()` is
// emitted when the field loses the focus, for the caller's normalisation.
class MasterNumEdit : public QLineEdit {
    Q_OBJECT
public:
    MasterNumEdit(const TOption &opt, const QString &allowed, QWidget *parent = nullptr);

signals:
    void left();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    QString m_allowed;
    bool m_overwrite;
    bool m_autoSelect;
};

// A text field kept within a number of Shift-JIS bytes while typing (never splitting a
// double-byte character); Enter moves to the next field.
class MasterTextEdit : public QLineEdit {
    Q_OBJECT
public:
    MasterTextEdit(int maxBytes, QWidget *parent = nullptr);
    int maxBytes() const { return m_maxBytes; }

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    void cut();
    int m_maxBytes;
};

// UTF-8 and Qt text.
inline QString qs(const std::string &utf8) { return QString::fromStdString(utf8); }
inline std::string us(const QString &text) { return text.toStdString(); }

// A record string (Shift-JIS bytes) as screen text, and back cut to `maxBytes` bytes.
QString fromSjis(std::string_view sjisBytes);
std::string toSjisCut(const QString &text, std::size_t maxBytes);
// Shift-JIS byte count of a text (characters Shift-JIS cannot hold count as two).
std::size_t sjisBytes(const QString &text);

// After a change of master data or settings: ZenKeisan of every slot, its overflow reports,
// and in a bonus period the tax exception question (Yes switches those slots to entry by hand).
void recalcAfterChange(Session &session);

// A 32-bit field of the employee master by its name ("Chingin1", "Teate2", "KenhoRyo" …).
std::int32_t syainInt(const TSyainRec &rec, const char *field);
void setSyainInt(TSyainRec &rec, const char *field, std::int32_t value);

// Slots in use in the order the masters follow: by sequence number while any employee in use
// has one (ascending, ties and unnumbered slots after them in slot order, so that gaps,
// duplicates and zeros never hide an employee), else in slot order.
std::vector<int> masterOrder(const PayImage &img);

} // namespace orv
