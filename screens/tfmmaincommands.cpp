// The main window's employee list and the commands that open the other windows.

#include "screens/tfmmain.h"

#include "core/util/sjis.h"
#include "screens/qtprompter.h"
#include "screens/tfmcorpinfo.h"
#include "screens/tfmdataedit.h"
#include "screens/tfmlistinp.h"
#include "screens/tfmmembedit.h"
#include "screens/tfmmembeditl.h"
#include "screens/tfmoption.h"
#include "screens/tfmprnformk.h"
#include "screens/tfmprnforms.h"
#include "screens/tfmprnitem.h"
#include "screens/tfmseqno.h"
#include "screens/tfmshowlog.h"

#include <QAction>
#include <QPushButton>
#include <QTreeView>

#include <algorithm>
#include <set>

namespace orv {

namespace {

constexpr const char *kNoTarget = "処理の対象者が選択されていません。";
constexpr const char *kBonusEditWarning = "賞与時に行った社員情報の修正は引き継がれません。";

// The address field can receive mail: an "@" after the first character and no double-byte
// character (the field also holds memos).
bool mailUsable(std::string_view sjisAdrs)
{
    std::string_view a = trimView(sjisAdrs);
    for (unsigned char c : a)
        if (c >= 0x80)
            return false;
    std::size_t at = a.find('@');
    return at != std::string_view::npos && at >= 1;
}

} // namespace

// ---- the list ----

int TfmMain::selectedSlot() const
{
    const QModelIndex cur = m_list->currentIndex();
    if (!cur.isValid() || !m_list->selectionModel()->isRowSelected(cur.row(), QModelIndex()))
        return 0;
    return m_model->slotAt(cur.row());
}

void TfmMain::selectRow(int row)
{
    if (m_model->rowCount() == 0) {
        updateButtons();
        return;
    }
    row = std::clamp(row, 0, m_model->rowCount() - 1);
    const QModelIndex idx = m_model->index(row, 0);
    m_list->selectionModel()->setCurrentIndex(
        idx, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_list->scrollTo(idx);
    updateButtons();
}

void TfmMain::showSlot(int slot)
{
    const int row = m_model->rowOfSlot(slot);
    if (row >= 0)
        selectRow(row);
}

void TfmMain::rebuildList(bool byPosition)
{
    const int row = m_list->currentIndex().row();
    m_model->rebuild(m_order, action(QStringLiteral("mnShowRetired"))->isChecked(), byPosition);
    selectRow(row < 0 ? 0 : row);
}

void TfmMain::sortBy(int section)
{
    static const ListOrder orders[] = {ListOrder::Slot, ListOrder::Name, ListOrder::Busyo,
                                       ListOrder::Kubun, ListOrder::Keitai};
    if (section < 0 || section > EmployeeListModel::Keitai)
        return;
    const int slot = selectedSlot();
    m_order = orders[section];
    m_model->rebuild(m_order, action(QStringLiteral("mnShowRetired"))->isChecked(), false);
    const int row = m_model->rowOfSlot(slot);
    selectRow(row < 0 ? 0 : row);
}

void TfmMain::mnShowRetiredClick()
{
    const int slot = selectedSlot();
    m_model->rebuild(m_order, action(QStringLiteral("mnShowRetired"))->isChecked(), false);
    const int row = m_model->rowOfSlot(slot);
    selectRow(row < 0 ? 0 : row);
}

void TfmMain::setToggleLabels(bool allChecked)
{
    QAction *all = action(QStringLiteral("mnSelectAll"));
    QAction *mail = action(QStringLiteral("mnMailSelect"));
    if (allChecked) {
        all->setText(QStringLiteral("全てのチェックを解除"));
        mail->setText(QStringLiteral("全てのチェックを解除"));
    } else {
        all->setText(QStringLiteral("全ての社員をチェック"));
        mail->setText(QStringLiteral("対象社員をチェック"));
    }
    m_armAll = !allChecked;
    m_armMail = !allChecked;
}

void TfmMain::mnSelectAllClick()
{
    m_model->setAllChecked(m_armAll);
    setToggleLabels(m_armAll);
}

void TfmMain::mnMailSelectClick()
{
    if (m_armMail) {
        for (int r = 0; r < m_model->rowCount(); ++r) {
            const int slot = m_model->slotAt(r);
            m_model->setChecked(r, mailUsable(m_session.img->Syain[slot].MailAdrs.view()) &&
                                       !IsRetired(*m_session.img, slot));
        }
    } else {
        m_model->setAllChecked(false);
    }
    setToggleLabels(m_armMail);
}

void TfmMain::updateButtons()
{
    const PayImage &img = *m_session.img;
    const bool open = m_session.periodOpen;
    const int named = m_session.namedSlots();
    const bool bonus = img.isBonus();
    const int slot = selectedSlot();
    auto set = [&](const char *name, bool on) {
        QAction *a = action(QString::fromLatin1(name));
        a->setEnabled(on && a->property("available").toBool());
    };
    set("mnSaveFile", open);
    set("mnSelData", open);
    set("mnNewMemb", open && named < kSlots && !bonus);
    set("mnEditMemb", open && named >= 1);
    set("mnDelMemb", open && named >= 1 && !bonus);
    set("mnListMemb", open && named >= 1);
    set("mnSeqNo", open && named >= 1);
    set("mnDataEdit", open && slot > 0 && SlotInUse(img, slot) && !IsRetired(img, slot));
    set("mnListInp", open);
    set("mnCorpInfo", open);
    set("mnOption", open);
    set("mnPrnForm", open);
    set("mnPrnItem", open);
    set("mnShowLog", !m_session.dataDir.empty());
    for (auto &[name, b] : m_buttons)
        b->setEnabled(action(b->property("command").toString())->isEnabled());
}

// ---- commands ----

void TfmMain::mnSaveFileClick()
{
    Result<bool> r = m_session.save(m_session.ask());
    if (!r)
        m_session.ask().error(r.message());
}

bool TfmMain::bonusEditConfirmed()
{
    // Changes of the masters made in a bonus period are not carried into the next month.
    return !m_session.img->isBonus() ||
           m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::OkCancel,
                               kBonusEditWarning) == Prompter::Answer::Ok;
}

void TfmMain::afterMasterChange(bool byPosition)
{
    rebuildList(byPosition);
    setWindowTitle(QtPrompter::toQt(m_session.periodCaption()));
}

void TfmMain::mnNewMembClick()
{
    const PayImage &img = *m_session.img;
    const int k = img.KikanNo;
    if (k >= 1 && k <= 11 && img.Head.Sakusei[k])
        m_session.ask().warning("現在入力中の月の翌月データが存在します。\r"
                                "この状態で追加した社員は翌月に引き継がれません。");
    std::set<int> before;
    for (int i = 1; i <= kSlots; ++i)
        if (SlotInUse(img, i))
            before.insert(i);
    TfmMembEdit dlg(m_session, this);
    dlg.setNew();
    if (dlg.exec() != QDialog::Accepted)
        return;
    const int row = m_list->currentIndex().row();
    m_model->rebuild(m_order, action(QStringLiteral("mnShowRetired"))->isChecked(), true);
    for (int i = 1; i <= kSlots; ++i) {
        if (SlotInUse(img, i) && !before.count(i) && !IsRetired(img, i)) {
            const int r = m_model->rowOfSlot(i);
            if (r >= 0)
                m_model->setChecked(r, true);
        }
    }
    selectRow(row < 0 ? 0 : row);
}

void TfmMain::mnEditMembClick()
{
    const int slot = selectedSlot();
    if (slot == 0) {
        m_session.ask().error(kNoTarget);
        return;
    }
    if (!bonusEditConfirmed())
        return;
    TfmMembEdit dlg(m_session, this);
    dlg.setSlot(slot);
    if (dlg.exec() != QDialog::Accepted)
        return;
    // The checked employees keep their marks.
    const int row = m_list->currentIndex().row();
    m_model->rebuild(m_order, action(QStringLiteral("mnShowRetired"))->isChecked(), false);
    selectRow(row);
}

void TfmMain::mnDelMembClick()
{
    Session &s = m_session;
    const int slot = selectedSlot();
    if (slot == 0 || !SlotInUse(*s.img, slot)) {
        s.ask().error(kNoTarget);
        return;
    }
    if (s.withholdingFileOfYearExists() &&
        s.ask().ask(Prompter::Kind::Warning, Prompter::Buttons::YesNo,
                    "今年の源泉徴収データが作成されているため、\r"
                    "社員削除を行うと源泉徴収データにずれが生じます。\r"
                    "（社員削除ではなく、退職に設定する事を推奨）\r\r"
                    "このまま社員削除を続行しますか？") != Prompter::Answer::Yes)
        return;
    const TSyainRec &rec = s.img->Syain[slot];
    std::string busyo = sjisToUtf8(trimView(rec.Busyo.view()));
    if (!busyo.empty())
        busyo = " " + busyo + " ";
    const std::string text = "下記社員の登録情報を削除しますか？\r\r【" + busyo + " " +
                             sjisToUtf8(trimView(rec.Simei.view())) + " 】";
    if (s.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo, text) !=
        Prompter::Answer::Yes)
        return;
    const int row = m_list->currentIndex().row();
    deleteEmployee(*s.img, slot);
    m_model->rebuild(m_order, action(QStringLiteral("mnShowRetired"))->isChecked(), true);
    selectRow(row);
    if (Status st = s.sysLog(kLogEmployeeDeleted); !st)
        s.ask().error(st.message());
}

