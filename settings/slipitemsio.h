#pragma once

#include "core/options/option.h"
#include "core/options/slipitems.h"
#include "core/util/status.h"

#include <filesystem>

namespace orv {

// The slip item lists of one kind from the company settings file: [KyuyoItemName] and
// [KyuyoKeitai1..3] for salary, [SyoyoItemName] and [SyoyoKeitai1..3] for bonus (no attendance
// list). Missing keys take the defaults. An attendance entry shorter than 2 bytes becomes
// "V勤怠項目", unused in all three pay forms. With `derive` the name tables are rebuilt; without
// it they are left blank.
SlipItems LoadSlipItems(const std::filesystem::path &corpIni, SlipKind kind, bool derive);

// Rebuilds the name tables of `items`; with `write` also stores the lists and flags of `kind`
// (names after the placeholder rule of StoredItemName; attendance only for salary) in one
// replacement of the file. The lists in memory are not changed.
Status SaveSlipItems(const std::filesystem::path &corpIni, SlipKind kind, const TOption &opt,
                     SlipItems &items, bool write);

} // namespace orv
