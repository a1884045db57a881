#pragma once

// The simple four-function calculator ("簡易電卓"). The caller reads value() after exec()
// returned Accepted and decides whether the value fits its field.

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;

namespace orv {

class TfmCalc : public QDialog {
    Q_OBJECT
public:
    explicit TfmCalc(QWidget *parent = nullptr);

    // The current value (NaN after a division by zero).
    long double value() const { return m_value; }
    QString displayText() const;

    // The buttons' actions, also used by the keys.
    void digit(int d);
    void point();
    enum class Op { None, Add, Sub, Mul, Div };
    void operation(Op op);
    void equals();
    void percent();
    void backSpace();
    void allClear();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *button(const QString &caption, const char *name);
    void flash(QPushButton *b);
    void display(long double v);
    void showEntry();
    long double carryOut(long double a, long double b);

    QLabel *lbDisplay;
    QPushButton *btNum[10];
    QPushButton *btPoint, *btAdd, *btSub, *btMul, *btDiv, *btEqual, *btPercent, *btClear, *btBack;
    QPushButton *btOk, *btCancel;

    std::optional<long double> m_first, m_second;
    QString m_entry;
    Op m_op = Op::None;
    bool m_fresh = true;
    bool m_decimal = false;
    int m_decimals = 0;
    bool m_resultShown = false;
    bool m_newNumber = false;
    long double m_value = 0;
};

} // namespace orv
