#pragma once

// The list input screen ("一覧入力画面"): every employee's attendance and per-period items in one
// grid, the fixed items on a second page. Closing writes the grid into the records and
// recomputes every employee.

#include <QDialog>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

class QLabel;
class QPushButton;

namespace orv {

class Session;
class ListInpModel;
class NumEdit;

// The cell editor: a numeric field of the row's kind, Enter moving down the column.
class ListInpDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    ListInpDelegate(Session &session, ListInpModel &model, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;

    // Stores the open editor's text and closes it.
    void commitAndClose(QWidget *editor);
    // Called after Enter in an editor.
    std::function<void()> enterPressed;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    Session &m_session;
    ListInpModel &m_model;
};

class ListInpView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
    // The editor open on the current cell, if any.
    QWidget *currentEditor() const;
    // Moves to the next row editable for the current column's employee.
    void moveDown();

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

class TfmListInp : public QDialog {
    Q_OBJECT
public:
    TfmListInp(Session &session, QWidget *parent = nullptr);
    ~TfmListInp() override;

    ListInpModel &model() { return *m_model; }
    ListInpView *grid() { return sgList; }

    // Writes the grid into the records and recomputes every employee (ZenKeisan(true)).
    void zenKeisanFromGrid();
    // The page buttons.
    void showHendo();
    void showKotei();
    // A click on an employee's name: store, recompute, open the detail entry screen, refill.
    void nameClicked(int column);

    // Opens the detail entry screen; replaceable in tests.
    std::function<void(int slot)> openDataEdit;

    void done(int result) override;

signals:
    // The detail entry screen opened from here showed another employee.
    void slotShown(int slot);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void commitEditor();
    void applyColumnWidths();
    void writeGeometry();

    Session &m_session;
    ListInpModel *m_model;
    ListInpDelegate *m_delegate;
    ListInpView *sgList;
    QPushButton *sbHendo, *sbKotei;
    QLabel *lbHint, *lbJikan;
    bool m_geometryRead = false;
};

} // namespace orv
