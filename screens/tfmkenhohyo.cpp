#include "screens/tfmkenhohyo.h"

#include "core/util/numtext.h"
#include "screens/masterfields.h"
#include "screens/session.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfmKenhoHyo::TfmKenhoHyo(Session &session, QWidget *parent)
    : QDialog(parent), m_list(new QListWidget(this)), m_label(new QLabel(this))
{
    setObjectName("TfmKenhoHyo");
    setWindowTitle("健康保険等級表");
    m_list->setObjectName("lbTokyu");
    QFont mono = m_list->font();
    mono.setFamily("IPAGothic");
    mono.setStyleHint(QFont::Monospace);
    m_list->setFont(mono);
    if (const GradeTable *grades = session.tables.grades()) {
        for (int g = 1; g <= grades->count(); ++g) {
            const TKenhoRec &r = grades->grade(g);
            m_list->addItem(qs(FmtKingaku(9, r.Ijou) + "円以上 " + FmtKingaku(9, r.Miman) + "円未満  " +
                               FmtKingaku(9, r.Hyojun) + "円"));
        }
    }
    // Headings centred over the two bounds and over the standard amount of the 44-column lines.
    auto *head = new QLabel(QString(10, ' ') + "報 酬 月 額" + QString(13, ' ') + "標準報酬", this);
    head->setFont(mono);
    head->setContentsMargins(m_list->frameWidth() + 3, 0, 0, 0);
    m_label->setObjectName("lbSentaku");
    m_label->setMinimumWidth(m_label->fontMetrics().horizontalAdvance("選択等級：99等級") + 8);
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int row) { m_label->setText(QString("選択等級：%1等級").arg(row + 1)); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { btOkClick(); });

    auto *ok = new QPushButton("Ｏ Ｋ", this);
    ok->setObjectName("btOk");
    auto *cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("btCancel");
    connect(ok, &QPushButton::clicked, this, &TfmKenhoHyo::btOkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ok->setEnabled(m_list->count() > 0);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_label);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(head);
    lay->addWidget(m_list);
    lay->addLayout(buttons);
    resize(480, 520);
    setGrade(0);
}

void TfmKenhoHyo::setGrade(int grade)
{
    if (m_list->count() == 0)
        return;
    m_list->setCurrentRow(grade >= 1 && grade <= m_list->count() ? grade - 1 : 0);
    m_list->scrollToItem(m_list->currentItem(), QAbstractItemView::PositionAtCenter);
}

int TfmKenhoHyo::grade() const { return m_list->count() ? m_list->currentRow() + 1 : 0; }

void TfmKenhoHyo::btOkClick()
{
    if (grade() > 0)
        accept();
}

void TfmKenhoHyo::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        btOkClick();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace orv
