#pragma once

#include "screens/session.h"

#include <QDialog>

#include <optional>
#include <vector>

class QListWidget;

namespace orv {

// The reference chooser ("参照するデータの選択"): an earlier month whose company block and
// employees a new period starts from.
class TfmRefData : public QDialog {
    Q_OBJECT
public:
    TfmRefData(Session &session, QWidget *parent = nullptr);

    // The whole choice for a new period k of the open file: the warnings, the list with its
    // preselection, and the chosen month; nothing when the list is empty or nothing was chosen.
    std::optional<ReferenceChoice> choose(int k);

    QListWidget *lbData() const { return m_list; }
    // The entry preselected for period k of `curFile` (index into entries), -1 for none.
    static int preselect(const std::vector<ReferenceEntry> &entries, const std::string &curFile,
                         int k);

public slots:
    void btOkClick();

private:
    Session &m_session;
    QListWidget *m_list;
    std::vector<ReferenceEntry> m_entries;
};

} // namespace orv
