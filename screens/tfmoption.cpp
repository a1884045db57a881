#include "screens/tfmoption.h"

#include "core/calc/premiums.h"
#include "core/util/numtext.h"
#include "core/util/sjis.h"
#include "screens/masterfields.h"
#include "screens/session.h"
#include "screens/tfmselfont.h"
#include "screens/tfmsetpass.h"
#include "settings/noticecheck.h"
#include "settings/inifile.h"
#include "settings/options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

namespace orv {
namespace {

const char *const kBuiltIn[] = {
    "所定労働日数", "出勤日数",     "有休日数",     "欠勤日数",     "休日出勤日数", "特別休暇日数", "所定労働時間",
    "実働時間",     "普通残業時間", "深夜残業時間", "休日普通残業", "休日深夜残業", "遅刻早退回数", "遅刻早退時間",
    "勤怠項目",     "有休残日数",   "基本給",       "役職手当",     "家族手当",     "普通残業手当", "深夜残業手当",
    "非課税通勤費", "課税通勤費",   "欠勤控除",     "遅刻早退控除", "課税支給合計", "日給計",       "時給計",
    "健康保険料",   "介護保険料",   "厚生年金保険", "厚生年金基金", "雇用保険料",   "社会保険料計", "社保控除後計",
    "所得税",       "住民税",       "賞与",         "役員報酬"};

struct NameField {
    const char *control;
    const char *caption;
    std::string TOption::*field;
    int bytes;
};
const NameField kNameFields[17] = {
    {"edFixTeate1", "固定手当１", &TOption::FixTeate1, 12}, {"edFixTeate2", "固定手当２", &TOption::FixTeate2, 12},
    {"edFixTeate3", "固定手当３", &TOption::FixTeate3, 12}, {"edVarTeate1", "変動手当１", &TOption::VarTeate1, 12},
    {"edVarTeate2", "変動手当２", &TOption::VarTeate2, 12}, {"edVarTeate3", "変動手当３", &TOption::VarTeate3, 12},
    {"edFixKoujo1", "固定控除１", &TOption::FixKoujo1, 12}, {"edFixKoujo2", "固定控除２", &TOption::FixKoujo2, 12},
    {"edFixKoujo3", "固定控除３", &TOption::FixKoujo3, 12}, {"edVarKoujo1", "変動控除１", &TOption::VarKoujo1, 12},
    {"edVarKoujo2", "変動控除２", &TOption::VarKoujo2, 12}, {"edVarKoujo3", "変動控除３", &TOption::VarKoujo3, 12},
    {"edSonota1", "その他１", &TOption::Sonota1, 12},       {"edSonota2", "その他２", &TOption::Sonota2, 12},
    {"edSonota3", "その他３", &TOption::Sonota3, 12},       {"edTokuSyoyo", "特別賞与", &TOption::TokuSyoyo, 8},
    {"edKintaiFre", "勤怠項目", &TOption::KintaiFre, 12},
};

struct CheckField {
    const char *control;
    const char *caption;
    bool TOption::*field;
};
const CheckField kChecks[] = {
    {"cbAutoSel", "数値項目を自動選択する", &TOption::AutoSelect},
    {"cbInpOverN", "数値項目を上書き入力する", &TOption::InputOverN},
    {"cbPrRuikei", "明細書の累計欄を印刷する", &TOption::PrnRuikei},
    {"cbNameWide", "一覧入力画面の氏名表示を広げる", &TOption::NameWide},
    {"cbNoBakCol", "印刷時の背景色を無色にする", &TOption::NoBakCol},
    {"cbUse2000", "支払金種一覧表で二千円札を使用", &TOption::Use2kSatu},
    {"cbManualOn", "固定手当/控除が0円なら修正ON", &TOption::ManualOn},
    {"cbPrnJuryo", "受領印の欄を印刷", &TOption::PrnJuryo},
    {"cbOldType", "月別一覧の[通常]は旧書式", &TOption::OldIchiran},
    {"cbPrnFuyou", "税額表と扶養人数の欄を印刷する", &TOption::PrnFuyou},
    {"cbPrnSikbi", "給与/賞与明細の支給日を記憶", &TOption::PrnSikyubi},
    {"cbNotice", "Windows起動毎にお知らせ確認", &TOption::NoticeChk},
    {"cbKaigoChk", "介護保険料の対象者か確認する", &TOption::KaigoChk},
    {"cbSyoyoName", "\"夏季賞与/冬季賞与\"とする", &TOption::SyoyoName},
};

using StrField = std::string TOption::*;
const StrField kFontFields[4] = {&TOption::FontName, &TOption::FontNameM, &TOption::FontNameS,
                                                 &TOption::FontNameO};

QString fmtMm(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%5.1f", v);
    return QString::fromLatin1(buf);
}

} // namespace

bool isBuiltInItemName(const std::string &name)
{
    for (const char *b : kBuiltIn)
        if (name == b)
            return true;
    return false;
}

TfmOption::TfmOption(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName("TfmOption");
    setWindowTitle("入力項目の設定");
    const TOption &opt = session.opt;

    // User-named items with their attributes.
    auto *items = new QGroupBox("ユーザー追加項目と属性の設定", this);
    auto *il = new QGridLayout(items);
    // Allowances in columns 0-3, deductions in 5-8, a stretching gap between them; the other
    // names below, the three "other" items under the allowances.
    il->setColumnStretch(4, 1);
    il->setColumnMinimumWidth(4, 16);
    il->setVerticalSpacing(2); // the window has to fit a screen 768 pixels high
    const char *heads[] = {"課税支給", "社保算定", "社保料計", "社保算定"};
    const int headCols[] = {2, 3, 7, 8};
    for (int h = 0; h < 4; ++h)
        il->addWidget(new QLabel(heads[h], items), 0, headCols[h], Qt::AlignHCenter);
    for (int i = 0; i < 17; ++i) {
        m_names[i] = new MasterTextEdit(kNameFields[i].bytes, this);
        m_names[i]->setObjectName(kNameFields[i].control);
    }
    for (int i = 0; i < 12; ++i) {
        m_kazei[i] = new QCheckBox(this);
        m_kazei[i]->setObjectName(QString("cbKazei%1").arg(i));
        m_syaho[i] = new QCheckBox(this);
        m_syaho[i]->setObjectName(QString("cbHoken%1").arg(i));
        const int col = i < 6 ? 0 : 5, row = i % 6 + 1;
        il->addWidget(new QLabel(kNameFields[i].caption, items), row, col);
        il->addWidget(m_names[i], row, col + 1);
        il->addWidget(m_kazei[i], row, col + 2, Qt::AlignHCenter);
        il->addWidget(m_syaho[i], row, col + 3, Qt::AlignHCenter);
    }
    for (int i = 12; i < 17; ++i) {
        const int row = i < 15 ? 7 + (i - 12) : 7 + (i - 15), col = i < 15 ? 0 : 5;
        il->addWidget(new QLabel(kNameFields[i].caption, items), row, col);
        il->addWidget(m_names[i], row, col + 1);
    }

    auto radio = [&](const char *name, const char *caption) {
        auto *r = new QRadioButton(caption, this);
        r->setObjectName(name);
        return r;
    };
    auto *time = new QGroupBox("時間の表示･印刷形式", this);
    auto *tl = new QVBoxLayout(time);
    rbTimeStyle10 = radio("rbTimeStyle10", "10進法（１時間45分→1.75）");
    rbTimeStyle60 = radio("rbTimeStyle60", "60進法（１時間45分→1:45）");
    tl->addWidget(rbTimeStyle10);
    tl->addWidget(rbTimeStyle60);

    auto *hasuu = new QGroupBox("１円未満の端数処理", this);
    auto *hl = new QGridLayout(hasuu);
    rbSikCeil = radio("rbSikCeil", "切り上げ");
    rbSikRound = radio("rbSikRound", "四捨五入");
    rbGenTrunc = radio("rbGenTrunc", "切り捨て");
    rbGenRound = radio("rbGenRound", "四捨五入");
    rbKouTrunc = radio("rbKouTrunc", "切り捨て");
    rbKouRound = radio("rbKouRound", "四捨五入");
    const std::tuple<const char *, QRadioButton *, QRadioButton *> hrows[] = {
        {"支給項目", rbSikCeil, rbSikRound}, {"減額項目", rbGenTrunc, rbGenRound}, {"控除項目", rbKouTrunc, rbKouRound}};
    int r = 0;
    for (auto [caption, a, b] : hrows) {
        auto *g = new QButtonGroup(this);
        g->addButton(a);
        g->addButton(b);
        hl->addWidget(new QLabel(caption, hasuu), r, 0);
        hl->addWidget(a, r, 1);
        hl->addWidget(b, r, 2);
        ++r;
    }

    auto *paper = new QGroupBox("用紙タイプ", this);
    auto *pl = new QHBoxLayout(paper);
    pl->addWidget(new QLabel("給与/賞与明細", paper));
    cbFormType = new QComboBox(this);
    cbFormType->setObjectName("cbFormType");
    cbFormType->addItems({"A4用紙(1名/枚)", "A4用紙(2名/枚)", "HISAGO GB1150"});
    pl->addWidget(cbFormType);

    auto *adjust = new QGroupBox("印刷位置補正", this);
    auto *al = new QGridLayout(adjust);
    edPrAdjustH = new MasterNumEdit(opt, "-.0123456789", this);
    edPrAdjustH->setObjectName("edPrAdjustH");
    edPrAdjustV = new MasterNumEdit(opt, "-.0123456789", this);
    edPrAdjustV->setObjectName("edPrAdjustV");
    for (auto *e : {edPrAdjustH, edPrAdjustV}) {
        e->setMaxLength(5);
        connect(e, &MasterNumEdit::left, this, [this, e] {
            std::string t = CheckNumText(us(e->text()), 51, m_session.ask());
            e->setText(fmtMm(TextToNum(t, m_session.ask())));
        });
    }
    al->addWidget(new QLabel("全体を横方向に", adjust), 0, 0);
    al->addWidget(edPrAdjustH, 0, 1);
    al->addWidget(new QLabel("mmずらす", adjust), 0, 2);
    al->addWidget(new QLabel("全体を縦方向に", adjust), 1, 0);
    al->addWidget(edPrAdjustV, 1, 1);
    al->addWidget(new QLabel("mmずらす", adjust), 1, 2);

    auto *fonts = new QGroupBox("印刷フォントの指定", this);
    auto *fl = new QGridLayout(fonts);
    const char *fontCaptions[] = {"印刷全体", "見出し文字", "自社名", "お知らせ"};
    for (int k = 0; k < 4; ++k) {
        auto *b = new QPushButton(fontCaptions[k], fonts);
        b->setObjectName(QString("btFont%1").arg(k));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, k] { fontClick(k); });
        m_fontLabels[k] = new QLabel(fonts);
        m_fontLabels[k]->setObjectName(QString("lbFont%1").arg(k));
        fl->addWidget(b, k, 0);
        fl->addWidget(m_fontLabels[k], k, 1);
    }

    auto *prefs = new QGroupBox(this);
    auto *prl = new QGridLayout(prefs);
    prl->setVerticalSpacing(2);
    int n = 0;
    for (const auto &c : kChecks) {
        auto *cb = new QCheckBox(c.caption, prefs);
        cb->setObjectName(c.control);
        m_checks[c.control] = cb;
        prl->addWidget(cb, n % 7, (n / 7) * 2);
        if (std::string(c.control) == "cbPrnJuryo") {
            edJuryoStr = new MasterTextEdit(10, prefs);
            edJuryoStr->setObjectName("edJuryoStr");
            prl->addWidget(edJuryoStr, n % 7, (n / 7) * 2 + 1);
        }
        ++n;
    }
    connect(m_checks["cbPrnJuryo"], &QCheckBox::toggled, edJuryoStr, &QWidget::setEnabled);
    connect(m_checks["cbOldType"], &QCheckBox::toggled, this, [this](bool on) {
        if (on && !m_filling)
            m_session.ask().warning("旧書式を選択した場合、下記の機能は無効です。\r　表計算連携、並べ替え順に印刷");
    });
    connect(m_checks["cbNotice"], &QCheckBox::clicked, this, &TfmOption::noticeClick);

    auto *pass = new QPushButton("パスワードの設定/解除", this);
    pass->setObjectName("btPass");
    pass->setAutoDefault(false);
    connect(pass, &QPushButton::clicked, this, &TfmOption::btPassClick);
    auto *ok = new QPushButton("Ｏ Ｋ", this);
    ok->setObjectName("btOk");
    ok->setAutoDefault(false);
    auto *cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("btCancel");
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TfmOption::btOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *mid = new QGridLayout;
    mid->addWidget(time, 0, 0);
    mid->addWidget(hasuu, 0, 1);
    mid->addWidget(paper, 1, 0);
    mid->addWidget(adjust, 1, 1);
    mid->addWidget(fonts, 0, 2, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(pass);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *lay = new QVBoxLayout(this);
    lay->setSpacing(4);
    lay->addWidget(items);
    lay->addLayout(mid);
    lay->addWidget(prefs);
    lay->addLayout(buttons);
    fill();
}

