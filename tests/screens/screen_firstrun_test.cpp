// A new user's first month, through the real windows from an empty settings folder: the period
// selection, company information and the first employee at start-up, two more employees from
// the main window, attendance in the list input grid and the detail screen, the computed pay
// checked against figures worked out by hand, then saved, closed and found again by a new start.

#include "screen_main_support.h"
#include "screen_masters_support.h"

#include "entryfixture.h"
#include "screens/listinpmodel.h"
#include "screens/numedit.h"
#include "screens/tfmcorpinfo.h"
#include "screens/tfmdataedit.h"
#include "screens/tfmlistinp.h"
#include "screens/tfmmain.h"
#include "screens/tfmmembedit.h"
#include "screens/tfmseldata.h"

#include <QTest>

#include <cstring>
#include <deque>

using namespace orv;

namespace {

constexpr int kMonthly = 1, kDaily = 2, kHourly = 3; // slots, in the order of registration

// Hands windows of type W to `act`; a window the action leaves open (a failed check inside it)
// is ended so that the test cannot hang.
template <typename W>
ModalDriver::Handler on(std::function<void(W *)> act)
{
    return [act](QWidget *w) {
        auto *d = qobject_cast<W *>(w);
        if (!d)
            return false;
        act(d);
        if (d->isVisible())
            d->QDialog::done(QDialog::Rejected);
        return true;
    };
}

void waitActive(QWidget *w)
{
    QVERIFY(QTest::qWaitForWindowExposed(w));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

// Types into a cell of the list input grid as a user would: select, type, Enter.
void typeCell(TfmListInp &dlg, const QString &row, int slot, const QString &text)
{
    ListInpModel &m = dlg.model();
    int col = -1;
    for (int c = 0; c < m.columnCount(); ++c)
        if (m.slotOfColumn(c) == slot)
            col = c;
    const int r = m.rowOf(row);
    QVERIFY2(r >= 0 && col >= 0 && m.isEditable(r, col), qPrintable(row));
    dlg.grid()->setCurrentIndex(m.index(r, col));
    if (!dlg.grid()->currentEditor())
        dlg.grid()->edit(m.index(r, col));
    QWidget *editor = dlg.grid()->currentEditor();
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

QString shown(TfmDataEdit &dlg, const char *caption)
{
    NumEdit *f = dlg.field(QString::fromUtf8(caption));
    return f ? f->text().trimmed() : QStringLiteral("<none>");
}

template <typename T>
bool sameBytes(const T &a, const T &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct NewEmployee {
    const char *name;
    int keitai;
    const char *pay;      // monthly pay, day rate or hour rate
    const char *overtime; // rate per ordinary overtime hour, or empty
    int hyojun;           // standard monthly remuneration of the grade chosen
};

// What the month must give for one employee, worked out below from the rules of the salary
// calculation, the premiums and the monthly withholding table.
struct Expected {
    std::int32_t kihonkyu, zangyo, sikyuTotal, kenho, kosei, koyou, syahoTotal, syahoGo, syotoku,
        koujoTotal;
};

} // namespace

class FirstRunTest : public QObject {
    Q_OBJECT
private slots:
    void firstMonthFromAnEmptyFolder();
};

void FirstRunTest::firstMonthFromAnEmptyFolder()
{
    TestBase base;
    std::array<TSyainRec, 4> savedSyain{};
    std::array<TKintaiRec, 4> savedKintai{};
    std::array<TSikyuRec, 4> savedSikyu{};
    std::array<TKoujoRec, 4> savedKoujo{};

    // Company: health 4.95 %, pension 9.15 % (default), care not collected, employment
    // insurance typed as 0.55 %. Rounding as a new company has it: pay items round up, the
    // income tax is truncated; premiums round a fraction of 0.51 up, employment insurance one
    // of 0.501 up. All three employees file the dependants declaration (甲欄), one dependant.
    //
    // Monthly 山田 太郎: 250,000 a month, overtime 1,800 an hour, grade of 260,000;
    //   10:30 overtime hours typed in the list input grid.
    //   基本給 250,000 (the monthly pay); 普通残業手当 10.5 h × 1,800 = 18,900;
    //   支給合計 = 課税支給合計 = 268,900.
    //   健康保険料 260,000 × 4.95 % = 12,870; 厚生年金 260,000 × 9.15 % = 23,790;
    //   雇用保険料 268,900 × 0.55 % = 1,478.95 → 1,479; 社会保険料計 38,139;
    //   社保控除後 268,900 − 38,139 = 230,761: row 230,000–233,000, 甲 1 dependant: 3,850;
    //   控除合計 38,139 + 3,850 = 41,989; 差引支給額 268,900 − 41,989 = 226,911.
    // Daily 佐藤 花子: 9,000 a day, grade of 180,000; 19.5 days typed in the grid.
    //   日給計 19.5 × 9,000 = 175,500; 支給合計 175,500.
    //   健康 180,000 × 4.95 % = 8,910; 厚生年金 180,000 × 9.15 % = 16,470;
    //   雇用 175,500 × 0.55 % = 965.25 → 965; 社会保険料計 26,345;
    //   社保控除後 175,500 − 26,345 = 149,155: row 149,000–151,000, 甲 1 dependant: 810;
    //   控除合計 27,155; 差引支給額 175,500 − 27,155 = 148,345.
    // Hourly 鈴木 次郎: 1,100 an hour, grade of 170,000; 150:30 hours typed in the detail screen.
    //   時給計 150.5 × 1,100 = 165,550; 支給合計 165,550.
    //   健康 170,000 × 4.95 % = 8,415; 厚生年金 170,000 × 9.15 % = 15,555;
    //   雇用 165,550 × 0.55 % = 910.525 → 911; 社会保険料計 24,881;
    //   社保控除後 165,550 − 24,881 = 140,669: row 139,000–141,000, 甲 1 dependant: 300;
    //   控除合計 25,181; 差引支給額 165,550 − 25,181 = 140,369.
    // (Rows of the 2026 monthly table, data/tables/2026/kyuyo_getsugaku.csv.)
    const NewEmployee staff[] = {
        {"山田 太郎", 1, "250,000", "1,800", 260000},
        {"佐藤 花子", 2, "9,000", "", 180000},
        {"鈴木 次郎", 3, "1,100", "", 170000},
    };
    const Expected expected[] = {
        {},
        {250000, 18900, 268900, 12870, 23790, 1479, 38139, 230761, 3850, 41989},
        {175500, 0, 175500, 8910, 16470, 965, 26345, 149155, 810, 27155},
        {165550, 0, 165550, 8415, 15555, 911, 24881, 140669, 300, 25181},
    };
    const char *kihonCaption[] = {"", "基本給", "日給計", "時給計"};
    const char *netPay[] = {"", "226,911", "148,345", "140,369"};

    {
        Session s;
        RulePrompter p;
        base.startSession(s, p);
        p.rules = {{"健康保険等級表から", Prompter::Answer::Yes}};
        ModalDriver driver;
        std::deque<NewEmployee> toRegister(std::begin(staff), std::end(staff));
        int grade = 0;
        bool firstEditor = true;

        driver.handlers.push_back(on<TfmSelData>([](TfmSelData *sel) {
            orvScreenshot(sel, QStringLiteral("firstrun_seldata"));
            sel->selectPeriod(4);
            sel->edNissu()->setText(QStringLiteral("20"));
            sel->edJikan()->setText(QStringLiteral("160:00"));
            sel->btOkClick();
        }));
        driver.handlers.push_back(on<TfmCorpInfo>([&](TfmCorpInfo *corp) {
            QVERIFY(corp->firstTime());
            QVERIFY(p.wasAsked("会社名や所定労働条件などの会社情報を設定して下さい。"));
            orvScreenshot(corp, QStringLiteral("firstrun_corpinfo_firsttime"));
            typeCompany(corp);
            setText(corp, "edKoyRitu", "0.55");
            orvScreenshot(corp, QStringLiteral("firstrun_corpinfo_filled"));
            click(corp, "btOk");
            QCOMPARE(corp->result(), int(QDialog::Accepted));
        }));
        driver.handlers.push_back(on<TfmMembEdit>([&](TfmMembEdit *ed) {
            QVERIFY(!toRegister.empty());
            // Right after the company set-up the editor comes with a provisional name.
            if (firstEditor)
                QCOMPARE(child<QLineEdit>(ed, "edSimei")->text(), QStringLiteral("阿井 宇江夫"));
            firstEditor = false;
            const NewEmployee e = toRegister.front();
            toRegister.pop_front();
            typeEmployee(ed, QString::fromUtf8(e.name), e.keitai, QString::fromUtf8(e.pay));
            if (*e.overtime)
                setText(ed, "edChingin2", QString::fromUtf8(e.overtime));
            grade = s.tables.grades()->gradeFor(e.hyojun);
            click(ed, "btTokyu");
            orvScreenshot(ed, QStringLiteral("firstrun_membedit_%1").arg(e.keitai));
            click(ed, "btOk");
            QCOMPARE(ed->result(), int(QDialog::Accepted));
        }));
        driver.handlers.push_back([&](QWidget *w) { return pickGrade(w, grade); });
        driver.handlers.push_back(on<TfmListInp>([&](TfmListInp *dlg) {
            waitActive(dlg);
            typeCell(*dlg, QStringLiteral("普通残業時間"), kMonthly, QStringLiteral("10:30"));
            typeCell(*dlg, QStringLiteral("出勤日数"), kDaily, QStringLiteral("19.5"));
            orvScreenshot(dlg, QStringLiteral("firstrun_listinp"));
            dlg->reject(); // closing writes the grid into the records and recomputes
        }));
        std::function<void(TfmDataEdit *)> onDataEdit;
        driver.handlers.push_back(on<TfmDataEdit>([&](TfmDataEdit *d) { onDataEdit(d); }));

        TfmMain main(s);
        main.setAutoStart(false);
        main.show();
        QVERIFY(main.firstActivation());
        QVERIFY(driver.saw(QStringLiteral("fmSelData")));
        QVERIFY(driver.saw(QStringLiteral("TfmCorpInfo")));
        orvScreenshot(&main, QStringLiteral("firstrun_main_started"));

        // Two more employees through the main window's command.
        main.mnNewMembClick();
        main.mnNewMembClick();
        QVERIFY(toRegister.empty());
        QVERIFY(driver.unhandled.empty());
        if (QTest::currentTestFailed())
            return;

        const PayImage &img = *s.img;
        QCOMPARE(QString::fromStdString(sjisToUtf8(img.Kihon.Syamei.view())),
                 QStringLiteral("オルバネ商事"));
        QCOMPARE(img.Kihon.KoyRitu, 0.55);
        QCOMPARE(img.Kihon.KenRitu, 4.95);
        QCOMPARE(img.Kihon.NenRitu, 9.15);
        QCOMPARE(main.windowTitle(),
                 QStringLiteral("カナリエ 【オルバネ商事 令和8年4月支給給与】"));
        // The list: the three employees with their pay forms, all checked.
        const EmployeeListModel &list = main.model();
        QCOMPARE(list.rowCount(), 3);
        QCOMPARE(list.checkedCount(), 3);
        const char *forms[] = {"", "月給", "日給", "時間給"};
        for (int slot = kMonthly; slot <= kHourly; ++slot) {
            const int row = list.rowOfSlot(slot);
            QVERIFY(row >= 0);
            QCOMPARE(list.index(row, EmployeeListModel::Simei).data().toString(),
                     QString::fromUtf8(staff[slot - 1].name));
            QCOMPARE(list.index(row, EmployeeListModel::Keitai).data().toString(),
                     QString::fromUtf8(forms[slot]));
            QCOMPARE(img.Syain[slot].Keitai, slot);
            QCOMPARE(img.Syain[slot].Sinzoku, 1);
            QCOMPARE(img.Syain[slot].KenhoRyo, expected[slot].kenho); // from the grade
            QCOMPARE(img.Syain[slot].KoseiRyo, expected[slot].kosei);
        }

        // The month's figures: overtime and days in the grid, hours in the detail screen.
        main.mnListInpClick();
        QCOMPARE(img.Kintai[kMonthly].ZangyoJikan, 10.5);
        QCOMPARE(img.Kintai[kDaily].SyukkinNissu, 19.5);

        main.selectRow(list.rowOfSlot(kHourly));
        QCOMPARE(main.selectedSlot(), kHourly);
        onDataEdit = [&](TfmDataEdit *dlg) {
            waitActive(dlg);
            QCOMPARE(dlg->slot(), kHourly);
            NumEdit *hours = dlg->field(QStringLiteral("実働時間"));
            QVERIFY(hours);
            typeInto(hours, QStringLiteral("150:30"));
            QTest::keyClick(hours, Qt::Key_Return);
            QCOMPARE(shown(*dlg, "時給計"), QStringLiteral("165,550"));
            orvScreenshot(dlg, QStringLiteral("firstrun_dataedit_hourly"));
            dlg->reject();
        };
        main.mnDataEditClick();
        QCOMPARE(img.Kintai[kHourly].JitudoJikan, 150.5);
        if (QTest::currentTestFailed())
            return;

        for (int slot = kMonthly; slot <= kHourly; ++slot) {
            const Expected &x = expected[slot];
            const TSikyuRec &pay = img.Sikyu[slot];
            const TKoujoRec &ded = img.Koujo[slot];
            const char *who = staff[slot - 1].name;
            QVERIFY2(pay.Kihonkyu == x.kihonkyu, who);
            QVERIFY2(pay.Zangyo == x.zangyo, who);
            QVERIFY2(pay.KazeiTotal == x.sikyuTotal, who);
            QVERIFY2(pay.SikyuTotal == x.sikyuTotal, who);
            QVERIFY2(ded.KenhoRyo == x.kenho, who);
            QVERIFY2(ded.KoseiRyo == x.kosei, who);
            QVERIFY2(ded.KaigoRyo == 0, who);
            QCOMPARE(ded.KoyouRyo, x.koyou);
            QCOMPARE(ded.SyahoTotal, x.syahoTotal);
            QCOMPARE(ded.SyahoGo, x.syahoGo);
            QCOMPARE(ded.Syotoku, x.syotoku);
            QCOMPARE(ded.KoujoTotal, x.koujoTotal);
        }

        // The detail screen shows the same, stepping through the three employees.
        main.selectRow(list.rowOfSlot(kMonthly));
        onDataEdit = [&](TfmDataEdit *dlg) {
            waitActive(dlg);
            for (int slot = kMonthly; slot <= kHourly; ++slot) {
                QCOMPARE(dlg->slot(), slot);
                const Expected &x = expected[slot];
                const auto yen = [](std::int32_t v) {
                    return QLocale(QLocale::English).toString(v);
                };
                QCOMPARE(shown(*dlg, kihonCaption[slot]), yen(x.kihonkyu));
                QCOMPARE(shown(*dlg, "健康保険料"), yen(x.kenho));
                QCOMPARE(shown(*dlg, "雇用保険料"), yen(x.koyou));
                QCOMPARE(shown(*dlg, "所得税"), yen(x.syotoku));
                QCOMPARE(dlg->totalText(EntryGroup::Sikyu).trimmed(), yen(x.sikyuTotal));
                QCOMPARE(dlg->totalText(EntryGroup::Koujo).trimmed(), yen(x.koujoTotal));
                QCOMPARE(dlg->netPayText().trimmed(), QString::fromUtf8(netPay[slot]));
                orvScreenshot(dlg, QStringLiteral("firstrun_dataedit_check%1").arg(slot));
                if (slot < kHourly)
                    dlg->btNextClick();
            }
            dlg->reject();
        };
        main.mnDataEditClick();
        if (QTest::currentTestFailed())
            return;

        for (int slot = kMonthly; slot <= kHourly; ++slot) {
            savedSyain[slot] = img.Syain[slot];
            savedKintai[slot] = img.Kintai[slot];
            savedSikyu[slot] = img.Sikyu[slot];
            savedKoujo[slot] = img.Koujo[slot];
        }
        QVERIFY(!SlotInUse(img, 4));
        orvScreenshot(&main, QStringLiteral("firstrun_main_month"));

        main.mnSaveFileClick();
        QCOMPARE(p.notices, std::vector<std::string>{"データファイルに保存しました。"});
        p.rules = {{"カナリエを終了しますか？", Prompter::Answer::Yes},
                   {"データが変更されています。", Prompter::Answer::Cancel}};
        QVERIFY(main.close());
        QVERIFY(!p.wasAsked("データが変更されています。"));
        QVERIFY(!p.wasAsked("作成されて保存されていない"));
    }

    // The next day: a new start on the same folder opens April with the same figures.
    {
        Session s;
        RulePrompter p;
        base.startSession(s, p, Date{2026, 4, 16});
        ModalDriver driver;
        driver.handlers.push_back(on<TfmSelData>([](TfmSelData *sel) {
            orvScreenshot(sel, QStringLiteral("firstrun_seldata_again"));
            QCOMPARE(sel->selectedPeriod(), 4);
            QCOMPARE(sel->edNissu()->text(), QStringLiteral("20"));
            QCOMPARE(sel->edJikan()->text(), QStringLiteral("160:00"));
            sel->btOkClick();
        }));
        TfmMain main(s);
        main.setAutoStart(false);
        main.show();
        QVERIFY(main.firstActivation());
        QVERIFY(driver.unhandled.empty());
        QVERIFY(!driver.saw(QStringLiteral("TfmCorpInfo")));
        QCOMPARE(main.windowTitle(),
                 QStringLiteral("カナリエ 【オルバネ商事 令和8年4月支給給与】"));
        QCOMPARE(main.model().rowCount(), 3);
        orvScreenshot(&main, QStringLiteral("firstrun_main_reopened"));
        const PayImage &img = *s.img;
        for (int slot = kMonthly; slot <= kHourly; ++slot) {
            const char *who = staff[slot - 1].name;
            QVERIFY2(sameBytes(savedSyain[slot], img.Syain[slot]), who);
            QVERIFY2(sameBytes(savedKintai[slot], img.Kintai[slot]), who);
            QVERIFY2(sameBytes(savedSikyu[slot], img.Sikyu[slot]), who);
            QVERIFY2(sameBytes(savedKoujo[slot], img.Koujo[slot]), who);
        }
        QCOMPARE(img.Sikyu[kMonthly].SikyuTotal, expected[kMonthly].sikyuTotal);
        QVERIFY(!SlotInUse(img, 4));
        p.rules = {{"カナリエを終了しますか？", Prompter::Answer::Yes},
                   {"データが変更されています。", Prompter::Answer::Cancel}};
        QVERIFY(main.close());
        QVERIFY(!p.wasAsked("データが変更されています。"));
    }
}

QTEST_MAIN(FirstRunTest)
#include "screen_firstrun_test.moc"
