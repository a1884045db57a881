#pragma once

#include "core/records/records.h"

#include <QDialog>

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QAction;

namespace orv {

class Session;

// The pay-period selection ("給与対象月/賞与時期の選択"): a yearly file and one of its 15
// periods, with the prescribed days and hours of a month or the pay date of a bonus. Accepted
// means the period is open in memory.
class TfmSelData : public QDialog {
    Q_OBJECT
public:
    TfmSelData(Session &session, QWidget *parent = nullptr);

    QComboBox *cbYear() const { return m_year; }
    QListWidget *lbKikan() const { return m_kikan; }
    QLineEdit *edNissu() const { return m_nissu; }
    QLineEdit *edJikan() const { return m_jikan; }
    QLineEdit *edSikyuM() const { return m_sikyuM; }
    QLineEdit *edSikyuD() const { return m_sikyuD; }
    QAction *mnCreateFile() const { return m_mnCreate; }

    // Selects period k (1..15) and fills its fields.
    void selectPeriod(int k);
    int selectedPeriod() const;

public slots:
    void btOkClick();
    void reject() override; // "終了", Escape and the window's close button
    void mnCreateFileClick();
    void mnDeleteClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void loadFile(); // header and month blocks of the current file, year list, period list
    void fillYears();
    void fillPeriods();
    void fillFields();
    void yearChosen(int index);
    void leaveNumField(QLineEdit *ed);
    void showPopup(const QPoint &pos);
    bool validateBonusDate(int &month, int &day);

    Session &m_session;
    QComboBox *m_year;
    QListWidget *m_kikan;
    QLabel *m_lbNissu;
    QLabel *m_lbJikan;
    QLineEdit *m_nissu;
    QLineEdit *m_jikan;
    QLineEdit *m_sikyuM;
    QLineEdit *m_sikyuD;
    QAction *m_mnCreate = nullptr;
    QMenu *m_popup;

    THeadRec m_head{};
    std::array<TKihonRec, 13> m_kihon{}; // months 1..12
    std::vector<std::string> m_files;     // year list entries
    bool m_filling = false;
};

} // namespace orv
