#include "screens/tfmcalc.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace orv {

TfmCalc::TfmCalc(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmCalc"));
    setWindowTitle(QStringLiteral("簡易電卓"));
    // Keys go to the calculator itself, never to an input method.
    setAttribute(Qt::WA_InputMethodEnabled, false);

    lbDisplay = new QLabel(QStringLiteral("0"), this);
    lbDisplay->setObjectName(QStringLiteral("lbDisplay"));
    lbDisplay->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lbDisplay->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lbDisplay->setMinimumHeight(34);
    QFont f = lbDisplay->font();
    f.setPointSize(f.pointSize() + 6);
    lbDisplay->setFont(f);
    lbDisplay->setStyleSheet(QStringLiteral("background: white; padding: 2px 6px;"));

    static const char *const digits[10] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    for (int d = 0; d < 10; ++d) {
        btNum[d] = button(QString::fromUtf8(digits[d]), nullptr);
        btNum[d]->setObjectName(QStringLiteral("btNum%1").arg(d));
        connect(btNum[d], &QPushButton::clicked, this, [this, d] { digit(d); });
    }
    btPoint = button(QStringLiteral(" ．"), "btPoint");
    btAdd = button(QStringLiteral("＋"), "btAdd");
    btSub = button(QStringLiteral("－"), "btSub");
    btMul = button(QStringLiteral("×"), "btMul");
    btDiv = button(QStringLiteral("÷"), "btDiv");
    btEqual = button(QStringLiteral("＝"), "btEqual");
    btPercent = button(QStringLiteral("％"), "btPercent");
    btClear = button(QStringLiteral("AC"), "btClear");
    btClear->setToolTip(QStringLiteral("オールクリア"));
    btBack = button(QStringLiteral("BS"), "btBack");
    btBack->setToolTip(QStringLiteral("1文字削除"));
    btOk = button(QStringLiteral("Ｏ Ｋ"), "btOk");
    btCancel = button(QStringLiteral("キャンセル"), "btCancel");

    connect(btPoint, &QPushButton::clicked, this, &TfmCalc::point);
    connect(btAdd, &QPushButton::clicked, this, [this] { operation(Op::Add); });
    connect(btSub, &QPushButton::clicked, this, [this] { operation(Op::Sub); });
    connect(btMul, &QPushButton::clicked, this, [this] { operation(Op::Mul); });
    connect(btDiv, &QPushButton::clicked, this, [this] { operation(Op::Div); });
    connect(btEqual, &QPushButton::clicked, this, &TfmCalc::equals);
    connect(btPercent, &QPushButton::clicked, this, &TfmCalc::percent);
    connect(btClear, &QPushButton::clicked, this, &TfmCalc::allClear);
    connect(btBack, &QPushButton::clicked, this, &TfmCalc::backSpace);
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *g = new QGridLayout(this);
    g->addWidget(lbDisplay, 0, 0, 1, 4);
    g->addWidget(btClear, 1, 0);
    g->addWidget(btBack, 1, 1);
    g->addWidget(btPercent, 1, 2);
    g->addWidget(btDiv, 1, 3);
    const int rows[3][3] = {{7, 8, 9}, {4, 5, 6}, {1, 2, 3}};
    QPushButton *ops[3] = {btMul, btSub, btAdd};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            g->addWidget(btNum[rows[r][c]], 2 + r, c);
        g->addWidget(ops[r], 2 + r, 3);
    }
    g->addWidget(btNum[0], 5, 0, 1, 2);
    g->addWidget(btPoint, 5, 2);
    g->addWidget(btEqual, 5, 3);
    g->addWidget(btOk, 6, 0, 1, 2);
    g->addWidget(btCancel, 6, 2, 1, 2);
    setFixedSize(sizeHint());
}

QPushButton *TfmCalc::button(const QString &caption, const char *name)
{
    auto *b = new QPushButton(caption, this);
    if (name)
        b->setObjectName(QString::fromLatin1(name));
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setMinimumSize(48, 34);
    return b;
}

void TfmCalc::showEvent(QShowEvent *event)
{
    allClear();
    QDialog::showEvent(event);
}

QString TfmCalc::displayText() const { return lbDisplay->text(); }

