#include "screens/tfminpdlg.h"

#include "core/util/dates.h"
#include "core/util/fileio.h"
#include "screens/session.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {

// The years the year list offers; a file outside them could be created but never chosen.
struct EraRange {
    int eraCode;
    int first;
    int last;
};
constexpr EraRange kRanges[] = {{kEraReiwa, 2, 20}, {kEraHeisei, 16, 31}};

} // namespace

TfmInpDlg::TfmInpDlg(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_gengo(new QComboBox(this)),
      m_nen(new QLineEdit(this))
{
    setObjectName(QStringLiteral("fmInpDlg"));
    setWindowTitle(QStringLiteral("データファイル作成"));
    m_gengo->setObjectName(QStringLiteral("cbGengo"));
    for (const EraRange &r : kRanges)
        m_gengo->addItem(QString::fromStdString(eraName(r.eraCode)), r.eraCode);
    m_gengo->setCurrentIndex(0);
    m_nen->setObjectName(QStringLiteral("edNen"));
    m_nen->setMaxLength(2);
    m_nen->installEventFilter(this);

    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("元号"), m_gengo);
    form->addRow(QStringLiteral("年"), m_nen);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ｏ Ｋ"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btOk"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btCancel"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TfmInpDlg::btOkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool TfmInpDlg::eventFilter(QObject *obj, QEvent *ev)
{
    // The year field takes digits and Backspace; other typed characters beep and are dropped.
    if (obj == m_nen && ev->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(ev);
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint()) {
            const QChar c = text.at(0);
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                QApplication::beep();
                return true;
            }
        }
    }
    return QDialog::eventFilter(obj, ev);
}

void TfmInpDlg::btOkClick()
{
    const int era = m_gengo->currentData().toInt();
    const int year = m_nen->text().trimmed().toInt();
    if (year <= 1) {
        m_session.ask().error("年の入力エラー(0以下または元年は不可)");
        m_nen->setFocus();
        return;
    }
    for (const EraRange &r : kRanges) {
        if (r.eraCode == era && (year < r.first || year > r.last)) {
            m_session.ask().error(eraName(era) + "の年は" + std::to_string(r.first) + "年から" +
                                  std::to_string(r.last) + "年までの範囲で入力して下さい。");
            m_nen->setFocus();
            return;
        }
    }
    const std::string path = m_session.dataDir + yearFileName(era, year);
    if (fileExists(path)) {
        m_session.ask().error("入力された年のデータは存在します。");
        m_nen->setFocus();
        return;
    }
    const std::string before = m_session.curFile;
    m_session.curFile = path;
    if (Status s = m_session.createYearFile(); !s) {
        m_session.curFile = before;
        m_session.ask().error(s.message());
        return;
    }
    m_created = path;
    accept();
}

} // namespace orv
