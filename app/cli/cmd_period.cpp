#include "app/cli/commands.h"

namespace orv::cli {

int cmdPeriod(const Context &)
{
    return fail(kExitFail, "period: not built yet");
}

} // namespace orv::cli
