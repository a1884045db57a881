// The detail entry screen driven through its real fields.

#include "core/calc/calc.h"
#include "core/util/numtext.h"
#include "entryfixture.h"
#include "screens/entryitems.h"
#include "screens/numedit.h"
#include "screens/tfmdataedit.h"
#include "screenshot.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cmath>

using namespace orv;

class DataEditTest : public QObject {
    Q_OBJECT

    // Types a value into the captioned field and presses Enter.
    static void enter(TfmDataEdit &dlg, const QString &caption, const QString &text)
    {
        NumEdit *f = dlg.field(caption);
        QVERIFY2(f, qPrintable(caption));
        typeInto(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }
    static QString shown(TfmDataEdit &dlg, const QString &caption)
    {
        NumEdit *f = dlg.field(caption);
        return f ? f->text() : QStringLiteral("<none>");
    }
    static void open(TfmDataEdit &dlg, int slot)
    {
        dlg.setSlot(slot);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }

private slots:
    void monthlyDailyHourlyEntrySaveReopen()
    {
        EntryCompany c;
        c.newPeriod(4);
        TfmDataEdit dlg(c.s, nullptr);
        open(dlg, EntryCompany::kMonthly);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("明細入力画面 【月給　一郎】"));
        QVERIFY(dlg.field(QStringLiteral("基本給")));
        QVERIFY(dlg.field(QStringLiteral("所定労働日数"))->isReadOnly());

        enter(dlg, QStringLiteral("欠勤日数"), QStringLiteral("2"));
        QCOMPARE(shown(dlg, QStringLiteral("欠勤日数")), QStringLiteral("2.00"));
        QCOMPARE(shown(dlg, QStringLiteral("欠勤控除")), QStringLiteral("-22,272"));
        QCOMPARE(dlg.totalText(EntryGroup::Sikyu), QStringLiteral("222,728"));
        QCOMPARE(c.s.img->Sikyu[1].Kekkin, -22272);
        // The focus moved on to the next field.
        QCOMPARE(dlg.caption(qobject_cast<NumEdit *>(QApplication::focusWidget())),
                 QStringLiteral("特別休暇日数")); // 休日出勤日数 is not an item of the monthly form
        const auto &k1 = c.s.img->Koujo[1];
        QCOMPARE(dlg.netPayText(),
                 QString::fromStdString(trim(FmtKingaku(1, 222728.0 - k1.KoujoTotal))));
        QVERIFY(k1.Syotoku > 0); // the tax of the table
        orvScreenshot(&dlg, QStringLiteral("dataedit_monthly"));

        // Alt+Right shows the daily employee.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(dlg.slot(), EntryCompany::kDaily);
        QVERIFY(dlg.field(QStringLiteral("日給計")));
        QVERIFY(!dlg.field(QStringLiteral("基本給")));
        enter(dlg, QStringLiteral("出勤日数"), QStringLiteral("20"));
        enter(dlg, QStringLiteral("有休日数"), QStringLiteral("1"));
        QCOMPARE(shown(dlg, QStringLiteral("日給計")), QStringLiteral("186,900"));
        orvScreenshot(&dlg, QStringLiteral("dataedit_daily"));

        // The mouse's forward button shows the hourly employee.
        QTest::mouseClick(dlg.field(QStringLiteral("出勤日数")), Qt::ForwardButton);
        QCOMPARE(dlg.slot(), EntryCompany::kHourly);
        QVERIFY(dlg.field(QStringLiteral("時給計")));
        QVERIFY(!dlg.field(QStringLiteral("欠勤日数"))); // not an item of the hourly form
        enter(dlg, QStringLiteral("実働時間"), QStringLiteral("291.69"));
        QCOMPARE(shown(dlg, QStringLiteral("時給計")), QStringLiteral("300,150"));
        QCOMPARE(shown(dlg, QStringLiteral("実働時間")), QStringLiteral("291:41"));
        // Another entry does not re-read the hours from their h:mm display.
        enter(dlg, QStringLiteral("有休日数"), QStringLiteral("0"));
        QCOMPARE(c.s.img->Kintai[3].JitudoJikan, 291.69);
        QCOMPARE(c.s.img->Sikyu[3].Kihonkyu, 300150);
        orvScreenshot(&dlg, QStringLiteral("dataedit_hourly"));

        // Back again: PageDown shows the previous employee, the mouse's back button too.
        QTest::keyClick(dlg.field(QStringLiteral("実働時間")), Qt::Key_PageDown);
        QCOMPARE(dlg.slot(), EntryCompany::kDaily);
        QTest::mouseClick(dlg.field(QStringLiteral("出勤日数")), Qt::BackButton);
        QCOMPARE(dlg.slot(), EntryCompany::kMonthly);
        QVERIFY(!dlg.findChild<QPushButton *>(QStringLiteral("btPrev"))->isEnabled());
        QTest::keyClick(dlg.field(QStringLiteral("出勤日数")), Qt::Key_PageDown);
        QCOMPARE(dlg.slot(), EntryCompany::kMonthly); // nothing before the first
        dlg.reject();
        QVERIFY(!dlg.isVisible());

        QVERIFY(c.save());
        c.s.img = std::make_unique<PayImage>();
        QVERIFY(c.s.openPeriod(c.file, 4));
        c.s.recalcAll();
        QCOMPARE(c.s.img->Sikyu[1].Kekkin, -22272);
        QCOMPARE(c.s.img->Sikyu[2].Kihonkyu, 186900);
        QCOMPARE(c.s.img->Sikyu[3].Kihonkyu, 300150);
        TfmDataEdit again(c.s, nullptr);
        open(again, EntryCompany::kDaily);
        QCOMPARE(shown(again, QStringLiteral("出勤日数")), QStringLiteral("20.00"));
        QCOMPARE(shown(again, QStringLiteral("日給計")), QStringLiteral("186,900"));
        QVERIFY(c.ask.asked.empty());
    }

