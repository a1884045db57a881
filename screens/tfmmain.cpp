#include "screens/tfmmain.h"

#include "core/util/sjis.h"
#include "screens/qtprompter.h"
#include "screens/tfmselcorp.h"
#include "screens/tfmseldata.h"
#include "screens/tfmshowlog.h"
#include "settings/inifile.h"
#include "settings/options.h"

// Windows of other parts of the program; their commands stay disabled until they are built.
#if __has_include("screens/tfmdataedit.h")
#include "screens/tfmdataedit.h"
#define ORV_HAVE_DATAEDIT 1
#endif
#if __has_include("screens/tfmlistinp.h")
#include "screens/tfmlistinp.h"
#define ORV_HAVE_LISTINP 1
#endif
#if __has_include("screens/tfmcorpinfo.h")
#include "screens/tfmcorpinfo.h"
#define ORV_HAVE_CORPINFO 1
#endif
#if __has_include("screens/tfmmembedit.h")
#include "screens/tfmmembedit.h"
#define ORV_HAVE_MEMBEDIT 1
#endif
#if __has_include("screens/tfmmembeditl.h")
#include "screens/tfmmembeditl.h"
#define ORV_HAVE_MEMBEDITL 1
#endif
#if __has_include("screens/tfmseqno.h")
#include "screens/tfmseqno.h"
#define ORV_HAVE_SEQNO 1
#endif
#if __has_include("screens/tfmoption.h")
#include "screens/tfmoption.h"
#define ORV_HAVE_OPTION 1
#endif
#if __has_include("screens/tfmprnformk.h") && __has_include("screens/tfmprnforms.h")
#include "screens/tfmprnformk.h"
#include "screens/tfmprnforms.h"
#define ORV_HAVE_PRNFORM 1
#endif
#if __has_include("screens/tfmprnitem.h")
#include "screens/tfmprnitem.h"
#define ORV_HAVE_PRNITEM 1
#endif
#if __has_include("screens/tfminppass.h")
#include "screens/tfminppass.h"
#define ORV_HAVE_INPPASS 1
#endif

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace orv {

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kDesignedHeight = 640;
constexpr const char *kNoTarget = "処理の対象者が選択されていません。";
constexpr const char *kBonusEditWarning = "賞与時に行った社員情報の修正は引き継がれません。";

#ifdef ORV_HAVE_DATAEDIT
constexpr bool kHaveDataEdit = true;
#else
constexpr bool kHaveDataEdit = false;
#endif
#ifdef ORV_HAVE_LISTINP
constexpr bool kHaveListInp = true;
#else
constexpr bool kHaveListInp = false;
#endif
#ifdef ORV_HAVE_CORPINFO
constexpr bool kHaveCorpInfo = true;
#else
constexpr bool kHaveCorpInfo = false;
#endif
#ifdef ORV_HAVE_MEMBEDIT
constexpr bool kHaveMembEdit = true;
#else
constexpr bool kHaveMembEdit = false;
#endif
#ifdef ORV_HAVE_MEMBEDITL
constexpr bool kHaveMembEditL = true;
#else
constexpr bool kHaveMembEditL = false;
#endif
#ifdef ORV_HAVE_SEQNO
constexpr bool kHaveSeqNo = true;
#else
constexpr bool kHaveSeqNo = false;
#endif
#ifdef ORV_HAVE_OPTION
constexpr bool kHaveOption = true;
#else
constexpr bool kHaveOption = false;
#endif
#ifdef ORV_HAVE_PRNFORM
constexpr bool kHavePrnForm = true;
#else
constexpr bool kHavePrnForm = false;
#endif
#ifdef ORV_HAVE_PRNITEM
constexpr bool kHavePrnItem = true;
#else
constexpr bool kHavePrnItem = false;
#endif

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

// ---- the window ----

TfmMain::TfmMain(Session &session, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_model(new EmployeeListModel(session, this)),
      m_list(new QTreeView(this)), m_raiseTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QStringLiteral("カナリエ"));

    m_list->setObjectName(QStringLiteral("lvSyain"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setAllColumnsShowFocus(true);
    QHeaderView *head = m_list->header();
    head->setSectionsClickable(true);
    head->setSectionsMovable(false);
    head->setSectionResizeMode(QHeaderView::Fixed);
    head->setStretchLastSection(true);
    const int widths[] = {64, 170, 150, 100, 80, 90};
    for (int c = 0; c < 6; ++c)
        m_list->setColumnWidth(c, widths[c]);
    connect(head, &QHeaderView::sectionClicked, this, &TfmMain::sortBy);
    connect(m_list, &QTreeView::doubleClicked, this, [this] {
        if (QAction *a = action(QStringLiteral("mnDataEdit")); a && a->isEnabled())
            mnDataEditClick();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfmMain::updateButtons);

    buildMenus();
    auto *central = new QWidget(this);
    auto *lay = new QVBoxLayout(central);
    lay->setContentsMargins(4, 4, 4, 4);
    buildButtons();
    auto *bar = new QHBoxLayout;
    for (const char *name : {"btSaveFile", "btSelData", "btNewMemb", "btEditMemb", "btDelMemb",
                             "btDataEdit", "btListInp", "btPrnMeisai", "btPrnDaicho",
                             "btPrnIchiran", "btPrnSyain", "btMail"})
        bar->addWidget(m_buttons.at(QString::fromLatin1(name)));
    bar->addStretch();
    lay->addLayout(bar);
    lay->addWidget(m_list);
    setCentralWidget(central);

    restoreGeometryFromSettings();
    // The tables of this year are read when the window is created; the first activation checks
    // that all three fixed-layout tables were found.
    m_session.tables = TableSet::load(m_session.loc.ProgDir, m_session.today().year);

    connect(m_raiseTimer, &QTimer::timeout, this, [this] {
        if (!m_raiseRequested || !m_raiseRequested())
            return;
        if (isMinimized())
            showNormal();
        raise();
        activateWindow();
        if (QWidget *modal = QApplication::activeModalWidget()) {
            modal->raise();
            modal->activateWindow();
        }
    });
    updateButtons();
}

QAction *TfmMain::addCommand(QMenu *menu, const char *name, const QString &text, bool available,
                             void (TfmMain::*slot)())
{
    QAction *a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty("available", available && slot != nullptr);
    a->setEnabled(available && slot != nullptr);
    if (slot)
        connect(a, &QAction::triggered, this, slot);
    m_actions[a->objectName()] = a;
    return a;
}

void TfmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *dataMenu = bar->addMenu(QStringLiteral("データ(&D)"));
    addCommand(dataMenu, "mnSaveFile", QStringLiteral("データを保存(&S)..."), true,
               &TfmMain::mnSaveFileClick)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    dataMenu->addSeparator();
    addCommand(dataMenu, "mnReadKinmu", QStringLiteral("勤務報告データの読み込み(&R)..."), false);
    addCommand(dataMenu, "mnCsvRead", QStringLiteral("社員情報のCSVファイル読込(&I)..."), false);
    addCommand(dataMenu, "mnCsvWrite", QStringLiteral("社員情報のCSVファイル出力(&E)..."), false);
    dataMenu->addSeparator();
    addCommand(dataMenu, "mnShowLog", QStringLiteral("システムログ表示(&L)..."), true,
               &TfmMain::mnShowLogClick);
    dataMenu->addSeparator();
    addCommand(dataMenu, "mnSelData", QStringLiteral("給与対象月/賞与時期の選択に戻る(&X)"), true,
               &TfmMain::mnSelDataClick);
    addCommand(dataMenu, "mnExit", QStringLiteral("カナリエを終了する(&X)"), true, nullptr);
    m_actions.at(QStringLiteral("mnExit"))->setEnabled(true);
    connect(m_actions.at(QStringLiteral("mnExit")), &QAction::triggered, this,
            &QWidget::close);

    QMenu *memb = bar->addMenu(QStringLiteral("社員(&S)"));
    addCommand(memb, "mnNewMemb", QStringLiteral("社員の新規登録(&N)"), kHaveMembEdit,
               &TfmMain::mnNewMembClick);
    addCommand(memb, "mnEditMemb", QStringLiteral("社員情報の修正(&M)"), kHaveMembEdit,
               &TfmMain::mnEditMembClick);
    addCommand(memb, "mnDelMemb", QStringLiteral("社員情報の削除(&D)"), true,
               &TfmMain::mnDelMembClick);
    memb->addSeparator();
    addCommand(memb, "mnListMemb", QStringLiteral("一覧形式で社員情報修正(&L)"), kHaveMembEditL,
               &TfmMain::mnListMembClick);
    addCommand(memb, "mnSeqNo", QStringLiteral("社員連番の変更(&S)"), kHaveSeqNo,
               &TfmMain::mnSeqNoClick);
    QAction *retired = addCommand(memb, "mnShowRetired", QStringLiteral("退職者を表示する(&T)"),
                                  true, &TfmMain::mnShowRetiredClick);
    retired->setCheckable(true);

    QMenu *input = bar->addMenu(QStringLiteral("勤怠入力(&I)"));
    addCommand(input, "mnDataEdit", QStringLiteral("明細書形式での入力(&M)"), kHaveDataEdit,
               &TfmMain::mnDataEditClick);
    addCommand(input, "mnListInp", QStringLiteral("一覧形式での入力(&L)"), kHaveListInp,
               &TfmMain::mnListInpClick);

    QMenu *basic = bar->addMenu(QStringLiteral("基本設定(&B)"));
    addCommand(basic, "mnCorpInfo", QStringLiteral("会社情報の設定(&C)..."), kHaveCorpInfo,
               &TfmMain::mnCorpInfoClick);
    addCommand(basic, "mnOption", QStringLiteral("入力項目の設定(&E)..."), kHaveOption,
               &TfmMain::mnOptionClick);
    QMenu *prnSet = basic->addMenu(QStringLiteral("印刷項目の設定(&F)"));
    addCommand(prnSet, "mnPrnForm", QStringLiteral("給与/賞与明細(&M)..."), kHavePrnForm,
               &TfmMain::mnPrnFormClick);
    addCommand(prnSet, "mnPrnItem", QStringLiteral("給与台帳/月別一覧(&D)..."), kHavePrnItem,
               &TfmMain::mnPrnItemClick);

    // Reports, mail, help and the online update are separate parts of the program that are
    // not built yet: their commands are present and disabled.
    QMenu *prn = bar->addMenu(QStringLiteral("印刷(&P)"));
    addCommand(prn, "mnPrnMeisai", QStringLiteral("給与/賞与明細書(&M)..."), false);
    addCommand(prn, "mnPrnDaicho", QStringLiteral("社員別給与台帳(&D)..."), false);
    addCommand(prn, "mnPrnIchiran", QStringLiteral("月別給与/賞与一覧(&I)..."), false);
    addCommand(prn, "mnPrnTotal", QStringLiteral("給与/賞与総合計台帳(&G)..."), false);
    addCommand(prn, "mnPrnSyain", QStringLiteral("社員情報一覧表(&L)..."), false);
    addCommand(prn, "mnPrnKinsyu", QStringLiteral("支払金種一覧表(&T)..."), false);
    addCommand(prn, "mnPrnJumin", QStringLiteral("納税市町村別住民税(&J)..."), false);
    prn->addSeparator();
    addCommand(prn, "mnSelectAll", QStringLiteral("全ての社員を選択(&A)"), true,
               &TfmMain::mnSelectAllClick);

    QMenu *mail = bar->addMenu(QStringLiteral("メール(&M)"));
    addCommand(mail, "mnMail", QStringLiteral("給与/賞与明細書(&M)..."), false);
    addCommand(mail, "mnMailSelect", QStringLiteral("対象社員を選択(&A)"), true,
               &TfmMain::mnMailSelectClick);

    QMenu *help = bar->addMenu(QStringLiteral("ヘルプ(&H)"));
    addCommand(help, "mnHelpContents", QStringLiteral("目次(&C)"), false);
    addCommand(help, "mnHelpKeyword", QStringLiteral("キーワードで検索(&T)"), false);
    help->addSeparator();
    addCommand(help, "mnFaq", QStringLiteral("よくある質問(&WEB)"), false);
    addCommand(help, "mnSupportMail", QStringLiteral("メールで問い合わせ(&M)"), false);
    addCommand(help, "mnInstallDir", QStringLiteral("インストール先の表示(&I)"), false);
    addCommand(help, "mnTableUpdate", QStringLiteral("データファイル更新(&U)"), false);
    addCommand(help, "mnVersionCheck", QStringLiteral("最新バージョンかチェック(&C)"), false);
    help->addSeparator();
    addCommand(help, "mnAbout", QStringLiteral("バージョン情報(&A)"), false);
}

void TfmMain::buildButtons()
{
    // Each button does what its menu command does and follows its enabled state.
    struct Def {
        const char *name;
        const char *text;
        const char *command;
    };
    const Def defs[] = {
        {"btSaveFile", "ﾃﾞｰﾀ保存", "mnSaveFile"},   {"btSelData", "対象選択", "mnSelData"},
        {"btNewMemb", "社員登録", "mnNewMemb"},     {"btEditMemb", "社員修正", "mnEditMemb"},
        {"btDelMemb", "社員削除", "mnDelMemb"},     {"btDataEdit", "明細入力", "mnDataEdit"},
        {"btListInp", "一覧入力", "mnListInp"},     {"btPrnMeisai", "給与明細", "mnPrnMeisai"},
        {"btPrnDaicho", "給与台帳", "mnPrnDaicho"}, {"btPrnIchiran", "月別一覧", "mnPrnIchiran"},
        {"btPrnSyain", "社員一覧", "mnPrnSyain"},   {"btMail", "ﾒｰﾙ送信", "mnMail"},
    };
    for (const Def &d : defs) {
        auto *b = new QPushButton(QString::fromUtf8(d.text), this);
        b->setObjectName(QString::fromLatin1(d.name));
        b->setFocusPolicy(Qt::NoFocus);
        QAction *a = m_actions.at(QString::fromLatin1(d.command));
        b->setProperty("command", a->objectName());
        connect(b, &QPushButton::clicked, a, &QAction::trigger);
        m_buttons[b->objectName()] = b;
    }
}

QAction *TfmMain::action(const QString &objectName) const
{
    auto it = m_actions.find(objectName);
    return it == m_actions.end() ? nullptr : it->second;
}

QPushButton *TfmMain::button(const QString &objectName) const
{
    auto it = m_buttons.find(objectName);
    return it == m_buttons.end() ? nullptr : it->second;
}

void TfmMain::setRaiseRequestSource(std::function<bool()> source)
{
    m_raiseRequested = std::move(source);
    if (m_raiseRequested)
        m_raiseTimer->start(400);
    else
        m_raiseTimer->stop();
}

void TfmMain::restoreGeometryFromSettings()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    const int screenWidth = screen ? screen->geometry().width() : 0;
    const int monitors = static_cast<int>(QGuiApplication::screens().size());
    MainWindowGeometry def;
    def.height = kDesignedHeight;
    def.screenWidth = screenWidth;
    def.monitorCount = monitors;
    MainWindowGeometry g = readMainWindow(m_session.loc.SysIni, def);
    setFixedWidth(kWindowWidth);
    resize(kWindowWidth, g.height > 100 ? g.height : kDesignedHeight);
    if (g.screenWidth != screenWidth || g.monitorCount != monitors)
        move(avail.center() - QPoint(kWindowWidth / 2, height() / 2));
    else if (g.left != 0 || g.top != 0)
        move(g.left, g.top);
}

void TfmMain::saveGeometryToSettings()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    MainWindowGeometry g;
    g.width = width();
    g.height = height();
    g.left = x();
    g.top = y();
    g.screenWidth = screen ? screen->geometry().width() : 0;
    g.monitorCount = static_cast<int>(QGuiApplication::screens().size());
    if (Status s = writeMainWindow(m_session.loc.SysIni, g); !s)
        m_session.ask().error(s.message());
}

