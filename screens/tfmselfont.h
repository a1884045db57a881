#pragma once

// The font picker ("フォントの選択") of the input-item settings: the installed Japanese faces,
// each drawn in itself, with a sample at 16 and 28 points.

#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;

namespace orv {

class Session;

class TfmSelFont : public QDialog {
    Q_OBJECT
public:
    // kind: 0 whole print, 1 headings, 2 company name, 3 notice.
    TfmSelFont(Session &session, int kind, const QString &present, QWidget *parent = nullptr);

    QString face() const;
    QListWidget *list() const { return m_list; }

protected:
    void showEvent(QShowEvent *e) override;

private:
    void rebuild();
    void updateSample();

    QString m_present;
    QListWidget *m_list;
    QLabel *m_sample16;
    QLabel *m_sample28;
    QCheckBox *cbBold;
};

} // namespace orv
