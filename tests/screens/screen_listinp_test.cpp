// The list input grid driven through its real cell editors.

#include "core/calc/calc.h"
#include "core/util/numtext.h"
#include "entryfixture.h"
#include "screens/listinpmodel.h"
#include "screens/numedit.h"
#include "screens/tfmlistinp.h"
#include "screenshot.h"
#include "settings/options.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace orv;

class ListInpTest : public QObject {
    Q_OBJECT

    static void open(TfmListInp &dlg)
    {
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }
    static int column(TfmListInp &dlg, int slot)
    {
        for (int c = 0; c < dlg.model().columnCount(); ++c)
            if (dlg.model().slotOfColumn(c) == slot)
                return c;
        return -1;
    }
    // Selects the cell (the editor opens at once), types and presses Enter.
    static void type(TfmListInp &dlg, const QString &row, int slot, const QString &text,
                     bool enter = true)
    {
        const int r = dlg.model().rowOf(row), c = column(dlg, slot);
        QVERIFY2(r >= 0 && c >= 0, qPrintable(row));
        QVERIFY2(dlg.model().isEditable(r, c), qPrintable(row));
        dlg.grid()->setCurrentIndex(dlg.model().index(r, c));
        if (!dlg.grid()->currentEditor()) // already the current cell: open it as a double click would
            dlg.grid()->edit(dlg.model().index(r, c));
        QWidget *editor = dlg.grid()->currentEditor();
        QVERIFY(editor);
        QCOMPARE(editor->testAttribute(Qt::WA_InputMethodEnabled), false);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        if (enter)
            QTest::keyClick(editor, Qt::Key_Return);
    }
    static QString cell(TfmListInp &dlg, const QString &row, int slot)
    {
        return dlg.model().index(dlg.model().rowOf(row), column(dlg, slot)).data().toString();
    }

private slots:
    void monthlyDailyHourlyThroughTheGrid()
    {
        EntryCompany c;
        c.newPeriod(4);
        c.s.img->Kintai[1].SyoteiNissu = 5; // reset to the period's days on closing
        TfmListInp dlg(c.s, nullptr);
        open(dlg);
        ListInpModel &m = dlg.model();
        QCOMPARE(m.columnCount(), 3);
        QCOMPARE(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("月給　一郎"));
        QCOMPARE(m.headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("明細入力画面を表示"));
        QVERIFY(!m.isEditable(m.rowOf(QStringLiteral("欠勤日数")), column(dlg, EntryCompany::kHourly)));
        QVERIFY(m.isEditable(m.rowOf(QStringLiteral("実働時間")), column(dlg, EntryCompany::kHourly)));
        QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("lbJikan"))->text(), QStringLiteral("所定労働時間： 168.00時間"));

        type(dlg, QStringLiteral("欠勤日数"), EntryCompany::kMonthly, QStringLiteral("2"));
        QCOMPARE(cell(dlg, QStringLiteral("欠勤日数"), EntryCompany::kMonthly), QStringLiteral("2.00"));
        // Enter went down the column to the next row editable for this employee.
        QCOMPARE(dlg.grid()->currentIndex().row(), m.nextEditableRow(m.rowOf(QStringLiteral("欠勤日数")), 0));
        type(dlg, QStringLiteral("出勤日数"), EntryCompany::kDaily, QStringLiteral("20"));
        type(dlg, QStringLiteral("有休日数"), EntryCompany::kDaily, QStringLiteral("1"));
        type(dlg, QStringLiteral("実働時間"), EntryCompany::kHourly, QStringLiteral("291.69"));
        QCOMPARE(cell(dlg, QStringLiteral("実働時間"), EntryCompany::kHourly), QStringLiteral("291:41"));
        type(dlg, QStringLiteral("普通残業時間"), EntryCompany::kMonthly, QStringLiteral("1:45"));
        // Nothing reaches the records before the write-back.
        QCOMPARE(c.s.img->Kintai[1].KekkinNissu, 0.0);
        orvScreenshot(&dlg, QStringLiteral("listinp_hendo"));

        // The fixed page: a typed amount becomes an entry by hand, shown in red.
        dlg.findChild<QPushButton *>(QStringLiteral("sbKotei"))->click();
        QCOMPARE(m.page(), ListInpModel::Page::Kotei);
        QVERIFY(m.rowOf(QStringLiteral("課税支給合計")) < 0);
        QVERIFY(m.rowOf(QStringLiteral("社会保険料計")) < 0);
        type(dlg, QStringLiteral("役職手当"), EntryCompany::kMonthly, QStringLiteral("5000"));
        QCOMPARE(cell(dlg, QStringLiteral("役職手当"), EntryCompany::kMonthly), QStringLiteral("5,000"));
        const QModelIndex yakuin = m.index(m.rowOf(QStringLiteral("役職手当")), 0);
        QCOMPARE(yakuin.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
        orvScreenshot(&dlg, QStringLiteral("listinp_kotei"));

        dlg.reject(); // closing writes both pages back and recomputes
        QVERIFY(!dlg.isVisible());
        const PayImage &img = *c.s.img;
        QCOMPARE(img.Kintai[1].SyoteiNissu, 21.0);
        QCOMPARE(img.Kintai[1].KekkinNissu, 2.0);
        QCOMPARE(img.Kintai[1].ZangyoJikan, 1.75);
        QCOMPARE(img.Sikyu[1].Kekkin, -22272);
        QCOMPARE(img.Sikyu[1].Zangyo, 3150); // 1.75 h x 1,800
        QCOMPARE(img.Sikyu[1].Yakuin, 5000);
        QVERIFY(img.Sikyu[1].Manual[1]);
        QVERIFY(!img.Sikyu[2].Manual[1]);
        QCOMPARE(img.Sikyu[1].SikyuTotal, 245000 - 22272 + 3150 + 5000);
        QCOMPARE(img.Sikyu[2].Kihonkyu, 186900);
        QCOMPARE(img.Sikyu[3].Kihonkyu, 300150);
        QCOMPARE(img.Kintai[3].JitudoJikan, 291.69);
        QCOMPARE(SasihikiSikyu(img, 2, c.s.items), std::int64_t(img.Sikyu[2].SikyuTotal) - img.Koujo[2].KoujoTotal);
        QVERIFY(c.ask.asked.empty());

        const ListWindowGeometry g = readListWindow(c.s.corpIni, "ListInp");
        QCOMPARE(g.state, std::string("wsNormal"));
        QCOMPARE(g.width, dlg.width());

        QVERIFY(c.save());
        c.s.img = std::make_unique<PayImage>();
        QVERIFY(c.s.openPeriod(c.file, 4));
        TfmListInp again(c.s, nullptr);
        open(again);
        QCOMPARE(cell(again, QStringLiteral("欠勤日数"), EntryCompany::kMonthly), QStringLiteral("2.00"));
        QCOMPARE(cell(again, QStringLiteral("出勤日数"), EntryCompany::kDaily), QStringLiteral("20.00"));
        QCOMPARE(cell(again, QStringLiteral("実働時間"), EntryCompany::kHourly), QStringLiteral("291:41"));
        again.reject();
        QCOMPARE(c.s.img->Sikyu[3].Kihonkyu, 300150);
        QCOMPARE(c.s.img->Sikyu[1].Yakuin, 5000);
    }

    void badInputChangesNothing()
    {
        EntryCompany c;
        c.newPeriod(4);
        c.s.img->Kintai[2].SyukkinNissu = 18;
        TfmListInp dlg(c.s, nullptr);
        open(dlg);
        const QString days = QStringLiteral("出勤日数");

        // Letters never get into a cell.
        type(dlg, days, EntryCompany::kDaily, QStringLiteral("1x9"), false);
        QCOMPARE(static_cast<NumEdit *>(dlg.grid()->currentEditor())->text(), QStringLiteral("19"));
        QTest::keyClick(dlg.grid()->currentEditor(), Qt::Key_Escape);
        QCOMPARE(cell(dlg, days, EntryCompany::kDaily), QStringLiteral("18.00"));

        // A doubled point: the message, the cell as it was.
        type(dlg, days, EntryCompany::kDaily, QStringLiteral("1.2.3"));
        QCOMPARE(c.ask.asked, std::vector<std::string>{kDuplicateSeparatorMessage});
        QCOMPARE(cell(dlg, days, EntryCompany::kDaily), QStringLiteral("18.00"));

        // Above 31 days: the message and an empty cell, stored as 0.
        c.ask.asked.clear();
        type(dlg, days, EntryCompany::kDaily, QStringLiteral("32"));
        QCOMPARE(c.ask.asked, std::vector<std::string>{kDaysOver31Message});
        QCOMPARE(cell(dlg, days, EntryCompany::kDaily), QString());
        dlg.reject();
        QCOMPARE(c.s.img->Kintai[2].SyukkinNissu, 0.0);
        QCOMPARE(c.s.img->Sikyu[2].Kihonkyu, 0);
    }

    void paidLeaveBalanceAndNameClick()
    {
        EntryCompany c;
        c.newPeriod(3);
        c.s.img->Kintai[EntryCompany::kDaily].YukyuZan = 10;
        QVERIFY(c.save());
        c.newPeriod(4);
        TfmListInp dlg(c.s, nullptr);
        open(dlg);
        type(dlg, QStringLiteral("有休日数"), EntryCompany::kDaily, QStringLiteral("4.5"));
        QCOMPARE(cell(dlg, QStringLiteral("有休残日数"), EntryCompany::kDaily), QStringLiteral("5.50"));

        // A click on a name stores the grid, recomputes, opens the detail screen, refills.
        type(dlg, QStringLiteral("出勤日数"), EntryCompany::kDaily, QStringLiteral("15"), false);
        int opened = 0;
        dlg.openDataEdit = [&](int slot) {
            opened = slot;
            QCOMPARE(c.s.img->Kintai[slot].SyukkinNissu, 15.0);
            QCOMPARE(c.s.img->Sikyu[slot].Kihonkyu, 15 * 9000 + 4.5 * 6900);
            c.s.img->Kintai[slot].SyukkinNissu = 16; // as if changed there
        };
        const int col = column(dlg, EntryCompany::kDaily);
        const QRect section(dlg.grid()->horizontalHeader()->sectionViewportPosition(col), 0,
                            dlg.grid()->horizontalHeader()->sectionSize(col), 10);
        QTest::mouseClick(dlg.grid()->horizontalHeader()->viewport(), Qt::LeftButton, {}, section.center());
        QCOMPARE(opened, EntryCompany::kDaily);
        QCOMPARE(cell(dlg, QStringLiteral("出勤日数"), EntryCompany::kDaily), QStringLiteral("16.00"));
        QCOMPARE(c.s.img->Kintai[EntryCompany::kDaily].YukyuZan, 5.5);
        dlg.reject();
    }

    void columnsFollowSequenceNumbers()
    {
        EntryCompany c;
        c.newPeriod(4);
        c.s.img->Syain[1].SeqNo = 2;
        c.s.img->Syain[2].SeqNo = 1;
        c.s.img->Syain[3].TaiYMD.set("20260331");
        c.s.recalcAll();
        TfmListInp dlg(c.s, nullptr);
        open(dlg);
        QCOMPARE(dlg.model().columnCount(), 2);
        QCOMPARE(dlg.model().slotOfColumn(0), 2);
        QCOMPARE(dlg.model().slotOfColumn(1), 1);
        dlg.reject();
        QCOMPARE(c.s.img->Sikyu[3].SikyuTotal, 0);
    }

    void bonusExceptionAnsweredBothWays()
    {
        for (bool yes : {false, true}) {
            EntryCompany c;
            c.newPeriod(13);
            c.s.img->Head.SikyuM[0] = 7;
            c.s.img->Head.SikyuD[0] = 10;
            TfmListInp dlg(c.s, nullptr);
            open(dlg);
            QVERIFY(dlg.model().rowOf(QStringLiteral("欠勤日数")) < 0);
            type(dlg, QStringLiteral("賞与"), EntryCompany::kMonthly, QStringLiteral("300000"));
            type(dlg, QStringLiteral("賞与"), EntryCompany::kDaily, QStringLiteral("100000"));
            if (yes)
                orvScreenshot(&dlg, QStringLiteral("listinp_bonus"));
            c.ask.answers = {yes ? Prompter::Answer::Yes : Prompter::Answer::No};
            dlg.reject();
            const std::string question = std::string(kTaxExceptionWarning) + kTaxExceptionAskAll;
            // Asked once for all the employees without last month's salary.
            if (yes)
                QCOMPARE(c.ask.asked, (std::vector<std::string>{question, kTaxSwitchedAll}));
            else
                QCOMPARE(c.ask.asked, std::vector<std::string>{question});
            const PayImage &img = *c.s.img;
            QCOMPARE(img.Sikyu[1].Kihonkyu, 300000);
            QCOMPARE(img.Sikyu[2].Kihonkyu, 100000);
            for (int a : {1, 2, 3}) {
                QCOMPARE(bool(img.Koujo[a].Manual[7]), yes);
                QCOMPARE(img.Koujo[a].Syotoku, 0);
            }
            // Switched, the typed tax is kept and nobody is asked again; otherwise asked again.
            c.ask.asked.clear();
            recalcAllAndAsk(c.s);
            QCOMPARE(c.ask.asked.empty(), yes);
        }
    }
};

QTEST_MAIN(ListInpTest)
#include "screen_listinp_test.moc"
