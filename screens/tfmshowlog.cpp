#include "screens/tfmshowlog.h"

#include "core/syslog/syslog.h"
#include "screens/session.h"

#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

TfmShowLog::TfmShowLog(Session &session, QWidget *parent)
    : QDialog(parent), m_session(session), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("fmShowLog"));
    setWindowTitle(QStringLiteral("システムログの表示"));
    m_list->setObjectName(QStringLiteral("lbLog"));
    QFont mono = m_list->font();
    mono.setStyleHint(QFont::Monospace);
    m_list->setFont(mono);

    auto *csv = new QPushButton(QStringLiteral("CSVファイルに出力(&C)..."), this);
    csv->setObjectName(QStringLiteral("btCsv"));
    auto *clear = new QPushButton(QStringLiteral("システムログのクリア(&C)"), this);
    clear->setObjectName(QStringLiteral("btClear"));
    auto *close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("btClose"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(csv);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *lay = new QVBoxLayout(this);
    lay->addWidget(m_list);
    lay->addLayout(buttons);
    connect(csv, &QPushButton::clicked, this, &TfmShowLog::mnCsvClick);
    connect(clear, &QPushButton::clicked, this, &TfmShowLog::mnClearClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    chooseCsvFile = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("CSVファイルに出力"),
                                            QString::fromStdString(m_session.dataDir),
                                            QStringLiteral("CSVファイル (*.csv)"));
    };
    resize(520, 400);
}

bool TfmShowLog::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show)
        loadLog();
    return QDialog::event(e);
}

void TfmShowLog::loadLog()
{
    m_list->clear();
    m_lines.clear();
    // A log that does not exist (never written, or cleared) is simply empty.
    auto lines = readSysLog(m_session.dataDir);
    if (!lines)
        return;
    m_lines = *lines;
    for (const std::string &l : m_lines)
        m_list->addItem(QString::fromStdString(l));
}

void TfmShowLog::mnCsvClick()
{
    auto a = m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                                 "システムログをCSVファイルに出力します。");
    if (a != Prompter::Answer::Yes)
        return;
    const QString file = chooseCsvFile ? chooseCsvFile() : QString();
    if (file.isEmpty())
        return;
    if (Status s = writeSysLogCsv(file.toStdString(), m_lines); !s) {
        m_session.ask().error(s.message());
        return;
    }
    m_session.ask().information("指定ファイルに出力しました。");
}

void TfmShowLog::mnClearClick()
{
    auto a = m_session.ask().ask(Prompter::Kind::Confirmation, Prompter::Buttons::YesNo,
                                 "システムログを全クリアしますか？");
    if (a != Prompter::Answer::Yes)
        return;
    if (Status s = clearSysLog(m_session.dataDir); !s) {
        m_session.ask().error(s.message());
        return;
    }
    m_list->clear();
    m_lines.clear();
}

} // namespace orv
