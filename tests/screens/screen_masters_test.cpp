// A company and its employees set up through the company information window and the employee
// editor alone; a rate change that sets the premiums again; the new-employee template.

#include "core/calc/premiums.h"
#include "core/syslog/syslog.h"
#include "screen_masters_support.h"
#include "screens/tfmcorpinfo.h"
#include "screens/tfmkenhohyo.h"
#include "screens/tfmkenritu.h"
#include "screens/tfmmembedit.h"
#include "screenshot.h"
#include "settings/membertemplate.h"
#include "settings/options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

using namespace orv;

namespace {

std::string name(const TSyainRec &r) { return sjisToUtf8(r.Simei.view()); }

// Fills the company window as a new user would and confirms it.
void setUpCompany(MastersCompany &c)
{
    TfmCorpInfo corp(c.s);
    QVERIFY(corp.firstTime());
    corp.show();
    QVERIFY(c.ask.wasAsked("会社名や所定労働条件などの会社情報を設定して下さい。"));
    QCOMPARE(child<QLineEdit>(&corp, "edSyamei")->text(), QString("株式会社○○"));
    orvScreenshot(&corp, "TfmCorpInfo_firsttime");
    typeCompany(&corp);
    click(&corp, "btOk");
    QCOMPARE(corp.result(), int(QDialog::Accepted));
}

// One new employee through the editor: name, pay form, basic pay, dependants, insurance and a
// grade from the grade table (by its standard amount).
void addEmployee(MastersCompany &c, const QString &nm, int keitai, const QString &pay, int hyojun)
{
    TfmMembEdit ed(c.s);
    ed.setNew();
    ed.show();
    typeEmployee(&ed, nm, keitai, pay);
    const int g = c.s.tables.grades()->gradeFor(hyojun);
    c.ask.answers.push_back(Prompter::Answer::Yes); // the grade-table question (first time only)
    onNextModal([g](QWidget *m) {
        if (!pickGrade(m, g))
            m->close();
    });
    click(&ed, "btTokyu");
    c.ask.answers.clear();
    orvScreenshot(&ed, "TfmMembEdit");
    click(&ed, "btOk");
    QCOMPARE(ed.result(), int(QDialog::Accepted));
}

} // namespace

class MastersTest : public QObject {
    Q_OBJECT

private slots:
    void companyAndThreeEmployees()
    {
        MastersCompany c;
        setUpCompany(c);
        const TKihonRec &k = c.s.img->Kihon;
        QCOMPARE(sjisToUtf8(k.Syamei.view()), std::string("オルバネ商事"));
        QCOMPARE(std::int64_t(k.HouNo), std::int64_t(7000012050002LL));
        QCOMPARE(k.Sikyubi, 25);
        QCOMPARE(k.JikanD, 8.0);
        QCOMPARE(k.KenRitu, 4.95);
        QCOMPARE(k.KoyRitu, 0.3); // defaults of a new company
        QCOMPARE(k.KaiRitu, 0.865);
        QCOMPARE(k.NenRitu, 9.15);
        QCOMPARE(readDefJikanD(c.s.corpIni), 8.0);

        addEmployee(c, "山田 太郎", 1, "250,000", 300000);
        addEmployee(c, "佐藤 花子", 2, "9000", 200000);
        addEmployee(c, "鈴木 次郎", 3, "1100", 98000);
        const PayImage &img = *c.s.img;
        QCOMPARE(name(img.Syain[1]), std::string("山田 太郎"));
        QCOMPARE(name(img.Syain[3]), std::string("鈴木 次郎"));
        QVERIFY(!SlotInUse(img, 4));
        QCOMPARE(img.Syain[1].Chingin1, 250000);
        QCOMPARE(img.Syain[2].Keitai, 2);
        QCOMPARE(img.Syain[1].Fuyou, 1);
        QCOMPARE(img.Syain[1].Sinzoku, 1); // raised with the dependants
        // Grade table with health 4.95 % and care 0.865 %: 300,000 gives 14,850 and 2,595.
        QCOMPARE(img.Syain[1].KenhoRyo, 14850);
        QCOMPARE(img.Syain[1].KaigoRyo, 2595);
        QCOMPARE(int(img.Syain[1].KenhoTokyu), c.s.tables.grades()->gradeFor(300000));
        // Every employee was recomputed: the premium is deducted.
        QCOMPARE(img.Koujo[1].KenhoRyo, 14850);
        QCOMPARE(img.Sikyu[1].Kihonkyu, 250000);
        // Each registration is in the system log.
        auto log = readSysLog(c.s.dataDir);
        QVERIFY(log.isOk());
        QCOMPARE(int(log->size()), 3);
        QVERIFY(log->at(0).find("従業員情報の登録") != std::string::npos);
        // The grade question was asked once in the run.
        int asked = 0;
        for (const auto &t : c.ask.asked)
            asked += t.find("健康保険等級表から") != std::string::npos;
        QCOMPARE(asked, 1);

        // A change is logged as one.
        TfmMembEdit ed(c.s);
        ed.setSlot(2);
        ed.show();
        setText(&ed, "edBusyo", "営業部");
        click(&ed, "btOk");
        QCOMPARE(sjisToUtf8(img.Syain[2].Busyo.view()), std::string("営業部"));
        log = readSysLog(c.s.dataDir);
        QVERIFY(log->back().find("従業員情報の更新") != std::string::npos);
    }

