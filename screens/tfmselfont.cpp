#include "screens/tfmselfont.h"

#include "core/util/sjis.h"
#include "screens/fontmap.h"
#include "screens/masterfields.h"
#include "screens/session.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfmSelFont::TfmSelFont(Session &session, int kind, const QString &present, QWidget *parent)
    : QDialog(parent), m_present(present), m_list(new QListWidget(this)), m_sample16(new QLabel(this)),
      m_sample28(new QLabel(this))
{
    setObjectName("TfmSelFont");
    const char *titles[] = {"印刷全体のフォント選択", "見出し文字フォント選択", "自社名のフォント選択",
                            "お知らせのフォント選択"};
    kind = kind >= 0 && kind <= 3 ? kind : 0;
    setWindowTitle(titles[kind]);
    QString sample = kind == 0   ? "平成25年1月分 給与"
                     : kind == 1 ? "勤怠　支給　控除"
                     : kind == 2 ? fromSjis(session.img->Kihon.Syamei.view())
                                 : "今月から○○税が変更になります。";
    m_sample16->setText(sample);
    m_sample28->setText(sample);
    m_list->setObjectName("lbFont");
    cbBold = new QCheckBox("太字(Bold)", this);
    cbBold->setObjectName("cbBold");
    auto *italic = new QCheckBox("斜字体(Italic)", this);
    italic->setEnabled(false);
    connect(cbBold, &QCheckBox::toggled, this, [this] { updateSample(); });
    connect(m_list, &QListWidget::currentRowChanged, this, [this] { updateSample(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *group = new QGroupBox("選択フォント名", this);
    auto *gl = new QVBoxLayout(group);
    gl->addWidget(new QLabel(present, group));
    auto *ok = new QPushButton("Ｏ Ｋ", this);
    ok->setObjectName("btOk");
    auto *cancel = new QPushButton("キャンセル", this);
    cancel->setObjectName("btCancel");
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *right = new QVBoxLayout;
    right->addWidget(group);
    right->addWidget(cbBold);
    right->addWidget(italic);
    right->addStretch();
    right->addWidget(ok);
    right->addWidget(cancel);
    auto *top = new QHBoxLayout;
    top->addWidget(m_list);
    top->addLayout(right);
    auto *lay = new QVBoxLayout(this);
    lay->addLayout(top);
    lay->addWidget(m_sample16);
    lay->addWidget(m_sample28);
    resize(520, 420);
    rebuild();
}

void TfmSelFont::rebuild()
{
    m_list->clear();
    const QStringList faces = installedJapaneseFaces();
    for (const QString &f : faces) {
        auto *item = new QListWidgetItem(f, m_list);
        item->setFont(QFont(f, 11));
    }
    // The present name, or the face it is shown in, else the first.
    int row = faces.indexOf(m_present);
    if (row < 0)
        row = faces.indexOf(mapFontFace(m_present));
    m_list->setCurrentRow(row < 0 ? 0 : row);
    cbBold->setChecked(false);
    updateSample();
}

void TfmSelFont::updateSample()
{
    const QString f = face().isEmpty() ? mapFontFace(m_present) : face();
    for (auto [label, pt] : {std::pair{m_sample16, 16}, std::pair{m_sample28, 28}}) {
        QFont font(f);
        font.setPointSize(pt);
        font.setBold(cbBold->isChecked());
        label->setFont(font);
    }
}

QString TfmSelFont::face() const
{
    QListWidgetItem *item = m_list->currentItem();
    return item ? item->text() : QString();
}

void TfmSelFont::showEvent(QShowEvent *e)
{
    // Each opening starts from the list of faces and the present name again.
    QDialog::showEvent(e);
    rebuild();
}

} // namespace orv
