#include "screens/tfmdataedit.h"

#include "core/util/numtext.h"
#include "core/util/rounding.h"
#include "core/util/sjis.h"
#include "screens/numedit.h"
#include "screens/session.h"
#include "screens/tfmcalc.h"
#include "screens/tfmmembedit.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace orv {
namespace {

const QColor kComputedColour(0xd6, 0xe6, 0xf5);

constexpr int kAmountFormat = 90; // seven digits, whole yen
constexpr int kAttendanceFormat = 62; // three digits and two decimals (or h:mm)
constexpr std::int64_t kAmountFieldMax = 9999999;

QLabel *valueLabel(QWidget *parent, const char *name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setMinimumWidth(96);
    l->setStyleSheet(QStringLiteral("background: #d6e6f5; padding: 1px 4px;"));
    return l;
}

QString amountText(double v) { return QString::fromStdString(trim(FmtKingaku(1, v))); }

bool seenEmployeeInfo = false; // the view-only notice is shown once per program run

} // namespace

TfmDataEdit::TfmDataEdit(Session &session, QWidget *parent) : QDialog(parent), m_session(session)
{
    setObjectName(QStringLiteral("fmDataEdit"));
    setWindowTitle(QStringLiteral("明細入力画面"));

    auto *nameLabel = new QLabel(QStringLiteral("氏名"), this);
    edSimei = new QLineEdit(this);
    edSimei->setObjectName(QStringLiteral("edSimei"));
    edSimei->setReadOnly(true);
    edSimei->setFocusPolicy(Qt::NoFocus);
    edSimei->setMinimumWidth(200);

    auto *boxKintai = new QGroupBox(QStringLiteral("勤　　怠"), this);
    m_boxKintai = boxKintai;
    auto *boxSikyu = new QGroupBox(QStringLiteral("支　　給"), this);
    auto *boxKoujo = new QGroupBox(QStringLiteral("控　　除"), this);
    auto *boxSonota = new QGroupBox(QStringLiteral("そ　の　他"), this);
    m_rows.reserve(kKintaiCount + kSikyuCount + kKoujoCount + kSonotaCount);
    buildGroup(EntryGroup::Kintai, boxKintai, kKintaiCount, nullptr, {});
    buildGroup(EntryGroup::Sikyu, boxSikyu, kSikyuCount, &lbSikyuTotal, QStringLiteral("支給合計"));
    buildGroup(EntryGroup::Koujo, boxKoujo, kKoujoCount, &lbKoujoTotal, QStringLiteral("控除合計"));
    buildGroup(EntryGroup::Sonota, boxSonota, kSonotaCount, &lbSonotaTotal,
               QStringLiteral("その他合計"));

    auto *boxNet = new QGroupBox(QStringLiteral("差引支給額"), this);
    lbSasihiki = valueLabel(boxNet, "lbSasihiki");
    QFont big = lbSasihiki->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    lbSasihiki->setFont(big);
    (new QVBoxLayout(boxNet))->addWidget(lbSasihiki);

    auto *boxZangyo = new QGroupBox(QStringLiteral("残業単価"), this);
    auto *zl = new QVBoxLayout(boxZangyo);
    for (int i = 0; i < 4; ++i) {
        lbZangyo[i] = new QLabel(boxZangyo);
        lbZangyo[i]->setObjectName(QStringLiteral("lbZangyo%1").arg(i + 2));
        zl->addWidget(lbZangyo[i]);
    }

    auto button = [this](const QString &caption, const char *name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        // The focus stays in the field the button acts on.
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        return b;
    };
    btPrev = button(QStringLiteral("前のデータ"), "btPrev");
    btNext = button(QStringLiteral("次のデータ"), "btNext");
    btCalc = button(QStringLiteral("電卓起動"), "btCalc");
    btRecalc = button(QStringLiteral("再計算"), "btRecalc");
    btManual = button(QStringLiteral("修正ON/OFF"), "btManual");
    btPrint = button(QStringLiteral("明細印刷"), "btPrint");
    btMail = button(QStringLiteral("メール送信"), "btMail");
    btMemb = button(QStringLiteral("社員情報表示"), "btMemb");
    btClose = button(QStringLiteral("戻る"), "btClose");
    connect(btPrev, &QPushButton::clicked, this, &TfmDataEdit::btPrevClick);
    connect(btNext, &QPushButton::clicked, this, &TfmDataEdit::btNextClick);
    connect(btCalc, &QPushButton::clicked, this, &TfmDataEdit::btCalcClick);
    connect(btRecalc, &QPushButton::clicked, this, &TfmDataEdit::btRecalcClick);
    connect(btManual, &QPushButton::clicked, this, &TfmDataEdit::btManualClick);
    connect(btMemb, &QPushButton::clicked, this, &TfmDataEdit::btMembClick);
    connect(btClose, &QPushButton::clicked, this, &TfmDataEdit::reject);
    // Printing and mailing a slip need the report windows, which this program does not have yet.
    btPrint->setEnabled(false);
    btMail->setEnabled(false);
    showEmployee = [this](int slot) {
        TfmMembEdit dlg(m_session, this);
        dlg.setViewOnly(slot);
        dlg.exec();
    };

    auto *legendColour = new QLabel(this);
    legendColour->setFixedSize(36, 18);
    legendColour->setFrameStyle(QFrame::Box);
    legendColour->setStyleSheet(QStringLiteral("background: #d6e6f5;"));
    auto *legend = new QLabel(
        QStringLiteral("計算により値がセットされ､入力出来ない項目です。　｢修正ON/OFF｣ボタンにより入力が可能となります。(一部項目は除く)"),
        this);
    legend->setObjectName(QStringLiteral("lbLegend"));
    legend->setWordWrap(true);

    auto *top = new QHBoxLayout;
    top->addWidget(nameLabel);
    top->addWidget(edSimei);
    top->addStretch();
    auto *right = new QVBoxLayout;
    right->addWidget(boxSonota);
    right->addWidget(boxNet);
    right->addWidget(boxZangyo);
    right->addStretch();
    auto *groups = new QHBoxLayout;
    groups->addWidget(boxKintai, 0, Qt::AlignTop);
    groups->addWidget(boxSikyu, 0, Qt::AlignTop);
    groups->addWidget(boxKoujo, 0, Qt::AlignTop);
    groups->addLayout(right);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {btPrev, btNext, btCalc, btRecalc, btManual, btPrint, btMail, btMemb})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(btClose);
    auto *legendRow = new QHBoxLayout;
    legendRow->addWidget(legendColour);
    legendRow->addWidget(legend, 1);
    auto *v = new QVBoxLayout(this);
    v->addLayout(top);
    v->addLayout(groups);
    v->addLayout(legendRow);
    v->addLayout(buttons);
}

