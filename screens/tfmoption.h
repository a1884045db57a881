#pragma once

// Input-item settings ("入力項目の設定"): the user-named items and their attributes, rounding,
// hour style, paper, print offsets and fonts, preferences and the start-up notice check. OK
// checks the names, writes the settings file and recomputes every employee.

#include "core/options/option.h"

#include <QDialog>

#include <array>
#include <map>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace orv {

class Session;
class MasterNumEdit;
class MasterTextEdit;

class TfmOption : public QDialog {
    Q_OBJECT
public:
    TfmOption(Session &session, QWidget *parent = nullptr);

public slots:
    void btOkClick();
    void btPassClick();

private:
    void fill();
    void fontClick(int kind);
    void noticeClick(bool checked);

    Session &m_session;
    bool m_filling = false;
    std::array<MasterTextEdit *, 17> m_names{}; // FixTeate1..VarKoujo3, Sonota1..3, TokuSyoyo, KintaiFre
    std::array<QCheckBox *, 12> m_kazei{};
    std::array<QCheckBox *, 12> m_syaho{};
    std::array<QString, 4> m_fonts;
    std::array<QLabel *, 4> m_fontLabels{};
    std::map<std::string, QCheckBox *> m_checks;
    QRadioButton *rbTimeStyle10, *rbTimeStyle60, *rbSikCeil, *rbSikRound, *rbGenTrunc, *rbGenRound,
        *rbKouTrunc, *rbKouRound;
    QComboBox *cbFormType;
    MasterNumEdit *edPrAdjustH, *edPrAdjustV;
    MasterTextEdit *edJuryoStr;
};

// A user-chosen item name may not be one of these (the names of the default print items).
bool isBuiltInItemName(const std::string &name);

} // namespace orv
