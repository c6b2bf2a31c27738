// The SQLite side of the whole-process pairs: opens a database read-only,
// runs one query and steps through every row it gives, reading each column
// as text, as a program showing those rows would. Links SQLite and nothing
// of Velarion, so its start costs what a small SQLite program's does.
//   bench_sqlite_side <database> <query>
#include <sqlite3.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_sqlite_side <database> <query>\n");
    return 2;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;
  sqlite3_stmt* query = nullptr;
  if (sqlite3_prepare_v2(db, argv[2], -1, &query, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
    return 1;
  }
  long long rows = 0, bytes = 0;
  int step;
  while ((step = sqlite3_step(query)) == SQLITE_ROW) {
    ++rows;
    for (int c = 0, n = sqlite3_column_count(query); c < n; ++c) {
      sqlite3_column_text(query, c);
      bytes += sqlite3_column_bytes(query, c);
    }
  }
  sqlite3_finalize(query);
  sqlite3_close(db);
  if (step != SQLITE_DONE) return 1;
  std::printf("%lld %lld\n", rows, bytes);
  return 0;
}
