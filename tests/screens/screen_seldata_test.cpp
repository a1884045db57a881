// The period selection, its creation dialog and reference chooser, the company chooser, the
// log viewer, the notice popup and the employee list commands of the main window.

#include "screen_main_support.h"

#include "core/syslog/syslog.h"
#include "core/util/fileio.h"
#include "screens/tfminpdlg.h"
#include "screens/tfmmain.h"
#include "screens/tfmnotice.h"
#include "screens/tfmrefdata.h"
#include "screens/tfmselcorp.h"
#include "screens/tfmseldata.h"
#include "screens/tfmshowlog.h"
#include "platform/singleinstance.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

using namespace orv;

namespace {

// A session with the company of screen_main_support opened on March, as after the start-up.
struct OpenCompany {
    TestBase base;
    Session s;
    RulePrompter p;
    explicit OpenCompany(int month = 3)
    {
        base.startSession(s, p);
        prepareCompany(s, month);
        s.selectCompany("");
        s.loadOptions();
        s.curFile = s.currentYearFile();
    }
};

} // namespace

class ScreenSelDataTest : public QObject {
    Q_OBJECT
private slots:
    void refusesMissingDaysAndBadPayDates();
    void createsYearFilesWithinTheListRange();
    void deletesACreatedPeriod();
    void referenceChooserOffersEarlierMonths();
    void cancelAsksOnlyBeforeAPeriodWasOpened();
    void companyChooserReturnsTheSuffix();
    void listSortsKeepChecksAndDeleteLogs();
    void logViewerExportsAndClears();
    void noticeClosesItself();
    void secondCopyIsRefusedAndRaisesTheFirst();
};

void ScreenSelDataTest::refusesMissingDaysAndBadPayDates()
{
    OpenCompany c;
    TfmSelData sel(c.s);
    sel.show();
    QCOMPARE(sel.selectedPeriod(), 4); // today's month at the first showing
    QCOMPARE(sel.lbKikan()->count(), 15);
    QCOMPARE(sel.lbKikan()->item(0)->text(), QStringLiteral("１月支給給与"));
    QCOMPARE(sel.lbKikan()->item(11)->text(), QStringLiteral("12月支給給与"));
    QCOMPARE(sel.lbKikan()->item(12)->text(), QStringLiteral("夏期賞与"));
    QCOMPARE(sel.lbKikan()->item(14)->text(), QStringLiteral("特別賞与"));
    orvScreenshot(&sel, QStringLiteral("seldata"));

    // March is created: its stored days and hours are shown.
    sel.selectPeriod(3);
    QCOMPARE(sel.edNissu()->text(), QStringLiteral("21"));
    QCOMPARE(sel.edJikan()->text(), QStringLiteral("168:00"));
    QVERIFY(sel.edNissu()->isEnabled());
    QVERIFY(!sel.edSikyuM()->isEnabled());

    // December with zero hours.
    sel.selectPeriod(12);
    sel.edNissu()->setText(QStringLiteral("20"));
    sel.edJikan()->setText(QStringLiteral("0:00"));
    sel.btOkClick();
    QVERIFY(c.p.wasAsked("所定労働日数と時間を入力して下さい。"));
    QVERIFY(sel.result() != QDialog::Accepted);
    QVERIFY(!c.s.periodOpen);

    // A bonus never paid this year shows today's date; month and day are checked.
    sel.selectPeriod(14);
    QCOMPARE(sel.edSikyuM()->text(), QStringLiteral(" 4"));
    QCOMPARE(sel.edSikyuD()->text(), QStringLiteral("15"));
    struct Case {
        const char *month;
        const char *day;
        const char *message;
    } cases[] = {
        {"13", "10", "支給月は1から12までの数字で入力して下さい。"},
        {"0", "10", "支給月は1から12までの数字で入力して下さい。"},
        {"12", "32", "支給日は1から31までの数字で入力して下さい。"},
        {"12", "0", "支給日は1から31までの数字で入力して下さい。"},
    };
    for (const Case &cs : cases) {
        c.p.asked.clear();
        sel.edSikyuM()->setText(QString::fromUtf8(cs.month));
        sel.edSikyuD()->setText(QString::fromUtf8(cs.day));
        sel.btOkClick();
        QVERIFY2(c.p.wasAsked(cs.message), cs.message);
        QVERIFY(!c.s.periodOpen);
    }
    // A valid date opens the bonus with it.
    sel.edSikyuM()->setText(QStringLiteral("12"));
    sel.edSikyuD()->setText(QStringLiteral("10"));
    sel.btOkClick();
    QCOMPARE(sel.result(), int(QDialog::Accepted));
    QVERIFY(c.s.periodOpen);
    QCOMPARE(c.s.img->KikanNo, 14);
    QCOMPARE(c.s.img->Head.SikyuM[1], 12);
    QCOMPARE(c.s.img->Head.SikyuD[1], 10);
    // Carried over from March, the highest created month.
    QCOMPARE(c.s.img->Syain[1].Simei.view(), sjis("山田　太郎"));
}