    void companyChecks()
    {
        MastersCompany c;
        struct Case {
            const char *field, *text, *message;
        } cases[] = {
            {"edSyamei", "  ", "会社名が入力されていません。"},
            {"edSikyubi", "32", "給与支給日の入力に誤りがあります。"},
            {"edSikyubi", "0", "給与支給日の入力に誤りがあります。"},
            {"edHouNo", "000012050002", "法人番号の入力に誤りがあります。"}, // 12 digits
            {"edHouNo", "8000012050002", "法人番号の入力に誤りがあります。"}, // check digit
        };
        for (const auto &cs : cases) {
            TfmCorpInfo corp(c.s);
            corp.show();
            setText(&corp, "edKenRitu", "4.95");
            setText(&corp, cs.field, cs.text);
            c.ask.asked.clear();
            click(&corp, "btOk");
            QVERIFY2(c.ask.wasAsked(cs.message), cs.text);
            QVERIFY(corp.isVisible());
            QCOMPARE(corp.focusWidget(), child<QLineEdit>(&corp, cs.field));
            corp.close();
        }
        // The pay day 31 is the month end; the first-time cancel asks before ending.
        TfmCorpInfo corp(c.s);
        corp.show();
        c.ask.answers = {Prompter::Answer::No};
        corp.reject();
        QVERIFY(corp.isVisible());
        QVERIFY(c.ask.wasAsked("初期設定を中止し、カナリエを終了して宜しいですか？"));
        // Cancel keeps the defaults written at opening and nothing else.
        c.ask.answers = {Prompter::Answer::Yes};
        corp.reject();
        QVERIFY(!corp.isVisible());
        QCOMPARE(c.s.img->Kihon.KoyRitu, 0.3);
        QVERIFY(c.s.img->Kihon.Syamei.empty());
    }