void TfmMain::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (m_activated || !m_autoStart)
        return;
    m_activated = true;
    QTimer::singleShot(0, this, [this] {
        if (!firstActivation()) {
            m_ending = true;
            close();
        }
    });
}

// ---- start-up ----

bool TfmMain::passwordSet() const
{
#ifdef ORV_HAVE_INPPASS
    // The hashed password and an old scrambled one that is still to be converted.
    return TfmInpPass::required(m_session);
#else
    return !IniFile::load(m_session.loc.SysIni).readString("Option", "ListFile").empty();
#endif
}

bool TfmMain::firstActivation()
{
    Prompter &ask = m_session.ask();
    if (Status s = m_session.tables.startCheck(); !s) {
        ask.error(s.message());
        return false;
    }
    // The version of the program that last used these settings.
    if (Status s = IniFile::writeString(m_session.loc.SysIni, "Option", "ProgVer", progVerStr());
        !s)
        ask.error(s.message());
    const int count = readCorpCount(m_session.loc.SysIni, 1);

#ifdef ORV_HAVE_INPPASS
    if (passwordSet()) {
        TfmInpPass pass(m_session, this);
        if (pass.exec() != QDialog::Accepted)
            return false;
    }
#endif

    std::string suffix;
    if (count >= 2) {
        TfmSelCorp corp(m_session, this);
        if (corp.exec() != QDialog::Accepted)
            return false;
        suffix = corp.suffix();
        if (!isSafeCompanySuffix(suffix)) {
            ask.error("会社データの設定が正しくありません。【" + suffix + "】");
            return false;
        }
    }
    m_session.selectCompany(suffix);
    m_session.loadOptions();
    m_session.curFile = m_session.currentYearFile();

    Result<int> migrated = m_session.prepareDataDir();
    if (!migrated) {
        ask.error(migrated.message());
        return false;
    }
    if (*migrated > 0)
        ask.information("旧バージョンのデータを移行しました。");
    if (Status s = m_session.createYearFile(); !s) {
        ask.error(s.message());
        return false;
    }

    TfmSelData sel(m_session, this);
    if (sel.exec() != QDialog::Accepted)
        return false;
    if (!openPeriodIntoMain())
        return false;
    m_session.starting = false;

    selectRow(0);
    if (Status s = m_session.sysLog(kLogStart); !s)
        ask.error(s.message());
    return true;
}

