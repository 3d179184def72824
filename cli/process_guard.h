// What zorvant-cli makes sure of before anything else, and how every command ends.
#pragma once

namespace zv::cli {

// Opens the null device on any of the descriptors 0-2 that is closed, so that no file opened
// later (the serial port above all) becomes standard output or error and receives what is
// printed. False when one cannot be opened.
bool OpenStandardStreams();

// SIGINT and SIGTERM end the command the way a failure does: the port's reads fail, the
// stop frame goes out, the port closes, the temporary file goes. A second one ends the
// process at once. SIGPIPE is ignored: a write to a closed pipe fails as a write error.
void CatchStopSignals();

// True when standard output was closed when the process started (OpenStandardStreams put the
// null device there): a command whose product goes to standard output refuses to run.
bool StandardOutputClosed();

// For a command whose product goes to standard output: when that was closed, says so on stderr
// ("zorvant-cli <command>: standard output is closed") and returns true; nothing is then sent.
bool RefuseClosedStdout(const char* command);

// True once SIGINT or SIGTERM arrived; then the exit code it asks for (128 + its number).
bool StopRequested();
int StopExitCode();

// From here on the command's own exit code stands, whatever stop request comes: its outcome
// is settled (the output file is in place, or the configuration has gone out to the logger).
// `settled` says so, for the message when standard output then fails ("the logger stored the
// configuration").
void KeepOutcome(const char* settled);

// The exit code of a command that returned `code`: 130 or 143 after SIGINT or SIGTERM (unless
// the outcome was kept), kExitFileNotWritten when standard output could not be written (with
// a message, which names what was settled all the same), else `code`.
int FinishCommand(int code);

}  // namespace zv::cli
