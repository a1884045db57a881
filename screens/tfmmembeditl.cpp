#include "screens/tfmmembeditl.h"

#include "screens/masterfields.h"
#include "screens/session.h"
#include "screens/tfmmembeditlmodel.h"
#include "settings/options.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace orv {
namespace {

bool g_geometryRestored = false; // on the first showing in a run only

// Numeric cells: digits, "-" and ",", the input method off, the text selected on AutoSelect.
class CellDelegate : public QStyledItemDelegate {
public:
    CellDelegate(bool autoSelect, QObject *parent) : QStyledItemDelegate(parent), m_autoSelect(autoSelect) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *e = new QLineEdit(parent);
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        e->setAlignment(Qt::AlignRight);
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[-0-9,]*"), e));
        return e;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *e = static_cast<QLineEdit *>(editor);
        e->setText(index.data(Qt::EditRole).toString());
        if (m_autoSelect)
            e->selectAll();
    }

    bool takeEnter()
    {
        const bool was = m_enter;
        m_enter = false;
        return was;
    }

protected:
    bool eventFilter(QObject *editor, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                m_enter = true;
        }
        return QStyledItemDelegate::eventFilter(editor, event);
    }

private:
    bool m_autoSelect;
    bool m_enter = false;
};

// Enter commits and moves to the next editable row of the same column, wrapping to the top.
class Grid : public QTableView {
public:
    using QTableView::QTableView;

protected:
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        (void)hint;
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        auto *d = dynamic_cast<CellDelegate *>(itemDelegate());
        if (d && d->takeEnter())
            QTimer::singleShot(0, this, [this] { moveDown(); });
    }
    void keyPressEvent(QKeyEvent *e) override
    {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && state() != EditingState) {
            moveDown();
            return;
        }
        QTableView::keyPressEvent(e);
    }

private:
    void moveDown()
    {
        const QModelIndex cur = currentIndex();
        if (!cur.isValid())
            return;
        const int rows = model()->rowCount();
        for (int i = 1; i <= rows; ++i) {
            QModelIndex next = model()->index((cur.row() + i) % rows, cur.column());
            if (next.flags() & Qt::ItemIsEditable) {
                setCurrentIndex(next);
                return;
            }
        }
    }
};

} // namespace

TfmMembEditL::TfmMembEditL(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_model(new MembEditLModel(session, this)), m_grid(new Grid(this))
{
    setObjectName("TfmMembEditL");
    setWindowTitle("一覧形式で社員情報修正");
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_grid->setObjectName("sgSyain");
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new CellDelegate(session.opt.AutoSelect, m_grid));
    m_grid->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                            QAbstractItemView::EditKeyPressed);
    m_grid->verticalHeader()->setFixedWidth(130);
    const QString headStyle = "QHeaderView::section { background-color: rgb(0,136,238); color: white; "
                              "border: 1px solid rgb(0,110,200); padding: 2px; }";
    m_grid->horizontalHeader()->setStyleSheet(headStyle);
    m_grid->verticalHeader()->setStyleSheet(headStyle);
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(m_grid);
    resize(800, 480);
}

void TfmMembEditL::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (m_filled)
        return;
    // Filled once per showing, never on a mere activation, so that edits are never lost.
    m_filled = true;
    m_model->fill();
    const int def = m_grid->horizontalHeader()->defaultSectionSize();
    const int w = m_session.opt.NameWide ? static_cast<int>(std::lround(def * 1.4)) : def;
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_grid->setColumnWidth(c, w);
    if (!g_geometryRestored) {
        g_geometryRestored = true;
        ListWindowGeometry g = readListWindow(m_session.corpIni, "ListMem");
        if (g.state == "wsMaximized")
            setWindowState(Qt::WindowMaximized);
        else if (!g.state.empty())
            setGeometry(g.left, g.top, g.width, g.height);
    }
    if (m_model->columnCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 0));
}

void TfmMembEditL::done(int r)
{
    if (m_filled) {
        // A cell being edited is committed by leaving it.
        m_grid->setCurrentIndex(QModelIndex());
        m_model->writeBack();
        m_filled = false;
        ListWindowGeometry g;
        g.state = isMaximized() ? "wsMaximized" : "wsNormal";
        g.left = x();
        g.top = y();
        g.width = width();
        g.height = height();
        if (Status s = writeListWindow(m_session.corpIni, "ListMem", g); !s)
            m_session.ask().error(s.message());
        recalcAfterChange(m_session);
    }
    QDialog::done(r);
}

} // namespace orv