void ScreenSelDataTest::createsYearFilesWithinTheListRange()
{
    OpenCompany c;
    TfmInpDlg dlg(c.s);
    dlg.show();
    QCOMPARE(dlg.cbGengo()->itemText(0), QStringLiteral("令和"));
    QCOMPARE(dlg.cbGengo()->itemText(1), QStringLiteral("平成"));
    orvScreenshot(&dlg, QStringLiteral("inpdlg"));

    // Only digits reach the year field.
    dlg.edNen()->setFocus();
    QTest::keyClicks(dlg.edNen(), QStringLiteral("a1x"));
    QCOMPARE(dlg.edNen()->text(), QStringLiteral("1"));

    struct Case {
        int era; // index in the era list
        const char *year;
        const char *message;
    } cases[] = {
        {0, "1", "年の入力エラー(0以下または元年は不可)"},
        {0, "", "年の入力エラー(0以下または元年は不可)"},
        {0, "21", "令和の年は2年から20年までの範囲で入力して下さい。"},
        {1, "15", "平成の年は16年から31年までの範囲で入力して下さい。"},
        {0, "8", "入力された年のデータは存在します。"},
    };
    for (const Case &cs : cases) {
        c.p.asked.clear();
        dlg.cbGengo()->setCurrentIndex(cs.era);
        dlg.edNen()->setText(QString::fromUtf8(cs.year));
        dlg.btOkClick();
        QVERIFY2(c.p.wasAsked(cs.message), cs.message);
        QVERIFY(dlg.result() != QDialog::Accepted);
    }
    dlg.cbGengo()->setCurrentIndex(1);
    dlg.edNen()->setText(QStringLiteral("30"));
    dlg.btOkClick();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(fileExists(c.s.dataDir + "平成30年給与･賞与.dat"));
    QCOMPARE(c.s.curFile, c.s.dataDir + "平成30年給与･賞与.dat");

    // The year list lists Heisei before Reiwa, with the open file selected.
    TfmSelData sel(c.s);
    QCOMPARE(sel.cbYear()->count(), 2);
    QCOMPARE(sel.cbYear()->itemText(0), QStringLiteral("平成30年"));
    QCOMPARE(sel.cbYear()->itemText(1), QStringLiteral("令和08年"));
    QCOMPARE(sel.cbYear()->currentIndex(), 0);
}

void ScreenSelDataTest::deletesACreatedPeriod()
{
    OpenCompany c;
    TfmSelData sel(c.s);
    sel.selectPeriod(3);
    c.p.rules = {{"選択されている給与/賞与のデータを削除しますか？", Prompter::Answer::No}};
    sel.mnDeleteClick();
    THeadRec head;
    QVERIFY(readYearHead(c.s.curFile, head).isOk());
    QVERIFY(head.Sakusei[2]);
    c.p.rules = {{"選択されている給与/賞与のデータを削除しますか？", Prompter::Answer::Yes}};
    sel.mnDeleteClick();
    QVERIFY(readYearHead(c.s.curFile, head).isOk());
    QVERIFY(!head.Sakusei[2]);
    QCOMPARE(sel.edNissu()->text(), QStringLiteral(" 0"));
}

