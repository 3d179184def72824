// The throw-away PostgreSQL server the archive's cases keep their server archives on
// (test_server.sh): the one ctest's fixture started (its folder in ZV_TEST_PG_FOLDER), or, when
// the cases run by hand, one started on first use and removed when the program ends.
#pragma once

#include <string>

namespace zv::archive::test {

// Runs test_server.sh; false (with the script's output on stderr) when it fails.
bool RunTestServer(const char* action, const std::string& folder);

// The folder of the shared server (its socket is there); empty when it could not be started.
const std::string& TestServerFolder();

// The URL of a new, empty database on the server in `folder`, as the superuser zv_admin.
std::string FreshDatabaseUrl(const std::string& folder);

// SQL run on that database as its superuser, with foreign keys unchecked, as a hand editing the
// tables would; false when it fails.
bool RunAsAdmin(const std::string& url, const std::string& sql);

}  // namespace zv::archive::test
