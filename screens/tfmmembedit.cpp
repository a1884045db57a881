#include "screens/tfmmembedit.h"

#include "core/calc/premiums.h"
#include "core/records/payimage.h"
#include "core/records/validate.h"
#include "core/syslog/syslog.h"
#include "core/util/numtext.h"
#include "core/util/sjis.h"
#include "screens/masterfields.h"
#include "screens/session.h"
#include "screens/tfmcalc.h"
#include "screens/tfmcorpinfo.h"
#include "screens/tfmkenhohyo.h"
#include "settings/membertemplate.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace orv {
namespace {

const char *const kKubunList[] = {"", "役員", "一般社員", "臨時社員", "パート", "アルバイト"};

// The numeric fields: field name, caption, kind.
enum class NumKind { Amount, Premium, Count };
struct NumField {
    const char *field;
    const char *caption;
    NumKind kind;
};
constexpr NumField kNumFields[] = {
    {"Fuyou", "扶養人数", NumKind::Count},
    {"Sinzoku", "扶養親族等の数", NumKind::Count},
    {"Chingin1", "基本給", NumKind::Amount},
    {"Yakuin", "役職手当", NumKind::Amount},
    {"Family", "家族手当", NumKind::Amount},
    {"Chingin2", "残業手当(普通)", NumKind::Amount},
    {"Chingin3", "残業手当(深夜)", NumKind::Amount},
    {"Chingin4", "休日残業(普通)", NumKind::Amount},
    {"Chingin5", "休日残業(深夜)", NumKind::Amount},
    {"Koutuhi0", "交通費(非課税)", NumKind::Amount},
    {"Koutuhi1", "交通費(課税)", NumKind::Amount},
    {"Yukyu", "有休時支給額", NumKind::Amount},
    {"Juumin6", "住民税(6月)", NumKind::Amount},
    {"Juumin", "住民税(以外)", NumKind::Amount},
    {"Teate1", "", NumKind::Amount},
    {"Teate2", "", NumKind::Amount},
    {"Teate3", "", NumKind::Amount},
    {"Koujo1", "", NumKind::Amount},
    {"Koujo2", "", NumKind::Amount},
    {"Koujo3", "", NumKind::Amount},
    {"Kekkin", "欠勤控除額", NumKind::Amount},
    {"Chisou", "遅早控除額", NumKind::Amount},
    {"KenhoRyo", "保険料", NumKind::Premium},
    {"KaigoRyo", "保険料", NumKind::Premium},
    {"KoseiRyo", "保険料", NumKind::Premium},
    {"Kakekin", "掛け金", NumKind::Premium},
};

// Largest value a field takes: 7 digits for amounts, 6 for premiums, 2 for counts.
std::int32_t maxOf(NumKind k) { return k == NumKind::Amount ? 9999999 : k == NumKind::Premium ? 999999 : 99; }

QString fmtNum(NumKind k, std::int32_t v)
{
    if (k == NumKind::Count) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%2d", v);
        return QString::fromLatin1(buf).trimmed();
    }
    return qs(FmtKingaku(k == NumKind::Amount ? 9 : 7, v)).trimmed();
}

const NumField &fieldOf(const std::string &name)
{
    for (const auto &f : kNumFields)
        if (name == f.field)
            return f;
    return kNumFields[0];
}

QString fmt2(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d", v);
    return QString::fromLatin1(buf);
}

// The commuting units beyond the two the list offers, so that a record holding one keeps it.
const char *const kSikUnitNames[] = {"",          "1日毎",     "毎月",      "1･4･7･10月", "2･5･8･11月",
                                     "3･6･9･12月", "1･7月",     "2･8月",     "3･9月",     "4･10月",
                                     "5･11月",     "6･12月"};

bool g_gradeConfirmed = false; // the grade-table question is asked once per run

} // namespace

TfmMembEdit::TfmMembEdit(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName("TfmMembEdit");
    buildUi();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (auto *n = qobject_cast<MasterNumEdit *>(now); n && isAncestorOf(n))
            m_lastNum = n;
        btCalc->setEnabled(!m_viewOnly && qobject_cast<MasterNumEdit *>(now) && isAncestorOf(now));
    });
}

MasterNumEdit *TfmMembEdit::num(const char *field) const { return m_nums.at(field); }

