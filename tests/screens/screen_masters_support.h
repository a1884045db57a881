#pragma once

// A company data set in a temporary settings folder with an open April period and nothing
// else, for the master and settings windows; helpers to drive modal windows; the company and
// employee entries a new user types.

#include "core/util/dates.h"
#include "core/util/sjis.h"
#include "core/yearfile/yearfile.h"
#include "screens/session.h"
#include "screens/tfmkenhohyo.h"
#include "screenshot.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>

struct MastersCompany {
    QTemporaryDir tmp;
    orv::Session s;
    ScriptedPrompter ask;
    std::string file;

    explicit MastersCompany(int k = 4)
    {
        const std::string base = tmp.path().toStdString() + "/";
        s.loc.ProgDir = std::string(ORV_BIN_DIR) + "/";
        s.loc.BaseDir = base;
        s.loc.SysIni = base + "Orvane.ini";
        s.today = [] { return orv::Date{2026, 5, 1}; };
        s.now = [] { return orv::LogTime{2026, 5, 1, 9, 30}; };
        s.prompter = &ask;
        s.selectCompany("");
        QDir().mkpath(QString::fromStdString(s.dataDir));
        s.loadOptions();
        file = s.dataDir + orv::yearFileNameForYear(2026);
        if (!orv::CreateYearFile(file, *s.img, s.run))
            qFatal("yearly file not created");
        s.img->clearPeriod();
        s.img->KikanNo = k;
        s.img->Kihon.Nissu = 21;
        s.img->Kihon.Jikan = 168;
        s.preparePeriod(file, k);
    }
};

template <typename W>
W *child(QWidget *parent, const char *name)
{
    W *w = parent->findChild<W *>(QString::fromLatin1(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

inline void setText(QWidget *parent, const char *name, const QString &text)
{
    auto *e = child<QLineEdit>(parent, name);
    e->setFocus();
    e->setText(text);
}

inline void click(QWidget *parent, const char *name)
{
    QTest::mouseClick(child<QPushButton>(parent, name), Qt::LeftButton);
}

// Runs `act` on the next modal window that opens (a picker started by a button).
inline void onNextModal(std::function<void(QWidget *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget *m = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(m);
        }
    });
    timer->start();
}

// The company window as a new user fills it: name, corporate number, pay day and health rate
// (the other rates keep their defaults). The caller confirms.
inline void typeCompany(QWidget *corp)
{
    setText(corp, "edSyamei", "オルバネ商事");
    setText(corp, "edHouNo", "7000012050002");
    setText(corp, "edSikyubi", "25");
    setText(corp, "edKenRitu", "4.95");
}

// A new employee typed into the editor: name, pay form (1 monthly, 2 daily, 3 hourly), basic
// pay or rate, one dependant, health, pension and employment insurance. The caller picks the
// grade and confirms.
inline void typeEmployee(QWidget *ed, const QString &name, int keitai, const QString &pay)
{
    setText(ed, "edSimei", name);
    child<QComboBox>(ed, "cbKeitai")->setCurrentIndex(keitai - 1);
    setText(ed, "edChingin1", pay);
    setText(ed, "edFuyou", "1");
    child<QCheckBox>(ed, "cbKenkou")->setChecked(true);
    child<QCheckBox>(ed, "cbNenHoken")->setChecked(true);
    child<QCheckBox>(ed, "cbKoyou")->setChecked(true);
}

// Chooses grade g (1 = first line) in the grade picker the editor's "等級表" button opens and
// confirms it; false for any other window.
inline bool pickGrade(QWidget *m, int g)
{
    auto *picker = qobject_cast<orv::TfmKenhoHyo *>(m);
    if (!picker)
        return false;
    picker->list()->setCurrentRow(g - 1);
    orvScreenshot(picker, "TfmKenhoHyo");
    click(picker, "btOk");
    return true;
}