void TfmCalc::display(long double v)
{
    m_value = v;
    if (!std::isfinite(static_cast<double>(v))) {
        lbDisplay->setText(QStringLiteral("エラー"));
        return;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10Lg", v);
    lbDisplay->setText(QString::fromLatin1(buf));
}

void TfmCalc::showEntry()
{
    m_value = m_entry.toDouble();
    if (!m_decimal) {
        display(m_value);
        return;
    }
    // While decimals are typed the typed zeros stay visible ("1.50"; "1." before the first).
    QString text = QString::number(static_cast<double>(m_value), 'f', m_decimals);
    if (m_decimals == 0)
        text += QLatin1Char('.');
    if (m_entry.startsWith(QLatin1Char('-')) && !text.startsWith(QLatin1Char('-')))
        text.prepend(QLatin1Char('-'));
    lbDisplay->setText(text);
}

void TfmCalc::digit(int d)
{
    if (m_resultShown) {
        // A digit after a result starts a new calculation.
        m_first.reset();
        m_second.reset();
        m_op = Op::None;
        m_resultShown = false;
    }
    if (m_fresh) {
        m_entry = QString::number(d);
        m_fresh = false;
        m_decimal = false;
        m_decimals = 0;
    } else {
        if (m_entry.size() >= 9)
            return;
        m_entry += QString::number(d);
        if (m_decimal)
            ++m_decimals;
    }
    m_newNumber = true;
    showEntry();
}

void TfmCalc::point()
{
    if (m_resultShown) {
        m_first.reset();
        m_second.reset();
        m_op = Op::None;
        m_resultShown = false;
    }
    if (m_decimal && !m_fresh)
        return;
    if (m_fresh) {
        m_entry = QStringLiteral("0.");
        m_fresh = false;
    } else {
        if (m_entry.size() >= 9)
            return;
        m_entry += QLatin1Char('.');
    }
    m_decimal = true;
    m_decimals = 0;
    m_newNumber = true;
    showEntry();
}

long double TfmCalc::carryOut(long double a, long double b)
{
    switch (m_op) {
    case Op::Add:
        return a + b;
    case Op::Sub:
        return a - b;
    case Op::Mul:
        return a * b;
    case Op::Div:
        if (b == 0)
            return NAN; // shown as an error; nothing can be taken from it
        return a / b;
    case Op::None:
        break;
    }
    return b;
}

void TfmCalc::operation(Op op)
{
    const long double v = m_value;
    if (!m_first)
        m_first = v;
    else
        m_second = v;
    if (m_op != Op::None && m_newNumber && m_second) {
        long double r = carryOut(*m_first, *m_second);
        display(r);
        m_first = r;
    }
    m_op = op;
    m_fresh = true;
    m_decimal = false;
    m_newNumber = false;
    m_resultShown = false;
}

void TfmCalc::equals()
{
    if (m_op == Op::None)
        return;
    if (m_newNumber)
        m_second = m_value;
    else if (!m_second)
        m_second = *m_first;
    long double r = carryOut(*m_first, *m_second);
    display(r);
    m_first = r;
    m_fresh = true;
    m_decimal = false;
    m_newNumber = false;
    m_resultShown = true;
}

void TfmCalc::percent()
{
    if (!m_newNumber && !m_second) {
        QApplication::beep();
        display(m_value);
        return;
    }
    const long double v = m_value;
    long double r = (m_op == Op::Add || m_op == Op::Sub) && m_first ? *m_first * v / 100 : v / 100;
    display(r);
    m_second = r;
    m_newNumber = false;
    m_fresh = true;
    m_decimal = false;
}

void TfmCalc::backSpace()
{
    if (m_fresh || m_resultShown || m_entry.isEmpty())
        return;
    const QChar last = m_entry.back();
    m_entry.chop(1);
    if (last == QLatin1Char('.'))
        m_decimal = false;
    else if (m_decimal && m_decimals > 0)
        --m_decimals;
    if (m_entry.isEmpty() || m_entry == QLatin1String("-")) {
        m_entry.clear();
        m_fresh = true;
        display(0);
        return;
    }
    showEntry();
}

void TfmCalc::allClear()
{
    m_first.reset();
    m_second.reset();
    m_entry.clear();
    m_op = Op::None;
    m_fresh = true;
    m_decimal = false;
    m_decimals = 0;
    m_resultShown = false;
    m_newNumber = false;
    display(0);
}

void TfmCalc::flash(QPushButton *b)
{
    b->setDown(true);
    QTimer::singleShot(100, b, [b] { b->setDown(false); });
}

void TfmCalc::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const QString t = event->text();
    QPushButton *b = nullptr;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        b = btNum[key - Qt::Key_0];
    else if (t == QLatin1String("."))
        b = btPoint;
    else if (t == QLatin1String("+"))
        b = btAdd;
    else if (t == QLatin1String("-"))
        b = btSub;
    else if (t == QLatin1String("*"))
        b = btMul;
    else if (t == QLatin1String("/"))
        b = btDiv;
    else if (key == Qt::Key_Return || key == Qt::Key_Enter || t == QLatin1String("="))
        b = btEqual;
    else if (key == Qt::Key_C)
        b = btClear;
    else if (key == Qt::Key_Backspace)
        b = btBack;
    if (!b) {
        QDialog::keyPressEvent(event); // Esc cancels
        return;
    }
    b->click();
    flash(b);
    event->accept();
}

} // namespace orv
