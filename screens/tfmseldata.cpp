#include "screens/tfmseldata.h"

#include "core/util/numtext.h"
#include "core/util/sjis.h"
#include "screens/session.h"
#include "screens/tfminpdlg.h"
#include "screens/tfmrefdata.h"
#include "settings/options.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <filesystem>

namespace orv {

namespace {

constexpr int kCreatedRole = Qt::UserRole + 1;

// Created periods in blue, the others in silver; the selected entry has that colour as its
// background and white text.
class PeriodDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *p, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        const QColor colour = index.data(kCreatedRole).toBool() ? QColor(0, 0, 255)
                                                                : QColor(192, 192, 192);
        p->save();
        const bool selected = option.state & QStyle::State_Selected;
        p->fillRect(option.rect, selected ? colour : option.palette.base().color());
        p->setPen(selected ? QColor(Qt::white) : colour);
        p->setFont(option.font);
        p->drawText(option.rect.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                    index.data(Qt::DisplayRole).toString());
        p->restore();
    }
};

QString periodName(const TOption &opt, int k)
{
    static const char *const fullWidth[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};
    if (k <= 9)
        return QString::fromUtf8(fullWidth[k - 1]) + QStringLiteral("月支給給与");
    if (k <= 12)
        return QString::number(k) + QStringLiteral("月支給給与");
    const QString season = opt.SyoyoName ? QStringLiteral("季") : QStringLiteral("期");
    if (k == 13)
        return QStringLiteral("夏") + season + QStringLiteral("賞与");
    if (k == 14)
        return QStringLiteral("冬") + season + QStringLiteral("賞与");
    return QString::fromStdString(opt.TokuSyoyo);
}

QString twoDigits(double v) { return QString::asprintf("%2.0f", v); }

// The year list's text of a yearly file: the era name, the two-digit year and "年".
QString yearText(const std::string &path)
{
    std::string name = std::filesystem::path(path).filename().string();
    return QString::fromStdString(name.substr(0, name.find("年") + std::string("年").size()));
}

} // namespace

