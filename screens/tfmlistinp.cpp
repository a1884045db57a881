#include "screens/tfmlistinp.h"

#include "screens/entryitems.h"
#include "screens/listinpmodel.h"
#include "screens/numedit.h"
#include "screens/session.h"
#include "screens/tfmdataedit.h"
#include "settings/options.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <cstdio>

namespace orv {

// ---- cell editor ----

ListInpDelegate::ListInpDelegate(Session &session, ListInpModel &model, QObject *parent)
    : QStyledItemDelegate(parent), m_session(session), m_model(model)
{
}

QWidget *ListInpDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                       const QModelIndex &index) const
{
    auto *e = new NumEdit(parent);
    const bool attendance = m_model.isAttendanceRow(index.row());
    if (attendance) {
        e->setKind(m_model.isTimeRow(index.row()) ? NumEdit::Kind::Time : NumEdit::Kind::Number);
        e->setFormatCode(62);
        e->setTypedLimit(6);
    } else {
        e->setKind(NumEdit::Kind::Amount);
        e->setFormatCode(90);
        e->setTypedLimit(7);
    }
    e->setAutoSelect(m_session.opt.AutoSelect);
    e->setInputOverN(m_session.opt.InputOverN);
    e->setPrompter(&m_session.ask());
    // The grid commits through setModelData; the field does not act on focus changes itself.
    e->setLeaveHandling(false);
    e->setFrame(false);
    return e;
}

void ListInpDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    static_cast<NumEdit *>(editor)->setValueText(index.data(Qt::EditRole).toString());
}

void ListInpDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                   const QModelIndex &index) const
{
    auto *e = static_cast<NumEdit *>(editor);
    if (e->text() == index.data(Qt::EditRole).toString())
        return; // a cell left unchanged keeps its exact value
    // A refused text was reported by the field; the cell keeps what it held.
    if (!e->commit())
        return;
    model->setData(index, e->text(), Qt::EditRole);
}

