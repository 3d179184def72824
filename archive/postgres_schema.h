// The archive's tables on PostgreSQL: the SQLite archive's, column for column, in PostgreSQL's
// types, so a recording or an event moves between the two unchanged.
#pragma once

namespace zv::archive {

// The SQL that takes an archive from schema version `from` to the next; null past the newest.
const char* PostgresSchemaStep(int from);

}  // namespace zv::archive
