#pragma once

#include <string>
#include <vector>

namespace orv
{

// The online-update switches of the command line. In any of these modes the main window is
// centred and the ordinary start-up sequence does not run.
enum class StartMode {
    Normal,
    Download,  // "/Download": the program updater is fetched without asking
    DownloadF, // "/DownloadF": the table updater is fetched without asking
    Update,    // "/Update": the first start after an update
};

// The mode given by the command line: a switch counts only when it is the only argument, and
// is compared exactly (case-sensitive). `args` excludes the program name and "--base DIR".
StartMode startModeFromArguments(const std::vector<std::string> &args);

// Opens a document with the desktop's handler for its type (xdg-open), without waiting for
// it. False when the file does not exist or the handler could not be started.
bool openDocument(const std::string &path);

} // namespace orv
