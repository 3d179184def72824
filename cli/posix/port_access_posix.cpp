#include "cli/posix/port_access_posix.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace zv::cli {

namespace {

constexpr mode_t kUserRw = S_IRUSR | S_IWUSR;
constexpr mode_t kGroupRw = S_IRGRP | S_IWGRP;
constexpr mode_t kOtherRw = S_IROTH | S_IWOTH;

std::string GroupName(gid_t gid) {
  const group* entry = getgrgid(gid);
  return entry != nullptr && entry->gr_name != nullptr ? entry->gr_name : std::to_string(gid);
}

std::string UserName(uid_t uid) {
  const passwd* entry = getpwuid(uid);
  return entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : std::to_string(uid);
}

// Whether the group database lists the user in the group (a membership the running session
// may not have yet).
bool ListedIn(gid_t gid, const std::string& user) {
  const group* entry = getgrgid(gid);
  if (entry == nullptr || entry->gr_mem == nullptr || user.empty()) return false;
  for (char** member = entry->gr_mem; *member != nullptr; ++member) {
    if (user == *member) return true;
  }
  return false;
}

bool ModeAllows(const struct stat& st, const Identity& who) {
  if (who.uid == 0) return true;
  if (st.st_uid == who.uid) return (st.st_mode & kUserRw) == kUserRw;
  const bool inGroup =
      std::find(who.groups.begin(), who.groups.end(), st.st_gid) != who.groups.end();
  if (inGroup) return (st.st_mode & kGroupRw) == kGroupRw;
  return (st.st_mode & kOtherRw) == kOtherRw;
}

std::string DeniedNote(const struct stat& st, const Identity& who) {
  const std::string group = GroupName(st.st_gid);
  if ((st.st_mode & kGroupRw) != kGroupRw) {
    return "only its owner " + UserName(st.st_uid) + " may open it";
  }
  if (ListedIn(st.st_gid, who.userName)) {
    return "its group " + group + " may open it, and you joined " + group +
           " after logging in: log in again";
  }
  return "only its group " + group + " may open it: join it with sudo adduser \"$USER\" " + group +
         ", then log in again";
}

}  // namespace

Identity Identity::Current() {
  Identity who;
  who.uid = geteuid();
  who.groups.push_back(getegid());
  const int count = getgroups(0, nullptr);
  if (count > 0) {
    std::vector<gid_t> more(static_cast<std::size_t>(count));
    const int got = getgroups(count, more.data());
    if (got > 0) who.groups.insert(who.groups.end(), more.begin(), more.begin() + got);
  }
  who.userName = UserName(who.uid);
  who.askKernel = true;
  return who;
}

AccessVerdict CheckAccess(const std::string& path, const Identity& who) {
  AccessVerdict verdict;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return verdict;
  verdict.exists = true;
  verdict.allowed =
      ModeAllows(st, who) ||
      (who.askKernel && faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) == 0);
  if (!verdict.allowed) verdict.note = DeniedNote(st, who);
  return verdict;
}

}  // namespace zv::cli
