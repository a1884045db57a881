#pragma once

// Wage-ledger and monthly-list items ("給与台帳/月別一覧の印刷項目"): attendance items to add
// and user-named items to drop. OK writes DaichoAdd and DaichoDel.

#include <QDialog>

#include <array>

class QCheckBox;

namespace orv {

class Session;

class TfmPrnItem : public QDialog {
    Q_OBJECT
public:
    TfmPrnItem(Session &session, QWidget *parent = nullptr);

public slots:
    void btOkClick();
    void btResetClick();

private:
    Session &m_session;
    std::array<QCheckBox *, 17> m_add{};
    std::array<QCheckBox *, 15> m_del{};
};

} // namespace orv
