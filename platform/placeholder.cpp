#include "core/util/status.h"
