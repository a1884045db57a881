#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace orv {

class Session;

// The data-file creation dialog ("データファイル作成"): an era and a year; OK creates the yearly
// file of that year in the company's data folder and makes it the current file.
class TfmInpDlg : public QDialog {
    Q_OBJECT
public:
    TfmInpDlg(Session &session, QWidget *parent = nullptr);

    QComboBox *cbGengo() const { return m_gengo; }
    QLineEdit *edNen() const { return m_nen; }
    // The path of the file created on OK.
    const std::string &createdFile() const { return m_created; }

public slots:
    void btOkClick();

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override;

private:
    Session &m_session;
    QComboBox *m_gengo;
    QLineEdit *m_nen;
    std::string m_created;
};

} // namespace orv
