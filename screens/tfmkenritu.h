#pragma once

// The health-insurance rate picker ("健康保険料率選択"): the lines of the rate list, and on OK
// half of the chosen rate.

#include <QDialog>

#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

namespace orv {

class Session;
struct RateEntry;

class TfmKenRitu : public QDialog {
    Q_OBJECT
public:
    TfmKenRitu(Session &session, QWidget *parent = nullptr);

    // The employee's half of the chosen rate in percent, after OK.
    std::optional<double> rate() const { return m_rate; }

    QListWidget *list() const { return m_list; }

public slots:
    void btOkClick();

private:
    Session &m_session;
    std::vector<int> m_hundredths;
    QListWidget *m_list;
    QPushButton *m_ok;
    std::optional<double> m_rate;
};

} // namespace orv
