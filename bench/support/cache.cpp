#include "bench/support/cache.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <stdexcept>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

#ifndef BENCH_CACHE_DIR
#define BENCH_CACHE_DIR "bench-cache"
#endif
#ifndef BENCH_GENERATOR_VERSION
#define BENCH_GENERATOR_VERSION "0"
#endif

namespace {

const QString MakingMark = QStringLiteral(".making-");

QString CacheRoot() {
    const QByteArray overridden = qgetenv("QUELT_BENCH_CACHE");
    return overridden.isEmpty() ? QString::fromUtf8(BENCH_CACHE_DIR) : QString::fromLocal8Bit(overridden);
}

// Holds key's lock file locked for as long as it lives; the system lets go of
// it when the process ends, however it ends.
class TKeyLock {
public:
    explicit TKeyLock(const QString& path) {
        fd_ = open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) throw std::runtime_error("cannot open the benchmark cache's lock " + path.toStdString());
        while (flock(fd_, LOCK_EX) != 0)
            if (errno != EINTR) throw std::runtime_error("cannot lock the benchmark cache: " + path.toStdString());
    }
    ~TKeyLock() { close(fd_); }
    TKeyLock(const TKeyLock&) = delete;
    TKeyLock& operator=(const TKeyLock&) = delete;

private:
    int fd_ = -1;
};

void CopyFiles(const QString& from, const QString& to) {
    for (const QString& name : QDir(from).entryList(QDir::Files | QDir::Hidden))
        if (!QFile::copy(QDir(from).filePath(name), QDir(to).filePath(name)))
            throw std::runtime_error("cannot copy a cached benchmark file: " + name.toStdString());
}

bool ProcessRuns(qint64 pid) { return pid > 0 && (kill(pid_t(pid), 0) == 0 || errno == EPERM); }

// Entries of an older generator for the same key only take space, and so do
// the half-made ones of programs that ended while making them. A half-made
// entry of a program still running is its work in progress and stays.
void RemoveLeftovers(const QDir& root, const QString& key, const QString& current) {
    for (const QString& name : root.entryList({key + QStringLiteral("@*")}, QDir::Dirs)) {
        const qsizetype mark = name.indexOf(MakingMark);
        const bool leftover = mark < 0 ? name != current : !ProcessRuns(name.mid(mark + MakingMark.size()).toLongLong());
        if (leftover) QDir(root.filePath(name)).removeRecursively();
    }
}

bool Passes(const TDirectoryCheck& check, const QString& directory, QString* why) {
    if (!check) return true;
    try {
        check(directory);
        return true;
    } catch (const std::exception& error) {
        *why = QString::fromUtf8(error.what());
        return false;
    }
}

// Makes the entry beside its place and renames it in whole, so that a program
// stopped half way never leaves a half-made entry under the entry's name.
void MakeEntry(const QDir& root, const QString& entry, const std::function<void(const QString&)>& make,
               const TDirectoryCheck& check) {
    const QString making = entry + MakingMark + QString::number(QCoreApplication::applicationPid());
    QDir(making).removeRecursively();
    root.mkpath(making);
    try {
        make(making);
        QString why;
        if (!Passes(check, making, &why))
            throw std::runtime_error("the benchmark data made for the cache are wrong: " + why.toStdString());
        if (!QDir().rename(making, entry))
            throw std::runtime_error("cannot put a made entry into the benchmark cache: " + entry.toStdString());
    } catch (...) {
        QDir(making).removeRecursively();
        throw;
    }
}

}  // namespace

QString CachedDirectory(const QString& key, const std::function<void(const QString& directory)>& make,
                        const TDirectoryCheck& check) {
    const QDir root(CacheRoot());
    root.mkpath(QStringLiteral("."));
    const QString name = key + QLatin1Char('@') + QString::fromLatin1(BENCH_GENERATOR_VERSION);
    const QString entry = root.filePath(name);
    static std::vector<std::unique_ptr<QTemporaryDir>> copies;
    {
        const TKeyLock lock(root.filePath(key + QStringLiteral(".lock")));
        RemoveLeftovers(root, key, name);
        QString why;
        if (QDir(entry).exists() && !Passes(check, entry, &why)) {
            qWarning("benchmark cache entry %s is wrong (%s); making it again", qPrintable(name), qPrintable(why));
            QDir(entry).removeRecursively();
        }
        if (!QDir(entry).exists()) MakeEntry(root, entry, make, check);
        copies.push_back(std::make_unique<QTemporaryDir>());
        if (!copies.back()->isValid()) throw std::runtime_error("cannot make a temporary directory for benchmark data");
        CopyFiles(entry, copies.back()->path());
    }
    QString why;
    if (!Passes(check, copies.back()->path(), &why))
        throw std::runtime_error("the copy of the cached benchmark data is wrong: " + why.toStdString());
    return copies.back()->path();
}