TfmDataEdit::~TfmDataEdit() = default;

void TfmDataEdit::buildGroup(EntryGroup group, QGroupBox *box, int count, QLabel **totalLabel,
                             const QString &totalCaption)
{
    static const char *const prefix[] = {"Kintai", "Sikyu", "Koujo", "Sonota"};
    auto *g = new QGridLayout(box);
    g->setVerticalSpacing(2);
    for (int i = 0; i < count; ++i) {
        Row r;
        r.group = group;
        r.index = i;
        r.label = new QLabel(box);
        r.label->setMinimumWidth(92);
        r.edit = new NumEdit(box);
        r.edit->setObjectName(QStringLiteral("ed%1%2").arg(QLatin1String(prefix[int(group)])).arg(i + 1));
        r.edit->setFixedWidth(group == EntryGroup::Kintai ? 80 : 96);
        r.edit->setPrompter(&m_session.ask());
        r.edit->installEventFilter(this);
        g->addWidget(r.label, i, 0);
        g->addWidget(r.edit, i, 1);
        m_rows.push_back(r);
        const std::size_t at = m_rows.size() - 1;
        m_rows[at].edit->onEntered = [this, at](NumEdit *) { return entered(m_rows[at]); };
        m_rows[at].edit->navigate = [this](NumEdit *from, int step) { moveFocus(from, step); };
    }
    if (totalLabel) {
        auto *caption = new QLabel(totalCaption, box);
        static const char *const names[] = {"", "lbSikyuTotal", "lbKoujoTotal", "lbSonotaTotal"};
        *totalLabel = valueLabel(box, names[int(group)]);
        g->addWidget(caption, count, 0);
        g->addWidget(*totalLabel, count, 1);
    }
}

void TfmDataEdit::setSlot(int slot)
{
    m_slot = slot;
    loadEmployee();
}

NumEdit *TfmDataEdit::field(const QString &caption) const
{
    for (const Row &r : m_rows)
        if (!r.edit->isHidden() && r.label->text() == caption)
            return r.edit;
    return nullptr;
}

QString TfmDataEdit::caption(NumEdit *f) const
{
    for (const Row &r : m_rows)
        if (r.edit == f)
            return r.label->text();
    return {};
}

