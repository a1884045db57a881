#include "screens/qtprompter.h"

#include "screens/tfmnotice.h"

#include <QApplication>
#include <QMessageBox>

namespace orv {

QString QtPrompter::toQt(const std::string &text)
{
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

Prompter::Answer QtPrompter::ask(Kind kind, Buttons buttons, const std::string &text)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case Kind::Error:
        icon = QMessageBox::Critical;
        break;
    case Kind::Warning:
        icon = QMessageBox::Warning;
        break;
    case Kind::Information:
        icon = QMessageBox::Information;
        break;
    case Kind::Confirmation:
        icon = QMessageBox::Question;
        break;
    }
    QMessageBox::StandardButtons b = QMessageBox::Ok;
    switch (buttons) {
    case Buttons::Ok:
        b = QMessageBox::Ok;
        break;
    case Buttons::YesNo:
        b = QMessageBox::Yes | QMessageBox::No;
        break;
    case Buttons::YesNoCancel:
        b = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    case Buttons::OkCancel:
        b = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    }
    if (kind == Kind::Warning)
        QApplication::beep();
    QMessageBox box(icon, QStringLiteral("カナリエ"), toQt(text), b, m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

void QtPrompter::notice(const std::string &text)
{
    TfmNotice::popup(m_parent, toQt(text));
}

} // namespace orv