bool TfmMain::openPeriodIntoMain()
{
    Session &s = m_session;
    setWindowTitle(QtPrompter::toQt(s.periodCaption()));
    if (s.companyNameEmpty()) {
#ifdef ORV_HAVE_CORPINFO
        TfmCorpInfo corp(s, this);
        if (corp.exec() != QDialog::Accepted)
            return false;
#ifdef ORV_HAVE_MEMBEDIT
        TfmMembEdit memb(s, this);
        memb.setNew();
        memb.exec();
#endif
        setWindowTitle(QtPrompter::toQt(s.periodCaption()));
#endif
    }
    button(QStringLiteral("btPrnMeisai"))
        ->setText(s.img->isBonus() ? QStringLiteral("賞与明細") : QStringLiteral("給与明細"));
    m_model->rebuild(m_order, action(QStringLiteral("mnShowRetired"))->isChecked(), true);
    s.recalcAllAsk();
    // Every employee starts checked: the check-all toggle is armed and fired.
    m_armAll = true;
    mnSelectAllClick();
    selectRow(0);
    updateButtons();
    return true;
}

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

void TfmMain::afterMasterChange(bool byPosition)
{
    rebuildList(byPosition);
    setWindowTitle(QtPrompter::toQt(m_session.periodCaption()));
}

