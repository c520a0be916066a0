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
// files"), and those a restore undid whose files could not all go back
// ("(partly restored)"); a restore cut short is not offered, as restoring
// its jobs again completes it, nor a job that gave up with all its files
// back. The chosen jobs are undone, newest first, the route held for
// writing from the choice on (Route::Writing), each decided by where its
// files lie now: a file found in its backup place moves back unless its
// place is taken, where it stays and is logged, and a backup that is the
// same file as the one in its place is deleted. Entries go back between
// the entries they stood between, after a numbered copy of the .ref:
// exactly where the journal tells of every write of the .ref since
// (route::Timeline), else by the texts of their neighbours; one whose text
// stands at its place already is not put back again. Entries a job added
// are taken out. The restore is recorded as a job of its own and marks the
// jobs it undid, so that it can be undone in turn. A journal that cannot be
// read is refused before anything moves; lines that cannot be read or
// whose check value does not fit are left out and counted in the log, as
// are the backup files no record names.
void ClRestoreClick(core::ConvMain& main, RouteState& routes);

}  // namespace ops
