#pragma once

// The employee editor ("社員情報の編集"): one employee master record of the open period, new or
// existing, with the grade picker, the new-employee template and stepping between employees.
// OK stores the record, writes the system log event (registration or change) and recomputes
// every employee.

#include "core/records/records.h"

#include <QDialog>

#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orv {

class Session;
class MasterNumEdit;
class MasterTextEdit;

class TfmMembEdit : public QDialog {
    Q_OBJECT
public:
    TfmMembEdit(Session &session, QWidget *parent = nullptr);

    // New-employee registration. Directly after a first-time company set-up (TfmCorpInfo) the
    // provisional template and name are used; setFirstTime() says so explicitly.
    void setNew();
    // Change of the employee in `slot`.
    void setSlot(int slot);
    // Display only ("社員情報の表示").
    void setViewOnly(int slot);
    void setFirstTime(bool on);

    int slot() const { return m_slot; } // 0 in new mode
    const TSyainRec &working() const { return m_work; }

public slots:
    void btOkClick();
    void btPrevClick() { step(-1); }
    void btNextClick() { step(+1); }
    void btKihonClick();
    void btTokyuClick();
    void btCalcClick();

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void buildUi();
    void prepareNew();
    void loadRecord();
    // Controls into `rec`; false (after the message, focus on the field) when a value is refused.
    // `forTemplate`: no identity key is created.
    bool storeControls(TSyainRec &rec, bool forTemplate);
    void applyEnablement();
    void updateStepButtons();
    void step(int dir);
    MasterNumEdit *num(const char *field) const;

    Session &m_session;
    int m_slot = 0;
    bool m_new = false;
    bool m_viewOnly = false;
    bool m_firstTime = false;
    bool m_shown = false;
    TSyainRec m_work{};
    TSyainRec m_loadedControls{}; // what the controls gave right after loading
    int m_grade = 0;
    QWidget *m_lastNum = nullptr;

    MasterTextEdit *edSimei, *edBusyo, *edMailAdrs, *edChouson;
    QComboBox *cbKubun, *cbKeitai, *cbSikUnit;
    MasterNumEdit *edMyNo, *edTaiYY, *edTaiMM, *edTaiDD;
    QCheckBox *cbMyNoHide, *cbGenkin, *cbTaisyo, *cbKoyou, *cbKenkou, *cbKaigo, *cbNenHoken,
        *cbNenKikin, *cbNoSyoto;
    QRadioButton *rbZeigaku0, *rbZeigaku1;
    QLabel *lbChingin1;
    std::map<std::string, MasterNumEdit *> m_nums; // by field name
    std::map<std::string, QLabel *> m_captions;
    QPushButton *btPrev, *btNext, *btKihon, *btTokyu, *btCalc, *btOk, *btCancel;
};

} // namespace orv
