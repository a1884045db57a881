#include "core/util/rounding.h"

#include <cmath>
#include <limits>

namespace orv {
namespace {

// Binary noise of a product is a few units in the last place; a millionth of a yen covers it
// for every amount an Int32 can hold, and stays far below any real fraction of a yen.
double tolerance(double x) { return std::max(1e-6, std::fabs(x) * 1e-13); }

std::int64_t clampToInt64(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 9.2e18)
        return std::numeric_limits<std::int64_t>::max();
    if (v <= -9.2e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}

} // namespace

RoundRule roundRuleFromSetting(int kind)
{
    switch (kind) {
    case 1:
        return RoundRule::Up;
    case 2:
        return RoundRule::HalfUp;
    default:
        return RoundRule::Truncate;
    }
}

std::int64_t Kirisute(double x)
{
    double e = tolerance(x);
    return clampToInt64(x >= 0 ? std::floor(x + e) : std::ceil(x - e));
}

std::int64_t roundYen(RoundRule rule, double x)
{
    switch (rule) {
    case RoundRule::Up:
        return clampToInt64(std::ceil(x - tolerance(x)));
    case RoundRule::HalfUp:
        return x >= 0 ? Kirisute(x + 0.5) : Kirisute(x - 0.5);
    case RoundRule::Truncate:
        break;
    }
    return Kirisute(x);
}

std::int64_t Hasuu(int kind, double x) { return roundYen(roundRuleFromSetting(kind), x); }

std::int64_t SyahoHasuu(double x) { return x >= 0 ? Kirisute(x + 0.49) : Kirisute(x - 0.49); }

std::int64_t KoyouHasuu(double x) { return x >= 0 ? Kirisute(x + 0.499) : Kirisute(x - 0.499); }

std::optional<std::int32_t> fitInt32(std::int64_t v)
{
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

} // namespace orv
