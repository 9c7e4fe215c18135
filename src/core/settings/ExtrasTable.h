#pragma once

#include "core/settings/Extras.h"
#include "core/settings/SettingsTable.h"

// The table of extras.txt: its rows in the file's order. To add a setting,
// add its member to Extras and its row here (ExtrasTable.cpp), then bind it
// to its control (ExtrasBindings).
namespace settings {

using ExtrasRow = RowOf<Extras>;
using ExtrasMember = MemberOf<Extras>;
template <> const std::vector<ExtrasRow>& tableOf<Extras>();

} // namespace settings
