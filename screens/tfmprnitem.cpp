#include "screens/tfmprnitem.h"

#include "core/options/slipitems.h"
#include "screens/masterfields.h"
#include "screens/session.h"
#include "settings/options.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfmPrnItem::TfmPrnItem(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName("TfmPrnItem");
    setWindowTitle("給与台帳/月別一覧の印刷項目");
    const TOption &o = session.opt;
    auto *add = new QGroupBox("印刷項目に追加する勤怠項目", this);
    auto *al = new QGridLayout(add);
    const auto &kintai = DefaultKintaiNames();
    int shown = 0; // the hidden free item leaves no gap
    for (int i = 0; i < 17; ++i) {
        QString caption = "支給月日";
        if (i < 16) {
            const std::string n = ItemName(o, kintai[i]);
            caption = qs(n.size() > 1 ? n.substr(1) : std::string());
        }
        m_add[i] = new QCheckBox(caption, add);
        m_add[i]->setObjectName(QString("cbAdd%1").arg(i));
        if (i < 16 && kintai[i] == "V勤怠項目" && o.KintaiFre.empty()) {
            m_add[i]->hide();
            continue;
        }
        al->addWidget(m_add[i], shown % 9, shown / 9);
        ++shown;
    }
    auto *del = new QGroupBox("印刷項目から削除する支給/控除/その他項目", this);
    auto *dl = new QGridLayout(del);
    const std::string *names[15] = {&o.FixTeate1, &o.FixTeate2, &o.FixTeate3, &o.VarTeate1, &o.VarTeate2,
                                    &o.VarTeate3, &o.FixKoujo1, &o.FixKoujo2, &o.FixKoujo3, &o.VarKoujo1,
                                    &o.VarKoujo2, &o.VarKoujo3, &o.Sonota1,   &o.Sonota2,   &o.Sonota3};
    for (int i = 0; i < 15; ++i) {
        m_del[i] = new QCheckBox(qs(*names[i]), del);
        m_del[i]->setObjectName(QString("cbDel%1").arg(i));
        dl->addWidget(m_del[i], i % 6, i / 6);
    }
    // A stored value of 16 flags or fewer leaves the pay-date box unchecked.
    const auto a = readDaichoAdd(session.corpIni);
    const auto d = readDaichoDel(session.corpIni);
    for (int i = 0; i < 17; ++i)
        m_add[i]->setChecked(a[i]);
    for (int i = 0; i < 15; ++i)
        m_del[i]->setChecked(d[i]);

    auto *reset = new QPushButton("初期状態", this);
    reset->setObjectName("btReset");
    auto *ok = new QPushButton("Ｏ Ｋ", this);
    ok->setObjectName("btOk");
    auto *cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("btCancel");
    connect(reset, &QPushButton::clicked, this, &TfmPrnItem::btResetClick);
    connect(ok, &QPushButton::clicked, this, &TfmPrnItem::btOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(add);
    lay->addWidget(del);
    lay->addLayout(buttons);
}

void TfmPrnItem::btResetClick()
{
    if (m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                            "追加/削除する項目設定を初期状態に戻します。") != Prompter::Answer::Yes)
        return;
    for (auto *c : m_add)
        c->setChecked(false);
    for (auto *c : m_del)
        c->setChecked(false);
}

void TfmPrnItem::btOkClick()
{
    std::array<bool, 17> add{};
    std::array<bool, 15> del{};
    int nAdd = 0, nDel = 0;
    for (int i = 0; i < 17; ++i)
        nAdd += add[i] = m_add[i]->isChecked();
    for (int i = 0; i < 15; ++i)
        nDel += del[i] = m_del[i]->isChecked();
    Prompter &ask = m_session.ask();
    if (nAdd > nDel) {
        ask.error("追加する勤怠項目が多すぎます。\r追加項目数≦削除項目数にして下さい。");
        return;
    }
    if (add[16])
        ask.information("[支給月日]を印刷する場合、[入力項目の設定]画面の\r[給与/賞与明細の支給日を記憶]がチェックされている必要があります。");
    if (Status s = writeDaichoFlags(m_session.corpIni, add, del); !s) {
        ask.error(s.message());
        return;
    }
    accept();
}

} // namespace orv