void ScreenSelDataTest::referenceChooserOffersEarlierMonths()
{
    // A set-up company creating March while April exists: the carried data is discarded and
    // the chooser offers the created months.
    OpenCompany c(4);
    ModalDriver driver;
    bool chooserShown = false;
    driver.handlers.push_back([&](QWidget *w) {
        auto *ref = qobject_cast<TfmRefData *>(w);
        if (!ref)
            return false;
        chooserShown = true;
        orvScreenshot(ref, QStringLiteral("refdata"));
        if (ref->lbData()->count() != 1 ||
            ref->lbData()->item(0)->text() != QStringLiteral("令和08年 4月支給給与")) {
            ref->reject();
            return true;
        }
        ref->btOkClick();
        return true;
    });
    TfmSelData sel(c.s);
    sel.selectPeriod(3);
    sel.edNissu()->setText(QStringLiteral("20"));
    sel.edJikan()->setText(QStringLiteral("160:00"));
    sel.btOkClick();
    QVERIFY(chooserShown);
    QVERIFY(c.p.wasAsked("選択された月の前月のデータと、前月データより新しい"));
    QVERIFY(c.p.wasAsked("参照したデータと保険料率等が違う可能性があるので"));
    QCOMPARE(sel.result(), int(QDialog::Accepted));
    QCOMPARE(c.s.img->KikanNo, 3);
    QCOMPARE(c.s.img->Kihon.Syamei.view(), sjis("テスト商事"));
    QCOMPARE(c.s.img->Syain[3].Simei.view(), sjis("鈴木　一郎"));
    QCOMPARE(c.s.img->Kihon.Nissu, 20);
}

void ScreenSelDataTest::cancelAsksOnlyBeforeAPeriodWasOpened()
{
    {
        // A company never set up gets the set-up question; No keeps the window.
        TestBase base;
        Session s;
        RulePrompter p;
        base.startSession(s, p);
        s.selectCompany("");
        s.curFile = s.currentYearFile();
        TfmSelData sel(s);
        sel.show();
        p.rules = {{"初期設定を中止し、カナリエを終了して宜しいですか？", Prompter::Answer::No}};
        sel.reject();
        QVERIFY(sel.isVisible());
        p.rules = {{"初期設定を中止し、カナリエを終了して宜しいですか？", Prompter::Answer::Yes}};
        sel.reject();
        QVERIFY(!sel.isVisible());
    }
    OpenCompany c;
    {
        TfmSelData sel(c.s);
        sel.show();
        c.p.rules = {{"処理をする給与対象月/賞与時期の選択を中止し", Prompter::Answer::No}};
        sel.reject();
        QVERIFY(sel.isVisible());
        sel.selectPeriod(3);
        sel.btOkClick();
        QCOMPARE(sel.result(), int(QDialog::Accepted));
    }
    // After a period was opened, cancelling asks nothing.
    c.p.asked.clear();
    TfmSelData again(c.s);
    again.show();
    QCOMPARE(again.selectedPeriod(), 3);
    again.reject();
    QVERIFY(!again.isVisible());
    QVERIFY(c.p.asked.empty());
}

void ScreenSelDataTest::companyChooserReturnsTheSuffix()
{
    TestBase base;
    Session s;
    RulePrompter p;
    base.startSession(s, p);
    QVERIFY(writeCorpData(s.loc.SysIni, {{"オリジナルデータ", ""}, {"二号店", "_a"}}).isOk());
    TfmSelCorp corp(s);
    corp.show();
    orvScreenshot(&corp, QStringLiteral("selcorp"));
    QCOMPARE(corp.lbCorp()->count(), 2);
    QCOMPARE(corp.lbCorp()->currentRow(), 0);
    QCOMPARE(corp.suffix(), std::string());
    corp.lbCorp()->setCurrentRow(1);
    corp.btSelectClick();
    QCOMPARE(corp.result(), int(QDialog::Accepted));
    QCOMPARE(corp.suffix(), std::string("_a"));
}

