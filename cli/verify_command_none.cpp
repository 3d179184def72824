// A build without an archive store: `verify` has no originals to compare with, and says so.
#include <cstdio>

#include "cli/exit_codes.h"
#include "cli/verify_command.h"

namespace zv::cli {

CLI::App* AddVerifyCommand(CLI::App& app, VerifyOptions&) {
  auto* verify =
      app.add_subcommand("verify", "A file checked against the archive (not in this build)");
  verify->allow_extras();
  return verify;
}

int RunVerify(const VerifyOptions&) {
  std::fputs("zorvant-cli verify: this build keeps no archive to verify against\n", stderr);
  return kExitArchiveUnreadable;
}

}  // namespace zv::cli
