#pragma once

#include <cstdint>
#include <optional>

namespace orv {

// Rounding of yen amounts. Every rule works on the true value of the amount in double
// precision; a tolerance of a millionth of a yen (relative for very large values) absorbs the
// binary noise of products such as 10.2 h x 1,990 yen = 20,298.000000000004. Results are
// whole yen in 64 bits; callers store them through fitInt32().

enum class RoundRule {
    Truncate = 0, // 切り捨て, toward zero
    Up = 1,       // 切り上げ, toward +infinity
    HalfUp = 2,   // 四捨五入, half away from zero
};

// The rounding kind stored in the settings (HasuuSik, HasuuGen, HasuuKou): 1 up, 2 half up,
// anything else truncation.
RoundRule roundRuleFromSetting(int kind);

// Truncation toward zero (Kirisute).
std::int64_t Kirisute(double x);
// Rounding by a settings kind (Hasuu).
std::int64_t Hasuu(int kind, double x);
std::int64_t roundYen(RoundRule rule, double x);
// Social-insurance premiums: a fraction up to 0.50 yen is dropped, from 0.51 it rounds up.
std::int64_t SyahoHasuu(double x);
// Employment insurance: a fraction up to 0.500 yen is dropped, above it rounds up.
std::int64_t KoyouHasuu(double x);

// The 32-bit field a result is stored in; nullopt when it does not fit.
std::optional<std::int32_t> fitInt32(std::int64_t v);

} // namespace orv