void TfmMain::mnNewMembClick()
{
#ifdef ORV_HAVE_MEMBEDIT
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
#endif
}

void TfmMain::mnEditMembClick()
{
#ifdef ORV_HAVE_MEMBEDIT
    const int slot = selectedSlot();
    if (slot == 0) {
        m_session.ask().error(kNoTarget);
        return;
    }
    if (m_session.img->isBonus() &&
        m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::OkCancel,
                            kBonusEditWarning) != Prompter::Answer::Ok)
        return;
    TfmMembEdit dlg(m_session, this);
    dlg.setSlot(slot);
    if (dlg.exec() != QDialog::Accepted)
        return;
    // The checked employees keep their marks.
    const int row = m_list->currentIndex().row();
    m_model->rebuild(m_order, action(QStringLiteral("mnShowRetired"))->isChecked(), false);
    selectRow(row);
#endif
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
#ifdef ORV_HAVE_MEMBEDITL
    if (m_session.img->isBonus() &&
        m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::OkCancel,
                            kBonusEditWarning) != Prompter::Answer::Ok)
        return;
    TfmMembEditL dlg(m_session, this);
    dlg.exec();
    afterMasterChange(true);
#endif
}

void TfmMain::mnSeqNoClick()
{
#ifdef ORV_HAVE_SEQNO
    TfmSeqNo dlg(m_session, this);
    dlg.exec();
    afterMasterChange(false);
#endif
}