TfmSelData::TfmSelData(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_year(new QComboBox(this)),
      m_kikan(new QListWidget(this)), m_lbNissu(new QLabel(this)), m_lbJikan(new QLabel(this)),
      m_nissu(new QLineEdit(this)), m_jikan(new QLineEdit(this)), m_sikyuM(new QLineEdit(this)),
      m_sikyuD(new QLineEdit(this)), m_popup(new QMenu(this))
{
    setObjectName(QStringLiteral("fmSelData"));
    setWindowTitle(QStringLiteral("給与対象月/賞与時期の選択"));

    auto *menuBar = new QMenuBar(this);
    QMenu *dataMenu = menuBar->addMenu(QStringLiteral("データ管理(&D)"));
    // Backup, restore and further company data sets belong to the data-set management.
    dataMenu->addAction(QStringLiteral("データのバックアップ(&B)..."))->setEnabled(false);
    dataMenu->addAction(QStringLiteral("データの復元(&R)..."))->setEnabled(false);
    m_mnCreate = dataMenu->addAction(QStringLiteral("データファイル作成(&C)"));
    m_mnCreate->setObjectName(QStringLiteral("mnCreateFile"));
    QMenu *corp = dataMenu->addMenu(QStringLiteral("複数の会社データ管理"));
    corp->addAction(QStringLiteral("新規作成"))->setEnabled(false);
    corp->addAction(QStringLiteral("参照して追加"))->setEnabled(false);
    corp->setEnabled(false);
    connect(m_mnCreate, &QAction::triggered, this, &TfmSelData::mnCreateFileClick);

    QAction *del = m_popup->addAction(QStringLiteral("データ削除(&D)"));
    del->setObjectName(QStringLiteral("mnDelete"));
    connect(del, &QAction::triggered, this, &TfmSelData::mnDeleteClick);

    m_year->setObjectName(QStringLiteral("cbYear"));
    m_kikan->setObjectName(QStringLiteral("lbKikan"));
    m_kikan->setItemDelegate(new PeriodDelegate(m_kikan));
    m_kikan->setContextMenuPolicy(Qt::CustomContextMenu);
    m_kikan->setMinimumHeight(15 * 20);
    m_nissu->setObjectName(QStringLiteral("edNissu"));
    m_jikan->setObjectName(QStringLiteral("edJikan"));
    m_sikyuM->setObjectName(QStringLiteral("edSikyuM"));
    m_sikyuD->setObjectName(QStringLiteral("edSikyuD"));
    for (QLineEdit *ed : {m_nissu, m_jikan, m_sikyuM, m_sikyuD}) {
        ed->setAlignment(Qt::AlignRight);
        ed->setMaximumWidth(80);
        connect(ed, &QLineEdit::editingFinished, this, [this, ed] { leaveNumField(ed); });
    }

    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("対象年の選択"), this));
    left->addWidget(m_year);
    left->addWidget(m_kikan);

    auto *month = new QGroupBox(QStringLiteral("給与"), this);
    auto *mg = new QGridLayout(month);
    mg->addWidget(m_lbNissu, 0, 0);
    mg->addWidget(m_nissu, 0, 1);
    mg->addWidget(new QLabel(QStringLiteral("日"), this), 0, 2);
    mg->addWidget(m_lbJikan, 1, 0);
    mg->addWidget(m_jikan, 1, 1);
    mg->addWidget(new QLabel(QStringLiteral("時間"), this), 1, 2);
    auto *bonus = new QGroupBox(QStringLiteral("賞与"), this);
    auto *bg = new QGridLayout(bonus);
    bg->addWidget(new QLabel(QStringLiteral("支給月日"), this), 0, 0);
    bg->addWidget(m_sikyuM, 0, 1);
    bg->addWidget(new QLabel(QStringLiteral("月"), this), 0, 2);
    bg->addWidget(m_sikyuD, 0, 3);
    bg->addWidget(new QLabel(QStringLiteral("日"), this), 0, 4);

    auto *ok = new QPushButton(QStringLiteral("Ｏ Ｋ"), this);
    ok->setObjectName(QStringLiteral("btOk"));
    ok->setDefault(true);
    auto *quit = new QPushButton(QStringLiteral("終了"), this);
    quit->setObjectName(QStringLiteral("btCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(quit);

    auto *right = new QVBoxLayout;
    right->addWidget(month);
    right->addWidget(bonus);
    right->addStretch();
    right->addLayout(buttons);

    auto *body = new QHBoxLayout;
    body->addLayout(left, 1);
    body->addLayout(right, 1);
    auto *lay = new QVBoxLayout(this);
    lay->setMenuBar(menuBar);
    lay->addLayout(body);

    connect(ok, &QPushButton::clicked, this, &TfmSelData::btOkClick);
    connect(quit, &QPushButton::clicked, this, &TfmSelData::reject);
    connect(m_kikan, &QListWidget::currentRowChanged, this, [this] {
        if (!m_filling)
            fillFields();
    });
    connect(m_kikan, &QListWidget::itemDoubleClicked, this, &TfmSelData::btOkClick);
    connect(m_kikan, &QWidget::customContextMenuRequested, this, &TfmSelData::showPopup);
    connect(m_year, &QComboBox::activated, this, &TfmSelData::yearChosen);

    // Pay month and day start as today's.
    const Date today = m_session.today();
    m_sikyuM->setText(twoDigits(today.month));
    m_sikyuD->setText(twoDigits(today.day));
    loadFile();
    selectPeriod(m_session.periodOpen ? m_session.img->KikanNo : today.month);
    resize(560, 440);
}

void TfmSelData::loadFile()
{
    clearRecord(m_head);
    for (auto &k : m_kihon)
        clearRecord(k);
    if (!m_session.curFile.empty()) {
        readYearHead(m_session.curFile, m_head);
        auto tmp = std::make_unique<PayImage>();
        for (int m = 1; m <= 12; ++m)
            if (m_head.Sakusei[m - 1] && OpenPeriod(m_session.curFile, m, *tmp))
                m_kihon[m] = tmp->Kihon;
    }
    fillYears();
    fillPeriods();
}

void TfmSelData::fillYears()
{
    m_year->clear();
    m_files = YearFiles(m_session.dataDir);
    for (const std::string &f : m_files)
        m_year->addItem(yearText(f));
    for (int i = 0; i < static_cast<int>(m_files.size()); ++i)
        if (m_files[i] == m_session.curFile)
            m_year->setCurrentIndex(i);
}

void TfmSelData::fillPeriods()
{
    const int row = m_kikan->currentRow();
    m_filling = true;
    m_kikan->clear();
    for (int k = 1; k <= kPeriods; ++k) {
        auto *item = new QListWidgetItem(periodName(m_session.opt, k), m_kikan);
        item->setData(kCreatedRole, static_cast<bool>(m_head.Sakusei[k - 1]));
        item->setData(Qt::UserRole, k);
    }
    m_kikan->setCurrentRow(row >= 0 ? row : 0);
    m_filling = false;
}

void TfmSelData::selectPeriod(int k)
{
    if (k < 1 || k > kPeriods)
        k = 1;
    m_filling = true;
    m_kikan->setCurrentRow(k - 1);
    m_filling = false;
    fillFields();
}

int TfmSelData::selectedPeriod() const { return m_kikan->currentRow() + 1; }

void TfmSelData::fillFields()
{
    const int k = selectedPeriod();
    const bool month = k >= 1 && k <= 12;
    m_nissu->setEnabled(month);
    m_jikan->setEnabled(month);
    m_sikyuM->setEnabled(!month);
    m_sikyuD->setEnabled(!month);
    if (month) {
        m_lbNissu->setText(QString::asprintf("%d月･所定労働日数", k));
        m_lbJikan->setText(QString::asprintf("%d月･所定労働時間", k));
        m_nissu->setText(QString::asprintf("%2d", m_kihon[k].Nissu));
        m_jikan->setText(
            QString::fromStdString(FmtJikan(m_kihon[k].Jikan, m_session.opt.TimeStyle)).trimmed());
    } else if (k > 12) {
        const int b = k - 13;
        if (m_head.SikyuM[b] != 0) {
            m_sikyuM->setText(QString::asprintf("%2d", m_head.SikyuM[b]));
            m_sikyuD->setText(QString::asprintf("%2d", m_head.SikyuD[b]));
        } else {
            const Date today = m_session.today();
            m_sikyuM->setText(twoDigits(today.month));
            m_sikyuD->setText(twoDigits(today.day));
        }
    }
}

void TfmSelData::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (m_session.selectionHintShown || readDefJikanD(m_session.corpIni) != 0)
        return;
    m_session.selectionHintShown = true;
    QTimer::singleShot(0, this, [this] {
        m_session.ask().information(
            "入力する給与または賞与を選択し､必要な情報を入力して下さい。\r"
            "（詳細はF1キーを押してヘルプを参照して下さい。）");
    });
}

