#pragma once

// The health-insurance grade picker ("健康保険等級表"): one line per grade of the grade table,
// the record's grade preselected; OK yields the chosen grade (1 = first line).

#include <QDialog>

class QLabel;
class QListWidget;

namespace orv {

class Session;

class TfmKenhoHyo : public QDialog {
    Q_OBJECT
public:
    TfmKenhoHyo(Session &session, QWidget *parent = nullptr);

    // The grade to preselect (0 or out of range: the first line).
    void setGrade(int grade);
    // The chosen grade, 0 when the table has none.
    int grade() const;

    QListWidget *list() const { return m_list; }

public slots:
    void btOkClick();

protected:
    void keyPressEvent(QKeyEvent *e) override;

private:
    QListWidget *m_list;
    QLabel *m_label;
};

} // namespace orv
