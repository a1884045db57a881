#include "screens/tfmsetpass.h"

#include "screens/masterfields.h"
#include "screens/session.h"
#include "settings/password.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

TfmSetPass::TfmSetPass(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName("TfmSetPass");
    setWindowTitle("パスワード設定");
    edPass1 = new QLineEdit(this);
    edPass1->setObjectName("edPass1");
    edPass2 = new QLineEdit(this);
    edPass2->setObjectName("edPass2");
    // Not shown while it is set: both fields are masked (the old dialog showed clear text).
    for (auto *e : {edPass1, edPass2}) {
        e->setEchoMode(QLineEdit::Password);
        e->setAttribute(Qt::WA_InputMethodEnabled, false);
        e->clear();
    }
    auto *set = new QPushButton("設定する", this);
    set->setObjectName("btSet");
    auto *cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("btCancel");
    connect(set, &QPushButton::clicked, this, &TfmSetPass::btSetClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *lay = new QGridLayout(this);
    lay->addWidget(new QLabel("パスワード設定入力", this), 0, 0);
    lay->addWidget(edPass1, 0, 1);
    lay->addWidget(new QLabel("パスワード確認入力", this), 1, 0);
    lay->addWidget(edPass2, 1, 1);
    lay->addWidget(new QLabel("（解除する時は未入力のまま｢設定する｣をクリック）", this), 2, 0, 1, 2);
    auto *warn = new QLabel("パスワードを忘れると、ソフトを起動する事が\n出来なくなるので御注意下さい。", this);
    warn->setStyleSheet("color: red");
    lay->addWidget(warn, 3, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(set);
    buttons->addWidget(cancel);
    lay->addLayout(buttons, 4, 0, 1, 2);
    edPass1->setFocus();
}

void TfmSetPass::btSetClick()
{
    Prompter &ask = m_session.ask();
    const QString p1 = edPass1->text(), p2 = edPass2->text();
    if (p1 != p2) {
        ask.error("パスワードの設定入力と確認入力が異なっています。");
        return;
    }
    if (Status s = checkNewPassword(us(p1)); !p1.isEmpty() && !s) {
        ask.error(s.message());
        edPass1->setFocus();
        return;
    }
    const bool removing = p1.isEmpty();
    if (ask.ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                removing ? "パスワード設定を解除しますか？" : "パスワードを設定しますか？") != Prompter::Answer::Yes)
        return;
    if (Status s = savePassword(m_session.loc.SysIni, us(p1)); !s) {
        ask.error(s.message());
        return;
    }
    ask.information(removing ? "パスワード設定を解除しました。" : "パスワードを設定しました。");
    accept();
}

} // namespace orv
