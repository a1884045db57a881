#pragma once

// Company information ("会社情報の設定"): the company block of the open period. OK stores it,
// writes the working hours per day into the company settings file, offers to set the
// employees' premiums again after a rate change and recomputes every employee.

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace orv {

class Session;
class MasterNumEdit;
class MasterTextEdit;

class TfmCorpInfo : public QDialog {
    Q_OBJECT
public:
    TfmCorpInfo(Session &session, QWidget *parent = nullptr);

    // First-time set-up: the company name was blank when the dialog was created.
    bool firstTime() const { return m_firstTime; }
    // True once after a first-time set-up was confirmed: the new-employee entry that follows
    // uses the provisional template (TfmMembEdit::setNew asks this).
    static bool takeFirstTimeSetUp();

public slots:
    void btOkClick();
    void reject() override;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void fill();
    void pickRate();

    Session &m_session;
    bool m_firstTime = false;
    bool m_shown = false;
    double m_oldRates[4] = {};

    MasterTextEdit *edSyamei;
    MasterNumEdit *edHouNo;
    QCheckBox *cbHouNoHide;
    MasterNumEdit *edSikyubi;
    QCheckBox *cbSikyuM1;
    QCheckBox *cbSikyuP1;
    QCheckBox *cbJuumin6;
    MasterNumEdit *edJikanD;
    QRadioButton *rbJigyo;
    QRadioButton *rbIgai;
    MasterNumEdit *edKoyRitu;
    MasterNumEdit *edKenRitu;
    MasterNumEdit *edKaiRitu;
    MasterNumEdit *edNenRitu;
    MasterNumEdit *edKknRitu;
};

} // namespace orv
