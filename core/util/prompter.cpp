#include "core/util/prompter.h"

namespace orv {

Prompter &nullPrompter()
{
    static SilentPrompter silent(Prompter::Answer::No);
    return silent;
}

} // namespace orv