    void badInputChangesNothing()
    {
        EntryCompany c;
        c.newPeriod(4);
        c.s.img->Kintai[1].KekkinNissu = 1;
        c.s.recalcAll();
        TfmDataEdit dlg(c.s, nullptr);
        open(dlg, EntryCompany::kMonthly);
        NumEdit *days = dlg.field(QStringLiteral("欠勤日数"));

        // A character that does not belong to a number is dropped.
        typeInto(days, QStringLiteral("1a"));
        QCOMPARE(days->text(), QStringLiteral("1"));

        // A misplaced sign: the message, the field as it was, the records unchanged.
        typeInto(days, QStringLiteral("1-2"));
        QTest::keyClick(days, Qt::Key_Return);
        QVERIFY(c.ask.wasAsked(kSignPositionMessage));
        QCOMPARE(days->text(), QStringLiteral("1.00"));
        QCOMPARE(c.s.img->Kintai[1].KekkinNissu, 1.0);
        QCOMPARE(c.s.img->Sikyu[1].Kekkin, -11136);
        QCOMPARE(QApplication::focusWidget(), days);

        // A day count above 31: the message, 0 days, recalculated, the focus kept.
        c.ask.asked.clear();
        typeInto(days, QStringLiteral("32"));
        QTest::keyClick(days, Qt::Key_Return);
        QCOMPARE(c.ask.asked.size(), std::size_t(1));
        QCOMPARE(c.ask.asked[0], std::string(kDaysOver31Message));
        QCOMPARE(days->text(), QStringLiteral("0.00"));
        QCOMPARE(c.s.img->Kintai[1].KekkinNissu, 0.0);
        QCOMPARE(c.s.img->Sikyu[1].Kekkin, 0);
        QCOMPARE(QApplication::focusWidget(), days);

        // A close request whose leaving steps reformat the field keeps the window open.
        typeInto(days, QStringLiteral("3"));
        dlg.reject();
        QVERIFY(dlg.isVisible());
        QCOMPARE(days->text(), QStringLiteral("3.00"));
        dlg.reject();
        QVERIFY(!dlg.isVisible());
        QCOMPARE(c.s.img->Kintai[1].KekkinNissu, 3.0);
    }