void TfmMembEdit::buildUi()
{
    const TOption &opt = m_session.opt;
    auto text = [&](const char *name, int bytes) {
        auto *e = new MasterTextEdit(bytes, this);
        e->setObjectName(name);
        return e;
    };
    auto check = [&](const char *name, const char *caption) {
        auto *c = new QCheckBox(caption, this);
        c->setObjectName(name);
        return c;
    };
    auto digits = [&](const char *name, int len) {
        auto *e = new MasterNumEdit(opt, "0123456789", this);
        e->setObjectName(name);
        e->setMaxLength(len);
        return e;
    };
    edSimei = text("edSimei", 16);
    edBusyo = text("edBusyo", 16);
    edMailAdrs = text("edMailAdrs", 48);
    edChouson = text("edChouson", 16);
    cbKubun = new QComboBox(this);
    cbKubun->setObjectName("cbKubun");
    cbKubun->setEditable(true);
    for (const char *k : kKubunList)
        cbKubun->addItem(k);
    connect(cbKubun->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &t) {
        if (sjisBytes(t) > 10)
            cbKubun->setEditText(fromSjis(toSjisCut(t, 10)));
    });
    edMyNo = digits("edMyNo", 12);
    edMyNo->setAlignment(Qt::AlignLeft);
    cbMyNoHide = check("cbMyNoHide", "隠す");
    cbMyNoHide->setChecked(true);
    edMyNo->setEchoMode(QLineEdit::Password);
    connect(cbMyNoHide, &QCheckBox::toggled, this,
            [this](bool hide) { edMyNo->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal); });
    cbKeitai = new QComboBox(this);
    cbKeitai->setObjectName("cbKeitai");
    cbKeitai->addItems({"月給", "日給", "時間給"});
    rbZeigaku0 = new QRadioButton("甲欄", this);
    rbZeigaku0->setObjectName("rbZeigaku0");
    rbZeigaku1 = new QRadioButton("乙欄", this);
    rbZeigaku1->setObjectName("rbZeigaku1");
    cbGenkin = check("cbGenkin", "現金支給");
    cbTaisyo = check("cbTaisyo", "退職者");
    edTaiYY = digits("edTaiYY", 2);
    edTaiMM = digits("edTaiMM", 2);
    edTaiDD = digits("edTaiDD", 2);
    cbSikUnit = new QComboBox(this);
    cbSikUnit->setObjectName("cbSikUnit");
    cbKoyou = check("cbKoyou", "雇用保険対象者");
    cbKenkou = check("cbKenkou", "健康保険対象者");
    cbKaigo = check("cbKaigo", "介護保険料を徴収");
    cbNenHoken = check("cbNenHoken", "厚生年金対象者");
    cbNenKikin = check("cbNenKikin", "厚生年金基金加入");
    cbNoSyoto = check("cbNoSyoto", "所得税を計算しない");
    for (const auto &f : kNumFields) {
        auto *e = new MasterNumEdit(opt, "0123456789-", this);
        e->setObjectName(QString("ed") + f.field);
        e->setMaxLength(f.kind == NumKind::Amount ? 9 : f.kind == NumKind::Premium ? 7 : 2);
        // One width for every number, room for the largest formatted amount.
        e->setFixedWidth(e->fontMetrics().horizontalAdvance("9,999,999") + 18);
        m_nums[f.field] = e;
        const NumKind kind = f.kind;
        connect(e, &MasterNumEdit::left, this, [e, kind] {
            auto v = parseMasterInt(us(e->text()), kind != NumKind::Count);
            if (v && *v <= maxOf(kind) && *v >= -maxOf(kind))
                e->setText(fmtNum(kind, *v));
        });
        auto *cap = new QLabel(f.caption, this);
        m_captions[f.field] = cap;
    }
    lbChingin1 = m_captions["Chingin1"];
    const std::string *names[] = {&opt.FixTeate1, &opt.FixTeate2, &opt.FixTeate3,
                                  &opt.FixKoujo1, &opt.FixKoujo2, &opt.FixKoujo3};
    const char *fixed[] = {"Teate1", "Teate2", "Teate3", "Koujo1", "Koujo2", "Koujo3"};
    for (int i = 0; i < 6; ++i)
        m_captions[fixed[i]]->setText(qs(*names[i]));

    auto button = [&](const char *name, const char *caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    btPrev = button("btPrev", "前のデータ");
    btNext = button("btNext", "次のデータ");
    btKihon = button("btKihon", "基本に設定");
    btTokyu = button("btTokyu", "等級表");
    btCalc = button("btCalc", "電卓起動");
    btCalc->setFocusPolicy(Qt::NoFocus);
    btCalc->setEnabled(false);
    btOk = button("btOk", "Ｏ Ｋ");
    btCancel = button("btCancel", "ｷｬﾝｾﾙ");
    connect(btPrev, &QPushButton::clicked, this, &TfmMembEdit::btPrevClick);
    connect(btNext, &QPushButton::clicked, this, &TfmMembEdit::btNextClick);
    connect(btKihon, &QPushButton::clicked, this, &TfmMembEdit::btKihonClick);
    connect(btTokyu, &QPushButton::clicked, this, &TfmMembEdit::btTokyuClick);
    connect(btCalc, &QPushButton::clicked, this, &TfmMembEdit::btCalcClick);
    connect(btOk, &QPushButton::clicked, this, &TfmMembEdit::btOkClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Layout: personal data on top, pay in the middle, insurance at the bottom.
    auto *top = new QGridLayout;
    auto label = [&](const char *t) { return new QLabel(t, this); };
    top->addWidget(label("氏　名"), 0, 0);
    top->addWidget(edSimei, 0, 1);
    top->addWidget(label("部　署"), 0, 2);
    top->addWidget(edBusyo, 0, 3);
    top->addWidget(label("社員区分"), 1, 0);
    top->addWidget(cbKubun, 1, 1);
    top->addWidget(label("ﾏｲﾅﾝﾊﾞｰ"), 1, 2);
    auto *myno = new QHBoxLayout;
    myno->addWidget(edMyNo);
    myno->addWidget(cbMyNoHide);
    top->addLayout(myno, 1, 3);
    top->addWidget(label("支給形態"), 2, 0);
    top->addWidget(cbKeitai, 2, 1);
    top->addWidget(label("税額表"), 2, 2);
    auto *zei = new QHBoxLayout;
    zei->addWidget(rbZeigaku0);
    zei->addWidget(rbZeigaku1);
    zei->addStretch();
    top->addLayout(zei, 2, 3);
    top->addWidget(label("ﾒｰﾙｱﾄﾞﾚｽ"), 3, 0);
    top->addWidget(edMailAdrs, 3, 1, 1, 2);
    top->addWidget(label("(←メモ入力可能)"), 3, 3);
    top->addWidget(cbGenkin, 4, 0, 1, 2);
    auto *tai = new QHBoxLayout;
    tai->addWidget(cbTaisyo);
    tai->addWidget(label("(退職日:"));
    for (auto [e, unit] : {std::pair{edTaiYY, "年"}, std::pair{edTaiMM, "月"}, std::pair{edTaiDD, "日)"}}) {
        e->setMaximumWidth(36);
        tai->addWidget(e);
        tai->addWidget(label(unit));
    }
    tai->addStretch();
    top->addLayout(tai, 4, 2, 1, 2);
    top->addWidget(label("納税市町村"), 5, 0);
    top->addWidget(edChouson, 5, 1);

    auto *pay = new QGridLayout;
    const char *col1[] = {"Fuyou", "Sinzoku", "Chingin1", "Yakuin", "Family", "Chingin2",
                          "Chingin3", "Chingin4", "Chingin5"};
    const char *col2[] = {"Koutuhi0", "Koutuhi1", "Yukyu", "Juumin6", "Juumin", "Kekkin", "Chisou"};
    const char *col3[] = {"Teate1", "Teate2", "Teate3", "Koujo1", "Koujo2", "Koujo3"};
    auto place = [&](const char *const *fields, int n, int col) {
        for (int r = 0; r < n; ++r) {
            pay->addWidget(m_captions[fields[r]], r, col * 2);
            pay->addWidget(m_nums[fields[r]], r, col * 2 + 1);
        }
    };
    place(col1, 9, 0);
    place(col2, 7, 1);
    pay->addWidget(label("交通費支給単位"), 7, 2);
    pay->addWidget(cbSikUnit, 7, 3);
    place(col3, 6, 2);

    auto *ins = new QGridLayout;
    ins->addWidget(cbKoyou, 0, 0);
    ins->addWidget(cbNoSyoto, 0, 2, 1, 2);
    const std::pair<QCheckBox *, const char *> rows[] = {
        {cbKenkou, "KenhoRyo"}, {cbKaigo, "KaigoRyo"}, {cbNenHoken, "KoseiRyo"}, {cbNenKikin, "Kakekin"}};
    int r = 1;
    for (auto [c, f] : rows) {
        ins->addWidget(c, r, 0);
        ins->addWidget(m_captions[f], r, 1);
        ins->addWidget(m_nums[f], r, 2);
        ++r;
    }
    ins->addWidget(btTokyu, 1, 3);
    ins->setColumnStretch(4, 1);

    auto *buttons = new QHBoxLayout;
    for (auto *b : {btPrev, btNext, btKihon, btCalc})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancel);

    auto *gPay = new QGroupBox(this);
    gPay->setLayout(pay);
    auto *gIns = new QGroupBox(this);
    gIns->setLayout(ins);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(gPay);
    lay->addWidget(gIns);
    lay->addLayout(buttons);

    connect(cbKeitai, &QComboBox::currentIndexChanged, this, [this] { applyEnablement(); });
    for (auto *c : {cbKenkou, cbKaigo, cbNenHoken, cbNenKikin})
        connect(c, &QCheckBox::toggled, this, [this] { applyEnablement(); });
    connect(cbKenkou, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            cbKaigo->setChecked(false);
    });
    connect(cbTaisyo, &QCheckBox::clicked, this, [this](bool on) {
        if (on) {
            const Date d = m_session.today();
            edTaiYY->setText(fmt2(m_session.fileEraYear()));
            edTaiMM->setText(fmt2(d.month));
            edTaiDD->setText(fmt2(d.day));
        } else {
            edTaiYY->clear();
            edTaiMM->clear();
            edTaiDD->clear();
        }
        applyEnablement();
    });
    // Dependent relatives are never fewer than the dependants.
    connect(num("Fuyou"), &QLineEdit::textChanged, this, [this] {
        auto f = parseMasterInt(us(num("Fuyou")->text()), false);
        auto s = parseMasterInt(us(num("Sinzoku")->text()), false);
        if (f && s && *f > *s && *f <= 99)
            num("Sinzoku")->setText(fmtNum(NumKind::Count, *f));
    });
}

