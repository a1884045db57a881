#pragma once

#include "settings/options.h"

#include <QDialog>

#include <vector>

class QListWidget;

namespace orv {

class Session;

// The company chooser ("使用する会社データを選択"): one of the company data sets of the global
// settings file. Renaming and deleting sets are not offered here.
class TfmSelCorp : public QDialog {
    Q_OBJECT
public:
    TfmSelCorp(Session &session, QWidget *parent = nullptr);

    QListWidget *lbCorp() const { return m_list; }
    // The suffix of the chosen set after Accepted ("" for the first).
    std::string suffix() const;

public slots:
    void btSelectClick();

private:
    Session &m_session;
    QListWidget *m_list;
    std::vector<CorpDataEntry> m_entries;
};

} // namespace orv
