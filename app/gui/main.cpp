// orvane2: the desktop program. Resolves where the settings live, refuses a second copy for
// the same settings folder, checks that the folder can be written, and opens the main window,
// whose first activation runs the rest of the start-up (or, with an online-update switch, the
// flow of that mode).

#include "platform/locations.h"
#include "platform/singleinstance.h"
#include "platform/startcheck.h"
#include "screens/qtprompter.h"
#include "screens/session.h"
#include "screens/tfmmain.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Arguments {
    std::string base;                // --base DIR
    std::vector<std::string> others; // any of them lets a second copy start
    bool bad = false;
};

Arguments parseArguments(const QStringList &args)
{
    Arguments a;
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (arg == QLatin1String("--base")) {
            if (i + 1 >= args.size()) {
                a.bad = true;
                break;
            }
            a.base = args[++i].toStdString();
        } else if (arg.startsWith(QLatin1String("--base="))) {
            a.base = arg.mid(7).toStdString();
        } else {
            a.others.push_back(arg.toStdString());
        }
    }
    return a;
}

// The Japanese UI font: IPA P Gothic, else IPA Gothic, else whatever the system offers.
void setJapaneseFont(QApplication &app)
{
    const QStringList families = QFontDatabase::families();
    for (const char *name : {"IPAPGothic", "IPAGothic", "IPA Pゴシック", "IPAゴシック"}) {
        const QString family = QString::fromUtf8(name);
        if (families.contains(family)) {
            QFont f(family);
            f.setPointSize(10);
            app.setFont(f);
            return;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orvane2"));
    setJapaneseFont(app);
    orv::QtPrompter prompter;

    const Arguments args = parseArguments(QApplication::arguments());
    if (args.bad) {
        std::fprintf(stderr,
                     "usage: orvane2 [--base SETTINGS_FOLDER] [/Download | /DownloadF | /Update]\n");
        return 2;
    }

    orv::LocationOptions lo;
    if (!args.base.empty()) {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::absolute(args.base, ec);
        if (ec)
            base = args.base;
        // A new portable folder is created; a folder that cannot be made fails the write check.
        std::filesystem::create_directories(base, ec);
        lo.baseOverride = base.string();
    }
    const orv::Locations loc = orv::resolveLocations(lo);

    // One running copy per settings folder; any other argument lets a second copy start.
    orv::SingleInstanceLock lock = orv::SingleInstanceLock::acquire(loc.BaseDir);
    if (orv::singleInstanceCheckApplies(1 + static_cast<int>(args.others.size()))) {
        if (lock.state() == orv::SingleInstanceLock::State::AlreadyRunning) {
            prompter.error(orv::kDoubleStartMessage);
            (void)lock.notifyRunningInstance();
            return 0;
        }
        if (lock.state() == orv::SingleInstanceLock::State::Unavailable) {
            prompter.error(lock.message());
            return 1;
        }
    }

    const orv::WriteCheckResult check = orv::checkSettingsWritable(loc.BaseDir, loc.SysIni);
    if (!check.ok) {
        for (const std::string &m : check.messages)
            prompter.error(m);
        return 1;
    }

    orv::Session session;
    session.loc = loc;
    session.prompter = &prompter;
    orv::TfmMain main(session, orv::startModeFromArguments(args.others));
    prompter.setParent(&main);
    if (lock.acquired())
        main.setRaiseRequestSource([&lock] { return lock.takeRaiseRequest(); });
    main.show();
    return app.exec();
}