void TfmOption::fill()
{
    m_filling = true;
    const TOption &o = m_session.opt;
    for (int i = 0; i < 17; ++i)
        m_names[i]->setText(qs(o.*(kNameFields[i].field)));
    for (int i = 0; i < 12; ++i) {
        m_kazei[i]->setChecked(o.Kazei[i]);
        m_syaho[i]->setChecked(o.Syaho[i]);
    }
    (o.TimeStyle == 0 ? rbTimeStyle10 : rbTimeStyle60)->setChecked(true);
    (o.HasuuSik == 2 ? rbSikRound : rbSikCeil)->setChecked(true);
    (o.HasuuGen == 2 ? rbGenRound : rbGenTrunc)->setChecked(true);
    (o.HasuuKou == 2 ? rbKouRound : rbKouTrunc)->setChecked(true);
    cbFormType->setCurrentIndex(o.FormType >= 0 && o.FormType <= 2 ? o.FormType : 1);
    edPrAdjustH->setText(fmtMm(o.PrAdjustH));
    edPrAdjustV->setText(fmtMm(o.PrAdjustV));
    for (int k = 0; k < 4; ++k) {
        m_fonts[k] = qs(o.*(kFontFields[k]));
        m_fontLabels[k]->setText(m_fonts[k]);
    }
    for (const auto &c : kChecks)
        m_checks[c.control]->setChecked(o.*(c.field));
    edJuryoStr->setText(qs(o.JuryoStr));
    edJuryoStr->setEnabled(o.PrnJuryo);
    m_checks["cbKaigoChk"]->setEnabled(!findWithholdingFile(m_session.dataDir).empty());
    m_filling = false;
}