    void manualTaxAndCalculator()
    {
        EntryCompany c;
        c.newPeriod(4);
        c.s.recalcAll();
        const std::int32_t computed = c.s.img->Koujo[1].Syotoku;
        QVERIFY(computed > 0);
        TfmDataEdit dlg(c.s, nullptr);
        open(dlg, EntryCompany::kMonthly);
        auto *manual = dlg.findChild<QPushButton *>(QStringLiteral("btManual"));
        auto *calc = dlg.findChild<QPushButton *>(QStringLiteral("btCalc"));

        NumEdit *tax = dlg.field(QStringLiteral("所得税"));
        tax->setFocus();
        QVERIFY(tax->isReadOnly());
        QVERIFY(manual->isEnabled());
        QVERIFY(!calc->isEnabled());
        manual->click();
        QVERIFY(!tax->isReadOnly());
        QCOMPARE(tax->palette().color(QPalette::Text), QColor(Qt::red));
        typeInto(tax, QStringLiteral("1234"));
        QTest::keyClick(tax, Qt::Key_Return);
        QCOMPARE(c.s.img->Koujo[1].Syotoku, 1234);
        dlg.findChild<QPushButton *>(QStringLiteral("btRecalc"))->click();
        QCOMPARE(tax->text(), QStringLiteral("1,234"));
        tax->setFocus();
        manual->click();
        QVERIFY(tax->isReadOnly());
        QCOMPARE(c.s.img->Koujo[1].Syotoku, computed);
        QCOMPARE(tax->text(), QString::fromStdString(trim(FmtKingaku(1, computed))));

        // Totals are never entered by hand.
        dlg.field(QStringLiteral("社会保険料計"))->setFocus();
        QVERIFY(!manual->isEnabled());

        // The calculator's result goes into the focused field; values that do not fit are refused.
        NumEdit *over = dlg.field(QStringLiteral("普通残業時間"));
        over->setFocus();
        QVERIFY(calc->isEnabled());
        long double next = 0;
        dlg.runCalculator = [&](long double &v) {
            v = next;
            return true;
        };
        for (long double bad : {static_cast<long double>(NAN), static_cast<long double>(INFINITY), 1000.0L}) {
            c.ask.asked.clear();
            next = bad;
            calc->click();
            QCOMPARE(c.ask.asked.size(), std::size_t(1));
            QCOMPARE(c.ask.asked[0], std::string(kCalcResultRefusedMessage));
            QCOMPARE(over->text(), QStringLiteral("0:00"));
        }
        next = 7.5;
        calc->click();
        QCOMPARE(over->text(), QStringLiteral("7:30"));
        QTest::keyClick(over, Qt::Key_Return);
        QCOMPARE(c.s.img->Kintai[1].ZangyoJikan, 7.5);
        QCOMPARE(c.s.img->Sikyu[1].Zangyo, 13500);
        // An amount beyond the field's seven digits is refused too.
        dlg.field(QStringLiteral("所得税"))->setFocus();
        manual->click();
        const std::int32_t before = c.s.img->Koujo[1].Syotoku;
        const QString shownBefore = dlg.field(QStringLiteral("所得税"))->text();
        c.ask.asked.clear();
        next = 12345678.0;
        calc->click();
        QVERIFY(c.ask.wasAsked(kCalcResultRefusedMessage));
        QCOMPARE(dlg.field(QStringLiteral("所得税"))->text(), shownBefore);
        QTest::keyClick(dlg.field(QStringLiteral("所得税")), Qt::Key_Return);
        QCOMPARE(c.s.img->Koujo[1].Syotoku, before);
    }

    void paidLeaveBalanceFromPreviousMonth()
    {
        EntryCompany c;
        c.newPeriod(3);
        c.s.img->Kintai[EntryCompany::kDaily].YukyuZan = 10;
        QVERIFY(c.save());
        c.newPeriod(4);
        TfmDataEdit dlg(c.s, nullptr);
        open(dlg, EntryCompany::kDaily);
        enter(dlg, QStringLiteral("有休日数"), QStringLiteral("4.5"));
        QCOMPARE(shown(dlg, QStringLiteral("有休残日数")), QStringLiteral("5.50"));
        QCOMPARE(c.s.img->Kintai[EntryCompany::kDaily].YukyuZan, 5.5);
        // No balance found for an employee the previous month did not have: nothing changes.
        c.s.img->Syain[EntryCompany::kHourly].UniqueKey.set("new_employee");
        dlg.setSlot(EntryCompany::kHourly);
        c.s.img->Kintai[EntryCompany::kHourly].YukyuZan = 3;
        dlg.setSlot(EntryCompany::kHourly);
        enter(dlg, QStringLiteral("有休日数"), QStringLiteral("1"));
        QCOMPARE(c.s.img->Kintai[EntryCompany::kHourly].YukyuZan, 3.0);
    }

