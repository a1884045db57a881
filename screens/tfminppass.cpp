#include "screens/tfminppass.h"

#include "screens/masterfields.h"
#include "screens/session.h"
#include "settings/inifile.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

bool TfmInpPass::required(const Session &session)
{
    return !IniFile::load(session.loc.SysIni).readString("Option", kPasswordHashKey).empty() ||
           !readLegacyPasswordBytes(session.loc.SysIni).empty();
}

TfmInpPass::TfmInpPass(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_stored(loadPassword(session.loc.SysIni))
{
    setObjectName("TfmInpPass");
    setWindowTitle("パスワード入力");
    m_passed = !m_stored.isSet();
    if (m_stored.converted && !m_stored.rewrite)
        session.ask().error(m_stored.rewrite.message());
    edPass = new QLineEdit(this);
    edPass->setObjectName("edPass");
    edPass->setEchoMode(QLineEdit::Password);
    edPass->setAttribute(Qt::WA_InputMethodEnabled, false);
    cbShow = new QCheckBox("入力内容を表示する", this);
    cbShow->setObjectName("cbShow");
    connect(cbShow, &QCheckBox::toggled, this,
            [this](bool on) { edPass->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password); });
    auto *ok = new QPushButton("Ｏ Ｋ", this);
    ok->setObjectName("btOk");
    ok->setDefault(true);
    auto *cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("btCancel");
    connect(ok, &QPushButton::clicked, this, &TfmInpPass::btOkClick);
    connect(edPass, &QLineEdit::returnPressed, this, &TfmInpPass::btOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(new QLabel("パスワードを入力して下さい。", this));
    lay->addWidget(edPass);
    lay->addWidget(cbShow);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    lay->addLayout(buttons);
}

int TfmInpPass::exec()
{
    if (m_passed)
        return QDialog::Accepted;
    return QDialog::exec();
}

void TfmInpPass::btOkClick()
{
    if (verifyPassword(m_stored, us(edPass->text()))) {
        m_passed = true;
        accept();
        return;
    }
    m_session.ask().error("パスワードが違います");
    edPass->setFocus();
    edPass->selectAll();
}

} // namespace orv
