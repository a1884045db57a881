// The list editing grid, the employee order, the input-item and print-item settings, the font
// mapping and the password, driven through their windows.

#include "core/options/option.h"
#include "screen_masters_support.h"
#include "screens/fontmap.h"
#include "screens/tfminppass.h"
#include "screens/tfmmembeditl.h"
#include "screens/tfmmembeditlmodel.h"
#include "screens/tfmoption.h"
#include "screens/tfmprnformk.h"
#include "screens/tfmprnforms.h"
#include "screens/tfmprnitem.h"
#include "screens/tfmselfont.h"
#include "screens/tfmseqno.h"
#include "screens/tfmsetpass.h"
#include "screenshot.h"
#include "settings/inifile.h"
#include "settings/options.h"
#include "settings/password.h"
#include "settings/slipitemsio.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QListWidget>
#include <QTableView>
#include <QTableWidget>

using namespace orv;

namespace {

// Three employees of a set-up company (health 4.95 %, care 0.865 %), one retired.
void threeEmployees(MastersCompany &c)
{
    PayImage &img = *c.s.img;
    img.Kihon.Syamei.set(sjis("オルバネ商事"));
    img.Kihon.KenRitu = 4.95;
    img.Kihon.KaiRitu = 0.865;
    img.Kihon.NenRitu = 9.15;
    img.Kihon.KoyRitu = 0.3;
    img.Kihon.JikanD = 8;
    const char *names[] = {"山田 太郎", "佐藤 花子", "鈴木 次郎", "退職 者"};
    const int keitai[] = {1, 2, 3, 1};
    for (int i = 0; i < 4; ++i) {
        TSyainRec &r = img.Syain[i + 1];
        r = TSyainRec{};
        r.Simei.set(sjis(names[i]));
        r.UniqueKey.set("k" + std::to_string(i));
        r.Keitai = keitai[i];
        r.Chingin1 = 200000 + i;
        r.Kenkou = true;
        r.Kaigo = i == 0;
        r.NenHoken = true;
        r.Yukyu = 7000;
    }
    img.Syain[4].TaiYMD.set(" 8 331");
}

QString cell(MembEditLModel *m, int gridRow, int col)
{
    return m->data(m->index(gridRow - 1, col), Qt::DisplayRole).toString();
}

} // namespace

class MastersSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void listEditingGrid()
    {
        MastersCompany c;
        threeEmployees(c);
        c.s.opt.NameWide = true;
        TfmMembEditL dlg(c.s);
        dlg.show();
        MembEditLModel *m = dlg.model();
        QCOMPARE(m->columnCount(), 3); // the retired employee has no column
        QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("山田 太郎"));
        QCOMPARE(cell(m, 3, 0), QString("200,000"));
        // Monthly pay: no paid-leave amount to edit.
        QVERIFY(!m->editable(12, 0));
        QCOMPARE(cell(m, 12, 0), QString());
        QVERIFY(m->editable(12, 1));
        const int def = dlg.grid()->horizontalHeader()->defaultSectionSize();
        QCOMPARE(dlg.grid()->columnWidth(0), int(std::lround(def * 1.4)));

        // Refused cells keep their value and say why.
        struct Case {
            int row;
            const char *text;
            const char *message;
        } cases[] = {
            {1, "-1", "マイナスの値は入力出来ません。"},
            {3, "12a", "「12a」は正しい数値ではありません。"},
            {3, "99999999999", "入力した数値が上限を超えました。"},
            {3, "10000000", "入力した数値が上限を超えました。"},
        };
        for (const auto &cs : cases) {
            c.ask.asked.clear();
            QVERIFY(!m->setData(m->index(cs.row - 1, 0), QString(cs.text), Qt::EditRole));
            QVERIFY2(c.ask.wasAsked(cs.message), cs.text);
        }
        QCOMPARE(cell(m, 3, 0), QString("200,000"));
        // Typed through the real editor: Enter stores and moves down.
        QTableView *grid = dlg.grid();
        grid->setFocus();
        grid->setCurrentIndex(m->index(2, 1));
        QTest::keyClick(grid, Qt::Key_2); // starts editing, replacing the text
        auto *editor = grid->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "50000");
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(grid->currentIndex().row(), 3);
        QCOMPARE(cell(m, 3, 1), QString("250,000"));
        // A standard remuneration fills the four premium rows and is not kept.
        QVERIFY(m->setData(m->index(22, 0), QString("300000"), Qt::EditRole));
        QCOMPARE(cell(m, 23, 0), QString());
        QCOMPARE(cell(m, 24, 0), QString("14,850"));
        QCOMPARE(cell(m, 25, 0), QString("2,595"));
        // Cleared cell: 0.
        QVERIFY(m->setData(m->index(3, 2), QString(""), Qt::EditRole));
        QCOMPARE(cell(m, 4, 2), QString("0"));
        // Activation does not refill the grid.
        dlg.activateWindow();
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&dlg, &activate);
        QCOMPARE(cell(m, 3, 1), QString("250,000"));
        orvScreenshot(&dlg, "TfmMembEditL");
        dlg.close();
        const PayImage &img = *c.s.img;
        QCOMPARE(img.Syain[2].Chingin1, 250000);
        QCOMPARE(img.Syain[1].KenhoRyo, 14850);
        QCOMPARE(img.Syain[1].Yukyu, 7000); // not editable, unchanged
        QCOMPARE(img.Syain[4].Chingin1, 200003);
        QCOMPARE(img.Koujo[1].KenhoRyo, 14850); // recomputed
        QCOMPARE(readListWindow(c.s.corpIni, "ListMem").state, std::string("wsNormal"));
    }

    void employeeOrder()
    {
        MastersCompany c;
        threeEmployees(c);
        PayImage &img = *c.s.img;
        TfmSeqNo dlg(c.s);
        dlg.show();
        QVERIFY(c.ask.wasAsked("ドラッグ＆ドロップでも順番を変更可能です。"));
        QCOMPARE(dlg.shownSlots(), (std::vector<int>{1, 2, 3, 4})); // retired listed too
        dlg.sortBy(TfmSeqNo::SortKey::Keitai);
        QCOMPARE(dlg.shownSlots(), (std::vector<int>{1, 4, 2, 3}));
        dlg.list()->setCurrentRow(3);
        click(&dlg, "btUp");
        QCOMPARE(dlg.shownSlots(), (std::vector<int>{1, 4, 3, 2}));
        orvScreenshot(&dlg, "TfmSeqNo");
        click(&dlg, "btOk");
        QCOMPARE(int(img.Syain[1].SeqNo), 1);
        QCOMPARE(int(img.Syain[4].SeqNo), 2);
        QCOMPARE(int(img.Syain[3].SeqNo), 3);
        QCOMPARE(int(img.Syain[2].SeqNo), 4);
        // The list editing grid follows the order (the retired one has no column).
        TfmMembEditL grid(c.s);
        grid.show();
        QCOMPARE(grid.model()->slotOf(1), 3);
        grid.close();
        // Gaps and duplicates: still every employee, in order.
        img.Syain[1].SeqNo = 7;
        img.Syain[2].SeqNo = 0;
        img.Syain[3].SeqNo = 3;
        img.Syain[4].SeqNo = 3;
        TfmSeqNo again(c.s);
        QCOMPARE(again.shownSlots(), (std::vector<int>{3, 4, 1, 2}));
        c.ask.answers = {Prompter::Answer::Yes};
        click(&again, "btReset");
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(int(img.Syain[i].SeqNo), 0);
    }

    void renameItemIsSeenEverywhere()
    {
        MastersCompany c;
        threeEmployees(c);
        TfmOption dlg(c.s);
        dlg.show();
        orvScreenshot(&dlg, "TfmOption");
        struct Case {
            const char *field, *text, *message;
        } cases[] = {
            {"edFixTeate1", "基本給", "項目名｢基本給｣は既に用意されている項目です。\r同じ名前の項目を複数作成する事は出来ません。"},
            {"edFixTeate2", "変動手当１", "項目名が重複しています。(変動手当１)"},
            {"edSonota1", "変動控除２", "項目名が重複しています。(変動控除２)"},
            {"edSonota2", "", "項目名は必須入力です。"},
        };
        for (const auto &cs : cases) {
            const QString before = child<QLineEdit>(&dlg, cs.field)->text();
            setText(&dlg, cs.field, cs.text);
            c.ask.asked.clear();
            click(&dlg, "btOk");
            QVERIFY2(c.ask.wasAsked(cs.message), cs.text);
            QVERIFY(dlg.isVisible());
            setText(&dlg, cs.field, before);
        }
        // A variable allowance may share a fixed deduction's name; the free item may be empty.
        setText(&dlg, "edVarTeate1", "固定控除１");
        setText(&dlg, "edFixTeate1", "皆勤手当");
        setText(&dlg, "edPrAdjustH", "-1.5");
        child<QRadioButton>(&dlg, "rbSikRound")->setChecked(true);
        c.ask.asked.clear();
        click(&dlg, "btOk");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(c.ask.wasAsked("変更した項目名を有効にする為"));
        QCOMPARE(c.s.opt.FixTeate1, std::string("皆勤手当"));
        IniFile ini = IniFile::load(c.s.corpIni);
        QCOMPARE(ini.readString("Option", "FixTeate1"), std::string("皆勤手当"));
        QCOMPARE(ini.readInt("Option", "PrAdjustH", 0), -15);
        QCOMPARE(ini.readInt("Option", "HasuuSik", 0), 2);

        // The slip lists keep their placeholder, the screens show the new name.
        TfmPrnFormK slip(c.s);
        slip.show();
        QCOMPARE(slip.grid(TfmPrnFormK::Sikyu)->item(3, 1)->text(), QString("皆勤手当"));
        QCOMPARE(slip.items().SikyuItems[3].Name, std::string("F固定手当１"));
        QCOMPARE(ItemName(c.s.opt, c.s.items.SikyuItems[3].Name), std::string("F皆勤手当"));
        orvScreenshot(&slip, "TfmPrnFormK");
        // Move 基本給 below 家族手当 on the monthly tab, toggle it off on the daily tab.
        slip.moveItem(TfmPrnFormK::Sikyu, 0, 2);
        slip.setForm(2);
        slip.toggleItem(TfmPrnFormK::Sikyu, 2);
        QCOMPARE(slip.items().SikyuItems[2].Name, std::string("F基本給"));
        QCOMPARE(slip.items().SikyuItems[2].Use, (std::array<bool, 3>{true, false, true}));
        click(&slip, "btOk");
        SlipItems stored = LoadSlipItems(c.s.corpIni, SlipKind::Kyuyo, true);
        QCOMPARE(stored.SikyuItems[2].Name, std::string("F基本給"));
        QCOMPARE(stored.SikyuItems[3].Name, std::string("F固定手当１"));
        QCOMPARE(c.s.items.SikyuItems[2].Name, std::string("F基本給")); // the open period too
        // The employee editor and the grid show the new name as well.
        TfmMembEditL grid(c.s);
        QCOMPARE(grid.model()->headerData(14, Qt::Vertical, Qt::DisplayRole).toString(), QString("皆勤手当"));
        TfmPrnItem ledger(c.s);
        QCOMPARE(child<QCheckBox>(&ledger, "cbDel0")->text(), QString("皆勤手当"));

        // Bonus screen: its own lists, cancel keeps everything.
        TfmPrnFormS bonus(c.s);
        bonus.show();
        QVERIFY(!bonus.grid(TfmPrnFormK::Kintai)->isVisible());
        orvScreenshot(&bonus, "TfmPrnFormS");
        // Dragging by the handle with the mouse: a closed hand and the target row highlighted
        // while moving, 賞与 lands on the fourth row and the rows between move up by one.
        QTableWidget *pay = bonus.grid(TfmPrnFormK::Sikyu);
        QWidget *vp = pay->viewport();
        auto handle = [pay](int row) { return pay->visualRect(pay->model()->index(row, 0)).center(); };
        auto names = [&bonus](int n) {
            QStringList out;
            for (int i = 0; i < n; ++i)
                out << QString::fromStdString(bonus.items().SikyuItems[i].Name);
            return out;
        };
        const QColor highlight = bonus.palette().color(QPalette::Highlight);
        QTest::mousePress(vp, Qt::LeftButton, {}, handle(0));
        QCOMPARE(vp->cursor().shape(), Qt::ClosedHandCursor);
        QTest::mouseMove(vp, handle(2));
        QCOMPARE(pay->item(2, 1)->background().color(), highlight);
        QTest::mouseMove(vp, handle(3) + QPoint(40, 0)); // over the name column of the row
        QCOMPARE(pay->item(3, 1)->background().color(), highlight);
        QVERIFY(pay->item(2, 1)->background().color() != highlight);
        orvScreenshot(&bonus, "TfmPrnFormS_drag");
        QTest::mouseRelease(vp, Qt::LeftButton, {}, handle(3));
        QCOMPARE(names(5), (QStringList{"V役員報酬", "F", "F固定手当１", "V賞与", "F固定手当２"}));
        QVERIFY(vp->cursor().shape() != Qt::ClosedHandCursor);
        QVERIFY(pay->item(3, 1)->background().color() != highlight);
        // Upwards, the rows between move down by one.
        QTest::mousePress(vp, Qt::LeftButton, {}, handle(4));
        QTest::mouseMove(vp, handle(1));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, handle(1));
        QCOMPARE(names(5), (QStringList{"V役員報酬", "F固定手当２", "F", "F固定手当１", "V賞与"}));
        // Released off the list, or Escape: nothing moves and the screen stays open.
        QTest::mousePress(vp, Qt::LeftButton, {}, handle(0));
        QTest::mouseMove(vp, QPoint(-20, handle(2).y()));
        QVERIFY(pay->item(2, 1)->background().color() != highlight);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(-20, handle(2).y()));
        QTest::mousePress(vp, Qt::LeftButton, {}, handle(0));
        QTest::mouseMove(vp, handle(2));
        QTest::keyClick(&bonus, Qt::Key_Escape);
        QVERIFY(bonus.isVisible());
        QVERIFY(vp->cursor().shape() != Qt::ClosedHandCursor);
        QVERIFY(pay->item(2, 1)->background().color() != highlight);
        QTest::mouseRelease(vp, Qt::LeftButton, {}, handle(2));
        QCOMPARE(names(5), (QStringList{"V役員報酬", "F固定手当２", "F", "F固定手当１", "V賞与"}));
        bonus.moveItem(TfmPrnFormK::Sikyu, 0, 1);
        bonus.reject();
        QCOMPARE(LoadSlipItems(c.s.corpIni, SlipKind::Syoyo, false).SikyuItems[0].Name, std::string("V賞与"));
    }

    void ledgerItems()
    {
        MastersCompany c;
        threeEmployees(c);
        IniFile::writeString(c.s.corpIni, "Option", "DaichoAdd", "1000000000000001");
        TfmPrnItem dlg(c.s);
        dlg.show();
        orvScreenshot(&dlg, "TfmPrnItem");
        QVERIFY(child<QCheckBox>(&dlg, "cbAdd15")->isChecked());
        QVERIFY(!child<QCheckBox>(&dlg, "cbAdd16")->isChecked());
        child<QCheckBox>(&dlg, "cbAdd16")->setChecked(true);
        child<QCheckBox>(&dlg, "cbDel0")->setChecked(true);
        click(&dlg, "btOk");
        QVERIFY(c.ask.wasAsked("追加する勤怠項目が多すぎます。"));
        QVERIFY(dlg.isVisible());
        child<QCheckBox>(&dlg, "cbDel1")->setChecked(true);
        child<QCheckBox>(&dlg, "cbDel2")->setChecked(true);
        click(&dlg, "btOk");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(c.ask.wasAsked("[支給月日]を印刷する場合"));
        QCOMPARE(IniFile::load(c.s.corpIni).readString("Option", "DaichoAdd"), std::string("10000000000000011"));
        QCOMPARE(IniFile::load(c.s.corpIni).readString("Option", "DaichoDel"), std::string("111000000000000"));
    }

    void settingsThatCannotBeWrittenAreReported()
    {
        MastersCompany c;
        threeEmployees(c);
        IniFile::writeString(c.s.corpIni, "Option", "FormType", "1");
        QFile::setPermissions(QString::fromStdString(c.s.corpIni), QFile::ReadOwner);
        TfmOption dlg(c.s);
        dlg.show();
        setText(&dlg, "edFixTeate1", "皆勤手当");
        click(&dlg, "btOk");
        QVERIFY(c.ask.wasAsked("設定ファイルに書き込み出来ません。"));
        QVERIFY(!c.ask.wasAsked("変更した項目名を有効にする為"));
        QVERIFY(dlg.isVisible());
        QCOMPARE(c.s.opt.FixTeate1, std::string("固定手当１"));
    }

    void fontsAreMapped()
    {
        QCOMPARE(mapFontFace("ＭＳ 明朝"), QString("IPAMincho"));
        QCOMPARE(mapFontFace("ＭＳ ゴシック"), QString("IPAGothic"));
        QCOMPARE(mapFontFace("ＭＳ Ｐゴシック"), QString("IPAPGothic"));
        QCOMPARE(mapFontFace("ＭＳ Ｐ明朝"), QString("IPAPMincho"));
        QCOMPARE(mapFontFace("IPAGothic"), QString("IPAGothic"));
        const QStringList faces = installedJapaneseFaces();
        QVERIFY(faces.contains("IPAMincho"));
        QVERIFY(faces.contains("IPAPGothic"));
        MastersCompany c;
        threeEmployees(c);
        TfmSelFont pick(c.s, 2, "ＭＳ 明朝");
        pick.show();
        QCOMPARE(pick.windowTitle(), QString("自社名のフォント選択"));
        QCOMPARE(pick.face(), QString("IPAMincho"));
        orvScreenshot(&pick, "TfmSelFont");
    }

    void setAndPassThePassword()
    {
        MastersCompany c;
        QVERIFY(!TfmInpPass::required(c.s));
        TfmSetPass set(c.s);
        set.show();
        orvScreenshot(&set, "TfmSetPass");
        QCOMPARE(child<QLineEdit>(&set, "edPass1")->echoMode(), QLineEdit::Password);
        setText(&set, "edPass1", "ひみつ1");
        setText(&set, "edPass2", "ひみつ2");
        click(&set, "btSet");
        QVERIFY(c.ask.wasAsked("パスワードの設定入力と確認入力が異なっています。"));
        setText(&set, "edPass2", "ひみつ1");
        c.ask.answers = {Prompter::Answer::Yes};
        click(&set, "btSet");
        QVERIFY(c.ask.wasAsked("パスワードを設定しますか？"));
        QVERIFY(c.ask.wasAsked("パスワードを設定しました。"));
        QCOMPARE(set.result(), int(QDialog::Accepted));
        QVERIFY(TfmInpPass::required(c.s));
        QVERIFY(IniFile::load(c.s.loc.SysIni).bytes().find(sjis("ひみつ")) == std::string::npos);

        TfmInpPass inp(c.s);
        inp.show();
        orvScreenshot(&inp, "TfmInpPass");
        setText(&inp, "edPass", "ひみつ");
        c.ask.asked.clear();
        click(&inp, "btOk");
        QVERIFY(c.ask.wasAsked("パスワードが違います"));
        QVERIFY(!inp.passed());
        setText(&inp, "edPass", "ひみつ1");
        click(&inp, "btOk");
        QVERIFY(inp.passed());
        QCOMPARE(inp.result(), int(QDialog::Accepted));

        // Removed with empty fields: nothing is asked at the next start.
        TfmSetPass off(c.s);
        off.show();
        c.ask.answers = {Prompter::Answer::Yes};
        click(&off, "btSet");
        QVERIFY(c.ask.wasAsked("パスワード設定を解除しました。"));
        QVERIFY(!TfmInpPass::required(c.s));
        TfmInpPass none(c.s);
        QCOMPARE(none.exec(), int(QDialog::Accepted));

        // An old scrambled value is still asked for and converted.
        IniFile::writeQuoted(c.s.loc.SysIni, "Option", "ListFile", "QRS");
        QVERIFY(TfmInpPass::required(c.s));
        TfmInpPass old(c.s);
        old.show();
        setText(&old, "edPass", "abc");
        click(&old, "btOk");
        QVERIFY(old.passed());
        QCOMPARE(IniFile::load(c.s.loc.SysIni).readString("Option", "ListFile"), std::string());
        QVERIFY(TfmInpPass::required(c.s));
    }
};

QTEST_MAIN(MastersSettingsTest)
#include "screen_masters_settings_test.moc"
