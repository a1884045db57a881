#include "screens/tfmprnformk.h"

#include "screens/masterfields.h"
#include "screens/session.h"
#include "settings/slipitemsio.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace orv {

TfmPrnFormK::TfmPrnFormK(Session &session, QWidget *parent) : TfmPrnFormK(session, SlipKind::Kyuyo, parent)
{
    setObjectName("TfmPrnFormK");
}

TfmPrnFormK::TfmPrnFormK(Session &session, SlipKind kind, QWidget *parent)
    : QDialog(parent), m_session(session), m_kind(kind),
      m_items(LoadSlipItems(session.corpIni, kind, false))
{
    setWindowTitle(kind == SlipKind::Kyuyo ? "給与明細書印刷項目の設定" : "賞与明細書印刷項目の設定");
    build();
    refresh();
}

int TfmPrnFormK::count(List list) const
{
    switch (list) {
    case Kintai:
        return m_kind == SlipKind::Kyuyo ? static_cast<int>(kKintaiCount) : 0;
    case Sikyu:
        return static_cast<int>(kSikyuCount);
    case Koujo:
        return static_cast<int>(kKoujoCount);
    case Sonota:
        return static_cast<int>(kSonotaCount);
    }
    return 0;
}

TEditItems *TfmPrnFormK::entry(List list, int pos)
{
    if (pos < 0 || pos >= count(list))
        return nullptr;
    switch (list) {
    case Kintai:
        return &m_items.KintaiItems[pos];
    case Sikyu:
        return &m_items.SikyuItems[pos];
    case Koujo:
        return &m_items.KoujoItems[pos];
    case Sonota:
        return &m_items.SonotaItems[pos];
    }
    return nullptr;
}

void TfmPrnFormK::build()
{
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName("tabKeitai");
    m_tabs->addTab("月 給");
    m_tabs->addTab("日 給");
    m_tabs->addTab("時間給");
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { refresh(); });
    const char *titles[] = {"勤怠項目", "支給項目", "控除項目", "そ の 他"};
    const char *names[] = {"sgKintai", "sgSikyu", "sgKoujo", "sgSonota"};
    auto *grids = new QHBoxLayout;
    for (int l = 0; l < 4; ++l) {
        const int n = count(static_cast<List>(l));
        auto *g = new QTableWidget(n, 2, this);
        g->setObjectName(names[l]);
        g->horizontalHeader()->hide();
        g->verticalHeader()->hide();
        g->setColumnWidth(0, 14);
        g->setColumnWidth(1, 130);
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setSelectionMode(QAbstractItemView::NoSelection);
        g->verticalHeader()->setDefaultSectionSize(20);
        g->setFixedWidth(150);
        g->viewport()->installEventFilter(this);
        connect(g, &QTableWidget::cellClicked, this, [this, l](int row, int col) {
            if (col == 1)
                toggleItem(static_cast<List>(l), row);
        });
        m_grids[l] = g;
        if (n == 0) {
            g->hide();
            continue;
        }
        auto *box = new QGroupBox(titles[l], this);
        auto *bl = new QVBoxLayout(box);
        bl->addWidget(g);
        grids->addWidget(box, 0, Qt::AlignTop);
    }
    auto *legend1 = new QLabel("未使用項目(項目名をクリックで切替)", this);
    legend1->setStyleSheet("background-color: rgb(204,221,221); color: rgb(128,128,128); padding: 2px");
    auto *legend2 = new QLabel("をドラッグすると項目位置の入替", this);
    auto *reset = new QPushButton("初期状態", this);
    reset->setObjectName("btReset");
    auto *ok = new QPushButton("Ｏ Ｋ", this);
    ok->setObjectName("btOk");
    auto *cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("btCancel");
    for (auto *b : {reset, ok, cancel})
        b->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &TfmPrnFormK::btResetClick);
    connect(ok, &QPushButton::clicked, this, &TfmPrnFormK::btOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *handle = new QLabel("  ", this);
    handle->setStyleSheet("background-color: teal");
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(legend1);
    bottom->addSpacing(12);
    bottom->addWidget(handle);
    bottom->addWidget(legend2);
    bottom->addStretch();
    bottom->addWidget(reset);
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(m_tabs);
    lay->addLayout(grids);
    lay->addLayout(bottom);
}

void TfmPrnFormK::refresh()
{
    const int f = m_tabs->currentIndex();
    for (int l = 0; l < 4; ++l) {
        QTableWidget *g = m_grids[l];
        for (int r = 0; r < count(static_cast<List>(l)); ++r) {
            const TEditItems *e = entry(static_cast<List>(l), r);
            const std::string shown = ItemName(m_session.opt, e->Name);
            auto *h = new QTableWidgetItem;
            h->setBackground(QColor(0, 128, 128));
            g->setItem(r, 0, h);
            auto *it = new QTableWidgetItem(qs(shown.size() > 1 ? shown.substr(1) : std::string()));
            if (!e->Use[f]) {
                it->setBackground(QColor(204, 221, 221));
                it->setForeground(QColor(128, 128, 128));
            }
            g->setItem(r, 1, it);
        }
    }
}

void TfmPrnFormK::setForm(int form) { m_tabs->setCurrentIndex(std::clamp(form, 1, 3) - 1); }

void TfmPrnFormK::toggleItem(List list, int pos)
{
    if (TEditItems *e = entry(list, pos)) {
        const int f = m_tabs->currentIndex();
        e->Use[f] = !e->Use[f];
        refresh();
    }
}

void TfmPrnFormK::moveItem(List list, int from, int to)
{
    const int n = count(list);
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return;
    TEditItems moved = *entry(list, from);
    const int step = from < to ? 1 : -1;
    for (int i = from; i != to; i += step)
        *entry(list, i) = *entry(list, i + step);
    *entry(list, to) = moved;
    refresh();
}

bool TfmPrnFormK::eventFilter(QObject *watched, QEvent *event)
{
    for (int l = 0; l < 4; ++l) {
        QTableWidget *g = m_grids[l];
        if (!g || watched != g->viewport())
            continue;
        if (event->type() == QEvent::MouseButtonPress) {
            auto *me = static_cast<QMouseEvent *>(event);
            const QModelIndex idx = g->indexAt(me->position().toPoint());
            if (idx.isValid() && idx.column() == 0) {
                m_dragList = l;
                m_dragRow = idx.row();
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonRelease && m_dragList == l) {
            auto *me = static_cast<QMouseEvent *>(event);
            const QModelIndex idx = g->indexAt(me->position().toPoint());
            const int to = idx.isValid() ? idx.row() : count(static_cast<List>(l)) - 1;
            moveItem(static_cast<List>(l), m_dragRow, to);
            m_dragList = m_dragRow = -1;
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmPrnFormK::btResetClick()
{
    if (m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                            "項目使用有無と順序の変更を初期状態に戻します。") != Prompter::Answer::Yes)
        return;
    m_items = SlipItems::defaults(m_kind);
    refresh();
}

void TfmPrnFormK::btOkClick()
{
    if (Status s = SaveSlipItems(m_session.corpIni, m_kind, m_session.opt, m_items, true); !s) {
        m_session.ask().error(s.message());
        return;
    }
    // The open period uses these lists when it is of this kind.
    const SlipKind open = m_session.img->isBonus() ? SlipKind::Syoyo : SlipKind::Kyuyo;
    if (open == m_kind)
        m_session.items = m_items;
    recalcAfterChange(m_session);
    accept();
}

} // namespace orv