void TfmSelData::leaveNumField(QLineEdit *ed)
{
    const std::string text = ed->text().toStdString();
    if (ed == m_jikan) {
        double h = TextToJikan(text, m_session.ask());
        ed->setText(QString::fromStdString(FmtJikan(h, m_session.opt.TimeStyle)).trimmed());
        return;
    }
    std::string norm = CheckNumText(text, 30, m_session.ask());
    double v = norm.empty() ? 0 : TextToNum(norm, nullPrompter());
    ed->setText(twoDigits(v));
}

void TfmSelData::yearChosen(int index)
{
    if (index < 0 || index >= static_cast<int>(m_files.size()))
        return;
    m_session.curFile = m_files[index];
    const int k = selectedPeriod();
    loadFile();
    selectPeriod(k);
}

bool TfmSelData::validateBonusDate(int &month, int &day)
{
    month = TextToInt(m_sikyuM->text().toStdString(), m_session.ask());
    day = TextToInt(m_sikyuD->text().toStdString(), m_session.ask());
    if (month < 1 || month > 12) {
        m_session.ask().error("支給月は1から12までの数字で入力して下さい。");
        m_sikyuM->setFocus();
        m_sikyuM->selectAll();
        return false;
    }
    if (day < 1 || day > 31) {
        m_session.ask().error("支給日は1から31までの数字で入力して下さい。");
        m_sikyuD->setFocus();
        m_sikyuD->selectAll();
        return false;
    }
    return true;
}

void TfmSelData::btOkClick()
{
    const int k = selectedPeriod();
    if (k < 1 || k > kPeriods)
        return;
    PeriodRequest req;
    req.k = k;
    if (k <= 12) {
        req.nissu = TextToInt(m_nissu->text().toStdString(), m_session.ask());
        req.jikan = TextToJikan(m_jikan->text().toStdString(), m_session.ask());
        if (req.nissu == 0 || req.jikan == 0) {
            m_session.ask().error("所定労働日数と時間を入力して下さい。");
            m_nissu->setFocus();
            return;
        }
    } else {
        if (!validateBonusDate(req.sikyuM, req.sikyuD))
            return;
        // Days and hours do not count in a bonus period; the shown month's values go along.
        req.nissu = TextToInt(m_nissu->text().toStdString(), nullPrompter());
        req.jikan = TextToJikan(m_jikan->text().toStdString(), nullPrompter());
    }
    req.chooseReference = [this, k] {
        TfmRefData ref(m_session, this);
        return ref.choose(k);
    };
    if (Status s = m_session.openRequestedPeriod(req); !s) {
        m_session.ask().error(s.message());
        return;
    }
    accept();
}

void TfmSelData::reject()
{
    if (!m_session.setUpThisRun) {
        const char *text = readDefJikanD(m_session.corpIni) == 0
                               ? "初期設定を中止し、カナリエを終了して宜しいですか？"
                               : "処理をする給与対象月/賞与時期の選択を中止し、カナリエを終了して"
                                 "宜しいですか？";
        auto a = m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo, text);
        if (a != Prompter::Answer::Yes)
            return;
    }
    QDialog::reject();
}

void TfmSelData::mnCreateFileClick()
{
    TfmInpDlg dlg(m_session, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const int k = selectedPeriod();
    loadFile();
    selectPeriod(k);
}

void TfmSelData::showPopup(const QPoint &pos)
{
    QListWidgetItem *item = m_kikan->itemAt(pos);
    if (!item)
        return;
    m_kikan->setCurrentItem(item);
    m_popup->popup(m_kikan->viewport()->mapToGlobal(pos));
}

void TfmSelData::mnDeleteClick()
{
    const int k = selectedPeriod();
    if (k < 1 || k > kPeriods)
        return;
    Result<bool> r = DeletePeriod(m_session.curFile, k, *m_session.img, m_session.ask());
    if (!r) {
        m_session.ask().error(r.message());
        return;
    }
    if (!*r)
        return;
    // The period in memory was cleared with the deleted block.
    m_session.periodOpen = false;
    loadFile();
    selectPeriod(k);
}

} // namespace orv