void TfmMain::mnListMembClick()
{
    if (!bonusEditConfirmed())
        return;
    openThenRefresh<TfmMembEditL>(true);
}

void TfmMain::mnSeqNoClick() { openThenRefresh<TfmSeqNo>(false); }

void TfmMain::mnDataEditClick()
{
    const int slot = selectedSlot();
    if (slot == 0)
        return;
    TfmDataEdit dlg(m_session, this);
    connect(&dlg, &TfmDataEdit::slotShown, this, &TfmMain::showSlot);
    dlg.setSlot(slot);
    dlg.exec();
    afterMasterChange(true);
}

void TfmMain::mnListInpClick()
{
    TfmListInp dlg(m_session, this);
    connect(&dlg, &TfmListInp::slotShown, this, &TfmMain::showSlot);
    dlg.exec();
    afterMasterChange(true);
}

void TfmMain::mnCorpInfoClick() { openThenRefresh<TfmCorpInfo>(true); }

void TfmMain::mnOptionClick() { openThenRefresh<TfmOption>(true); }

void TfmMain::mnPrnFormClick()
{
    if (m_session.img->isBonus()) {
        TfmPrnFormS dlg(m_session, this);
        dlg.exec();
    } else {
        TfmPrnFormK dlg(m_session, this);
        dlg.exec();
    }
    afterMasterChange(true);
}

