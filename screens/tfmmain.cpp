// The main window: its menus and buttons, the start-up sequence of its first activation, and
// the close request.

#include "screens/tfmmain.h"

#include "screens/qtprompter.h"
#include "screens/tfmcorpinfo.h"
#include "screens/tfminppass.h"
#include "screens/tfmmembedit.h"
#include "screens/tfmselcorp.h"
#include "screens/tfmseldata.h"
#include "settings/inifile.h"
#include "settings/options.h"

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

#include <filesystem>

namespace orv {

namespace {

constexpr int kWindowWidth = 1024;
constexpr int kDesignedHeight = 640;
constexpr const char *kUpdaterFile = "orvane2_upd.exe";
constexpr const char *kReleaseNotes = "Orvane2.txt";

} // namespace

// ---- the window ----

TfmMain::TfmMain(Session &session, StartMode mode, QWidget *parent)
    : QMainWindow(parent), m_session(session), m_mode(mode), m_model(new EmployeeListModel(session, this)),
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
    openDocument = [](const std::string &path) { return orv::openDocument(path); };
    // A program updater left behind by an earlier update.
    std::error_code ec;
    std::filesystem::remove(std::filesystem::current_path(ec) / kUpdaterFile, ec);
    if (m_mode != StartMode::Normal) {
        centreOnScreen();
    } else {
        // The tables of this year are read when the window is created; the first activation
        // checks that all three fixed-layout tables were found.
        m_session.tables = TableSet::load(m_session.loc.ProgDir, m_session.today().year);
    }

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
    addCommand(memb, "mnNewMemb", QStringLiteral("社員の新規登録(&N)"), true,
               &TfmMain::mnNewMembClick);
    addCommand(memb, "mnEditMemb", QStringLiteral("社員情報の修正(&M)"), true,
               &TfmMain::mnEditMembClick);
    addCommand(memb, "mnDelMemb", QStringLiteral("社員情報の削除(&D)"), true,
               &TfmMain::mnDelMembClick);
    memb->addSeparator();
    addCommand(memb, "mnListMemb", QStringLiteral("一覧形式で社員情報修正(&L)"), true,
               &TfmMain::mnListMembClick);
    addCommand(memb, "mnSeqNo", QStringLiteral("社員連番の変更(&S)"), true,
               &TfmMain::mnSeqNoClick);
    QAction *retired = addCommand(memb, "mnShowRetired", QStringLiteral("退職者を表示する(&T)"),
                                  true, &TfmMain::mnShowRetiredClick);
    retired->setCheckable(true);

    QMenu *input = bar->addMenu(QStringLiteral("勤怠入力(&I)"));
    addCommand(input, "mnDataEdit", QStringLiteral("明細書形式での入力(&M)"), true,
               &TfmMain::mnDataEditClick);
    addCommand(input, "mnListInp", QStringLiteral("一覧形式での入力(&L)"), true,
               &TfmMain::mnListInpClick);

    QMenu *basic = bar->addMenu(QStringLiteral("基本設定(&B)"));
    addCommand(basic, "mnCorpInfo", QStringLiteral("会社情報の設定(&C)..."), true,
               &TfmMain::mnCorpInfoClick);
    addCommand(basic, "mnOption", QStringLiteral("入力項目の設定(&E)..."), true,
               &TfmMain::mnOptionClick);
    QMenu *prnSet = basic->addMenu(QStringLiteral("印刷項目の設定(&F)"));
    addCommand(prnSet, "mnPrnForm", QStringLiteral("給与/賞与明細(&M)..."), true,
               &TfmMain::mnPrnFormClick);
    addCommand(prnSet, "mnPrnItem", QStringLiteral("給与台帳/月別一覧(&D)..."), true,
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
        centreOnScreen();
    else if (g.left != 0 || g.top != 0)
        move(g.left, g.top);
}

void TfmMain::centreOnScreen()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    move(avail.center() - QPoint(width() / 2, height() / 2));
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
    g.previewBar = m_session.previewBar;
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
        if (m_mode != StartMode::Normal) {
            runStartMode();
            return;
        }
        if (!firstActivation()) {
            m_ending = true;
            close();
        }
    });
}

// ---- start-up ----

void TfmMain::runStartMode()
{
    Prompter &ask = m_session.ask();
    if (m_mode == StartMode::Update) {
        // The first start after an update: the release notes, then the confirmation.
        openDocument(m_session.loc.ProgDir + kReleaseNotes);
        ask.information("最新版に更新しました。");
    } else {
        // Fetching updaters from the maker's server is not part of this version.
        ask.error("この版ではオンライン更新を行えません。");
    }
    m_ending = true;
    close();
}

bool TfmMain::passwordSet() const
{
    // The hashed password and an old scrambled one that is still to be converted.
    return TfmInpPass::required(m_session);
}

bool TfmMain::firstActivation()
{
    Prompter &ask = m_session.ask();
    if (Status s = m_session.tables.startCheck(); !s) {
        ask.error(s.message());
        return false;
    }
    m_session.previewBar = readPreviewBar(m_session.loc.SysIni);
    // The version of the program that last used these settings.
    if (Status s = IniFile::writeString(m_session.loc.SysIni, "Option", "ProgVer", progVerStr());
        !s)
        ask.error(s.message());
    const int count = readCorpCount(m_session.loc.SysIni, 1);

    if (passwordSet()) {
        TfmInpPass pass(m_session, this);
        if (pass.exec() != QDialog::Accepted)
            return false;
    }

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
        TfmCorpInfo corp(s, this);
        if (corp.exec() != QDialog::Accepted)
            return false;
        TfmMembEdit memb(s, this);
        memb.setNew();
        memb.exec();
        setWindowTitle(QtPrompter::toQt(s.periodCaption()));
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
