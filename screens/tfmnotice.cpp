#include "screens/tfmnotice.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace orv {

TfmNotice::TfmNotice(QWidget *owner)
    : QDialog(owner, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool),
      m_label(new QLabel(this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("fmNotice"));
    setModal(false);
    setFixedSize(250, 28);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 160));
    pal.setColor(QPalette::WindowText, QColor(255, 255, 0));
    setPalette(pal);
    m_label->setObjectName(QStringLiteral("lbNotice"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setPalette(pal);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(4, 2, 4, 2);
    lay->addWidget(m_label);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &QDialog::close);
}

void TfmNotice::showMessage(const QString &text, int autoCloseMs)
{
    m_label->setText(text);
    QWidget *owner = parentWidget();
    QRect area = owner ? owner->frameGeometry()
                       : (QApplication::primaryScreen() ? QApplication::primaryScreen()->geometry()
                                                        : QRect(0, 0, 1024, 768));
    move(area.center() - QPoint(width() / 2, height() / 2));
    show();
    raise();
    m_timer->stop();
    if (autoCloseMs > 0)
        m_timer->start(autoCloseMs);
}

QString TfmNotice::message() const { return m_label->text(); }

TfmNotice *TfmNotice::popup(QWidget *owner, const QString &text)
{
    auto *n = new TfmNotice(owner);
    n->setAttribute(Qt::WA_DeleteOnClose);
    n->showMessage(text);
    return n;
}

} // namespace orv
