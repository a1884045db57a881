#pragma once

// A company with a monthly, a daily and an hourly employee in a temporary settings folder,
// driven through Session as the program does.

// Qt first: moc, reading a test that starts with this header, cannot parse the C++20 library
// headers that core pulls in unless a Qt header came before them.
#include <QObject>

#include "core/util/dates.h"
#include "core/util/sjis.h"
#include "screens/session.h"
#include "scriptedprompter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>

struct EntryCompany {
    QTemporaryDir tmp;
    orv::Session s;
    ScriptedPrompter ask;
    std::string file;

    static constexpr int kMonthly = 1, kDaily = 2, kHourly = 3;

    EntryCompany()
    {
        const std::string base = tmp.path().toStdString() + "/";
        s.loc.ProgDir = std::string(ORV_BIN_DIR) + "/";
        s.loc.BaseDir = base;
        s.loc.SysIni = base + "Orvane.ini";
        s.today = [] { return orv::Date{2026, 5, 1}; };
        s.prompter = &ask;
        s.selectCompany("");
        QDir().mkpath(QString::fromStdString(s.dataDir));
        s.loadOptions();
        file = s.dataDir + orv::yearFileNameForYear(2026);
        if (!orv::CreateYearFile(file, *s.img, s.run))
            qFatal("yearly file not created");
    }

    // Company block, the three employees and their pay forms; the period prepared in memory.
    void newPeriod(int k)
    {
        orv::PayImage &img = *s.img;
        img.clearPeriod();
        img.KikanNo = k;
        img.Kihon.Syamei.set(orv::sjis("テスト商事"));
        img.Kihon.Nissu = 21;
        img.Kihon.Jikan = 168;
        employee(kMonthly, "月給　一郎", 1, 245000).Kekkin = 11136;
        employee(kDaily, "日給　花子", 2, 9000).Yukyu = 6900;
        employee(kHourly, "時給　次郎", 3, 1029);
        s.preparePeriod(file, k);
    }

    orv::TSyainRec &employee(int slot, const char *name, int keitai, std::int32_t chingin1)
    {
        orv::TSyainRec &m = s.img->Syain[slot];
        orv::clearRecord(m);
        m.Simei.set(orv::sjis(name));
        m.UniqueKey.set("260401_00000" + std::to_string(slot));
        m.Keitai = keitai;
        m.Chingin1 = chingin1;
        m.Chingin2 = 1800;
        return m;
    }

    bool save()
    {
        auto r = s.save(ask);
        return r.isOk() && *r;
    }
};

// Types into a field as a user would: focus, select all, keys.
inline void typeInto(QWidget *w, const QString &text)
{
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, text);
}
