#pragma once

// Slip print items: the ordered attendance, pay, deduction and "other" lists of the salary
// slip (TfmPrnFormK, "給与明細書印刷項目の設定") or the bonus slip (TfmPrnFormS) with their use
// flags per pay form. Clicking a name toggles it for the pay form of the active tab; dragging a
// row by its handle moves the entry (all three forms). While dragging, the cursor is a closed
// hand and the row the entry would land on is highlighted; Escape or releasing off the list
// moves nothing. OK writes the lists into the settings file and recomputes every employee;
// cancel leaves everything as it was.

#include "core/options/slipitems.h"

#include <QDialog>

#include <array>

class QKeyEvent;
class QPoint;
class QTabBar;
class QTableWidget;

namespace orv {

class Session;

class TfmPrnFormK : public QDialog {
    Q_OBJECT
public:
    TfmPrnFormK(Session &session, QWidget *parent = nullptr);

    enum List { Kintai = 0, Sikyu = 1, Koujo = 2, Sonota = 3 };
    // Moves entry `from` of a list to position `to` (0-based), the others shifting.
    void moveItem(List list, int from, int to);
    // Toggles the use flag of a position for the pay form of the active tab.
    void toggleItem(List list, int pos);
    void setForm(int form); // 1 monthly, 2 daily, 3 hourly
    const SlipItems &items() const { return m_items; }
    QTableWidget *grid(List list) const { return m_grids[list]; }

public slots:
    void btOkClick();
    void btResetClick();

protected:
    TfmPrnFormK(Session &session, SlipKind kind, QWidget *parent);
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    void build();
    void refresh();
    void paintRow(List list, int row);
    // The row a drag released at `pos` of the list's viewport lands on; -1 off the list.
    int dropRowAt(List list, const QPoint &pos) const;
    void setDropRow(int row); // highlights the target row of the drag
    void endDrag();           // back to no drag: normal row colours and cursor
    TEditItems *entry(List list, int pos);
    int count(List list) const;

    Session &m_session;
    SlipKind m_kind;
    SlipItems m_items;
    std::array<QTableWidget *, 4> m_grids{};
    QTabBar *m_tabs = nullptr;
    int m_dragList = -1;
    int m_dragRow = -1;
    int m_dropRow = -1;
};

} // namespace orv