void TfmOption::fontClick(int kind)
{
    TfmSelFont picker(m_session, kind, m_fonts[kind], this);
    if (picker.exec() != QDialog::Accepted || picker.face().isEmpty())
        return;
    m_fonts[kind] = picker.face();
    m_fontLabels[kind]->setText(m_fonts[kind]);
}

void TfmOption::noticeClick(bool checked)
{
    Prompter &ask = m_session.ask();
    TOption &o = m_session.opt;
    auto write = [&](bool on) {
        if (Status s = IniFile::writeBool(m_session.corpIni, "Option", "NoticeChk", on); !s) {
            ask.error(s.message());
            return false;
        }
        o.NoticeChk = on;
        return true;
    };
    if (checked) {
        if (ask.ask(Prompter::Kind::Confirmation, Prompter::Buttons::OkCancel,
                    "Windowsの起動毎にお知らせの確認を行う様に\r設定しますか？") == Prompter::Answer::Ok &&
            registerNoticeCheck(m_session.loc.ProgDir)) {
            ask.information("スタートアップへの登録完了");
            write(true);
        }
    } else {
        if (ask.ask(Prompter::Kind::Confirmation, Prompter::Buttons::OkCancel,
                    "Windows起動毎のお知らせの確認を止めますか？") == Prompter::Answer::Ok &&
            unregisterNoticeCheck()) {
            ask.information("スタートアップから登録削除");
            write(false);
        }
    }
    m_checks["cbNotice"]->setChecked(o.NoticeChk);
}

