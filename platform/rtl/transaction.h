#pragma once
// Runs a block in one transaction of any database that can start, commit and
// roll back one: commits at the end, rolls back when the block throws.
#include <utility>

template <typename Database, typename F>
void RunInTransaction(Database& db, F&& work) {
    db.StartTransaction();
    try {
        std::forward<F>(work)();
    } catch (...) {
        db.Rollback();
        throw;
    }
    db.Commit();
}
