#pragma once
// Generated databases kept between runs: each is made once per set of
// parameters and reused by every benchmark program, until the generator
// changes (its sources are hashed into the cache's entry names). The cache is
// bench-cache/ in the build directory, or $QUELT_BENCH_CACHE.
//
// Programs running at the same time share it safely: a lock file per key lets
// one of them make or remove that key's entries while the others wait.
#include <QString>
#include <functional>

// Throws std::runtime_error naming what a directory lacks; returns when it
// holds what its maker was asked for.
using TDirectoryCheck = std::function<void(const QString& directory)>;

// A private copy of the directory that make fills for key: the benchmarks may
// write to it, and it is removed when the process ends. make runs only when
// the cache has no sound entry for key and this version of the generator; it
// gets an empty directory. check, when given, judges a made entry before it
// is kept (an entry that fails it is thrown away and made again once) and the
// copy before it is used.
QString CachedDirectory(const QString& key, const std::function<void(const QString& directory)>& make,
                        const TDirectoryCheck& check = {});
