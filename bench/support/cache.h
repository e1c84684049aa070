#pragma once
// Generated databases kept between runs: each is made once per set of
// parameters and reused by every benchmark program, until the generator
// changes (its sources are hashed into the cache's entry names). The cache is
// bench-cache/ in the build directory, or $QUELT_BENCH_CACHE.
#include <QString>
#include <functional>

// A private copy of the directory that make fills for key: the benchmarks may
// write to it, and it is removed when the process ends. make runs only when
// the cache has no entry for key and this version of the generator; it gets an
// empty directory.
QString CachedDirectory(const QString& key, const std::function<void(const QString& directory)>& make);
