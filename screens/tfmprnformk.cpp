#include "screens/tfmprnformk.h"

#include "screens/masterfields.h"
#include "screens/session.h"
#include "settings/slipitemsio.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
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
    const int rowHeight = std::max(20, fontMetrics().height() + 4);
    // Names hold at most twelve bytes: six full-width characters.
    const int nameWidth = std::max(120, fontMetrics().horizontalAdvance("普通残業手当") + 16);
    for (int l = 0; l < 4; ++l) {
        const int n = count(static_cast<List>(l));
        auto *g = new QTableWidget(n, 2, this);
        g->setObjectName(names[l]);
        g->horizontalHeader()->hide();
        g->verticalHeader()->hide();
        g->setColumnWidth(0, 14);
        g->horizontalHeader()->setStretchLastSection(true);
        g->setEditTriggers(QAbstractItemView::NoEditTriggers);
        g->setSelectionMode(QAbstractItemView::NoSelection);
        g->setFocusPolicy(Qt::NoFocus);
        // Every row on screen at once: the lists are short, and a drag needs no scrolling.
        g->verticalHeader()->setDefaultSectionSize(rowHeight);
        g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        g->setFixedSize(nameWidth + 14 + 2 * g->frameWidth(), n * rowHeight + 2 * g->frameWidth());
        g->viewport()->setMouseTracking(true); // the open hand over the handle column
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
    for (int l = 0; l < 4; ++l)
        for (int r = 0; r < count(static_cast<List>(l)); ++r)
            paintRow(static_cast<List>(l), r);
}

void TfmPrnFormK::paintRow(List list, int row)
{
    QTableWidget *g = m_grids[list];
    const TEditItems *e = entry(list, row);
    if (!g || !e)
        return;
    const int f = m_tabs->currentIndex();
    auto *h = new QTableWidgetItem;
    h->setBackground(QColor(0, 128, 128));
    h->setForeground(Qt::white);
    g->setItem(row, 0, h);
    const std::string shown = ItemName(m_session.opt, e->Name);
    auto *it = new QTableWidgetItem(qs(shown.size() > 1 ? shown.substr(1) : std::string()));
    if (m_dragList == list && m_dropRow == row) {
        // The row the dragged entry would land on.
        it->setBackground(palette().color(QPalette::Highlight));
        it->setForeground(palette().color(QPalette::HighlightedText));
    } else if (!e->Use[f]) {
        it->setBackground(QColor(204, 221, 221));
        it->setForeground(QColor(128, 128, 128));
    }
    g->setItem(row, 1, it);
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

int TfmPrnFormK::dropRowAt(List list, const QPoint &pos) const
{
    QTableWidget *g = m_grids[list];
    if (!g->viewport()->rect().contains(pos))
        return -1; // off the list: no target, and releasing there moves nothing
    const int row = g->rowAt(pos.y());
    return row >= 0 ? row : count(list) - 1; // below the last row: the last position
}

void TfmPrnFormK::setDropRow(int row)
{
    if (m_dragList < 0 || row == m_dropRow)
        return;
    const int old = m_dropRow;
    m_dropRow = row;
    paintRow(static_cast<List>(m_dragList), old);
    paintRow(static_cast<List>(m_dragList), row);
}

void TfmPrnFormK::endDrag()
{
    if (m_dragList < 0)
        return;
    QTableWidget *g = m_grids[m_dragList];
    const int old = m_dropRow;
    const List list = static_cast<List>(m_dragList);
    m_dragList = m_dragRow = m_dropRow = -1;
    paintRow(list, old);
    g->viewport()->unsetCursor();
}

bool TfmPrnFormK::eventFilter(QObject *watched, QEvent *event)
{
    for (int l = 0; l < 4; ++l) {
        QTableWidget *g = m_grids[l];
        if (!g || watched != g->viewport())
            continue;
        const List list = static_cast<List>(l);
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto *me = static_cast<QMouseEvent *>(event);
            const QModelIndex idx = g->indexAt(me->position().toPoint());
            if (me->button() != Qt::LeftButton || !idx.isValid() || idx.column() != 0)
                break;
            endDrag();
            m_dragList = l;
            m_dragRow = idx.row();
            g->viewport()->setCursor(Qt::ClosedHandCursor);
            setDropRow(m_dragRow);
            return true;
        }
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            if (m_dragList == l) {
                setDropRow(dropRowAt(list, pos));
                return true;
            }
            // Not dragging: the open hand shows where a drag can start.
            const QModelIndex idx = g->indexAt(pos);
            if (idx.isValid() && idx.column() == 0)
                g->viewport()->setCursor(Qt::OpenHandCursor);
            else
                g->viewport()->unsetCursor();
            break;
        }
        case QEvent::MouseButtonRelease: {
            if (m_dragList != l)
                break;
            const int from = m_dragRow;
            const int to = dropRowAt(list, static_cast<QMouseEvent *>(event)->position().toPoint());
            endDrag();
            if (to >= 0)
                moveItem(list, from, to);
            return true;
        }
        case QEvent::Leave:
            if (m_dragList == l)
                setDropRow(-1);
            else
                g->viewport()->unsetCursor();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmPrnFormK::keyPressEvent(QKeyEvent *e)
{
    // Escape during a drag drops the drag, not the dialog.
    if (e->key() == Qt::Key_Escape && m_dragList >= 0) {
        endDrag();
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
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