void TfmMain::mnDataEditClick()
{
#ifdef ORV_HAVE_DATAEDIT
    const int slot = selectedSlot();
    if (slot == 0)
        return;
    TfmDataEdit dlg(m_session, this);
    dlg.setSlot(slot);
    dlg.exec();
    afterMasterChange(true);
#endif
}

void TfmMain::mnListInpClick()
{
#ifdef ORV_HAVE_LISTINP
    TfmListInp dlg(m_session, this);
    dlg.exec();
    afterMasterChange(true);
#endif
}

void TfmMain::mnCorpInfoClick()
{
#ifdef ORV_HAVE_CORPINFO
    TfmCorpInfo dlg(m_session, this);
    dlg.exec();
    afterMasterChange(true);
#endif
}

void TfmMain::mnOptionClick()
{
#ifdef ORV_HAVE_OPTION
    TfmOption dlg(m_session, this);
    dlg.exec();
    afterMasterChange(true);
#endif
}

void TfmMain::mnPrnFormClick()
{
#ifdef ORV_HAVE_PRNFORM
    if (m_session.img->isBonus()) {
        TfmPrnFormS dlg(m_session, this);
        dlg.exec();
    } else {
        TfmPrnFormK dlg(m_session, this);
        dlg.exec();
    }
    afterMasterChange(true);
#endif
}

void TfmMain::mnPrnItemClick()
{
#ifdef ORV_HAVE_PRNITEM
    TfmPrnItem dlg(m_session, this);
    dlg.exec();
#endif
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

// ---- close ----

void TfmMain::mnSelDataClick()
{
    if (!m_session.confirmLeavePeriod())
        return;
    TfmSelData sel(m_session, this);
    if (sel.exec() == QDialog::Accepted) {
        if (openPeriodIntoMain())
            return;
    }
    m_ending = true;
    close();
}

bool TfmMain::closeRequest()
{
    if (m_session.starting)
        return true;
    if (!m_session.confirmLeavePeriod())
        return false;
    return m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                               "カナリエを終了しますか？") == Prompter::Answer::Yes;
}

void TfmMain::closeEvent(QCloseEvent *e)
{
    if (!m_ending && !closeRequest()) {
        e->ignore();
        return;
    }
    m_ending = true;
    m_session.offerRemoveCreatedFile();
    if (!m_session.starting)
        saveGeometryToSettings();
    e->accept();
}

} // namespace orv
