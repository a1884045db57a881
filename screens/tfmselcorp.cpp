#include "screens/tfmselcorp.h"

#include "screens/session.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfmSelCorp::TfmSelCorp(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("fmSelCorp"));
    setWindowTitle(QStringLiteral("使用する会社データを選択"));
    m_list->setObjectName(QStringLiteral("lbCorp"));
    m_entries = readCorpData(m_session.loc.SysIni);
    for (const CorpDataEntry &e : m_entries)
        m_list->addItem(QString::fromStdString(e.name));
    if (!m_entries.empty())
        m_list->setCurrentRow(0);

    auto *select = new QPushButton(QStringLiteral("選　択"), this);
    select->setObjectName(QStringLiteral("btSelect"));
    select->setDefault(true);
    // Renaming and deleting company data sets belong to the data-set management.
    auto *rename = new QPushButton(QStringLiteral("名称変更"), this);
    rename->setObjectName(QStringLiteral("btRename"));
    rename->setEnabled(false);
    auto *remove = new QPushButton(QStringLiteral("データ削除"), this);
    remove->setObjectName(QStringLiteral("btDelete"));
    remove->setEnabled(false);
    auto *quit = new QPushButton(QStringLiteral("終　了"), this);
    quit->setObjectName(QStringLiteral("btCancel"));

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {select, rename, remove, quit})
        buttons->addWidget(b);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(m_list);
    lay->addLayout(buttons);
    connect(select, &QPushButton::clicked, this, &TfmSelCorp::btSelectClick);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TfmSelCorp::btSelectClick);
    resize(460, 300);
}

std::string TfmSelCorp::suffix() const
{
    int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_entries.size()))
        return {};
    return m_entries[row].suffix;
}

void TfmSelCorp::btSelectClick()
{
    if (m_list->currentRow() < 0)
        return;
    accept();
}

} // namespace orv
