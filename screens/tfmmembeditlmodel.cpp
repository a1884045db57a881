#include "screens/tfmmembeditlmodel.h"

#include "core/calc/premiums.h"
#include "core/records/payimage.h"
#include "core/records/validate.h"
#include "core/util/numtext.h"
#include "screens/masterfields.h"
#include "screens/session.h"

#include <QBrush>
#include <QColor>

namespace orv {
namespace {

struct Row {
    const char *caption; // empty: the user's name of a fixed item
    const char *field;   // empty: not stored
    std::int32_t max;    // the field's limit, as in the employee editor
    bool negative;
};
constexpr Row kGridRows[MembEditLModel::kRows + 1] = {
    {"", "", 0, false},
    {"扶養人数", "Fuyou", 99, false},
    {"扶養親族等の数", "Sinzoku", 99, false},
    {"基本給", "Chingin1", 9999999, true},
    {"役職手当", "Yakuin", 9999999, true},
    {"家族手当", "Family", 9999999, true},
    {"残業手当(普通)", "Chingin2", 9999999, true},
    {"残業手当(深夜)", "Chingin3", 9999999, true},
    {"休日残業(普通)", "Chingin4", 9999999, true},
    {"休日残業(深夜)", "Chingin5", 9999999, true},
    {"交通費(非課税)", "Koutuhi0", 9999999, true},
    {"交通費(課税)", "Koutuhi1", 9999999, true},
    {"有休時支給額", "Yukyu", 9999999, true},
    {"住民税(6月)", "Juumin6", 9999999, true},
    {"住民税(以外)", "Juumin", 9999999, true},
    {"", "Teate1", 9999999, true},
    {"", "Teate2", 9999999, true},
    {"", "Teate3", 9999999, true},
    {"", "Koujo1", 9999999, true},
    {"", "Koujo2", 9999999, true},
    {"", "Koujo3", 9999999, true},
    {"欠勤控除額", "Kekkin", 9999999, true},
    {"遅早控除額", "Chisou", 9999999, true},
    {"標準報酬月額", "", 999999999, false},
    {"健康保険料", "KenhoRyo", 999999, true},
    {"介護保険料", "KaigoRyo", 999999, true},
    {"厚生年金保険料", "KoseiRyo", 999999, true},
    {"厚生年金掛け金", "Kakekin", 999999, true},
};

QString withSeparators(std::int32_t v) { return qs(FmtKingaku(1, v)).trimmed(); }

} // namespace

MembEditLModel::MembEditLModel(Session &session, QObject *parent)
    : QAbstractTableModel(parent), m_session(session)
{
}

void MembEditLModel::fill()
{
    beginResetModel();
    m_slots.clear();
    m_values.clear();
    const PayImage &img = *m_session.img;
    for (int s : masterOrder(img)) {
        if (IsRetired(img, s))
            continue;
        m_slots.push_back(s);
        std::array<std::int32_t, kRows + 1> v{};
        for (int r = 1; r <= kRows; ++r)
            if (*kGridRows[r].field)
                v[r] = syainInt(img.Syain[s], kGridRows[r].field);
        m_values.push_back(v);
    }
    endResetModel();
}

void MembEditLModel::writeBack() const
{
    PayImage &img = *m_session.img;
    for (std::size_t c = 0; c < m_slots.size(); ++c)
        for (int r = 1; r <= kRows; ++r)
            if (*kGridRows[r].field)
                setSyainInt(img.Syain[m_slots[c]], kGridRows[r].field, m_values[c][r]);
}

int MembEditLModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : kRows; }

int MembEditLModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_slots.size());
}

bool MembEditLModel::editable(int row, int column) const
{
    const TSyainRec &r = m_session.img->Syain[m_slots[column]];
    switch (row) {
    case 12:
        return r.Keitai != 1;
    case 24:
        return r.Kenkou;
    case 25:
        return r.Kaigo;
    case 26:
        return r.NenHoken;
    case 27:
        return r.NenKikin;
    default:
        return true;
    }
}

QVariant MembEditLModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = gridRow(index), col = index.column();
    const bool canEdit = editable(row, col);
    switch (role) {
    case Qt::DisplayRole:
        if (!canEdit || row == kHyojunRow)
            return QString();
        return withSeparators(m_values[col][row]);
    case Qt::EditRole:
        return row == kHyojunRow ? QString() : withSeparators(m_values[col][row]);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (!canEdit)
            return QBrush(QColor(204, 221, 221));
        return {};
    default:
        return {};
    }
}

QVariant MembEditLModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < static_cast<int>(m_slots.size())
                   ? fromSjis(m_session.img->Syain[m_slots[section]].Simei.view())
                   : QVariant();
    const int row = section + 1;
    const TOption &o = m_session.opt;
    const std::string *fixed[] = {&o.FixTeate1, &o.FixTeate2, &o.FixTeate3,
                                  &o.FixKoujo1, &o.FixKoujo2, &o.FixKoujo3};
    if (row >= 15 && row <= 20)
        return qs(*fixed[row - 15]);
    return QString(kGridRows[row].caption);
}

Qt::ItemFlags MembEditLModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable(gridRow(index), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool MembEditLModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int row = gridRow(index), col = index.column();
    if (!editable(row, col))
        return false;
    const Row &rowDef = kGridRows[row];
    auto v = parseMasterInt(us(value.toString()), rowDef.negative);
    if (v && (*v > rowDef.max || *v < -rowDef.max))
        v = Status::error(kNumberTooLargeMessage);
    if (!v) {
        m_session.ask().error(v.message());
        return false;
    }
    if (row == kHyojunRow) {
        // The premiums of the grade the amount falls in; the amount itself is not kept.
        const GradeTable *grades = m_session.tables.grades();
        const int g = grades && *v > 0 ? grades->gradeFor(*v) : 0;
        if (g > 0) {
            auto p = TokyuSettei(*grades, g, ratesOf(m_session.img->Kihon));
            if (p) {
                m_values[col][24] = p->KenhoRyo;
                m_values[col][25] = p->KaigoRyo;
                m_values[col][26] = p->KoseiRyo;
                m_values[col][27] = p->Kakekin;
                emit dataChanged(this->index(23, col), this->index(26, col));
            }
        }
        emit dataChanged(index, index);
        return true;
    }
    m_values[col][row] = *v;
    emit dataChanged(index, index);
    return true;
}

} // namespace orv
