#pragma once

// The grid of the employee list editing window: one column per shown employee (in use, not
// retired, in master order), one row per numeric master field. Values live in the model until
// the window closes and are written back whole; a cell that is not a number or does not fit
// its field is refused with a message and keeps its value.

#include <QAbstractTableModel>

#include <array>
#include <cstdint>
#include <vector>

namespace orv {

class Session;

class MembEditLModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kRows = 27;    // rows 1..27 of the grid
    static constexpr int kHyojunRow = 23; // "標準報酬月額": input for the premiums only

    explicit MembEditLModel(Session &session, QObject *parent = nullptr);

    // Takes the values of the shown employees from the master records.
    void fill();
    // Stores every value except row 23 into the master records.
    void writeBack() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // Grid row (1..27) of a model row and back.
    static int gridRow(const QModelIndex &index) { return index.row() + 1; }
    bool editable(int gridRow, int column) const;
    int slotOf(int column) const { return m_slots[column]; }

private:
    Session &m_session;
    std::vector<int> m_slots;
    std::vector<std::array<std::int32_t, kRows + 1>> m_values;
};

} // namespace orv
