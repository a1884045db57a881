#pragma once

// Employee list editing ("一覧形式で社員情報修正"): the numeric master data of every current
// employee side by side. Closing the window writes every value back, saves the window
// geometry and recomputes every employee; there are no OK or cancel buttons.

#include <QDialog>

class QTableView;

namespace orv {

class Session;
class MembEditLModel;

class TfmMembEditL : public QDialog {
    Q_OBJECT
public:
    TfmMembEditL(Session &session, QWidget *parent = nullptr);

    MembEditLModel *model() const { return m_model; }
    QTableView *grid() const { return m_grid; }

    void done(int r) override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    Session &m_session;
    MembEditLModel *m_model;
    QTableView *m_grid;
    bool m_filled = false;
};

} // namespace orv
