#pragma once

#include <cstddef>
#include <functional>

class CSQliteDB;

// Saves count pages in one transaction on db: all are committed or none.
// save(i, err) saves page i; a false without an error code counts as a
// failure. Returns 0 when committed; otherwise the transaction is rolled back
// and the caller restores what it keeps in memory.
int SaveInTransaction(CSQliteDB& db, size_t count,
                      const std::function<bool(size_t page, int& err)>& save);
