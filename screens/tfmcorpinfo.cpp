#include "screens/tfmcorpinfo.h"

#include "core/calc/premiums.h"
#include "core/records/validate.h"
#include "core/util/numtext.h"
#include "core/util/sjis.h"
#include "screens/masterfields.h"
#include "screens/session.h"
#include "screens/tfmkenritu.h"
#include "settings/options.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orv {
namespace {

QString fmtRate(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%6.3f", v);
    return QString::fromLatin1(buf);
}

QString fmtDay(int v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2d", v);
    return QString::fromLatin1(buf);
}

void setProvisional(QLineEdit *e, bool on)
{
    QPalette p = e->palette();
    p.setColor(QPalette::Base, on ? QColor(255, 255, 170) : QApplication::palette().color(QPalette::Base));
    e->setPalette(p);
}

bool g_firstTimeDone = false;

} // namespace

bool TfmCorpInfo::takeFirstTimeSetUp()
{
    const bool was = g_firstTimeDone;
    g_firstTimeDone = false;
    return was;
}

TfmCorpInfo::TfmCorpInfo(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName("TfmCorpInfo");
    setWindowTitle("会社情報の設定");
    const TOption &opt = session.opt;
    auto num = [&](const char *name, const QString &allowed, int maxLen) {
        auto *e = new MasterNumEdit(opt, allowed, this);
        e->setObjectName(name);
        e->setMaxLength(maxLen);
        return e;
    };
    edSyamei = new MasterTextEdit(44, this);
    edSyamei->setObjectName("edSyamei");
    edHouNo = num("edHouNo", "0123456789", 13);
    edHouNo->setAlignment(Qt::AlignLeft);
    cbHouNoHide = new QCheckBox("隠す", this);
    cbHouNoHide->setObjectName("cbHouNoHide");
    cbHouNoHide->setChecked(true);
    edSikyubi = num("edSikyubi", "0123456789", 2);
    cbSikyuM1 = new QCheckBox("入力月の前月の給与明細とする", this);
    cbSikyuM1->setObjectName("cbSikyuM1");
    cbSikyuP1 = new QCheckBox("入力月の翌月を支給日とする", this);
    cbSikyuP1->setObjectName("cbSikyuP1");
    cbJuumin6 = new QCheckBox("住民税(6月分)をずらす", this);
    cbJuumin6->setObjectName("cbJuumin6");
    edJikanD = num("edJikanD", "0123456789.:", 6);
    rbJigyo = new QRadioButton("一般事業所", this);
    rbJigyo->setObjectName("rbJigyo");
    rbIgai = new QRadioButton("それ以外", this);
    rbIgai->setObjectName("rbIgai");
    edKoyRitu = num("edKoyRitu", "0123456789.", 6);
    edKenRitu = num("edKenRitu", "0123456789.", 6);
    edKaiRitu = num("edKaiRitu", "0123456789.", 6);
    edNenRitu = num("edNenRitu", "0123456789.", 6);
    edKknRitu = num("edKknRitu", "0123456789.", 6);
    // Widths from the font, so that no figure is cut when the dialog is narrow.
    auto fit = [](QLineEdit *e, const char *widest) {
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(widest) + 18);
    };
    for (auto *e : {edKoyRitu, edKenRitu, edKaiRitu, edNenRitu, edKknRitu})
        fit(e, "99.999");
    fit(edSikyubi, "99");
    fit(edJikanD, "99.99");
    // The corporate number is usually shown masked, and the mask characters are the wider.
    edHouNo->setFixedWidth(
        std::max(edHouNo->fontMetrics().horizontalAdvance(QString(13, QLatin1Char('0'))),
                 edHouNo->fontMetrics().horizontalAdvance(QString(13, QChar(0x25CF)))) +
        18);

    // Layout.
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel("会社名称", this), 0, 0);
    grid->addWidget(edSyamei, 0, 1, 1, 3);
    grid->addWidget(new QLabel("法人番号", this), 1, 0);
    grid->addWidget(edHouNo, 1, 1);
    grid->addWidget(cbHouNoHide, 1, 2);
    grid->addWidget(new QLabel("(←12桁の場合は先頭に'0'を付加)", this), 1, 3);
    grid->addWidget(new QLabel("給与支給日", this), 2, 0);
    auto *dayRow = new QHBoxLayout;
    dayRow->addWidget(edSikyubi);
    dayRow->addWidget(new QLabel("日 (月末は31を入力)", this));
    dayRow->addStretch();
    grid->addLayout(dayRow, 2, 1, 1, 3);
    grid->addWidget(cbSikyuM1, 3, 1, 1, 3);
    grid->addWidget(cbJuumin6, 4, 1, 1, 3);
    grid->addWidget(cbSikyuP1, 5, 1, 1, 3);

    auto *cond = new QGroupBox("所定労働条件", this);
    auto *condLay = new QHBoxLayout(cond);
    condLay->addWidget(new QLabel("1日の労働時間", cond));
    condLay->addWidget(edJikanD);
    condLay->addWidget(new QLabel("時間", cond));
    condLay->addStretch();

    auto *koyo = new QGroupBox("雇用保険", this);
    auto *koyoLay = new QGridLayout(koyo);
    koyoLay->addWidget(rbJigyo, 0, 0);
    koyoLay->addWidget(rbIgai, 0, 1);
    koyoLay->addWidget(new QLabel("保険料負担率", koyo), 1, 0);
    auto *koyRow = new QHBoxLayout;
    koyRow->addWidget(edKoyRitu);
    koyRow->addWidget(new QLabel("%", koyo));
    koyRow->addStretch();
    koyoLay->addLayout(koyRow, 1, 1);

    auto *ritu = new QGroupBox("保険料負担率", this);
    auto *rituLay = new QGridLayout(ritu);
    const std::pair<const char *, MasterNumEdit *> rates[] = {
        {"健康保険", edKenRitu}, {"介護保険", edKaiRitu}, {"厚生年金", edNenRitu}, {"厚生年金基金率", edKknRitu}};
    int row = 0;
    for (const auto &[caption, edit] : rates) {
        rituLay->addWidget(new QLabel(caption, ritu), row, 0);
        rituLay->addWidget(edit, row, 1);
        rituLay->addWidget(new QLabel("%", ritu), row, 2);
        ++row;
    }
    auto *btRitu = new QPushButton("料率選択", ritu);
    btRitu->setObjectName("btKenRitu");
    btRitu->setFocusPolicy(Qt::NoFocus);
    rituLay->addWidget(btRitu, 0, 3);
    connect(btRitu, &QPushButton::clicked, this, [this] { pickRate(); });

    auto *ok = new QPushButton("Ｏ Ｋ", this);
    ok->setObjectName("btOk");
    ok->setAutoDefault(false);
    auto *cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("btCancel");
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TfmCorpInfo::btOkClick);
    connect(cancel, &QPushButton::clicked, this, &TfmCorpInfo::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto *lower = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(cond);
    left->addWidget(koyo);
    left->addStretch();
    lower->addLayout(left);
    lower->addWidget(ritu);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(grid);
    lay->addLayout(lower);
    lay->addLayout(buttons);

    // Behaviour.
    connect(cbHouNoHide, &QCheckBox::toggled, this, [this](bool hide) {
        edHouNo->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal);
    });
    connect(rbJigyo, &QRadioButton::clicked, this, [this] { edKoyRitu->setText(fmtRate(0.3)); });
    connect(rbIgai, &QRadioButton::clicked, this, [this] { edKoyRitu->setText(fmtRate(0.4)); });
    connect(cbSikyuP1, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            return;
        cbSikyuM1->setChecked(false);
        if (m_shown)
            m_session.ask().information("この設定を使用するのはお勧めしません。");
    });
    connect(cbSikyuM1, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            cbSikyuP1->setChecked(false);
        else
            cbJuumin6->setChecked(false);
        cbJuumin6->setEnabled(on);
    });
    auto reformat = [this](MasterNumEdit *e, int code) {
        connect(e, &MasterNumEdit::left, this, [this, e, code] {
            if (e->text().trimmed().isEmpty())
                return;
            std::string t = CheckNumText(us(e->text()), code, m_session.ask());
            double v = TextToNum(t, m_session.ask());
            char buf[64];
            std::snprintf(buf, sizeof buf, "%*.*f", code / 10, code % 10, v);
            e->setText(QString::fromLatin1(buf));
        });
    };
    reformat(edSikyubi, 20);
    for (auto *e : {edKoyRitu, edKenRitu, edKaiRitu, edNenRitu, edKknRitu})
        reformat(e, 63);
    connect(edJikanD, &MasterNumEdit::left, this, [this] {
        if (edJikanD->text().trimmed().isEmpty())
            return;
        double h = TextToJikan(us(edJikanD->text()), m_session.ask());
        edJikanD->setText(qs(FmtJikan(h, m_session.opt.TimeStyle)));
    });

    fill();
}

