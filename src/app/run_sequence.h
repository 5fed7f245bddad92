// The run: every phase in its fixed order, from the banner to the exit
// status. Every ending goes through EndRun.
#pragma once

namespace tonalign {

// Writes out buffered output and ends the process. A run whose output could
// not be written ends with status 1 whatever it was going to report: the
// verdict never reached its reader.
[[noreturn]] void EndRun(int status);

// The whole run over main's arguments; never returns.
[[noreturn]] void RunTonalign(int argc, char** argv);

}  // namespace tonalign