void TfmMain::mnPrnItemClick()
{
    TfmPrnItem dlg(m_session, this);
    dlg.exec();
}

void TfmMain::mnShowLogClick()
{
    TfmShowLog dlg(m_session, this);
    dlg.exec();
}

bool TfmMain::printTargetsChecked()
{
    if (m_model->checkedCount() > 0)
        return true;
    m_session.ask().error("印刷対象者が選択されていません。\r"
                          "(No欄のチェックボックスをチェックして選択します)");
    return false;
}

bool TfmMain::ledgerUnsavedCheck(bool grandTotal)
{
    if (m_session.unsavedChanges(false, true, m_session.ask()) != Prompter::Answer::Yes)
        return true;
    const char *text = grandTotal ? "変更内容を保存しないと給与/賞与総合計台帳に反映されません。"
                                  : "変更内容を保存しないと社員別給与台帳に反映されません。";
    return m_session.ask().ask(Prompter::Kind::Information, Prompter::Buttons::OkCancel, text) ==
           Prompter::Answer::Ok;
}

bool TfmMain::mailTargetsChecked()
{
    bool removed = false;
    for (int r = 0; r < m_model->rowCount(); ++r) {
        const int slot = m_model->slotAt(r);
        if (m_model->isChecked(r) && (!mailUsable(m_session.img->Syain[slot].MailAdrs.view()) ||
                                      IsRetired(*m_session.img, slot))) {
            m_model->setChecked(r, false);
            removed = true;
        }
    }
    if (removed)
        m_session.ask().information("不正なメールアドレス(メモ書き)と退職者の選択は外しました。");
    if (m_model->checkedCount() > 0)
        return true;
    m_session.ask().error("メール送信対象者が選択されていません。\r"
                          "(No欄のチェックボックスをチェックして選択します)");
    return false;
}

} // namespace orv