QString TfmDataEdit::netPayText() const { return lbSasihiki->text(); }

QString TfmDataEdit::totalText(EntryGroup group) const
{
    switch (group) {
    case EntryGroup::Sikyu:
        return lbSikyuTotal->text();
    case EntryGroup::Koujo:
        return lbKoujoTotal->text();
    case EntryGroup::Sonota:
        return lbSonotaTotal->text();
    case EntryGroup::Kintai:
        break;
    }
    return {};
}

bool TfmDataEdit::manual(const Row &row) const
{
    if (m_slot < 1 || m_slot > kSlots || row.no < 1)
        return false;
    const PayImage &img = *m_session.img;
    if (row.group == EntryGroup::Sikyu)
        return img.Sikyu[m_slot].Manual[row.no - 1];
    if (row.group == EntryGroup::Koujo)
        return img.Koujo[m_slot].Manual[row.no - 1];
    return false;
}

bool TfmDataEdit::editable(const Row &row) const
{
    if (row.no == 0 || row.edit->isHidden())
        return false;
    switch (row.group) {
    case EntryGroup::Kintai:
        return !row.fixed;
    case EntryGroup::Sikyu:
    case EntryGroup::Koujo:
        return !row.fixed || manual(row);
    case EntryGroup::Sonota:
        return true;
    }
    return false;
}

double TfmDataEdit::recordValue(const Row &row) const
{
    const PayImage &img = *m_session.img;
    switch (row.group) {
    case EntryGroup::Kintai:
        return kintaiValue(img.Kintai[m_slot], row.no);
    case EntryGroup::Sikyu:
        return payItem(img.Sikyu[m_slot], row.no);
    case EntryGroup::Koujo:
        return deductItem(img.Koujo[m_slot], row.no);
    case EntryGroup::Sonota:
        return img.Sikyu[m_slot].Sonota[row.no - 1];
    }
    return 0;
}

QString TfmDataEdit::format(const Row &row, double v) const
{
    if (row.group != EntryGroup::Kintai)
        return amountText(v);
    if (IsJikanItem(row.text))
        return QString::fromStdString(trim(FmtJikan(v, m_session.opt.TimeStyle)));
    return QString::number(v, 'f', 2);
}

void TfmDataEdit::loadEmployee()
{
    m_loading = true;
    for (Row &r : m_rows)
        r.edit->setLeaveHandling(false);
    PayImage &img = *m_session.img;
    const bool valid = m_slot >= 1 && m_slot <= kSlots && SlotInUse(img, m_slot);
    const int f = valid ? img.Syain[m_slot].Keitai : 0;
    const bool form = f >= 1 && f <= 3;
    const SlipItems &it = m_session.items;
    const TOption &opt = m_session.opt;

    for (Row &r : m_rows) {
        std::string entry;
        if (form) {
            switch (r.group) {
            case EntryGroup::Kintai:
                entry = it.KintaiNames[f][r.index];
                break;
            case EntryGroup::Sikyu:
                entry = it.SikyuNames[f][r.index];
                break;
            case EntryGroup::Koujo:
                entry = it.KoujoNames[f][r.index];
                break;
            case EntryGroup::Sonota:
                entry = it.SonotaNames[f][r.index];
                break;
            }
        }
        r.entry = entry;
        r.text = itemText(opt, entry);
        r.fixed = !entry.empty() && entry[0] == 'F';
        r.no = r.text.empty() ? 0 : itemNo(opt, r.group, r.text);
        const bool shown = !r.text.empty();
        QString caption = QString::fromStdString(r.text);
        if (shown && r.group == EntryGroup::Sikyu && r.no == 1 && !img.isBonus())
            caption = f == 2 ? QStringLiteral("日給計") : f == 3 ? QStringLiteral("時給計")
                                                              : QStringLiteral("基本給");
        r.label->setText(shown ? caption : QString());
        r.edit->setHidden(!shown);
        if (r.group == EntryGroup::Kintai) {
            const bool time = IsJikanItem(r.text);
            r.edit->setKind(time ? NumEdit::Kind::Time : NumEdit::Kind::Number);
            r.edit->setFormatCode(kAttendanceFormat);
            r.edit->setTypedLimit(6);
        } else {
            r.edit->setKind(NumEdit::Kind::Amount);
            r.edit->setFormatCode(kAmountFormat);
            r.edit->setTypedLimit(7);
        }
        r.edit->setAutoSelect(opt.AutoSelect);
        r.edit->setInputOverN(opt.InputOverN);
        // With ManualOn a fixed allowance or deduction of 0 yen is open for entry.
        if (valid && opt.ManualOn && shown && r.no > 0) {
            if (r.group == EntryGroup::Sikyu && r.no >= 4 && r.no <= 6 &&
                img.Sikyu[m_slot].Teate[r.no - 4] == 0)
                img.Sikyu[m_slot].Manual[r.no - 1] = true;
            if (r.group == EntryGroup::Koujo && r.no >= 10 && r.no <= 12 &&
                img.Koujo[m_slot].Koujo[r.no - 10] == 0)
                img.Koujo[m_slot].Manual[r.no - 1] = true;
        }
    }

    // Bonus periods have no attendance.
    m_boxKintai->setHidden(img.isBonus());
    const QString name = valid ? QString::fromStdString(sjisToUtf8(img.Syain[m_slot].Simei.view())) : QString();
    setWindowTitle(QStringLiteral("明細入力画面 【%1】").arg(name));
    edSimei->setText(name);
    fillValues();
    m_current = nullptr;
    for (Row &r : m_rows) {
        if (!r.edit->isHidden()) {
            r.edit->setFocus(Qt::OtherFocusReason);
            m_current = &r;
            break;
        }
    }
    for (Row &r : m_rows)
        r.edit->setLeaveHandling(true);
    m_loading = false;
    updateButtons();
    if (valid)
        emit slotShown(m_slot);
}

