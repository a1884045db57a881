#include "screens/listinpmodel.h"

#include "core/util/numtext.h"
#include "core/util/rounding.h"
#include "core/util/sjis.h"
#include "screens/session.h"

#include <QBrush>
#include <QColor>

#include <cmath>

namespace orv {
namespace {

const QColor kComputed(0xd6, 0xe6, 0xf5);

bool isV(const std::string &entry) { return entry.size() > 1 && entry[0] == 'V'; }
bool isF(const std::string &entry) { return entry.size() > 1 && entry[0] == 'F'; }

template <std::size_t N>
const std::string &tableName(const SlipItems::Names<N> &names, int form, int index)
{
    return names[form][static_cast<std::size_t>(index)];
}

} // namespace

ListInpModel::ListInpModel(Session &session, QObject *parent)
    : QAbstractTableModel(parent), m_session(session)
{
}

void ListInpModel::buildRows()
{
    const TOption &opt = m_session.opt;
    const SlipItems &it = m_session.items;
    const bool bonus = m_session.img->isBonus();
    for (auto &p : m_pages)
        p.rows.clear();

    auto addRows = [&](PageData &page, EntryGroup group, const auto &list, const auto &names,
                       auto wanted) {
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            const std::string &entry = list[static_cast<std::size_t>(i)].Name;
            if (!wanted(entry))
                continue;
            RowDef r{group, i, entry, itemText(opt, entry)};
            bool any = false;
            for (int f = 1; f <= 3; ++f) {
                r.use[f] = tableName(names, f, i) == entry;
                any = any || r.use[f];
            }
            if (!any)
                continue;
            r.no = itemNo(opt, group, r.text);
            if (r.no == 0)
                continue; // an item without storage cannot be entered
            r.attendance = group == EntryGroup::Kintai;
            r.time = r.attendance && IsJikanItem(r.text);
            if (page.rows.size() < 52)
                page.rows.push_back(r);
        }
    };

    PageData &hendo = m_pages[0];
    if (!bonus)
        addRows(hendo, EntryGroup::Kintai, it.KintaiItems, it.KintaiNames, isV);
    addRows(hendo, EntryGroup::Sikyu, it.SikyuItems, it.SikyuNames, isV);
    addRows(hendo, EntryGroup::Koujo, it.KoujoItems, it.KoujoNames, isV);
    addRows(hendo, EntryGroup::Sonota, it.SonotaItems, it.SonotaNames, isV);

    PageData &kotei = m_pages[1];
    addRows(kotei, EntryGroup::Sikyu, it.SikyuItems, it.SikyuNames,
            [&](const std::string &e) { return isF(e) && itemText(opt, e) != "課税支給合計"; });
    addRows(kotei, EntryGroup::Koujo, it.KoujoItems, it.KoujoNames, [&](const std::string &e) {
        const std::string t = itemText(opt, e);
        return isF(e) && t != "社会保険料計" && t != "社保控除後計";
    });
}

void ListInpModel::fill()
{
    beginResetModel();
    const PayImage &img = *m_session.img;
    m_keys.clear();
    m_keitai.clear();
    m_names.clear();
    for (int a : orderedSlots(img)) {
        m_keys.push_back(img.Syain[a].UniqueKey.str());
        m_keitai.push_back(img.Syain[a].Keitai);
        m_names.push_back(QString::fromStdString(sjisToUtf8(img.Syain[a].Simei.view())));
    }
    buildRows();
    for (auto &p : m_pages) {
        p.cells.assign(p.rows.size(), std::vector<Cell>(m_keys.size()));
        for (std::size_t r = 0; r < p.rows.size(); ++r)
            for (std::size_t c = 0; c < m_keys.size(); ++c)
                p.cells[r][c].value = recordValue(p.rows[r], slotOfColumn(static_cast<int>(c)));
    }
    endResetModel();
}

int ListInpModel::slotOfColumn(int column) const
{
    if (column < 0 || column >= static_cast<int>(m_keys.size()))
        return 0;
    const PayImage &img = *m_session.img;
    for (int a = 1; a <= kSlots; ++a)
        if (SlotInUse(img, a) && img.Syain[a].UniqueKey.view() == m_keys[static_cast<std::size_t>(column)])
            return a;
    return 0;
}

double ListInpModel::recordValue(const RowDef &r, int slot) const
{
    if (slot < 1)
        return 0;
    const PayImage &img = *m_session.img;
    switch (r.group) {
    case EntryGroup::Kintai:
        return kintaiValue(img.Kintai[slot], r.no);
    case EntryGroup::Sikyu:
        return payItem(img.Sikyu[slot], r.no);
    case EntryGroup::Koujo:
        return deductItem(img.Koujo[slot], r.no);
    case EntryGroup::Sonota:
        return img.Sikyu[slot].Sonota[r.no - 1];
    }
    return 0;
}

void ListInpModel::storeValue(const RowDef &r, int slot, double v) const
{
    PayImage &img = *m_session.img;
    // Amounts are whole yen; the editor admits at most seven digits, so they always fit.
    auto yen = [](double x) { return static_cast<std::int32_t>(std::trunc(x)); };
    switch (r.group) {
    case EntryGroup::Kintai:
        setKintaiValue(img.Kintai[slot], r.no, v);
        break;
    case EntryGroup::Sikyu:
        setPayItem(img.Sikyu[slot], r.no, yen(v));
        break;
    case EntryGroup::Koujo:
        setDeductItem(img.Koujo[slot], r.no, yen(v));
        break;
    case EntryGroup::Sonota:
        img.Sikyu[slot].Sonota[r.no - 1] = yen(v);
        break;
    }
}

