#include "screens/tfmmain.h"

#include "core/util/sjis.h"

#include <QColor>

#include <algorithm>

namespace orv {

namespace {

QString u8(std::string_view sjisBytes) { return QString::fromStdString(sjisToUtf8(sjisBytes)); }

QString trimmedName(std::string_view sjisBytes) { return u8(trimView(sjisBytes)); }

// "YY/MM/DD" of a retirement date stored as "%2s%2s%2s".
QString retiredText(std::string_view taiYmd)
{
    std::string t(trimView(taiYmd));
    if (t.empty())
        return {};
    std::string raw(taiYmd);
    raw.resize(6, ' ');
    return QString::fromStdString(raw.substr(0, 2) + "/" + raw.substr(2, 2) + "/" +
                                  raw.substr(4, 2));
}

} // namespace

// ---- the list ----

EmployeeListModel::EmployeeListModel(Session &session, QObject *parent)
    : QAbstractTableModel(parent), m_session(session)
{
}

int EmployeeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_slots.size());
}

int EmployeeListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EmployeeListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int slot = m_slots[index.row()];
    const TSyainRec &s = m_session.img->Syain[slot];
    switch (role) {
    case Qt::UserRole:
        return slot;
    case Qt::CheckStateRole:
        if (index.column() == No)
            return m_checked[index.row()] ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::BackgroundRole:
        return index.row() % 2 ? QColor(221, 238, 255) : QColor(Qt::white);
    case Qt::ForegroundRole:
        if (IsRetired(*m_session.img, slot))
            return QColor(192, 192, 192);
        return {};
    case Qt::DisplayRole:
        break;
    default:
        return {};
    }
    switch (index.column()) {
    case No:
        return QString::asprintf("%.2d", s.SeqNo != 0 ? static_cast<int>(s.SeqNo) : slot);
    case Simei:
        return trimmedName(s.Simei.view());
    case Busyo:
        return trimmedName(s.Busyo.view());
    case Kubun:
        return QString::fromStdString(KubunText(s)).trimmed();
    case Keitai:
        switch (s.Keitai) {
        case 1:
            return QStringLiteral("月給");
        case 2:
            return QStringLiteral("日給");
        case 3:
            return QStringLiteral("時間給");
        default:
            return {};
        }
    case Taisyoku:
        return retiredText(s.TaiYMD.view());
    case Mail:
        return trimmedName(s.MailAdrs.view());
    default:
        return {};
    }
}

QVariant EmployeeListModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal)
        return {};
    if (role == Qt::ToolTipRole && section <= Keitai)
        return QStringLiteral("クリックすると並び替え");
    if (role != Qt::DisplayRole)
        return {};
    static const char *const names[] = {"No",       "氏　　名",   "部署名",        "社員区分",
                                        "支給形態 ", "退職年月日", "メールアドレス"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(names[section]) : QVariant();
}

Qt::ItemFlags EmployeeListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == No)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

bool EmployeeListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != No || index.row() >= rowCount())
        return false;
    setChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

void EmployeeListModel::rebuild(ListOrder order, bool showRetired, bool byPosition)
{
    const std::vector<bool> oldChecks = m_checked;
    const std::vector<int> oldChecked = checkedSlots();
    beginResetModel();
    m_slots = m_session.listSlots(order, showRetired);
    m_checked.assign(m_slots.size(), false);
    if (byPosition) {
        for (std::size_t i = 0; i < m_checked.size() && i < oldChecks.size(); ++i)
            m_checked[i] = oldChecks[i];
    } else {
        const std::set<int> keep(oldChecked.begin(), oldChecked.end());
        for (std::size_t i = 0; i < m_slots.size(); ++i)
            m_checked[i] = keep.count(m_slots[i]) > 0;
    }
    endResetModel();
}

int EmployeeListModel::slotAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_slots[row] : 0;
}

int EmployeeListModel::rowOfSlot(int slot) const
{
    for (int r = 0; r < rowCount(); ++r)
        if (m_slots[r] == slot)
            return r;
    return -1;
}

bool EmployeeListModel::isChecked(int row) const
{
    return row >= 0 && row < rowCount() && m_checked[row];
}

void EmployeeListModel::setChecked(int row, bool on)
{
    if (row < 0 || row >= rowCount())
        return;
    m_checked[row] = on;
    emit dataChanged(index(row, No), index(row, No), {Qt::CheckStateRole});
}

void EmployeeListModel::setAllChecked(bool on)
{
    std::fill(m_checked.begin(), m_checked.end(), on);
    if (rowCount() > 0)
        emit dataChanged(index(0, No), index(rowCount() - 1, No), {Qt::CheckStateRole});
}

std::vector<int> EmployeeListModel::checkedSlots() const
{
    std::vector<int> out;
    for (std::size_t i = 0; i < m_slots.size() && i < m_checked.size(); ++i)
        if (m_checked[i])
            out.push_back(m_slots[i]);
    return out;
}

int EmployeeListModel::checkedCount() const
{
    return static_cast<int>(std::count(m_checked.begin(), m_checked.end(), true));
}

} // namespace orv