void TfmMembEdit::setFirstTime(bool on) { m_firstTime = on; }

void TfmMembEdit::prepareNew()
{
    std::memset(&m_work, 0, sizeof m_work);
    m_work.Kubun = 2;
    m_work.Keitai = 1;
    m_work.SikUnit = 2;
    if (auto t = readMemberTemplate(memberTemplatePath(m_session.dataDir)))
        m_work = *t;
    else if (m_firstTime)
        if (auto p = readMemberTemplate(provisionalTemplatePath(m_session.loc.ProgDir)))
            m_work = *p;
}

void TfmMembEdit::setNew()
{
    if (TfmCorpInfo::takeFirstTimeSetUp())
        m_firstTime = true;
    m_new = true;
    m_slot = 0;
    m_viewOnly = false;
    prepareNew();
    loadRecord();
    if (m_firstTime)
        edSimei->setText("阿井 宇江夫");
}

void TfmMembEdit::setSlot(int slot)
{
    m_new = false;
    m_slot = slot;
    m_work = m_session.img->Syain[slot];
    loadRecord();
}

void TfmMembEdit::setViewOnly(int slot)
{
    m_viewOnly = true;
    setSlot(slot);
}

void TfmMembEdit::loadRecord()
{
    setWindowTitle(m_viewOnly ? "社員情報の表示" : "社員情報の編集");
    btCancel->setText(m_viewOnly ? "閉じる" : "ｷｬﾝｾﾙ");
    TSyainRec &w = m_work;
    if (w.Kubun > 0 && w.Kubun <= 5)
        w.KubunMei.set(sjis(kKubunList[w.Kubun]));
    edSimei->setText(fromSjis(trim(w.Simei.view())));
    edBusyo->setText(fromSjis(trim(w.Busyo.view())));
    cbKubun->setEditText(fromSjis(trim(w.KubunMei.view())));
    if (w.Kubun >= 0 && w.Kubun <= 5)
        cbKubun->setCurrentIndex(w.Kubun);
    edMyNo->setText(qs(formatMyNo(w.MyNo)));
    cbKeitai->setCurrentIndex(w.Keitai >= 1 && w.Keitai <= 3 ? w.Keitai - 1 : 0);
    (w.Zeigaku == 1 ? rbZeigaku1 : rbZeigaku0)->setChecked(true);
    edMailAdrs->setText(fromSjis(trim(w.MailAdrs.view())));
    cbGenkin->setChecked(w.Genkin);
    const std::string tai = w.TaiYMD.str();
    cbTaisyo->setChecked(!trim(tai).empty());
    auto part = [&](int i) { return tai.size() >= static_cast<std::size_t>(i + 2) ? qs(tai.substr(i, 2)) : QString(); };
    edTaiYY->setText(cbTaisyo->isChecked() ? part(0) : QString());
    edTaiMM->setText(cbTaisyo->isChecked() ? part(2) : QString());
    edTaiDD->setText(cbTaisyo->isChecked() ? part(4) : QString());
    edChouson->setText(fromSjis(trim(w.Chouson.view())));
    for (const auto &f : kNumFields)
        m_nums[f.field]->setText(fmtNum(f.kind, syainInt(w, f.field)));
    cbSikUnit->clear();
    cbSikUnit->addItem(kSikUnitNames[1], 1);
    cbSikUnit->addItem(kSikUnitNames[2], 2);
    if (w.SikUnit >= 3 && w.SikUnit <= 11)
        cbSikUnit->addItem(kSikUnitNames[w.SikUnit], w.SikUnit);
    cbSikUnit->setCurrentIndex(cbSikUnit->findData(w.SikUnit) >= 0 ? cbSikUnit->findData(w.SikUnit) : 1);
    cbKoyou->setChecked(w.Koyou);
    cbKenkou->setChecked(w.Kenkou);
    cbKaigo->setChecked(w.Kaigo);
    cbNenHoken->setChecked(w.NenHoken);
    cbNenKikin->setChecked(w.NenKikin);
    cbNoSyoto->setChecked(w.NoSyoto);
    m_grade = w.KenhoTokyu;
    applyEnablement();
    updateStepButtons();

    // What the controls give unchanged, the reference for the change test of stepping.
    TSyainRec probe = m_work;
    QWidget *focus = QApplication::focusWidget();
    SilentPrompter quiet;
    Prompter *saved = m_session.prompter;
    m_session.prompter = &quiet;
    storeControls(probe, true);
    m_session.prompter = saved;
    m_loadedControls = probe;
    if (focus)
        focus->setFocus();
    (m_viewOnly ? static_cast<QWidget *>(btCancel) : edSimei)->setFocus();
}

