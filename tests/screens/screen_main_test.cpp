// The main window driven through its start-up: a first start on an empty settings folder, a
// month created and computed, saved and reopened, the questions on closing, and the bonus
// exception question answered both ways.

#include "screen_main_support.h"

#include "core/calc/calc.h"
#include "core/util/fileio.h"
#include "screens/tfmmain.h"
#include "screens/tfmseldata.h"
#include "settings/inifile.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <cstring>

#include "screens/tfmcorpinfo.h"
#include "screens/tfmdataedit.h"

using namespace orv;

namespace {

// Chooses period k in the selection window, with days and hours for a month or the pay date
// for a bonus, and confirms it.
ModalDriver::Handler choosePeriod(int k, const char *nissu = "20", const char *jikan = "160:00",
                                  const char *sikyuM = " 7", const char *sikyuD = "10")
{
    return [=](QWidget *w) {
        auto *sel = qobject_cast<TfmSelData *>(w);
        if (!sel)
            return false;
        orvScreenshot(sel, QStringLiteral("seldata_period%1").arg(k));
        sel->selectPeriod(k);
        if (k <= 12) {
            sel->edNissu()->setText(QString::fromUtf8(nissu));
            sel->edJikan()->setText(QString::fromUtf8(jikan));
        } else {
            sel->edSikyuM()->setText(QString::fromUtf8(sikyuM));
            sel->edSikyuD()->setText(QString::fromUtf8(sikyuD));
        }
        sel->btOkClick();
        if (sel->isVisible())
            sel->done(QDialog::Rejected + 100); // refused: end the dialog, the test fails
        return true;
    };
}

// Shows the window and runs its start-up sequence, as its first activation does.
bool runStartUp(TfmMain &main)
{
    main.setAutoStart(false);
    main.show();
    return main.firstActivation();
}

// The driver of the open bonus test (see openBonus).
ModalDriver *bonusDriver = nullptr;

std::string yearFile(const Session &s) { return s.loc.DataDir("") + yearFileNameForYear(2026); }

template <typename T>
bool sameBytes(const T &a, const T &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class ScreenMainTest : public QObject {
    Q_OBJECT
private slots:
    // A driver left by a bonus test would answer the next test's windows.
    void cleanup()
    {
        delete bonusDriver;
        bonusDriver = nullptr;
    }
    void firstStartOnEmptyFolder();
    void monthComputedSavedAndReopened();
    void closeAsksAboutUnsavedChanges();
    void bonusExceptionAnsweredYes();
    void bonusExceptionAnsweredNo();
    void detailSteppingSelectsTheMainLine();
    void updateSwitchesSkipTheStartUp();
};

void ScreenMainTest::firstStartOnEmptyFolder()
{
    TestBase base;
    Session s;
    RulePrompter p;
    base.startSession(s, p);
    ModalDriver driver;
    driver.handlers.push_back(choosePeriod(4));
    bool corpInfoShown = false;
    driver.handlers.push_back([&](QWidget *w) {
        auto *d = qobject_cast<TfmCorpInfo *>(w);
        if (!d)
            return false;
        corpInfoShown = true;
        orvScreenshot(d, QStringLiteral("corpinfo_first_start"));
        p.rules = {{"初期設定を中止し、カナリエを終了して宜しいですか？", Prompter::Answer::Yes}};
        d->reject();
        return true;
    });

    TfmMain main(s);
    const bool started = runStartUp(main);

    // The settings folder got its data folder and this year's file; the first-time hint came.
    const std::string file = yearFile(s);
    QVERIFY(fileExists(file));
    QCOMPARE(s.curFile, file);
    QVERIFY(p.wasAsked("入力する給与または賞与を選択し､必要な情報を入力して下さい。"));
    QVERIFY(driver.saw(QStringLiteral("fmSelData")));
    QCOMPARE(IniFile::load(s.loc.SysIni).readString("Option", "ProgVer"), std::string("3.20"));
    QCOMPARE(s.img->KikanNo, 4);
    QCOMPARE(s.img->Kihon.Nissu, 20);
    QCOMPARE(s.img->Kihon.Jikan, 160.0);

    // A company without a name goes to company information; cancelling it ends the program.
    QVERIFY(corpInfoShown);
    QVERIFY(!started);
    QVERIFY(s.starting);
    orvScreenshot(&main, QStringLiteral("main_first_start"));

    // The file was created in this run and never saved: closing offers to delete it.
    p.rules = {{"作成されて保存されていない下記ファイルを削除しますか？", Prompter::Answer::Yes},
               {"カナリエを終了しますか？", Prompter::Answer::Yes},
               {"データが変更されています。", Prompter::Answer::No}};
    QVERIFY(main.close());
    QVERIFY(p.wasAsked("【" + file + "】"));
    QVERIFY(!fileExists(file));
}

void ScreenMainTest::monthComputedSavedAndReopened()
{
    TestBase base;
    std::array<TSikyuRec, kSlots + 1> savedSikyu{};
    std::array<TKoujoRec, kSlots + 1> savedKoujo{};
    {
        Session s;
        RulePrompter p;
        base.startSession(s, p);
        prepareCompany(s, 3);
        ModalDriver driver;
        driver.handlers.push_back(choosePeriod(4));
        TfmMain main(s);
        QVERIFY(runStartUp(main));
        QVERIFY(driver.unhandled.empty());
        QCOMPARE(main.windowTitle(), QStringLiteral("カナリエ 【テスト商事 令和8年4月支給給与】"));

        // Carried over from March: three employees, all checked, the first line selected.
        QCOMPARE(main.model().rowCount(), 3);
        QCOMPARE(main.model().checkedCount(), 3);
        QCOMPARE(main.selectedSlot(), 1);
        QVERIFY(main.button(QStringLiteral("btNewMemb")) != nullptr);

        // The monthly employee was computed on opening, with the days and hours of the dialog.
        QCOMPARE(s.img->Kintai[1].SyukkinNissu, 20.0);
        QCOMPARE(s.img->Sikyu[1].Kihonkyu, 250000);
        QVERIFY(s.img->Koujo[1].KoujoTotal > 0);

        // The daily and hourly employees' figures, as the entry screens store them.
        s.img->Kintai[2].SyukkinNissu = 18;
        s.img->Kintai[3].JitudoJikan = 92.5;
        s.img->Kintai[1].ZangyoJikan = 10.25;
        s.recalcAllAsk();
        QCOMPARE(s.img->Sikyu[2].Kihonkyu, 180000);
        QCOMPARE(s.img->Sikyu[3].Kihonkyu, 111000);

        // The same figures as the calculation gives on its own.
        auto copy = std::make_unique<PayImage>(*s.img);
        ZenKeisan(*copy, s.calcContext());
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(sameBytes(copy->Sikyu[i], s.img->Sikyu[i]));
            QVERIFY(sameBytes(copy->Koujo[i], s.img->Koujo[i]));
        }
        savedSikyu = s.img->Sikyu;
        savedKoujo = s.img->Koujo;

        main.mnSaveFileClick();
        QCOMPARE(p.notices, std::vector<std::string>{"データファイルに保存しました。"});
        orvScreenshot(&main, QStringLiteral("main_month"));

        p.rules = {{"カナリエを終了しますか？", Prompter::Answer::Yes}};
        QVERIFY(main.close());
        QVERIFY(!p.wasAsked("データが変更されています。"));
        // The window geometry went to the global settings file.
        QCOMPARE(IniFile::load(s.loc.SysIni).readInt("Window", "MainFormSX", 0), 1024);
        QCOMPARE(IniFile::load(s.loc.SysIni).readString("Option", "PreViewBtn"), std::string("1"));
    }
    {
        Session s;
        RulePrompter p;
        base.startSession(s, p);
        ModalDriver driver;
        // April is created now: the selection shows its stored days and hours.
        driver.handlers.push_back([](QWidget *w) {
            auto *sel = qobject_cast<TfmSelData *>(w);
            if (!sel)
                return false;
            if (sel->selectedPeriod() != 4 || sel->edNissu()->text() != QStringLiteral("20") ||
                sel->edJikan()->text() != QStringLiteral("160:00")) {
                sel->done(QDialog::Rejected);
                return true;
            }
            sel->btOkClick();
            return true;
        });
        TfmMain main(s);
        QVERIFY(runStartUp(main));
        for (int i = 1; i <= 3; ++i) {
            QVERIFY(sameBytes(savedSikyu[i], s.img->Sikyu[i]));
            QVERIFY(sameBytes(savedKoujo[i], s.img->Koujo[i]));
        }
        auto log = readSysLog(s.dataDir);
        QVERIFY(log.isOk());
        QCOMPARE(log->size(), std::size_t(2));
        p.rules = {{"カナリエを終了しますか？", Prompter::Answer::Yes}};
        QVERIFY(main.close());
    }
}

void ScreenMainTest::closeAsksAboutUnsavedChanges()
{
    TestBase base;
    Session s;
    RulePrompter p;
    base.startSession(s, p);
    prepareCompany(s, 3);
    ModalDriver driver;
    driver.handlers.push_back(choosePeriod(3, "21", "168:00"));
    TfmMain main(s);
    QVERIFY(runStartUp(main));

    s.img->Kintai[1].ZangyoJikan = 4;
    s.recalcAllAsk();

    // Cancel keeps the program open and writes nothing.
    p.rules = {{"データが変更されています。保存しますか？", Prompter::Answer::Cancel}};
    QVERIFY(!main.close());
    QVERIFY(main.isVisible());
    QVERIFY(!p.wasAsked("カナリエを終了しますか？"));

    // No, then No to the exit question: still open, still unsaved.
    p.rules = {{"データが変更されています。保存しますか？", Prompter::Answer::No},
               {"カナリエを終了しますか？", Prompter::Answer::No}};
    QVERIFY(!main.close());
    QCOMPARE(periodChanged(s.curFile, *s.img), Change::Changed);

    // Yes saves and tests again; then the exit question.
    p.asked.clear();
    p.rules = {{"データが変更されています。保存しますか？", Prompter::Answer::Yes},
               {"カナリエを終了しますか？", Prompter::Answer::Yes}};
    QVERIFY(main.close());
    QCOMPARE(p.count("データが変更されています。保存しますか？"), 1);
    QCOMPARE(periodChanged(s.curFile, *s.img), Change::None);
    auto saved = std::make_unique<PayImage>();
    QVERIFY(OpenPeriod(s.curFile, 3, *saved).isOk());
    QCOMPARE(saved->Kintai[1].ZangyoJikan, 4.0);
}

namespace {

// Opens the summer bonus of a year whose only salary month is March (no June salary): every
// employee's bonus tax is an exception.
void openBonus(TestBase &base, Session &s, RulePrompter &p, Prompter::Answer answer, TfmMain *&out)
{
    base.startSession(s, p, Date{2026, 7, 1});
    prepareCompany(s, 3);
    p.rules = {{kTaxExceptionAskAll, answer}};
    delete bonusDriver;
    bonusDriver = new ModalDriver; // rejects every window but the period selection
    bonusDriver->handlers.push_back(choosePeriod(13, "", "", " 7", "10"));
    out = new TfmMain(s);
    QVERIFY(runStartUp(*out));
}

} // namespace

void ScreenMainTest::bonusExceptionAnsweredYes()
{
    TestBase base;
    Session s;
    RulePrompter p;
    TfmMain *main = nullptr;
    openBonus(base, s, p, Prompter::Answer::Yes, main);
    QVERIFY(main);
    QCOMPARE(s.img->KikanNo, 13);
    QCOMPARE(s.img->Head.SikyuM[0], 7);
    QCOMPARE(s.img->Head.SikyuD[0], 10);
    QCOMPARE(p.count(std::string(kTaxExceptionWarning) + kTaxExceptionAskAll), 1);
    QVERIFY(p.wasAsked(kTaxSwitchedAll));
    for (int i = 1; i <= 3; ++i) {
        QVERIFY(s.img->Koujo[i].Manual[7]);
        QVERIFY(s.zeiOk[i]);
    }
    // In a bonus period new employees and deleting are not offered; the slip button says so.
    QVERIFY(!main->button(QStringLiteral("btNewMemb"))->isEnabled());
    QVERIFY(!main->button(QStringLiteral("btDelMemb"))->isEnabled());
    QCOMPARE(main->button(QStringLiteral("btPrnMeisai"))->text(), QStringLiteral("賞与明細"));
    QCOMPARE(main->windowTitle(), QStringLiteral("カナリエ 【テスト商事 令和8年・夏期賞与】"));
    orvScreenshot(main, QStringLiteral("main_bonus"));
    // Editing an employee in a bonus period warns first; Cancel opens nothing, OK the editor.
    const std::string carried = "賞与時に行った社員情報の修正は引き継がれません。";
    for (auto [answer, opens] : {std::pair{Prompter::Answer::Cancel, false},
                                 std::pair{Prompter::Answer::Ok, true}}) {
        bonusDriver->seen.clear();
        p.rules = {{carried, answer}};
        main->mnEditMembClick();
        QVERIFY(p.wasAsked(carried));
        QCOMPARE(bonusDriver->saw(QStringLiteral("TfmMembEdit")), opens);
    }
    // The recomputation after switching asks no more.
    p.asked.clear();
    s.recalcAllAsk();
    QVERIFY(!p.wasAsked(kTaxExceptionAskAll));
    p.rules = {{"データが変更されています。", Prompter::Answer::No},
               {"カナリエを終了しますか？", Prompter::Answer::Yes}};
    main->close();
    delete main;
}

void ScreenMainTest::bonusExceptionAnsweredNo()
{
    TestBase base;
    Session s;
    RulePrompter p;
    TfmMain *main = nullptr;
    openBonus(base, s, p, Prompter::Answer::No, main);
    QVERIFY(main);
    QCOMPARE(p.count(kTaxExceptionAskAll), 1);
    QVERIFY(!p.wasAsked(kTaxSwitchedAll));
    for (int i = 1; i <= 3; ++i) {
        QVERIFY(!s.img->Koujo[i].Manual[7]);
        QCOMPARE(s.img->Koujo[i].Syotoku, 0);
        QVERIFY(!s.zeiOk[i]);
    }
    // The question comes again at the next recomputation.
    s.recalcAllAsk();
    QCOMPARE(p.count(kTaxExceptionAskAll), 2);
    p.rules = {{"データが変更されています。", Prompter::Answer::No},
               {"カナリエを終了しますか？", Prompter::Answer::Yes}};
    main->close();
    delete main;
}

void ScreenMainTest::detailSteppingSelectsTheMainLine()
{
    TestBase base;
    Session s;
    RulePrompter p;
    base.startSession(s, p);
    prepareCompany(s, 3);
    ModalDriver driver;
    driver.handlers.push_back(choosePeriod(4));
    TfmMain main(s);
    QVERIFY(runStartUp(main));
    QCOMPARE(main.selectedSlot(), 1);

    // Stepping on in the detail screen moves the main list's selection with it, and the
    // selection stays there when the screen closes.
    std::vector<int> seen;
    driver.handlers.push_back([&](QWidget *w) {
        auto *d = qobject_cast<TfmDataEdit *>(w);
        if (!d)
            return false;
        d->btNextClick();
        seen.push_back(main.selectedSlot());
        d->btNextClick();
        seen.push_back(main.selectedSlot());
        d->btPrevClick();
        seen.push_back(main.selectedSlot());
        d->reject();
        return true;
    });
    main.mnDataEditClick();
    QCOMPARE(seen, (std::vector<int>{2, 3, 2}));
    QCOMPARE(main.selectedSlot(), 2);
    p.rules = {{"データが変更されています。", Prompter::Answer::No},
               {"カナリエを終了しますか？", Prompter::Answer::Yes}};
    QVERIFY(main.close());
}

void ScreenMainTest::updateSwitchesSkipTheStartUp()
{
    struct Case {
        StartMode mode;
        std::string message;
        bool opensNotes;
    };
    const Case cases[] = {
        {StartMode::Update, "最新版に更新しました。", true},
        {StartMode::Download, "この版ではオンライン更新を行えません。", false},
        {StartMode::DownloadF, "この版ではオンライン更新を行えません。", false},
    };
    for (const Case &c : cases) {
        TestBase base;
        Session s;
        RulePrompter p;
        base.startSession(s, p);
        ModalDriver driver; // any window the start-up would open is refused and named
        TfmMain main(s, c.mode);
        std::vector<std::string> opened;
        main.openDocument = [&](const std::string &path) {
            opened.push_back(path);
            return true;
        };
        main.setAutoStart(false);
        main.show();
        main.runStartMode();

        // No tables, no period selection, no data folder, no question on closing.
        QVERIFY(!main.isVisible());
        QVERIFY(driver.seen.empty());
        QVERIFY(!s.tables.startCheck());
        QVERIFY(!std::filesystem::exists(s.loc.DataDir("")));
        // The flow's message is the only one: the exit question is not asked.
        QCOMPARE(p.asked, std::vector<std::string>{c.message});
        if (c.opensNotes)
            QCOMPARE(opened, std::vector<std::string>{s.loc.ProgDir + "Orvane2.txt"});
        else
            QVERIFY(opened.empty());
    }
}

QTEST_MAIN(ScreenMainTest)
#include "screen_main_test.moc"