void TfmDataEdit::fillValues()
{
    const bool valid = m_slot >= 1 && m_slot <= kSlots && SlotInUse(*m_session.img, m_slot);
    const PayImage &img = *m_session.img;
    std::int64_t sonota = 0;
    for (Row &r : m_rows) {
        if (r.edit->isHidden() || !valid) {
            r.edit->setValueText(QString());
            continue;
        }
        r.value = r.no > 0 ? recordValue(r) : 0;
        if (r.group == EntryGroup::Sonota && r.no > 0)
            sonota += static_cast<std::int64_t>(r.value);
        r.edit->setValueText(r.no > 0 ? format(r, r.value) : QString());
        const bool open = editable(r);
        r.edit->setReadOnly(!open);
        QPalette p = r.edit->palette();
        p.setColor(QPalette::Base, r.fixed && r.group != EntryGroup::Sonota ? kComputedColour : QColor(Qt::white));
        p.setColor(QPalette::Text, manual(r) ? QColor(Qt::red) : QColor(Qt::black));
        r.edit->setPalette(p);
    }
    if (!valid) {
        for (QLabel *l : {lbSikyuTotal, lbKoujoTotal, lbSonotaTotal, lbSasihiki})
            l->clear();
        for (QLabel *l : lbZangyo)
            l->clear();
        return;
    }
    lbSikyuTotal->setText(amountText(img.Sikyu[m_slot].SikyuTotal));
    lbKoujoTotal->setText(amountText(img.Koujo[m_slot].KoujoTotal));
    lbSonotaTotal->setText(amountText(static_cast<double>(sonota)));
    lbSasihiki->setText(amountText(static_cast<double>(SasihikiSikyu(img, m_slot, m_session.items))));
    const TSyainRec &m = img.Syain[m_slot];
    const std::int32_t prices[4] = {m.Chingin2, m.Chingin3, m.Chingin4, m.Chingin5};
    static const char *const captions[4] = {"普通残業手当", "深夜残業手当", "休日普通残業", "休日深夜残業"};
    for (int i = 0; i < 4; ++i)
        lbZangyo[i]->setText(QStringLiteral("%1 %2 円").arg(QString::fromUtf8(captions[i]), amountText(prices[i])));
}

void TfmDataEdit::storeFields()
{
    if (m_slot < 1 || m_slot > kSlots || !SlotInUse(*m_session.img, m_slot))
        return;
    PayImage &img = *m_session.img;
    for (const Row &r : m_rows) {
        if (!editable(r))
            continue;
        const auto yen = static_cast<std::int32_t>(std::trunc(r.value));
        switch (r.group) {
        case EntryGroup::Kintai:
            setKintaiValue(img.Kintai[m_slot], r.no, r.value);
            break;
        case EntryGroup::Sikyu:
            setPayItem(img.Sikyu[m_slot], r.no, yen);
            break;
        case EntryGroup::Koujo:
            setDeductItem(img.Koujo[m_slot], r.no, yen);
            break;
        case EntryGroup::Sonota:
            img.Sikyu[m_slot].Sonota[r.no - 1] = yen;
            break;
        }
    }
}

