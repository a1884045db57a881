#pragma once

// Shared set-up of the main-window and period-selection tests: a settings folder in a
// temporary directory, a company prepared through core, and a driver that answers the modal
// windows the program opens.

#include "screenshot.h"
#include "scriptedprompter.h"

#include "core/util/sjis.h"
#include "screens/session.h"
#include "settings/options.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

// ScriptedPrompter with answers chosen by a part of the question's text; questions no rule
// matches take the scripted answers in order.
class RulePrompter : public ScriptedPrompter {
public:
    std::vector<std::pair<std::string, Answer>> rules;

    Answer ask(Kind kind, Buttons buttons, const std::string &text) override
    {
        if (buttons != Buttons::Ok)
            for (const auto &[part, answer] : rules)
                if (text.find(part) != std::string::npos) {
                    asked.push_back(text);
                    return answer;
                }
        return ScriptedPrompter::ask(kind, buttons, text);
    }
    int count(const std::string &part) const
    {
        int n = 0;
        for (const auto &t : asked)
            n += t.find(part) != std::string::npos;
        return n;
    }
};

// Hands each new modal window to the first handler that takes it; a window nobody takes is
// rejected (and named in `unhandled`) so that a test can never hang on it.
class ModalDriver : public QObject {
public:
    using Handler = std::function<bool(QWidget *)>;
    std::vector<Handler> handlers;
    std::vector<QString> seen;
    std::vector<QString> unhandled;

    ModalDriver()
    {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
        m_timer.start();
    }
    bool saw(const QString &objectName) const
    {
        return std::find(seen.begin(), seen.end(), objectName) != seen.end();
    }

private:
    void poll()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || m_done.contains(w))
            return;
        m_done.append(w);
        seen.push_back(w->objectName());
        QPointer<QWidget> guard(w);
        // Run outside the timer's slot: a handler may open further modal windows.
        QMetaObject::invokeMethod(
            this,
            [this, guard] {
                if (!guard)
                    return;
                for (auto &h : handlers)
                    if (h(guard))
                        return;
                unhandled.push_back(guard->objectName());
                if (auto *d = qobject_cast<QDialog *>(guard.data()))
                    d->reject();
            },
            Qt::QueuedConnection);
    }
    QTimer m_timer;
    QList<QPointer<QWidget>> m_done;
};

// A settings folder with the program's tables beside it.
struct TestBase {
    QTemporaryDir tmp;
    std::string base() const { return tmp.path().toStdString() + "/"; }

    void startSession(orv::Session &s, orv::Prompter &p, orv::Date today = {2026, 4, 15}) const
    {
        orv::LocationOptions lo;
        lo.progDir = ORV_BIN_DIR;
        lo.baseOverride = base();
        s.loc = orv::resolveLocations(lo);
        s.prompter = &p;
        s.today = [today] { return today; };
        s.now = [today] { return orv::LogTime{today.year, today.month, today.day, 9, 30}; };
    }
};

inline orv::TSyainRec employee(const char *name, const char *key, int keitai, int chingin)
{
    orv::TSyainRec r;
    orv::clearRecord(r);
    r.Simei.set(orv::sjis(name));
    r.UniqueKey.set(key);
    r.Busyo.set(orv::sjis("営業部"));
    r.Kubun = 2;
    r.Keitai = keitai;
    r.Chingin1 = chingin;
    r.Chingin2 = keitai == 1 ? 1900 : 0;
    r.Kenkou = true;
    r.KenhoRyo = keitai == 1 ? 12475 : 0;
    r.NenHoken = keitai == 1;
    r.KoseiRyo = keitai == 1 ? 22875 : 0;
    r.Koyou = true;
    return r;
}

// A company set up earlier: its hours per day in the settings and month `month` of the 2026
// file saved with a monthly, a daily and an hourly employee.
inline void prepareCompany(const orv::Session &s, int month)
{
    using namespace orv;
    writeDefJikanD(s.loc.SysIni, 8.0);
    const std::string data = s.loc.DataDir("");
    std::filesystem::create_directories(data);
    const std::string file = data + yearFileNameForYear(2026);
    PayImage img;
    YearFileRun run;
    CreateYearFile(file, img, run);
    img.KikanNo = month;
    img.Kihon.Syamei.set(sjis("テスト商事"));
    img.Kihon.Nissu = 21;
    img.Kihon.Jikan = 168;
    img.Kihon.JikanD = 8;
    img.Kihon.KoyRitu = 0.55;
    img.Kihon.KenRitu = 4.99;
    img.Kihon.KaiRitu = 0.8;
    img.Kihon.NenRitu = 9.15;
    addEmployee(img, employee("山田　太郎", "260101_090000", 1, 250000));
    addEmployee(img, employee("佐藤　花子", "260101_090001", 2, 10000));
    addEmployee(img, employee("鈴木　一郎", "260101_090002", 3, 1200));
    SavePeriod(file, img, nullPrompter(), run);
}
