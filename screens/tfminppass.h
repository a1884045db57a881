#pragma once

// Password entry ("パスワード入力") at start: exec() is Accepted when the typed password
// matches. When no password is set it is Accepted at once without showing anything; ask
// required() first to know whether it has to be shown.

#include "settings/password.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace orv {

class Session;

class TfmInpPass : public QDialog {
    Q_OBJECT
public:
    TfmInpPass(Session &session, QWidget *parent = nullptr);

    // Whether the installation has a start-up password (old or new form).
    static bool required(const Session &session);
    bool passed() const { return m_passed; }

    int exec() override;

public slots:
    void btOkClick();

private:
    Session &m_session;
    StoredPassword m_stored;
    bool m_passed = false;
    QLineEdit *edPass;
    QCheckBox *cbShow;
};

} // namespace orv
