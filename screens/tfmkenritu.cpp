#include "screens/tfmkenritu.h"

#include "core/tables/ratelist.h"
#include "core/util/sjis.h"
#include "screens/masterfields.h"
#include "screens/session.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfmKenRitu::TfmKenRitu(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_list(new QListWidget(this))
{
    setObjectName("TfmKenRitu");
    setWindowTitle("健康保険料率選択");
    m_list->setObjectName("lbRitu");
    QFont mono = m_list->font();
    mono.setFamily("IPAGothic");
    m_list->setFont(mono);
    // The list shows the rate file's lines (region in ten bytes, then the rate) with "%";
    // the rate is the line's own field, read when the file was loaded.
    if (const auto *rates = session.tables.rates()) {
        for (const auto &r : *rates) {
            m_list->addItem(fromSjis(formatRateLine(r.label, r.hundredths)) + "%");
            m_hundredths.push_back(r.hundredths);
        }
    }
    m_list->setEnabled(!m_hundredths.empty());

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton("Ｏ Ｋ", QDialogButtonBox::AcceptRole);
    m_ok->setObjectName("btOk");
    m_ok->setEnabled(false);
    auto *cancel = buttons->addButton("キャンセル", QDialogButtonBox::RejectRole);
    cancel->setObjectName("btCancel");
    connect(m_ok, &QPushButton::clicked, this, &TfmKenRitu::btOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // OK waits for a line the user picked, not the current line a list has by itself.
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_ok->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { btOkClick(); });

    auto *lay = new QVBoxLayout(this);
    lay->addWidget(m_list);
    lay->addWidget(buttons);
    resize(320, 420);
}

void TfmKenRitu::btOkClick()
{
    const auto picked = m_list->selectedItems();
    const int row = picked.isEmpty() ? -1 : m_list->row(picked.front());
    if (row < 0 || row >= static_cast<int>(m_hundredths.size()))
        return;
    m_session.ask().information("選択した健康保険料率の半分の値がセットされます。");
    m_rate = m_hundredths[row] / 200.0;
    accept();
}

} // namespace orv
