#include "bench/support/cache.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>
#include <vector>

#ifndef BENCH_CACHE_DIR
#define BENCH_CACHE_DIR "bench-cache"
#endif
#ifndef BENCH_GENERATOR_VERSION
#define BENCH_GENERATOR_VERSION "0"
#endif

namespace {

QString CacheRoot() {
    const QByteArray overridden = qgetenv("QUELT_BENCH_CACHE");
    return overridden.isEmpty() ? QString::fromUtf8(BENCH_CACHE_DIR) : QString::fromLocal8Bit(overridden);
}

void CopyFiles(const QString& from, const QString& to) {
    for (const QString& name : QDir(from).entryList(QDir::Files | QDir::Hidden))
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)))
            throw std::runtime_error("cannot copy a cached benchmark file: " + name.toStdString());
}

// Entries of an older generator for the same key only take space.
void RemoveOlderVersions(const QDir& root, const QString& key, const QString& current) {
    for (const QString& name : root.entryList({key + QStringLiteral("@*")}, QDir::Dirs))
        if (name != current) QDir(root.filePath(name)).removeRecursively();
}

}  // namespace

QString CachedDirectory(const QString& key, const std::function<void(const QString& directory)>& make) {
    const QDir root(CacheRoot());
    root.mkpath(QStringLiteral("."));
    const QString name = key + QLatin1Char('@') + QString::fromLatin1(BENCH_GENERATOR_VERSION);
    const QString entry = root.filePath(name);
    if (!QDir(entry).exists()) {
        RemoveOlderVersions(root, key, name);
        // Made beside the entry and renamed into place whole, so that a
        // program stopped half way, or another one running at the same
        // time, never finds a half-made entry.
        const QString making = entry + QStringLiteral(".making-") + QString::number(QCoreApplication::applicationPid());
        QDir(making).removeRecursively();
        root.mkpath(making);
        make(making);
        if (!QDir().rename(making, entry)) QDir(making).removeRecursively();   // another program was quicker
    }
    static std::vector<std::unique_ptr<QTemporaryDir>> copies;
    copies.push_back(std::make_unique<QTemporaryDir>());
    CopyFiles(entry, copies.back()->path());
    return copies.back()->path();
}
