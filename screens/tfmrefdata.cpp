#include "screens/tfmrefdata.h"

#include "screens/qtprompter.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfmRefData::TfmRefData(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("fmRefData"));
    setWindowTitle(QStringLiteral("参照するデータの選択"));
    m_list->setObjectName(QStringLiteral("lbData"));
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ｏ Ｋ"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btOk"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btCancel"));
    lay->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmRefData::btOkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TfmRefData::btOkClick);
    resize(320, 360);
}

int TfmRefData::preselect(const std::vector<ReferenceEntry> &entries, const std::string &curFile,
                          int k)
{
    if (entries.empty())
        return -1;
    int pick = static_cast<int>(entries.size()) - 1;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i)
        if (entries[i].choice.file == curFile && entries[i].choice.month <= k)
            pick = i;
    return pick;
}

std::optional<ReferenceChoice> TfmRefData::choose(int k)
{
    m_entries = m_session.referenceEntries();
    m_list->clear();
    if (m_entries.empty()) {
        m_session.ask().warning("選択された月の前月のデータが無いので、基本情報と\r"
                                "社員情報を引き継ぐ事が出来ませんでした。\r\r"
                                "基本情報と社員情報の設定を行って下さい。");
        return std::nullopt;
    }
    for (const ReferenceEntry &e : m_entries)
        m_list->addItem(QString::fromStdString(e.text));
    m_list->setCurrentRow(preselect(m_entries, m_session.curFile, k));

    bool later = false;
    for (const ReferenceEntry &e : m_entries)
        later = later || (e.choice.file == m_session.curFile && k <= 12 && e.choice.month > k);
    if (later)
        m_session.ask().warning("選択された月の前月のデータと、前月データより新しい\r"
                                "データの両方が存在します。\r\r"
                                "参照するデータをリストから選択して下さい。");
    else
        m_session.ask().warning("選択された月の前月のデータが無いので、基本情報と\r"
                                "社員情報を引き継ぐ事が出来ませんでした。\r\r"
                                "参照するデータをリストから選択して下さい。");

    if (exec() == QDialog::Accepted) {
        int row = m_list->currentRow();
        if (row >= 0 && row < static_cast<int>(m_entries.size()))
            return m_entries[row].choice;
    }
    m_session.ask().warning("参照しない場合、全て新規入力となります。\r"
                            "基本情報と社員情報の設定を行って下さい。");
    return std::nullopt;
}

void TfmRefData::btOkClick()
{
    if (m_list->currentRow() < 0)
        return;
    accept();
}

} // namespace orv
