#pragma once

#include "platform/startmode.h"
#include "screens/session.h"

#include <QAbstractTableModel>
#include <QMainWindow>

#include <functional>
#include <map>
#include <set>
#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QTimer;
class QTreeView;

namespace orv {

// The employee list of the main window: one line per slot shown, a check box in the first
// column. Each line keeps its slot number as data (Qt::UserRole), never parsed from its text.
class EmployeeListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { No, Simei, Busyo, Kubun, Keitai, Taisyoku, Mail, ColumnCount };

    explicit EmployeeListModel(Session &session, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // Rebuilds the lines. byPosition: the check marks stay with the line positions (a rebuild
    // after an edit); otherwise they stay with the employees (a sort or display change).
    void rebuild(ListOrder order, bool showRetired, bool byPosition);

    int slotAt(int row) const;
    int rowOfSlot(int slot) const; // -1 when not shown
    bool isChecked(int row) const;
    void setChecked(int row, bool on);
    void setAllChecked(bool on);
    std::vector<int> checkedSlots() const;
    int checkedCount() const;

private:
    Session &m_session;
    std::vector<int> m_slots;
    std::vector<bool> m_checked;
};

// The main window: the employee list of the open period and every command of the program.
class TfmMain : public QMainWindow {
    Q_OBJECT
public:
    // In an online-update mode the window is centred, no tables are read and the first
    // activation runs that mode's flow instead of the start-up sequence.
    explicit TfmMain(Session &session, StartMode mode = StartMode::Normal,
                     QWidget *parent = nullptr);

    // The first activation runs the start-up sequence (tables, password, company, settings,
    // data folder, yearly file, period selection). Off in tests, which call it themselves.
    void setAutoStart(bool on) { m_autoStart = on; }
    // False when the program has to close; the window then closes without asking.
    bool firstActivation();
    // Opens the period now in memory into the window (caption, first-run path, list,
    // recomputation, check marks). False when the program has to close.
    bool openPeriodIntoMain();

    // The flow of an online-update mode; the program ends after it.
    void runStartMode();
    StartMode startMode() const { return m_mode; }
    // Opens a document with the desktop's handler; replaceable in tests.
    std::function<bool(const std::string &path)> openDocument;

    // Polled for a second copy's request to come to the front.
    void setRaiseRequestSource(std::function<bool()> source);

    EmployeeListModel &model() { return *m_model; }
    QTreeView *lvSyain() const { return m_list; }
    ListOrder listOrder() const { return m_order; }
    int selectedSlot() const; // 0 when no line is selected
    void selectRow(int row);
    // Selects the line of an employee, when it is shown (the detail entry screen stepping).
    void showSlot(int slot);
    QAction *action(const QString &objectName) const;
    QPushButton *button(const QString &objectName) const;

    // The checks before reports: at least one checked line, and before the ledgers the
    // unsaved-change information with OK/Cancel. False stops the command.
    bool printTargetsChecked();
    bool ledgerUnsavedCheck(bool grandTotal);
    // Before the pay-slip mail: unchecks unusable addresses and retired employees.
    bool mailTargetsChecked();

public slots:
    void mnSaveFileClick();
    void mnSelDataClick();
    void mnNewMembClick();
    void mnEditMembClick();
    void mnDelMembClick();
    void mnListMembClick();
    void mnSeqNoClick();
    void mnShowRetiredClick();
    void mnDataEditClick();
    void mnListInpClick();
    void mnCorpInfoClick();
    void mnOptionClick();
    void mnPrnFormClick();
    void mnPrnItemClick();
    void mnSelectAllClick();
    void mnMailSelectClick();
    void mnShowLogClick();
    void sortBy(int section);
    void updateButtons();

protected:
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void buildMenus();
    void buildButtons();
    void restoreGeometryFromSettings();
    void saveGeometryToSettings();
    void centreOnScreen();
    // Close request; toSelection: the return to the period selection.
    bool closeRequest();
    void rebuildList(bool byPosition);
    void setToggleLabels(bool allChecked);
    void afterMasterChange(bool byPosition);
    // Opens a window on the session modally, then refreshes the list and the caption.
    template <typename Dialog>
    void openThenRefresh(bool byPosition)
    {
        Dialog dlg(m_session, this);
        dlg.exec();
        afterMasterChange(byPosition);
    }
    // In a bonus period: the warning that master changes are not carried over, OK/Cancel.
    bool bonusEditConfirmed();
    bool passwordSet() const;
    QAction *addCommand(QMenu *menu, const char *name, const QString &text, bool available,
                        void (TfmMain::*slot)() = nullptr);

    Session &m_session;
    StartMode m_mode;
    EmployeeListModel *m_model;
    QTreeView *m_list;
    QTimer *m_raiseTimer;
    std::function<bool()> m_raiseRequested;
    std::map<QString, QAction *> m_actions;
    std::map<QString, QPushButton *> m_buttons;
    ListOrder m_order = ListOrder::Slot;
    bool m_autoStart = true;
    bool m_activated = false;
    bool m_ending = false; // the program ends without further questions
    bool m_armAll = true;
    bool m_armMail = true;
};

} // namespace orv