void TfmMembEdit::applyEnablement()
{
    const int keitai = cbKeitai->currentIndex() + 1;
    lbChingin1->setText(keitai == 2 ? "日給" : keitai == 3 ? "時給" : "基本給");
    const bool edit = !m_viewOnly;
    for (QWidget *w : findChildren<QWidget *>()) {
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QCheckBox *>(w) || qobject_cast<QComboBox *>(w) ||
            qobject_cast<QRadioButton *>(w)) {
            if (qobject_cast<QLineEdit *>(w) && qobject_cast<QComboBox *>(w->parentWidget()))
                continue;
            w->setEnabled(edit);
        }
    }
    if (!edit) {
        for (auto *b : {btKihon, btTokyu, btCalc, btOk})
            b->setEnabled(false);
        return;
    }
    btKihon->setEnabled(true);
    btTokyu->setEnabled(true);
    btOk->setEnabled(true);
    num("Yukyu")->setEnabled(keitai == 2 || keitai == 3);
    num("KenhoRyo")->setEnabled(cbKenkou->isChecked());
    cbKaigo->setEnabled(cbKenkou->isChecked());
    num("KaigoRyo")->setEnabled(cbKenkou->isChecked() && cbKaigo->isChecked());
    num("KoseiRyo")->setEnabled(cbNenHoken->isChecked());
    num("Kakekin")->setEnabled(cbNenKikin->isChecked());
    for (auto *e : {edTaiYY, edTaiMM, edTaiDD})
        e->setEnabled(cbTaisyo->isChecked());
}

