// The archive's tables in SQLite, version by version.
#pragma once

namespace zv::archive {

// The SQL that moves an archive from schema version `from` to `from` + 1 (from 0: an empty
// database set up); null past the newest. The caller runs it inside the upgrade's transaction
// and then records the new version.
const char* SqliteSchemaStep(int from);

}  // namespace zv::archive
