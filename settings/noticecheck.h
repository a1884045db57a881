#pragma once

// The start-up registration of the notice checker ("ZuridaRazir.exe /Check"): on this desktop a
// launcher "カナリエ･お知らせ確認.desktop" in the user's autostart folder
// ($XDG_CONFIG_HOME/autostart, or ~/.config/autostart), the counterpart of the Startup-folder
// shortcut.

#include "core/util/status.h"

#include <string>

namespace orv {

inline constexpr const char kNoticeLinkName[] = "カナリエ･お知らせ確認";

// The launcher's path; empty when no autostart folder can be named.
std::string noticeLinkPath();
// Writes the launcher (program folder with trailing "/"): Exec the checker with "/Check",
// working folder the program folder.
Status registerNoticeCheck(const std::string &progDir);
// Removes it; a missing launcher is no error.
Status unregisterNoticeCheck();
bool noticeCheckRegistered();

} // namespace orv
