#pragma once
// A fresh directory for one test's database, removed afterwards.
#include <QDir>
#include <QTemporaryDir>

class TestDir {
public:
    QString Path() const { return dir_.path(); }
    QString File(const QString& name) const { return QDir(dir_.path()).filePath(name); }

private:
    QTemporaryDir dir_;
};