void ListInpModel::store()
{
    PayImage &img = *m_session.img;
    for (int a : orderedSlots(img)) {
        img.Kintai[a].SyoteiNissu = img.Kihon.Nissu;
        img.Kintai[a].SyoteiJikan = img.Kihon.Jikan;
    }
    for (const PageData &p : m_pages) {
        for (std::size_t c = 0; c < m_keys.size(); ++c) {
            int slot = slotOfColumn(static_cast<int>(c));
            if (slot == 0)
                continue;
            for (std::size_t r = 0; r < p.rows.size(); ++r) {
                const RowDef &row = p.rows[r];
                int f = img.Syain[slot].Keitai;
                if (f < 1 || f > 3 || !row.use[f])
                    continue;
                storeValue(row, slot, p.cells[r][c].blank ? 0.0 : p.cells[r][c].value);
            }
        }
    }
}

void ListInpModel::setPage(Page page)
{
    beginResetModel();
    m_page = page;
    endResetModel();
}

int ListInpModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(cur().rows.size());
}

int ListInpModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_keys.size());
}

bool ListInpModel::isEditable(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return false;
    int f = m_keitai[static_cast<std::size_t>(column)];
    return f >= 1 && f <= 3 && cur().rows[static_cast<std::size_t>(row)].use[f];
}

bool ListInpModel::isAttendanceRow(int row) const
{
    return row >= 0 && row < rowCount() && cur().rows[static_cast<std::size_t>(row)].attendance;
}

bool ListInpModel::isTimeRow(int row) const
{
    return row >= 0 && row < rowCount() && cur().rows[static_cast<std::size_t>(row)].time;
}

QString ListInpModel::rowText(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return QString::fromStdString(cur().rows[static_cast<std::size_t>(row)].text);
}

int ListInpModel::rowOf(const QString &text) const
{
    for (int r = 0; r < rowCount(); ++r)
        if (rowText(r) == text)
            return r;
    return -1;
}

int ListInpModel::nextEditableRow(int row, int column) const
{
    const int n = rowCount();
    for (int step = 1; step <= n; ++step) {
        int r = (row + step) % n;
        if (isEditable(r, column))
            return r;
    }
    return -1;
}

double ListInpModel::value(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return 0;
    const Cell &c = cur().cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    return c.blank ? 0.0 : c.value;
}

QString ListInpModel::format(const RowDef &r, const Cell &c) const
{
    if (c.blank)
        return {};
    if (!r.attendance)
        return QString::fromStdString(trim(FmtKingaku(1, c.value)));
    if (r.time)
        return QString::fromStdString(trim(FmtJikan(c.value, m_session.opt.TimeStyle)));
    return QString::number(c.value, 'f', 2);
}

QVariant ListInpModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row(), col = index.column();
    const RowDef &r = cur().rows[static_cast<std::size_t>(row)];
    const bool editable = isEditable(row, col);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (!editable)
            return {};
        return format(r, cur().cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)]);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    case Qt::BackgroundRole:
        if (!editable)
            return QBrush(kComputed);
        return {};
    case Qt::ForegroundRole: {
        if (m_page != Page::Kotei || !editable)
            return {};
        int slot = slotOfColumn(col);
        if (slot == 0)
            return {};
        const PayImage &img = *m_session.img;
        bool manual = r.group == EntryGroup::Sikyu ? bool(img.Sikyu[slot].Manual[r.no - 1])
                                                   : bool(img.Koujo[slot].Manual[r.no - 1]);
        if (manual)
            return QBrush(Qt::red);
        return {};
    }
    default:
        return {};
    }
}

QVariant ListInpModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return m_names[static_cast<std::size_t>(section)];
        if (role == Qt::ToolTipRole)
            return QStringLiteral("明細入力画面を表示");
        return {};
    }
    if (role == Qt::DisplayRole)
        return rowText(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

Qt::ItemFlags ListInpModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isEditable(index.row(), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool ListInpModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !isEditable(index.row(), index.column()))
        return false;
    const int row = index.row(), col = index.column();
    const RowDef &r = cur().rows[static_cast<std::size_t>(row)];
    Cell &cell = cur().cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    Prompter &ask = m_session.ask();
    double v = TextToNum(value.toString().toStdString(), ask);
    if (!r.attendance)
        v = std::trunc(v);
    cell.blank = false;
    cell.value = v;
    if (r.attendance && isDayItem(r.text) && v > 31) {
        ask.error(kDaysOver31Message);
        cell.blank = true;
        cell.value = 0;
    }
    emit dataChanged(index, index);

    const int slot = slotOfColumn(col);
    if (slot == 0)
        return true;
    PayImage &img = *m_session.img;
    if (m_page == Page::Kotei) {
        // A typed amount is kept through the calculation.
        if (r.group == EntryGroup::Sikyu)
            img.Sikyu[slot].Manual[r.no - 1] = true;
        else if (r.group == EntryGroup::Koujo)
            img.Koujo[slot].Manual[r.no - 1] = true;
    }
    if (r.attendance && r.text == "有休日数") {
        int zan = rowOf(QStringLiteral("有休残日数"));
        if (zan >= 0 && isEditable(zan, col)) {
            double prev = PrevYukyuZan(m_session.curFile, img.KikanNo, img.Syain[slot].UniqueKey.view());
            if (prev != -999) {
                Cell &z = cur().cells[static_cast<std::size_t>(zan)][static_cast<std::size_t>(col)];
                z.blank = false;
                // Two decimals, as the balance is shown.
                z.value = std::round((prev - cell.value) * 100.0) / 100.0;
                emit dataChanged(this->index(zan, col), this->index(zan, col));
            }
        }
    }
    return true;
}

} // namespace orv