    void bonusExceptionAnsweredBothWays()
    {
        EntryCompany c;
        c.newPeriod(13);
        c.s.img->Head.SikyuM[0] = 7;
        c.s.img->Head.SikyuD[0] = 10;
        TfmDataEdit dlg(c.s, nullptr);
        open(dlg, EntryCompany::kMonthly);
        QVERIFY(!dlg.field(QStringLiteral("欠勤日数"))); // no attendance in a bonus period
        QVERIFY(!dlg.field(QStringLiteral("賞与"))->isReadOnly());
        QVERIFY(!dlg.field(QStringLiteral("役員報酬"))->isReadOnly());
        const std::string question = std::string(kTaxExceptionWarning) + kTaxExceptionAskOne;

        // No: the tax stays 0 and is not switched; the question comes again next time.
        c.ask.answers = {Prompter::Answer::No};
        enter(dlg, QStringLiteral("賞与"), QStringLiteral("300000"));
        QCOMPARE(c.ask.asked, std::vector<std::string>{question});
        QCOMPARE(c.s.img->Sikyu[1].Kihonkyu, 300000);
        QCOMPARE(c.s.img->Koujo[1].Syotoku, 0);
        QVERIFY(!c.s.img->Koujo[1].Manual[7]);
        orvScreenshot(&dlg, QStringLiteral("dataedit_bonus"));

        // Yes: switched, the focus on the income tax, the notice.
        c.ask.asked.clear();
        c.ask.answers = {Prompter::Answer::Yes};
        enter(dlg, QStringLiteral("賞与"), QStringLiteral("310000"));
        QCOMPARE(c.ask.asked, (std::vector<std::string>{question, kTaxSwitchedOne}));
        QVERIFY(c.s.img->Koujo[1].Manual[7]);
        NumEdit *tax = dlg.field(QStringLiteral("所得税"));
        QCOMPARE(QApplication::focusWidget(), tax);
        QVERIFY(!tax->isReadOnly());
        typeInto(tax, QStringLiteral("12000"));
        QTest::keyClick(tax, Qt::Key_Return);
        QCOMPARE(c.s.img->Koujo[1].Syotoku, 12000);
        QVERIFY(c.s.zeiOk[1]);
    }

    void employeeInfoIsViewOnly()
    {
        EntryCompany c;
        c.newPeriod(4);
        TfmDataEdit dlg(c.s, nullptr);
        std::vector<int> shownSlots;
        dlg.showEmployee = [&](int slot) { shownSlots.push_back(slot); };
        open(dlg, EntryCompany::kDaily);
        auto *memb = dlg.findChild<QPushButton *>(QStringLiteral("btMemb"));
        QVERIFY(memb->isEnabled());
        memb->click();
        memb->click();
        // The notice comes with the first use only.
        QCOMPARE(c.ask.asked, std::vector<std::string>{"社員情報の表示のみであり、編集は出来ません。\r(社員情報の編集はメイン画面から選択して下さい)"});
        QCOMPARE(shownSlots, (std::vector<int>{EntryCompany::kDaily, EntryCompany::kDaily}));
    }

    void employeeOrder()
    {
        // Sequence numbers first (with gaps and duplicates), the unnumbered after them.
        EntryCompany c;
        c.newPeriod(4);
        PayImage &img = *c.s.img;
        c.employee(5, "五", 1, 200000);
        c.employee(9, "九", 1, 200000);
        struct Case {
            std::array<int, 5> seq; // of slots 1, 2, 3, 5, 9
            std::vector<int> order;
        };
        const Case cases[] = {
            {{0, 0, 0, 0, 0}, {1, 2, 3, 5, 9}},
            {{0, 2, 0, 1, 3}, {5, 2, 9, 1, 3}},
            {{7, 7, 2, 0, 9}, {3, 1, 2, 9, 5}},
        };
        const int slotList[5] = {1, 2, 3, 5, 9};
        for (const Case &k : cases) {
            for (int i = 0; i < 5; ++i)
                img.Syain[slotList[i]].SeqNo = static_cast<std::uint16_t>(k.seq[i]);
            QCOMPARE(orderedSlots(img), k.order);
            for (std::size_t i = 0; i < k.order.size(); ++i) {
                QCOMPARE(previousSlot(img, k.order[i]), i == 0 ? 0 : k.order[i - 1]);
                QCOMPARE(nextSlot(img, k.order[i]), i + 1 == k.order.size() ? 0 : k.order[i + 1]);
            }
        }
        // A retired employee is skipped.
        img.Syain[2].TaiYMD.set("20260301");
        QCOMPARE(nextSlot(img, 1), 9);
        QCOMPARE(previousSlot(img, 9), 1);
    }
};

QTEST_MAIN(DataEditTest)
#include "screen_dataedit_test.moc"
