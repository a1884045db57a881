#pragma once

// Employee order ("社員連番の変更"): every employee in use in a list that can be sorted by a
// column, moved up and down or dragged; OK numbers them 1..n in the order shown, "リセット"
// clears every sequence number.

#include <QDialog>

#include <vector>

class QListWidget;

namespace orv {

class Session;

class TfmSeqNo : public QDialog {
    Q_OBJECT
public:
    enum class SortKey { No, Name, Busyo, Kubun, Keitai };

    TfmSeqNo(Session &session, QWidget *parent = nullptr);

    void sortBy(SortKey key);
    // Slots in the order the list shows.
    std::vector<int> shownSlots() const;
    QListWidget *list() const { return m_list; }

public slots:
    void btUpClick() { move(-1); }
    void btDownClick() { move(+1); }
    void btOkClick();
    void btResetClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void fill(const std::vector<int> &order);
    void move(int dir);
    void paint();

    Session &m_session;
    QListWidget *m_list;
};

} // namespace orv
