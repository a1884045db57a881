#pragma once

// Password setting ("パスワード設定"): the start-up password is set, or removed with empty
// fields, in the global settings file. The new password takes effect at the next start.

#include <QDialog>

class QLineEdit;

namespace orv {

class Session;

class TfmSetPass : public QDialog {
    Q_OBJECT
public:
    TfmSetPass(Session &session, QWidget *parent = nullptr);

public slots:
    void btSetClick();

private:
    Session &m_session;
    QLineEdit *edPass1;
    QLineEdit *edPass2;
};

} // namespace orv
