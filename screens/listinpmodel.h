#pragma once

// The grid of the list input screen: one column per employee (in use, not retired, in their
// order), one row per item of the page shown. The grid is a view on the records: it is filled
// once from them and holds the typed values until they are written back.

#include "screens/entryitems.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

namespace orv {

class Session;

class ListInpModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Page { Hendo = 0, Kotei = 1 }; // "変動項目", "固定項目"

    explicit ListInpModel(Session &session, QObject *parent = nullptr);

    // Builds the columns and rows of both pages and fills them from the records.
    void fill();
    // Writes every editable cell of both pages into the records of its employee; the
    // employees' prescribed days and hours are reset to the period's values.
    void store();

    void setPage(Page page);
    Page page() const { return m_page; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Takes the text typed into a cell (already normalised by the editor).
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // The slot of an employee column (0 when its employee is gone).
    int slotOfColumn(int column) const;
    bool isEditable(int row, int column) const;
    // Attendance rows hold days, hours or counts; the others whole yen.
    bool isAttendanceRow(int row) const;
    bool isTimeRow(int row) const;
    QString rowText(int row) const;
    // The row of an item text on the page shown; -1 when there is none.
    int rowOf(const QString &text) const;
    // The next row below `row` that is editable in `column`, wrapping to the first; -1 if none.
    int nextEditableRow(int row, int column) const;
    double value(int row, int column) const;

private:
    struct RowDef {
        EntryGroup group;
        int index;          // position in the slip item list
        std::string entry;  // the stored entry with its prefix
        std::string text;   // display text
        int no = 0;         // storage number in its record
        bool attendance = false;
        bool time = false;
        std::array<bool, 4> use{}; // editable for pay form 1..3
    };
    struct Cell {
        double value = 0;
        bool blank = false; // emptied after a refused day count (stored as 0)
    };
    struct PageData {
        std::vector<RowDef> rows;
        std::vector<std::vector<Cell>> cells; // [row][column]
    };

    void buildRows();
    double recordValue(const RowDef &r, int slot) const;
    void storeValue(const RowDef &r, int slot, double v) const;
    QString format(const RowDef &r, const Cell &c) const;
    const PageData &cur() const { return m_pages[static_cast<int>(m_page)]; }
    PageData &cur() { return m_pages[static_cast<int>(m_page)]; }

    Session &m_session;
    Page m_page = Page::Hendo;
    PageData m_pages[2];
    std::vector<std::string> m_keys; // UniqueKey per employee column
    std::vector<int> m_keitai;       // pay form per employee column
    std::vector<QString> m_names;
};

} // namespace orv
