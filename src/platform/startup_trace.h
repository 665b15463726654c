#pragma once
// Marks of the start's phases, for the start-up benchmark. With the environment variable
// QM_STARTUP_TRACE set (to anything), each mark writes one line, "trace <ms> <phase>", to
// standard output: the milliseconds since the process was created. Unset, nothing is
// written and a mark costs one look at a flag.
namespace qm {

void TraceMark(const char* phase);

} // namespace qm
