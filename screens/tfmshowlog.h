#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QListWidget;

namespace orv {

class Session;

// The system log viewer ("システムログの表示"): every line of the company's log, loaded each
// time the window is activated, with CSV output and clearing.
class TfmShowLog : public QDialog {
    Q_OBJECT
public:
    TfmShowLog(Session &session, QWidget *parent = nullptr);

    QListWidget *lbLog() const { return m_list; }
    // Asks for the CSV file to write; empty when cancelled. Replaceable in tests.
    std::function<QString()> chooseCsvFile;

public slots:
    void loadLog();
    void mnCsvClick();
    void mnClearClick();

protected:
    bool event(QEvent *e) override;

private:
    Session &m_session;
    QListWidget *m_list;
    std::vector<std::string> m_lines;
};

} // namespace orv