void ScreenSelDataTest::listSortsKeepChecksAndDeleteLogs()
{
    OpenCompany c;
    c.s.starting = false;
    TfmSelData sel(c.s);
    sel.selectPeriod(3);
    sel.btOkClick();
    QVERIFY(c.s.periodOpen);
    // A long name must not change which slot a line stands for.
    c.s.img->Syain[2].Simei.set(sjis("あいうえおかきくけこ")); // 20 bytes
    TfmMain main(c.s);
    main.setAutoStart(false);
    main.show();
    QVERIFY(main.openPeriodIntoMain());
    EmployeeListModel &m = main.model();
    QCOMPARE(m.rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        QCOMPARE(m.index(r, 0).data(Qt::UserRole).toInt(), r + 1);

    // Uncheck slot 1, sort by name: the marks stay with the employees.
    m.setChecked(0, false);
    main.sortBy(EmployeeListModel::Simei);
    QCOMPARE(main.listOrder(), ListOrder::Name);
    std::vector<int> order;
    for (int r = 0; r < 3; ++r)
        order.push_back(m.slotAt(r));
    QCOMPARE(order, (std::vector<int>{2, 1, 3})); // あ…, 山田 (0x8e), 鈴木 (0x97)
    QCOMPARE(m.checkedSlots(), (std::vector<int>{2, 3}));
    QVERIFY(!m.isChecked(m.rowOfSlot(1)));
    orvScreenshot(&main, QStringLiteral("main_list_sorted"));

    // The check-all toggle and its labels.
    main.mnSelectAllClick(); // armed again after an uncheck? no: it was fired on opening
    QCOMPARE(m.checkedCount(), 0);
    QCOMPARE(main.action(QStringLiteral("mnSelectAll"))->text(), QStringLiteral("全ての社員をチェック"));
    main.mnSelectAllClick();
    QCOMPARE(m.checkedCount(), 3);
    QCOMPARE(main.action(QStringLiteral("mnSelectAll"))->text(), QStringLiteral("全てのチェックを解除"));

    // Mail targets: only a usable address.
    c.s.img->Syain[1].MailAdrs.set("yamada@example.jp");
    c.s.img->Syain[3].MailAdrs.set("@memo");
    main.mnSelectAllClick();
    main.mnMailSelectClick();
    QCOMPARE(m.checkedSlots(), std::vector<int>{1});

    // Delete the selected employee (slot 3, the last line): question, then the log.
    main.selectRow(2);
    QCOMPARE(main.selectedSlot(), 3);
    c.p.rules = {{"下記社員の登録情報を削除しますか？", Prompter::Answer::No}};
    main.mnDelMembClick();
    QVERIFY(c.p.wasAsked("下記社員の登録情報を削除しますか？\r\r【 営業部  鈴木　一郎 】"));
    QVERIFY(SlotInUse(*c.s.img, 3));
    c.p.rules = {{"下記社員の登録情報を削除しますか？", Prompter::Answer::Yes}};
    main.mnDelMembClick();
    QVERIFY(!SlotInUse(*c.s.img, 3));
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(main.selectedSlot(), 1); // the new last line (name order: slot 2, slot 1)
    auto log = readSysLog(c.s.dataDir);
    QVERIFY(log.isOk());
    QCOMPARE(QString::fromStdString(log->back()),
             QStringLiteral("2026/04/15 09:30  従業員情報の削除"));

    // With a withholding file of this year, a warning comes first; No stops.
    QVERIFY(writeFileAtomic(c.s.dataDir + "源泉徴収(令和08年).dat", "x").isOk());
    c.p.asked.clear();
    c.p.rules = {{"今年の源泉徴収データが作成されているため", Prompter::Answer::No}};
    main.mnDelMembClick();
    QVERIFY(c.p.wasAsked("今年の源泉徴収データが作成されているため"));
    QVERIFY(!c.p.wasAsked("下記社員の登録情報を削除しますか？"));
    QCOMPARE(m.rowCount(), 2);

    // Ledger warning about unsaved changes.
    c.p.rules = {{"変更内容を保存しないと社員別給与台帳に反映されません。", Prompter::Answer::Cancel}};
    QVERIFY(!main.ledgerUnsavedCheck(false));
}

void ScreenSelDataTest::logViewerExportsAndClears()
{
    OpenCompany c;
    std::filesystem::create_directories(c.s.dataDir);
    QVERIFY(SysLog(c.s.dataDir, kLogStart, LogTime{2026, 4, 1, 8, 0}).isOk());
    QVERIFY(SysLog(c.s.dataDir, kLogEmployeeAdded, LogTime{2026, 4, 1, 8, 5}).isOk());
    TfmShowLog view(c.s);
    view.show();
    QCOMPARE(view.lbLog()->count(), 2);
    orvScreenshot(&view, QStringLiteral("showlog"));

    const std::string csv = c.base.base() + "log.csv";
    view.chooseCsvFile = [&] { return QString::fromStdString(csv); };
    c.p.rules = {{"システムログをCSVファイルに出力します。", Prompter::Answer::Yes},
                 {"システムログを全クリアしますか？", Prompter::Answer::Yes}};
    view.mnCsvClick();
    QVERIFY(c.p.wasAsked("指定ファイルに出力しました。"));
    auto bytes = readWholeFile(csv);
    QVERIFY(bytes.isOk());
    QCOMPARE(sjisToUtf8(*bytes), std::string("日時, 内容\r\n"
                                             "\"2026/04/01 08:00\", \"給与計算ソフト ｢カナリエ｣を起動\"\r\n"
                                             "\"2026/04/01 08:05\", \"従業員情報の登録\"\r\n"));

    view.mnClearClick();
    QCOMPARE(view.lbLog()->count(), 0);
    QVERIFY(!fileExists(sysLogPath(c.s.dataDir)));
    // Loading again without a log: an empty list and no message.
    c.p.asked.clear();
    view.loadLog();
    QCOMPARE(view.lbLog()->count(), 0);
    QVERIFY(c.p.asked.empty());
}

void ScreenSelDataTest::noticeClosesItself()
{
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    TfmNotice *n = TfmNotice::popup(&owner, QStringLiteral("データファイルに保存しました。"));
    QPointer<TfmNotice> guard(n);
    QVERIFY(n->isVisible());
    QCOMPARE(n->size(), QSize(250, 28));
    QCOMPARE(n->message(), QStringLiteral("データファイルに保存しました。"));
    orvScreenshot(n, QStringLiteral("notice"));
    QTRY_VERIFY_WITH_TIMEOUT(guard.isNull(), 4000);
}

void ScreenSelDataTest::secondCopyIsRefusedAndRaisesTheFirst()
{
    TestBase base;
    SingleInstanceLock first = SingleInstanceLock::acquire(base.base());
    QVERIFY(first.acquired());
    SingleInstanceLock second = SingleInstanceLock::acquire(base.base());
    QCOMPARE(second.state(), SingleInstanceLock::State::AlreadyRunning);
    QCOMPARE(std::string(kDoubleStartMessage), std::string("このプログラムは二重起動できません。"));
    // Another settings folder is another program copy.
    TestBase other;
    SingleInstanceLock third = SingleInstanceLock::acquire(other.base());
    QVERIFY(third.acquired());

    // The running copy honours the second copy's request by coming to the front.
    Session s;
    RulePrompter p;
    base.startSession(s, p);
    TfmMain main(s);
    main.setAutoStart(false);
    main.show();
    int raised = 0;
    main.setRaiseRequestSource([&] {
        bool r = first.takeRaiseRequest();
        raised += r;
        return r;
    });
    QVERIFY(second.notifyRunningInstance().isOk());
    QTRY_COMPARE_WITH_TIMEOUT(raised, 1, 3000);
    QVERIFY(main.isVisible());
    QVERIFY(!first.takeRaiseRequest()); // taken once
}

QTEST_MAIN(ScreenSelDataTest)
#include "screen_seldata_test.moc"
