// Whether a user may open a device node, and if not, what would let them: read from the
// node's owner, group and mode, so that the answer names the group to join.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace zv::cli {

struct Identity {
  uid_t uid = 0;
  std::vector<gid_t> groups;  // the effective group and the supplementary ones
  std::string userName;       // to tell "added, but not logged in again" from "not added"
  bool askKernel = false;     // also ask access(2), which knows ACLs; off for a made-up user

  static Identity Current();
};

struct AccessVerdict {
  bool exists = false;
  bool allowed = false;
  std::string note;  // when not allowed: why, and the fix
};

AccessVerdict CheckAccess(const std::string& path, const Identity& who);

}  // namespace zv::cli
