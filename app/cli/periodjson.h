#pragma once

#include "core/records/payimage.h"
#include "core/util/status.h"

#include <nlohmann/json.hpp>

namespace orv::cli {

// The JSON shape of one pay period:
// {"Head":{…},"Kihon":{…},"Syain":[{"slot":1,…}],"Kintai":[…],"Sikyu":[…],"Koujo":[…]}
// Keys are the record field names; strings are UTF-8; Manual is an array of booleans.
nlohmann::ordered_json periodToJson(const PayImage &img);

// Fills the image's period from JSON. Records start from zero, so fields left out are zero;
// Head fields that are given replace those of img.Head, the others keep their values.
// Fails, naming the field, on an unknown field, a value of the wrong type or out of range, or
// text that cannot be held in Shift-JIS within the field's capacity; img is then unchanged.
Status periodFromJson(const nlohmann::json &j, PayImage &img);

} // namespace orv::cli