bool TfmDataEdit::entered(Row &row)
{
    if (m_loading)
        return true;
    Prompter &ask = m_session.ask();
    double v = TextToNum(row.edit->text().toStdString(), ask);
    if (row.group != EntryGroup::Kintai)
        v = std::trunc(v);
    bool moveOn = true;
    if (row.group == EntryGroup::Kintai && isDayItem(row.text) && v > 31) {
        ask.error(kDaysOver31Message);
        v = 0;
        moveOn = false;
    }
    row.value = v;
    row.edit->setValueText(format(row, v));
    recalc();
    if (row.group == EntryGroup::Kintai && row.text == "有休日数") {
        PayImage &img = *m_session.img;
        double prev = PrevYukyuZan(m_session.curFile, img.KikanNo, img.Syain[m_slot].UniqueKey.view());
        if (prev != -999) {
            img.Kintai[m_slot].YukyuZan = std::round((prev - v) * 100.0) / 100.0;
            fillValues();
        }
    }
    if (!moveOn)
        row.edit->selectAll();
    return moveOn;
}

void TfmDataEdit::recalc()
{
    if (m_slot < 1 || m_slot > kSlots || !SlotInUse(*m_session.img, m_slot))
        return;
    storeFields();
    auto r = m_session.recalc(m_slot);
    if (!r)
        m_session.ask().error(r.message()); // the records keep their previous amounts
    fillValues();
    if (r && m_session.img->isBonus()) {
        m_session.zeiOk[m_slot] = r->ok();
        if (!r->ok() && askTaxExceptionOne(m_session, m_slot)) {
            fillValues();
            if (NumEdit *tax = field(QStringLiteral("所得税")))
                tax->setFocus(Qt::OtherFocusReason);
            m_session.ask().information(kTaxSwitchedOne);
        }
    }
    updateButtons();
}

TfmDataEdit::Row *TfmDataEdit::rowOf(QObject *widget)
{
    for (Row &r : m_rows)
        if (r.edit == widget)
            return &r;
    return nullptr;
}

TfmDataEdit::Row *TfmDataEdit::currentRow()
{
    if (Row *r = rowOf(QApplication::focusWidget()))
        return r;
    return m_current;
}

void TfmDataEdit::updateButtons()
{
    const PayImage &img = *m_session.img;
    Row *r = currentRow();
    const bool computed = r && r->fixed && r->no > 0 && !r->edit->isHidden() &&
                          (r->group == EntryGroup::Sikyu || r->group == EntryGroup::Koujo) &&
                          !isTotalItem(r->text);
    btManual->setEnabled(computed);
    btCalc->setEnabled(r && editable(*r));
    btPrev->setEnabled(previousSlot(img, m_slot) != 0);
    btNext->setEnabled(nextSlot(img, m_slot) != 0);
    btMemb->setEnabled(static_cast<bool>(showEmployee) && m_slot >= 1);
}

void TfmDataEdit::moveFocus(NumEdit *from, int step)
{
    // The leaving steps may have put the focus elsewhere (the income tax after the switch).
    if (QApplication::focusWidget() != from)
        return;
    std::vector<NumEdit *> visible;
    for (Row &r : m_rows)
        if (!r.edit->isHidden())
            visible.push_back(r.edit);
    if (visible.empty())
        return;
    const int n = static_cast<int>(visible.size());
    int at = 0;
    for (int i = 0; i < n; ++i)
        if (visible[static_cast<std::size_t>(i)] == from)
            at = i;
    visible[static_cast<std::size_t>(((at + step) % n + n) % n)]->setFocus(Qt::TabFocusReason);
}

void TfmDataEdit::step(bool forward)
{
    if (Row *r = currentRow(); r && !r->edit->commit())
        return; // a refused entry is corrected first
    storeFields();
    const int target = forward ? nextSlot(*m_session.img, m_slot) : previousSlot(*m_session.img, m_slot);
    if (target != 0)
        setSlot(target);
}

void TfmDataEdit::btPrevClick() { step(false); }
void TfmDataEdit::btNextClick() { step(true); }

void TfmDataEdit::btRecalcClick()
{
    if (Row *r = currentRow(); r && !r->edit->commit())
        return;
    recalc();
}