void ListInpDelegate::commitAndClose(QWidget *editor)
{
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool ListInpDelegate::eventFilter(QObject *object, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            if (auto *w = qobject_cast<QWidget *>(object)) {
                commitAndClose(w);
                if (enterPressed)
                    enterPressed();
            }
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

// ---- grid ----

QWidget *ListInpView::currentEditor() const { return indexWidget(currentIndex()); }

void ListInpView::moveDown()
{
    auto *m = static_cast<ListInpModel *>(model());
    const QModelIndex cur = currentIndex();
    if (!cur.isValid())
        return;
    const int r = m->nextEditableRow(cur.row(), cur.column());
    if (r < 0)
        return;
    setCurrentIndex(m->index(r, cur.column()));
}

void ListInpView::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != QAbstractItemView::EditingState) {
        moveDown();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

// ---- window ----

TfmListInp::TfmListInp(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("fmListInp"));
    setWindowTitle(QStringLiteral("一覧入力画面"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setAttribute(Qt::WA_InputMethodEnabled, false);

    m_model = new ListInpModel(session, this);
    m_delegate = new ListInpDelegate(session, *m_model, this);

    sbHendo = new QPushButton(QStringLiteral("変動項目"), this);
    sbHendo->setObjectName(QStringLiteral("sbHendo"));
    sbKotei = new QPushButton(QStringLiteral("固定項目"), this);
    sbKotei->setObjectName(QStringLiteral("sbKotei"));
    for (QPushButton *b : {sbHendo, sbKotei}) {
        b->setCheckable(true);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(96);
    }
    connect(sbHendo, &QPushButton::clicked, this, &TfmListInp::showHendo);
    connect(sbKotei, &QPushButton::clicked, this, &TfmListInp::showKotei);

    sgList = new ListInpView(this);
    sgList->setObjectName(QStringLiteral("sgList"));
    sgList->setModel(m_model);
    sgList->setItemDelegate(m_delegate);
    sgList->setSelectionMode(QAbstractItemView::SingleSelection);
    sgList->setSelectionBehavior(QAbstractItemView::SelectItems);
    sgList->setAttribute(Qt::WA_InputMethodEnabled, false);
    sgList->setInputMethodHints(Qt::ImhDigitsOnly);
    sgList->setEditTriggers(session.opt.AutoSelect
                                ? QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                                      QAbstractItemView::DoubleClicked
                                : QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                      QAbstractItemView::EditKeyPressed);
    sgList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sgList->verticalHeader()->setDefaultSectionSize(24);
    QHeaderView *names = sgList->horizontalHeader();
    names->setSectionsClickable(true);
    names->setHighlightSections(false);
    names->setCursor(Qt::PointingHandCursor);
    const QString headerStyle = QStringLiteral(
        "QHeaderView::section { background-color: #1e3c96; color: white; padding: 2px 4px;"
        " border: 1px solid #8090c0; }");
    names->setStyleSheet(headerStyle);
    sgList->verticalHeader()->setStyleSheet(headerStyle);
    connect(names, &QHeaderView::sectionClicked, this, &TfmListInp::nameClicked);
    m_delegate->enterPressed = [this] { sgList->moveDown(); };

    lbHint = new QLabel(QStringLiteral("氏名をクリックすると明細入力画面になります"), this);
    lbHint->setObjectName(QStringLiteral("lbHint"));
    lbJikan = new QLabel(this);
    lbJikan->setObjectName(QStringLiteral("lbJikan"));

    auto *top = new QHBoxLayout;
    top->addWidget(sbHendo);
    top->addWidget(sbKotei);
    top->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(lbHint);
    bottom->addStretch();
    bottom->addWidget(lbJikan);
    auto *v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addWidget(sgList, 1);
    v->addLayout(bottom);
    resize(800, 480);
}

TfmListInp::~TfmListInp() = default;

void TfmListInp::showEvent(QShowEvent *event)
{
    if (!m_geometryRead) {
        m_geometryRead = true;
        const ListWindowGeometry g = readListWindow(m_session.corpIni, "ListInp");
        if (!g.state.empty()) {
            QRect r(g.left, g.top, std::max(g.width, 200), std::max(g.height, 150));
            // A position from another screen layout is not used.
            if (QScreen *s = QGuiApplication::primaryScreen(); s && s->availableVirtualGeometry().intersects(r))
                setGeometry(r);
            else
                resize(r.size());
            if (g.state == "wsMaximized")
                setWindowState(windowState() | Qt::WindowMaximized);
        }
    }
    // Filled once per showing: later refills would drop what was typed.
    m_model->setPage(ListInpModel::Page::Hendo);
    m_model->fill();
    sbHendo->setChecked(true);
    sbKotei->setChecked(false);
    applyColumnWidths();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%6.2f", m_session.img->Kihon.Jikan);
    lbJikan->setText(QStringLiteral("所定労働時間： %1時間").arg(QString::fromLatin1(buf)));
    QDialog::showEvent(event);
    if (m_model->rowCount() > 0 && m_model->columnCount() > 0) {
        int r = m_model->isEditable(0, 0) ? 0 : m_model->nextEditableRow(0, 0);
        sgList->setFocus();
        if (r >= 0)
            sgList->setCurrentIndex(m_model->index(r, 0));
    }
}

void TfmListInp::applyColumnWidths()
{
    const int width = m_session.opt.NameWide ? 112 : 80;
    for (int c = 0; c < m_model->columnCount(); ++c)
        sgList->setColumnWidth(c, width);
}

void TfmListInp::commitEditor()
{
    if (QWidget *e = sgList->currentEditor())
        m_delegate->commitAndClose(e);
}

void TfmListInp::zenKeisanFromGrid()
{
    commitEditor();
    m_model->store();
    recalcAllAndAsk(m_session);
}

void TfmListInp::showHendo()
{
    commitEditor();
    m_model->setPage(ListInpModel::Page::Hendo);
    sbHendo->setChecked(true);
    sbKotei->setChecked(false);
    applyColumnWidths();
}

void TfmListInp::showKotei()
{
    commitEditor();
    m_model->setPage(ListInpModel::Page::Kotei);
    sbHendo->setChecked(false);
    sbKotei->setChecked(true);
    applyColumnWidths();
}

void TfmListInp::nameClicked(int column)
{
    const int slot = m_model->slotOfColumn(column);
    if (slot == 0)
        return;
    zenKeisanFromGrid();
    if (openDataEdit) {
        openDataEdit(slot);
    } else {
        TfmDataEdit dlg(m_session, this);
        connect(&dlg, &TfmDataEdit::slotShown, this, &TfmListInp::slotShown);
        dlg.setSlot(slot);
        dlg.exec();
    }
    // Everything typed was stored above, so the records are the grid's content now.
    m_model->fill();
    applyColumnWidths();
}

void TfmListInp::writeGeometry()
{
    ListWindowGeometry g;
    g.state = isMaximized() ? "wsMaximized" : "wsNormal";
    const QRect r = isMaximized() ? normalGeometry() : geometry();
    g.left = r.x();
    g.top = r.y();
    g.width = r.width();
    g.height = r.height();
    if (Status s = writeListWindow(m_session.corpIni, "ListInp", g); !s)
        m_session.ask().error(s.message());
}

void TfmListInp::done(int result)
{
    zenKeisanFromGrid();
    m_model->setPage(ListInpModel::Page::Hendo);
    writeGeometry();
    QDialog::done(result);
}

} // namespace orv