void TfmMembEdit::updateStepButtons()
{
    const std::vector<int> order = masterOrder(*m_session.img);
    int pos = -1;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i] == m_slot)
            pos = static_cast<int>(i);
    const bool can = !m_new && !m_viewOnly && pos >= 0;
    btPrev->setEnabled(can && pos > 0);
    btNext->setEnabled(can && pos + 1 < static_cast<int>(order.size()));
}

bool TfmMembEdit::storeControls(TSyainRec &rec, bool forTemplate)
{
    Prompter &ask = m_session.ask();
    // Numbers first, so that a refused value leaves the record untouched.
    std::map<std::string, std::int32_t> values;
    for (const auto &f : kNumFields) {
        MasterNumEdit *e = m_nums[f.field];
        auto v = parseMasterInt(us(e->text()), f.kind != NumKind::Count);
        if (v && (*v > maxOf(f.kind) || *v < -maxOf(f.kind)))
            v = Status::error(kNumberTooLargeMessage);
        if (!v) {
            ask.error(v.message());
            e->setFocus();
            return false;
        }
        values[f.field] = *v;
    }
    auto myNo = parseMyNo(us(edMyNo->text().trimmed()));
    if (!myNo) {
        ask.error("マイナンバーの入力に誤りがあります。");
        edMyNo->setFocus();
        return false;
    }

    if (rec.UniqueKey.empty() && !forTemplate)
        createMasterRecord(*m_session.img, rec);
    rec.Simei.set(CutBytes(trim(toSjisCut(edSimei->text(), 16)), 20));
    rec.Busyo.set(trim(toSjisCut(edBusyo->text(), 16)));
    const QString kubun = cbKubun->currentText();
    int idx = -1;
    for (int i = 0; i <= 5; ++i)
        if (kubun == kKubunList[i])
            idx = i;
    rec.Kubun = idx;
    rec.KubunMei.set(toSjisCut(kubun, 10));
    rec.Keitai = cbKeitai->currentIndex() + 1;
    rec.Zeigaku = rbZeigaku1->isChecked() ? 1 : 0;
    rec.MailAdrs.set(trim(toSjisCut(edMailAdrs->text(), 48)));
    rec.Genkin = cbGenkin->isChecked();
    char tai[16];
    std::snprintf(tai, sizeof tai, "%2s%2s%2s", us(edTaiYY->text().trimmed()).c_str(),
                  us(edTaiMM->text().trimmed()).c_str(), us(edTaiDD->text().trimmed()).c_str());
    rec.TaiYMD.set(trim(tai).empty() ? std::string() : std::string(tai, 6));
    rec.Chouson.set(trim(toSjisCut(edChouson->text(), 16)));
    for (const auto &[field, v] : values)
        setSyainInt(rec, field.c_str(), v);
    rec.SikUnit = cbSikUnit->currentData().toInt();
    rec.Koyou = cbKoyou->isChecked();
    rec.Kenkou = cbKenkou->isChecked();
    rec.Kaigo = cbKaigo->isChecked();
    rec.NenHoken = cbNenHoken->isChecked();
    rec.NenKikin = cbNenKikin->isChecked();
    rec.NoSyoto = cbNoSyoto->isChecked();
    rec.MyNo = *myNo;
    rec.KenhoTokyu = static_cast<std::uint16_t>(m_grade);
    std::memset(rec.reserved164, 0, sizeof rec.reserved164);
    std::memset(rec.reserved204, 0, sizeof rec.reserved204);
    std::memset(rec.reserved354, 0, sizeof rec.reserved354);
    for (auto *s : {&rec.Simei, &rec.Busyo, &rec.Chouson})
        s->normalize();
    rec.MailAdrs.normalize();
    rec.TaiYMD.normalize();
    rec.KubunMei.normalize();
    return true;
}