void TfmCorpInfo::fill()
{
    TKihonRec &k = m_session.img->Kihon;
    // Defaults for rates never entered; they stay even when the dialog is cancelled.
    if (k.KoyRitu == 0) {
        k.Jigyo = true;
        k.KoyRitu = 0.300;
    }
    if (k.KaiRitu == 0)
        k.KaiRitu = 0.865;
    if (k.NenRitu == 0)
        k.NenRitu = 9.15;

    m_firstTime = trim(k.Syamei.view()).empty();
    (k.Jigyo ? rbJigyo : rbIgai)->setChecked(true);
    edSyamei->setText(fromSjis(trim(k.Syamei.view())));
    edHouNo->setText(qs(formatHouNo(k.HouNo)));
    edHouNo->setEchoMode(QLineEdit::Password);
    edSikyubi->setText(fmtDay(k.Sikyubi));
    cbSikyuP1->setChecked(k.SikyuKbn == 1);
    cbSikyuM1->setChecked(k.SikyuKbn == -1);
    cbJuumin6->setChecked(k.SikyuKbn == -1 && k.Juumin6 == 1);
    cbJuumin6->setEnabled(cbSikyuM1->isChecked());
    edJikanD->setText(qs(FmtJikan(k.JikanD, m_session.opt.TimeStyle)));
    edKoyRitu->setText(fmtRate(k.KoyRitu));
    edKenRitu->setText(fmtRate(k.KenRitu));
    edKaiRitu->setText(fmtRate(k.KaiRitu));
    edNenRitu->setText(fmtRate(k.NenRitu));
    edKknRitu->setText(fmtRate(k.KknRitu));
    m_oldRates[0] = k.KenRitu;
    m_oldRates[1] = k.KaiRitu;
    m_oldRates[2] = k.NenRitu;
    m_oldRates[3] = k.KknRitu;

    if (m_firstTime) {
        edSyamei->setText("株式会社○○");
        edJikanD->setText(m_session.opt.TimeStyle == 0 ? " 8.00" : " 8:00");
        edSikyubi->setText("20");
    }
    for (QLineEdit *e : {static_cast<QLineEdit *>(edSyamei), static_cast<QLineEdit *>(edJikanD),
                         static_cast<QLineEdit *>(edSikyubi)})
        setProvisional(e, m_firstTime);
}