void TfmOption::btPassClick()
{
    TfmSetPass dlg(m_session, this);
    dlg.exec();
}

void TfmOption::btOkClick()
{
    Prompter &ask = m_session.ask();
    std::array<std::string, 17> names;
    for (int i = 0; i < 17; ++i) {
        names[i] = sjisToUtf8(toSjisCut(m_names[i]->text(), kNameFields[i].bytes));
        m_names[i]->setText(qs(names[i]));
    }
    auto fail = [&](int i, const std::string &message) {
        ask.error(message);
        m_names[i]->setFocus();
        return false;
    };
    auto dup = [](const std::string &n) { return "項目名が重複しています。(" + n + ")"; };
    auto builtIn = [](const std::string &n) {
        return "項目名｢" + n + "｣は既に用意されている項目です。\r同じ名前の項目を複数作成する事は出来ません。";
    };
    // Required and distinct within a group, then no built-in name.
    auto group = [&](int first, int count) {
        for (int i = first; i < first + count; ++i) {
            if (trim(names[i]).empty())
                return fail(i, "項目名は必須入力です。");
            for (int j = first; j < i; ++j)
                if (names[j] == names[i])
                    return fail(i, dup(names[i]));
        }
        for (int i = first; i < first + count; ++i)
            if (isBuiltInItemName(names[i]))
                return fail(i, builtIn(names[i]));
        return true;
    };
    if (!group(0, 6) || !group(6, 6) || !group(12, 3))
        return;
    for (int i = 12; i < 15; ++i)
        for (int j = 0; j < 12; ++j)
            if (names[i] == names[j])
                return (void)fail(i, dup(names[i]));
    const std::string &fre = names[16];
    if (!fre.empty()) {
        if (isBuiltInItemName(fre))
            return (void)fail(16, builtIn(fre));
        for (int j = 0; j < 15; ++j)
            if (fre == names[j])
                return (void)fail(16, dup(fre));
    }

    TOption o = m_session.opt;
    bool renamed = false;
    for (int i = 0; i < 17; ++i) {
        renamed = renamed || o.*(kNameFields[i].field) != names[i];
        o.*(kNameFields[i].field) = names[i];
    }
    for (const auto &c : kChecks)
        o.*(c.field) = m_checks[c.control]->isChecked();
    o.NoticeChk = m_session.opt.NoticeChk; // set by its own click only
    o.FormType = cbFormType->currentIndex();
    o.TimeStyle = rbTimeStyle10->isChecked() ? 0 : 1;
    o.HasuuSik = rbSikRound->isChecked() ? 2 : 1;
    o.HasuuGen = rbGenRound->isChecked() ? 2 : 0;
    o.HasuuKou = rbKouRound->isChecked() ? 2 : 0;
    o.PrAdjustH = TextToNum(us(edPrAdjustH->text()), ask);
    o.PrAdjustV = TextToNum(us(edPrAdjustV->text()), ask);
    o.JuryoStr = sjisToUtf8(toSjisCut(edJuryoStr->text(), 10));
    for (int k = 0; k < 4; ++k)
        o.*(kFontFields[k]) = us(m_fonts[k]);
    for (int i = 0; i < 12; ++i) {
        o.Kazei[i] = m_kazei[i]->isChecked();
        o.Syaho[i] = m_syaho[i]->isChecked();
    }
    // The settings file first: the settings in memory change only when it was written.
    if (Status s = SaveOptions(m_session.corpIni, o, m_session.img->KikanNo); !s) {
        ask.error(s.message());
        return;
    }
    m_session.opt = o;
    if (renamed)
        ask.information("変更した項目名を有効にする為、｢印刷項目の設定→給与/賞与明細｣\rの画面で、使用項目に切り替えて下さい。");
    recalcAfterChange(m_session);
    accept();
}

} // namespace orv
