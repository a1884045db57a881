#include "screens/tfmseqno.h"

#include "core/records/payimage.h"
#include "core/util/sjis.h"
#include "screens/masterfields.h"
#include "screens/session.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

namespace orv {
namespace {

TfmSeqNo::SortKey g_lastKey = TfmSeqNo::SortKey::No; // remembered while the program runs
bool g_hintShown = false;

// Shift-JIS text padded with blanks (or cut) to `bytes` bytes.
std::string padBytes(std::string_view sjisText, std::size_t bytes)
{
    std::string s = CutBytes(sjisText, bytes);
    s.resize(bytes, ' ');
    return s;
}

const char *keitaiName(int k) { return k == 2 ? "日給" : k == 3 ? "時間給" : "月給"; }

} // namespace

TfmSeqNo::TfmSeqNo(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_list(new QListWidget(this))
{
    setObjectName("TfmSeqNo");
    setWindowTitle("社員連番の変更");
    m_list->setObjectName("lbSyain");
    QFont mono = m_list->font();
    mono.setFamily("IPAGothic");
    mono.setStyleHint(QFont::Monospace);
    m_list->setFont(mono);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    m_list->setDropIndicatorShown(true);
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this, [this] { paint(); });

    auto *header = new QHBoxLayout;
    header->setSpacing(0);
    header->setContentsMargins(m_list->frameWidth() + 2, 0, 0, 0);
    const std::pair<const char *, SortKey> sections[] = {{"No", SortKey::No},
                                                         {"氏　　名", SortKey::Name},
                                                         {"部署名", SortKey::Busyo},
                                                         {"社員区分", SortKey::Kubun},
                                                         {"支給形態", SortKey::Keitai}};
    const char *names[] = {"hdNo", "hdSimei", "hdBusyo", "hdKubun", "hdKeitai"};
    // Section widths in half-width characters, as the list lines lay them out.
    const int chars[] = {5, 18, 18, 12, 16};
    const QFontMetrics fm = m_list->fontMetrics();
    int i = 0;
    for (auto [caption, key] : sections) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(names[i]);
        b->setToolTip("クリックすると並び替え");
        b->setCursor(Qt::PointingHandCursor);
        b->setFlat(true);
        b->setFont(mono);
        b->setStyleSheet("text-align: left; padding: 0px; border: none;");
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, key = key] { sortBy(key); });
        b->setFixedWidth(fm.horizontalAdvance(QString(chars[i], QLatin1Char('0'))));
        header->addWidget(b);
        ++i;
    }
    header->addStretch();
    auto button = [&](const char *name, const char *caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    auto *up = button("btUp", "↑(上に移動)");
    auto *down = button("btDown", "↓(下に移動)");
    auto *reset = button("btReset", "リセット");
    auto *ok = button("btOk", "Ｏ Ｋ");
    auto *cancel = button("btCancel", "キャンセル");
    connect(up, &QPushButton::clicked, this, &TfmSeqNo::btUpClick);
    connect(down, &QPushButton::clicked, this, &TfmSeqNo::btDownClick);
    connect(reset, &QPushButton::clicked, this, &TfmSeqNo::btResetClick);
    connect(ok, &QPushButton::clicked, this, &TfmSeqNo::btOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(up);
    buttons->addWidget(down);
    buttons->addStretch();
    buttons->addWidget(reset);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(header);
    lay->addWidget(m_list);
    lay->addLayout(buttons);
    resize(640, parent ? parent->height() : 480);
    sortBy(SortKey::No); // the list opens in "No" order
}

void TfmSeqNo::sortBy(SortKey key)
{
    g_lastKey = key;
    const PayImage &img = *m_session.img;
    // Every employee in use, sequence-number order while it is on (gaps, duplicates and
    // unnumbered employees included), else slot order.
    std::vector<int> order = masterOrder(img);
    auto keyText = [&](int s) -> std::string {
        const TSyainRec &r = img.Syain[s];
        char buf[128];
        switch (key) {
        case SortKey::Name:
            std::snprintf(buf, sizeof buf, "%s%3d", padBytes(r.Simei.view(), 19).c_str(), s);
            return buf;
        case SortKey::Busyo:
            std::snprintf(buf, sizeof buf, "%s%3d", padBytes(r.Busyo.view(), 19).c_str(), s);
            return buf;
        case SortKey::Kubun: {
            const int k = r.Kubun >= 1 && r.Kubun <= 5 ? r.Kubun : 9;
            const std::string text = sjis(KubunText(r));
            std::snprintf(buf, sizeof buf, "%d%s%3d", k, padBytes(text, 18).c_str(), s);
            return buf;
        }
        case SortKey::Keitai:
            std::snprintf(buf, sizeof buf, "%d%3d", r.Keitai, s);
            return buf;
        case SortKey::No:
            break;
        }
        return {};
    };
    if (key != SortKey::No) {
        std::sort(order.begin(), order.end());
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keyText(a) < keyText(b); });
    }
    fill(order);
    if (m_list->count())
        m_list->setCurrentRow(0);
}

void TfmSeqNo::fill(const std::vector<int> &order)
{
    m_list->clear();
    const PayImage &img = *m_session.img;
    for (int s : order) {
        const TSyainRec &r = img.Syain[s];
        char no[16];
        std::snprintf(no, sizeof no, " %.2d  ", r.SeqNo ? int(r.SeqNo) : s);
        std::string line = no + padBytes(r.Simei.view(), 16) + "  " + padBytes(r.Busyo.view(), 16) + "  " +
                           padBytes(sjis(KubunText(r)), 10) + "  " + padBytes(sjis(keitaiName(r.Keitai)), 6) +
                           std::string(10, ' ');
        auto *item = new QListWidgetItem(fromSjis(line), m_list);
        item->setData(Qt::UserRole, s);
    }
    paint();
}

void TfmSeqNo::paint()
{
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem *item = m_list->item(i);
        const int s = item->data(Qt::UserRole).toInt();
        item->setBackground(i % 2 ? QColor(221, 238, 255) : QColor(Qt::white));
        item->setForeground(IsRetired(*m_session.img, s) ? QColor(192, 192, 192) : QColor(Qt::black));
    }
}

std::vector<int> TfmSeqNo::shownSlots() const
{
    std::vector<int> out;
    for (int i = 0; i < m_list->count(); ++i)
        out.push_back(m_list->item(i)->data(Qt::UserRole).toInt());
    return out;
}

void TfmSeqNo::move(int dir)
{
    const int row = m_list->currentRow();
    const int to = row + dir;
    if (row < 0 || to < 0 || to >= m_list->count())
        return;
    QListWidgetItem *item = m_list->takeItem(row);
    m_list->insertItem(to, item);
    m_list->setCurrentRow(to);
    paint();
}

void TfmSeqNo::btOkClick()
{
    PayImage &img = *m_session.img;
    const std::vector<int> order = shownSlots();
    for (std::size_t i = 0; i < order.size(); ++i)
        img.Syain[order[i]].SeqNo = static_cast<std::uint16_t>(i + 1);
    recalcAfterChange(m_session);
    accept();
}

void TfmSeqNo::btResetClick()
{
    if (m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                            "社員連番の変更をリセットしますか？") != Prompter::Answer::Yes)
        return;
    for (int i = 1; i <= kSlots; ++i)
        m_session.img->Syain[i].SeqNo = 0;
    recalcAfterChange(m_session);
    accept();
}

void TfmSeqNo::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!g_hintShown) {
        g_hintShown = true;
        m_session.ask().information("ドラッグ＆ドロップでも順番を変更可能です。");
    }
}

} // namespace orv
