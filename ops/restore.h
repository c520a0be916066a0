// Undoing clearing jobs from the route's journal (route/journal.h).
#pragma once

#include <string_view>

#include "core/conv_main.h"
#include "ops/route_state.h"

namespace ops {

// The names the clearing jobs are recorded under.
inline constexpr std::string_view kDeleteSelectedJob = "delentry";
inline constexpr std::string_view kDuplicatesJob = "deldup";
inline constexpr std::string_view kNonexistentJob = "delunex";
inline constexpr std::string_view kUnusedJob = "delunused";
inline constexpr std::string_view kNotInRefJob = "delnotinref";
inline constexpr std::string_view kRestoreJob = "restore";

// "Restore...": the current route's recorded jobs that no restore has
// undone, newest first, in the choice list ("time, job, N entries, M
// files"); a restore cut short is not offered, as restoring its jobs again
// completes it. The chosen jobs are undone, newest first, each decided by where its
// files lie now: a file found in its backup place moves back unless its
// place is taken, where it stays and is logged; entries go back among
// those there now, after a numbered copy of the .ref, and entries a job
// added are taken out. The restore is recorded as a job of its own and
// marks the jobs it undid, so that it can be undone in turn. A journal
// that cannot be read is refused before anything moves; the log tells how
// many backup files no record names.
void ClRestoreClick(core::ConvMain& main, RouteState& routes);

}  // namespace ops