void TfmMembEdit::step(int dir)
{
    TSyainRec now = m_work;
    if (!storeControls(now, true))
        return;
    if (std::memcmp(&now, &m_loadedControls, sizeof now) != 0) {
        m_session.ask().warning("データ内容に変更がある場合は出来ません。");
        return;
    }
    const std::vector<int> order = masterOrder(*m_session.img);
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] != m_slot)
            continue;
        const long target = static_cast<long>(i) + dir;
        if (target >= 0 && target < static_cast<long>(order.size()))
            setSlot(order[target]);
        return;
    }
}

void TfmMembEdit::btOkClick()
{
    Prompter &ask = m_session.ask();
    if (edSimei->text().trimmed().isEmpty()) {
        ask.error("氏名を入力して下さい。");
        edSimei->setFocus();
        return;
    }
    const QString my = edMyNo->text().trimmed();
    if (!my.isEmpty() && !parseMyNo(us(my))) {
        ask.error("マイナンバーの入力に誤りがあります。");
        edMyNo->setFocus();
        return;
    }
    TSyainRec rec = m_work;
    if (!storeControls(rec, false))
        return;
    PayImage &img = *m_session.img;
    int code = kLogEmployeeChanged;
    if (m_new) {
        const int slot = addEmployee(img, rec);
        if (slot == 0) {
            ask.error("これ以上社員を登録出来ません。(最大90名)");
            return;
        }
        m_slot = slot;
        code = kLogEmployeeAdded;
    } else {
        img.Syain[m_slot] = rec;
    }
    m_work = rec;
    if (Status s = m_session.sysLog(code); !s)
        ask.error(s.message());
    recalcAfterChange(m_session);
    accept();
}