    void ratePickerAndRateChange()
    {
        MastersCompany c;
        setUpCompany(c);
        addEmployee(c, "山田 太郎", 1, "250000", 300000);
        addEmployee(c, "佐藤 花子", 1, "200000", 200000);
        // An employee without a grade is named afterwards.
        TfmMembEdit ed(c.s);
        ed.setNew();
        ed.show();
        setText(&ed, "edSimei", "等級 なし");
        setText(&ed, "edKenhoRyo", "1000");
        click(&ed, "btOk");

        // The rate picker: the rate field of the chosen line, halved.
        TfmCorpInfo corp(c.s);
        QVERIFY(!corp.firstTime());
        corp.show();
        const auto *rates = c.s.tables.rates();
        QVERIFY(rates && !rates->empty());
        bool okAtFirst = true;
        onNextModal([&](QWidget *m) {
            auto *picker = qobject_cast<TfmKenRitu *>(m);
            if (!picker) {
                m->close();
                return;
            }
            okAtFirst = child<QPushButton>(picker, "btOk")->isEnabled();
            picker->list()->setCurrentRow(0);
            orvScreenshot(picker, "TfmKenRitu");
            click(picker, "btOk");
        });
        click(&corp, "btKenRitu");
        QVERIFY(!okAtFirst);
        QVERIFY(c.ask.wasAsked("選択した健康保険料率の半分の値がセットされます。"));
        QCOMPARE(child<QLineEdit>(&corp, "edKenRitu")->text(),
                 QString::asprintf("%6.3f", rates->front().hundredths / 200.0));
        // Now a rate of our own: 5.00 % health.
        setText(&corp, "edKenRitu", "5.00");
        orvScreenshot(&corp, "TfmCorpInfo");
        c.ask.asked.clear();
        c.ask.answers = {Prompter::Answer::Yes};
        click(&corp, "btOk");
        QCOMPARE(corp.result(), int(QDialog::Accepted));
        QVERIFY(c.ask.wasAsked(kRateChangeAsk));
        QVERIFY(c.ask.wasAsked("下記の社員は等級表が未選択なので自動設定されません。\r等級 なし"));
        const PayImage &img = *c.s.img;
        QCOMPARE(img.Syain[1].KenhoRyo, 15000);
        QCOMPARE(img.Syain[2].KenhoRyo, 10000);
        QCOMPARE(img.Syain[3].KenhoRyo, 1000); // no grade: kept
        QCOMPARE(img.Koujo[1].KenhoRyo, 15000); // recomputed pay

        // Only the employment-insurance rate: nothing is asked.
        TfmCorpInfo again(c.s);
        again.show();
        setText(&again, "edKoyRitu", "0.600");
        c.ask.asked.clear();
        click(&again, "btOk");
        QVERIFY(!c.ask.wasAsked("保険料などの再設定"));
        QCOMPARE(img.Kihon.KoyRitu, 0.6);
    }

    void editorChecksAndTemplate()
    {
        MastersCompany c;
        setUpCompany(c);
        TfmMembEdit ed(c.s);
        ed.setNew();
        ed.show();
        // A new employee without a template: 一般社員, 月給, 毎月, amounts 0.
        QCOMPARE(child<QComboBox>(&ed, "cbKubun")->currentText(), QString("一般社員"));
        QCOMPARE(child<QComboBox>(&ed, "cbKeitai")->currentText(), QString("月給"));
        QCOMPARE(child<QComboBox>(&ed, "cbSikUnit")->currentText(), QString("毎月"));
        QCOMPARE(child<QLineEdit>(&ed, "edChingin1")->text(), QString("0"));
        setText(&ed, "edSimei", "山田 太郎");
        struct Case {
            const char *field, *text, *message;
        } cases[] = {
            {"edFuyou", "-1", "マイナスの値は入力出来ません。"},
            {"edSinzoku", "-2", "マイナスの値は入力出来ません。"},
            {"edMyNo", "12345678901", "マイナンバーの入力に誤りがあります。"},
            {"edMyNo", "123456789011", "マイナンバーの入力に誤りがあります。"}, // check digit
            {"edChingin1", "12345678", "入力した数値が上限を超えました。"},
            {"edChingin1", "12a", "「12a」は正しい数値ではありません。"},
        };
        for (const auto &cs : cases) {
            setText(&ed, cs.field, cs.text);
            c.ask.asked.clear();
            click(&ed, "btOk");
            QVERIFY2(c.ask.wasAsked(cs.message), cs.text);
            QVERIFY(ed.isVisible());
            QVERIFY(!SlotInUse(*c.s.img, 1));
            setText(&ed, cs.field, "");
        }
        setText(&ed, "edMyNo", "000000000019");
        setText(&ed, "edMailAdrs", "taro@example.jp");
        setText(&ed, "edChingin1", "300000");
        setText(&ed, "edFuyou", "3");
        child<QCheckBox>(&ed, "cbKenkou")->setChecked(true);
        child<QCheckBox>(&ed, "cbTaisyo")->click();
        setText(&ed, "edTaiYY", "6");
        setText(&ed, "edTaiMM", "3");
        setText(&ed, "edTaiDD", "31");
        // "基本に設定": the template never carries the number, the date or the address.
        c.ask.answers = {Prompter::Answer::Yes};
        click(&ed, "btKihon");
        QVERIFY(c.ask.wasAsked("新規作成時の基本にしました。"));
        click(&ed, "btOk");
        const TSyainRec &r = c.s.img->Syain[1];
        QCOMPARE(std::int64_t(r.MyNo), std::int64_t(19));
        QCOMPARE(r.TaiYMD.str(), std::string(" 6 331"));
        QCOMPARE(r.Sinzoku, 3);

        TfmMembEdit next(c.s);
        next.setNew();
        next.show();
        QCOMPARE(child<QLineEdit>(&next, "edChingin1")->text(), QString("300,000"));
        QCOMPARE(child<QLineEdit>(&next, "edFuyou")->text(), QString("3"));
        QVERIFY(child<QCheckBox>(&next, "cbKenkou")->isChecked());
        QCOMPARE(child<QLineEdit>(&next, "edSimei")->text(), QString());
        QCOMPARE(child<QLineEdit>(&next, "edMyNo")->text(), QString());
        QCOMPARE(child<QLineEdit>(&next, "edMailAdrs")->text(), QString());
        QVERIFY(!child<QCheckBox>(&next, "cbTaisyo")->isChecked());
        // Shown again as stored: the number with its zeros, the date in three fields.
        TfmMembEdit back(c.s);
        back.setSlot(1);
        QCOMPARE(child<QLineEdit>(&back, "edMyNo")->text(), QString("000000000019"));
        QCOMPARE(child<QLineEdit>(&back, "edTaiYY")->text().trimmed(), QString("6"));
        QCOMPARE(child<QLineEdit>(&back, "edTaiDD")->text(), QString("31"));

        // "いいえ" removes the template.
        c.ask.answers = {Prompter::Answer::No, Prompter::Answer::Yes};
        click(&next, "btKihon");
        QVERIFY(c.ask.wasAsked("基本に設定を解除しました。"));
        QVERIFY(!readMemberTemplate(memberTemplatePath(c.s.dataDir)));
        QCOMPARE(child<QLineEdit>(&next, "edChingin1")->text(), QString("0"));
    }