void TfmDataEdit::btManualClick()
{
    Row *r = currentRow();
    if (!r || !btManual->isEnabled())
        return;
    if (!r->edit->commit())
        return;
    PayImage &img = *m_session.img;
    if (r->group == EntryGroup::Sikyu)
        img.Sikyu[m_slot].Manual[r->no - 1] = !img.Sikyu[m_slot].Manual[r->no - 1];
    else
        img.Koujo[m_slot].Manual[r->no - 1] = !img.Koujo[m_slot].Manual[r->no - 1];
    recalc();
    r->edit->setFocus(Qt::OtherFocusReason);
    m_current = r;
    updateButtons();
}

void TfmDataEdit::btCalcClick()
{
    Row *r = currentRow();
    if (!r || !editable(*r))
        return;
    long double result = 0;
    if (runCalculator) {
        if (!runCalculator(result))
            return;
    } else {
        TfmCalc calc(this);
        if (calc.exec() != QDialog::Accepted)
            return;
        result = calc.value();
    }
    const double v = static_cast<double>(result);
    // A value the field cannot hold is never put into it.
    auto refuse = [&] { m_session.ask().error(kCalcResultRefusedMessage); };
    if (!std::isfinite(v) || std::fabs(v) > 1e12) {
        refuse();
        return;
    }
    const TOption &opt = m_session.opt;
    QString text;
    if (r->group == EntryGroup::Kintai) {
        const double d = std::round(v * 100.0) / 100.0;
        if (std::fabs(d) >= 1000.0) {
            refuse();
            return;
        }
        text = format(*r, d);
    } else {
        std::int64_t yen = 0;
        if (r->group == EntryGroup::Sikyu)
            yen = Hasuu(r->text == "欠勤控除" || r->text == "遅刻早退控除" ? opt.HasuuGen : opt.HasuuSik, v);
        else if (r->group == EntryGroup::Koujo)
            yen = Hasuu(opt.HasuuKou, v);
        else
            yen = Kirisute(v);
        if (yen > kAmountFieldMax || yen < -kAmountFieldMax) {
            refuse();
            return;
        }
        text = amountText(static_cast<double>(yen));
    }
    // The leaving steps (and the recalculation) follow when the field is left.
    r->edit->setText(text);
    r->edit->setFocus(Qt::OtherFocusReason);
}

void TfmDataEdit::btMembClick()
{
    if (!showEmployee || m_slot < 1)
        return;
    if (Row *r = currentRow(); r && !r->edit->commit())
        return;
    storeFields();
    if (!seenEmployeeInfo) {
        seenEmployeeInfo = true;
        m_session.ask().information("社員情報の表示のみであり、編集は出来ません。\r(社員情報の編集はメイン画面から選択して下さい)");
    }
    showEmployee(m_slot);
}

void TfmDataEdit::reject()
{
    // The focused field is left first; when that changed what it shows, the user sees it and a
    // second request closes the screen.
    if (Row *r = currentRow(); r && editable(*r)) {
        const QString before = r->edit->text();
        const bool ok = r->edit->commit();
        if (!ok || r->edit->text() != before) {
            storeFields();
            return;
        }
    }
    storeFields();
    QDialog::reject();
}

void TfmDataEdit::showEvent(QShowEvent *event)
{
    qApp->installEventFilter(this);
    QDialog::showEvent(event);
}

void TfmDataEdit::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}

bool TfmDataEdit::eventFilter(QObject *object, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(object);
    const bool mine = w && w->window() == this;
    switch (event->type()) {
    case QEvent::FocusIn:
        if (Row *r = rowOf(object)) {
            m_current = r;
            updateButtons();
        }
        break;
    case QEvent::KeyPress: {
        if (!mine)
            break;
        auto *k = static_cast<QKeyEvent *>(event);
        const auto mods = k->modifiers() & ~Qt::KeypadModifier;
        const bool alt = mods == Qt::AltModifier;
        if ((k->key() == Qt::Key_PageDown && mods == 0) || (alt && k->key() == Qt::Key_Left)) {
            if (btPrev->isEnabled())
                step(false);
            return true;
        }
        if ((k->key() == Qt::Key_PageUp && mods == 0) || (alt && k->key() == Qt::Key_Right)) {
            if (btNext->isEnabled())
                step(true);
            return true;
        }
        break;
    }
    case QEvent::MouseButtonPress: {
        if (!mine)
            break;
        auto *m = static_cast<QMouseEvent *>(event);
        if (m->button() == Qt::BackButton) {
            if (btPrev->isEnabled())
                step(false);
            return true;
        }
        if (m->button() == Qt::ForwardButton) {
            if (btNext->isEnabled())
                step(true);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(object, event);
}

} // namespace orv