void TfmMembEdit::btKihonClick()
{
    Prompter &ask = m_session.ask();
    QWidget *back = QApplication::focusWidget();
    auto a = ask.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNoCancel,
                     "現在の入力内容を新規作成時の基本に設定します。\r( ｢いいえ｣を選択すると基本設定を解除します)");
    const std::string path = memberTemplatePath(m_session.dataDir);
    if (a == Prompter::Answer::Yes) {
        TSyainRec t{};
        if (storeControls(t, true)) {
            if (Status s = writeMemberTemplate(path, t); !s)
                ask.error(s.message());
            else
                ask.information("新規作成時の基本にしました。");
        }
    } else if (a == Prompter::Answer::No) {
        if (ask.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo, "新規作成時の基本設定を解除します。") ==
            Prompter::Answer::Yes) {
            if (Status s = deleteMemberTemplate(path); !s) {
                ask.error(s.message());
            } else {
                if (m_new) {
                    prepareNew();
                    loadRecord();
                }
                ask.information("基本に設定を解除しました。");
            }
        }
    }
    if (back)
        back->setFocus();
}

void TfmMembEdit::btTokyuClick()
{
    Prompter &ask = m_session.ask();
    if (!g_gradeConfirmed) {
        if (ask.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                    "健康保険等級表から健康･介護･厚生年金保険料と\r厚生年金基金の掛け金をセットします。") !=
            Prompter::Answer::Yes)
            return;
        g_gradeConfirmed = true;
    }
    const GradeTable *grades = m_session.tables.grades();
    if (!grades)
        return;
    TfmKenhoHyo picker(m_session, this);
    picker.setGrade(m_grade);
    if (picker.exec() != QDialog::Accepted)
        return;
    auto p = TokyuSettei(*grades, picker.grade(), ratesOf(m_session.img->Kihon));
    if (!p) {
        ask.error(p.message());
        return;
    }
    num("KenhoRyo")->setText(fmtNum(NumKind::Premium, p->KenhoRyo));
    num("KaigoRyo")->setText(fmtNum(NumKind::Premium, p->KaigoRyo));
    num("KoseiRyo")->setText(fmtNum(NumKind::Premium, p->KoseiRyo));
    num("Kakekin")->setText(fmtNum(NumKind::Premium, p->Kakekin));
    m_grade = picker.grade();
}

void TfmMembEdit::btCalcClick()
{
    auto *target = qobject_cast<MasterNumEdit *>(m_lastNum);
    if (!target)
        return;
    TfmCalc calc(this);
    if (calc.exec() != QDialog::Accepted)
        return;
    const long double v = calc.value();
    const std::string field = us(target->objectName()).substr(2);
    NumKind kind = NumKind::Amount;
    if (m_nums.count(field))
        kind = fieldOf(field).kind;
    if (!std::isfinite(static_cast<double>(v)) || std::fabs(static_cast<double>(v)) > maxOf(kind)) {
        m_session.ask().error(kNumberTooLargeMessage);
    } else if (m_nums.count(field)) {
        target->setText(fmtNum(kind, static_cast<std::int32_t>(std::llround(static_cast<double>(v)))));
    } else {
        target->setText(QString::number(static_cast<long long>(std::llround(static_cast<double>(v)))));
    }
    target->setFocus();
}

void TfmMembEdit::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_PageDown:
        if (btPrev->isEnabled())
            btPrevClick();
        return;
    case Qt::Key_PageUp:
        if (btNext->isEnabled())
            btNextClick();
        return;
    case Qt::Key_Down:
        focusNextChild();
        return;
    case Qt::Key_Up:
        focusPreviousChild();
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

void TfmMembEdit::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    if (m_firstTime && m_new)
        m_session.ask().information(
            "給与･賞与計算に必要な社員情報を入力して下さい。\r\r（各項目は仮の内容が入っているので修正が必要です。\r"
            "　詳細はF1キーを押してヘルプを参照して下さい。）");
}

} // namespace orv
