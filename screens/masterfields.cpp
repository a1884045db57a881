#include "screens/masterfields.h"

#include "core/calc/calc.h"
#include "core/records/fields.h"
#include "core/util/sjis.h"
#include "screens/session.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace orv {

MasterNumEdit::MasterNumEdit(const TOption &opt, const QString &allowed, QWidget *parent)
    : QLineEdit(parent), m_allowed(allowed), m_overwrite(opt.InputOverN),
      m_autoSelect(opt.AutoSelect)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setAlignment(Qt::AlignRight);
}

void MasterNumEdit::keyPressEvent(QKeyEvent *e)
{
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit left();
        focusNextChild();
        return;
    }
    if (key == Qt::Key_Delete && (e->modifiers() & Qt::ControlModifier)) {
        clear();
        return;
    }
    const QString t = e->text();
    if (t.isEmpty() || key == Qt::Key_Backspace || !t.at(0).isPrint()) {
        QLineEdit::keyPressEvent(e); // navigation, Backspace, shortcuts
        return;
    }
    if (!m_allowed.contains(t.at(0))) {
        QApplication::beep();
        return;
    }
    if (m_overwrite && !hasSelectedText() && cursorPosition() < text().size()) {
        const int pos = cursorPosition();
        QString s = text();
        s[pos] = t.at(0);
        setText(s);
        setCursorPosition(pos + 1);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void MasterNumEdit::focusInEvent(QFocusEvent *e)
{
    QLineEdit::focusInEvent(e);
    if (m_autoSelect)
        QTimer::singleShot(150, this, [this] {
            if (hasFocus())
                selectAll();
        });
}

void MasterNumEdit::focusOutEvent(QFocusEvent *e)
{
    QLineEdit::focusOutEvent(e);
    emit left();
}

MasterTextEdit::MasterTextEdit(int maxBytes, QWidget *parent) : QLineEdit(parent), m_maxBytes(maxBytes)
{
    connect(this, &QLineEdit::textChanged, this, [this] { cut(); });
}

void MasterTextEdit::cut()
{
    if (sjisBytes(text()) <= static_cast<std::size_t>(m_maxBytes))
        return;
    QString s = text();
    while (!s.isEmpty() && sjisBytes(s) > static_cast<std::size_t>(m_maxBytes))
        s.chop(1);
    setText(s);
    setCursorPosition(s.size());
}

void MasterTextEdit::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

QString fromSjis(std::string_view sjisBytes) { return qs(sjisToUtf8(sjisBytes)); }

std::size_t sjisBytes(const QString &text)
{
    std::size_t n = 0;
    for (QChar c : text) {
        auto b = utf8ToSjis(QString(c).toStdString());
        n += b ? b->size() : 2;
    }
    return n;
}

std::string toSjisCut(const QString &text, std::size_t maxBytes)
{
    std::string out;
    for (QChar c : text) {
        auto b = utf8ToSjis(QString(c).toStdString());
        if (!b)
            b = sjis("？");
        out += *b;
    }
    return CutBytes(out, maxBytes);
}

void recalcAfterChange(Session &session) { session.recalcAllAsk(); }

static std::size_t syainOffset(const char *field)
{
    for (const auto &f : syainFields())
        if (std::strcmp(f.name, field) == 0 && f.type == FieldType::Int32)
            return f.offset;
    std::abort(); // a field name of this program's own tables
}

std::int32_t syainInt(const TSyainRec &rec, const char *field)
{
    std::int32_t v;
    std::memcpy(&v, reinterpret_cast<const char *>(&rec) + syainOffset(field), sizeof v);
    return v;
}

void setSyainInt(TSyainRec &rec, const char *field, std::int32_t value)
{
    std::memcpy(reinterpret_cast<char *>(&rec) + syainOffset(field), &value, sizeof value);
}

std::vector<int> masterOrder(const PayImage &img)
{
    std::vector<int> order;
    for (int i = 1; i <= kSlots; ++i)
        if (SlotInUse(img, i))
            order.push_back(i);
    if (MaxSeqNo(img) > 0) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int sa = img.Syain[a].SeqNo, sb = img.Syain[b].SeqNo;
            if ((sa == 0) != (sb == 0))
                return sa != 0; // numbered first
            return sa < sb;
        });
    }
    return order;
}

} // namespace orv