    void steppingFollowsTheOrderWithGaps()
    {
        MastersCompany c;
        setUpCompany(c);
        PayImage &img = *c.s.img;
        const char *names[] = {"一", "二", "三", "四"};
        const int seq[] = {5, 0, 2, 2}; // a gap, a zero and a duplicate
        for (int i = 0; i < 4; ++i) {
            TSyainRec rec{};
            rec.Simei.set(sjis(names[i]));
            rec.UniqueKey.set("k" + std::to_string(i));
            rec.Keitai = 1;
            rec.SeqNo = static_cast<std::uint16_t>(seq[i]);
            img.Syain[i + 1] = rec;
        }
        TfmMembEdit ed(c.s);
        ed.setSlot(3);
        ed.show();
        auto *prev = child<QPushButton>(&ed, "btPrev");
        auto *next = child<QPushButton>(&ed, "btNext");
        QVERIFY(!prev->isEnabled());
        std::vector<int> seen{ed.slot()};
        while (next->isEnabled()) {
            click(&ed, "btNext");
            seen.push_back(ed.slot());
        }
        QCOMPARE(seen, (std::vector<int>{3, 4, 1, 2}));
        // An edited record does not move.
        setText(&ed, "edBusyo", "総務");
        c.ask.asked.clear();
        click(&ed, "btPrev");
        QVERIFY(c.ask.wasAsked("データ内容に変更がある場合は出来ません。"));
        QCOMPARE(ed.slot(), 2);
        // View only: everything disabled, the cancel button says 閉じる.
        TfmMembEdit view(c.s);
        view.setViewOnly(1);
        view.show();
        QCOMPARE(view.windowTitle(), QString("社員情報の表示"));
        QCOMPARE(child<QPushButton>(&view, "btCancel")->text(), QString("閉じる"));
        QVERIFY(!child<QLineEdit>(&view, "edSimei")->isEnabled());
        QVERIFY(!child<QPushButton>(&view, "btOk")->isEnabled());
        orvScreenshot(&view, "TfmMembEdit_view");
    }
};

QTEST_MAIN(MastersTest)
#include "screen_masters_test.moc"
