#pragma once

// The detail entry screen ("明細入力画面"): one employee's period laid out like the pay slip,
// recomputed after every change.

#include "screens/entryitems.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QGroupBox;
class QGridLayout;

namespace orv {

class Session;
class NumEdit;

class TfmDataEdit : public QDialog {
    Q_OBJECT
public:
    TfmDataEdit(Session &session, QWidget *parent = nullptr);
    ~TfmDataEdit() override;

    // Shows the employee of a slot.
    void setSlot(int slot);
    int slot() const { return m_slot; }

    // The field of an item by its caption on screen ("欠勤日数", "所得税"); null when not shown.
    NumEdit *field(const QString &caption) const;
    QString caption(NumEdit *field) const;
    QString netPayText() const;
    QString totalText(EntryGroup group) const;

    // The buttons.
    void btPrevClick();
    void btNextClick();
    void btCalcClick();
    void btRecalcClick();
    void btManualClick();
    void btMembClick();

    // Runs the calculator; replaceable in tests (returns false when cancelled).
    std::function<bool(long double &value)> runCalculator;
    // Opens the employee editor in its view-only mode; empty while none is available.
    std::function<void(int slot)> showEmployee;

    void reject() override;

signals:
    // The employee shown changed (the main window selects its line).
    void slotShown(int slot);

protected:
    bool eventFilter(QObject *object, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    struct Row {
        EntryGroup group;
        int index = 0;
        QLabel *label = nullptr;
        NumEdit *edit = nullptr;
        std::string entry; // stored entry with prefix
        std::string text;  // display text
        int no = 0;        // storage number
        bool fixed = false; // "F" entry: computed or from the master
        double value = 0;  // the value the field stands for
    };

    void buildGroup(EntryGroup group, QGroupBox *box, int count, QLabel **totalLabel,
                    const QString &totalCaption);
    void loadEmployee();
    void fillValues();
    void storeFields();
    bool entered(Row &row);
    void recalc();
    void updateButtons();
    Row *rowOf(QObject *widget);
    Row *currentRow();
    bool editable(const Row &row) const;
    bool manual(const Row &row) const;
    QString format(const Row &row, double v) const;
    double recordValue(const Row &row) const;
    void moveFocus(NumEdit *from, int step);
    void step(bool forward);

    Session &m_session;
    int m_slot = 0;
    bool m_loading = false;
    Row *m_current = nullptr;
    std::vector<Row> m_rows;

    QLineEdit *edSimei;
    QGroupBox *m_boxKintai = nullptr;
    QLabel *lbSikyuTotal, *lbKoujoTotal, *lbSonotaTotal, *lbSasihiki;
    QLabel *lbZangyo[4];
    QPushButton *btPrev, *btNext, *btCalc, *btRecalc, *btManual, *btPrint, *btMail, *btMemb, *btClose;
};

} // namespace orv