void TfmCorpInfo::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    edSyamei->setFocus();
    if (m_firstTime)
        m_session.ask().information(
            "会社名や所定労働条件などの会社情報を設定して下さい。\r\r（薄黄色の項目は仮の内容が入っているので修正が必要です。\r"
            "　詳細はF1キーを押してヘルプを参照して下さい。）");
}

void TfmCorpInfo::pickRate()
{
    TfmKenRitu picker(m_session, this);
    if (picker.exec() == QDialog::Accepted && picker.rate())
        edKenRitu->setText(fmtRate(*picker.rate()));
}

void TfmCorpInfo::btOkClick()
{
    Prompter &ask = m_session.ask();
    auto numOf = [&](QLineEdit *e) { return TextToNum(us(e->text()), ask); };
    const std::string name = trim(toSjisCut(edSyamei->text().trimmed(), 1000));
    if (name.empty()) {
        ask.error("会社名が入力されていません。");
        edSyamei->setFocus();
        return;
    }
    const double jikanD = TextToJikan(us(edJikanD->text()), ask);
    if (jikanD == 0) {
        ask.error("所定労働条件が入力されていません。");
        edJikanD->setFocus();
        return;
    }
    const double day = numOf(edSikyubi);
    if (day < 1 || day > 31 || day != std::floor(day)) {
        ask.error("給与支給日の入力に誤りがあります。");
        edSikyubi->setFocus();
        return;
    }
    const double koy = numOf(edKoyRitu), ken = numOf(edKenRitu), kai = numOf(edKaiRitu),
                 nen = numOf(edNenRitu), kkn = numOf(edKknRitu);
    if (koy == 0 || ken == 0 || kai == 0 || nen == 0) {
        ask.error("保険料負担率が入力されていません。");
        if (koy == 0)
            edKoyRitu->setFocus();
        else if (ken == 0)
            pickRate();
        else if (kai == 0)
            edKaiRitu->setFocus();
        else
            edNenRitu->setFocus();
        return;
    }
    // The corporate number is taken as the digit string it is, check digit included.
    auto houNo = parseHouNo(us(edHouNo->text().trimmed()));
    if (!houNo) {
        ask.error("法人番号の入力に誤りがあります。");
        edHouNo->setFocus();
        return;
    }

    // The settings file first: when it cannot be written nothing is stored and the user is told.
    if (Status s = writeDefJikanD(m_session.corpIni, jikanD); !s) {
        ask.error(s.message());
        return;
    }
    TKihonRec &k = m_session.img->Kihon;
    k.Syamei.set(CutBytes(name, 44));
    k.HouNo = *houNo;
    k.Sikyubi = static_cast<std::int32_t>(day);
    k.JikanD = jikanD;
    k.KoyRitu = koy;
    k.KenRitu = ken;
    k.KaiRitu = kai;
    k.NenRitu = nen;
    k.KknRitu = kkn;
    k.Jigyo = rbJigyo->isChecked();
    k.SikyuKbn = cbSikyuM1->isChecked() ? -1 : cbSikyuP1->isChecked() ? 1 : 0;
    k.Juumin6 = cbJuumin6->isChecked() ? 1 : 0;

    // The fields show three decimals, so a rate counts as changed when its shown value did.
    auto changed = [](double now, double before) { return std::llround(now * 1000) != std::llround(before * 1000); };
    if (changed(ken, m_oldRates[0]) || changed(kai, m_oldRates[1]) || changed(nen, m_oldRates[2]) ||
        changed(kkn, m_oldRates[3])) {
        const GradeTable *grades = m_session.tables.grades();
        if (!planRateChange(*m_session.img).anyGrade || !grades) {
            ask.information(kRateChangeInfo);
        } else if (ask.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo, kRateChangeAsk) ==
                   Prompter::Answer::Yes) {
            auto names = applyRateChange(*m_session.img, *grades);
            if (!names.empty())
                ask.information(rateChangeUngradedMessage(names));
        }
    }
    recalcAfterChange(m_session);
    g_firstTimeDone = m_firstTime;
    QDialog::accept();
}

void TfmCorpInfo::reject()
{
    if (m_firstTime &&
        m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                            "初期設定を中止し、カナリエを終了して宜しいですか？") != Prompter::Answer::Yes)
        return;
    QDialog::reject();
}

} // namespace orv
