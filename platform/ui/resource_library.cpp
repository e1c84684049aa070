#include "platform/ui/resource_library.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QResource>
#include <vector>

namespace {

// Each loaded library is mapped under a root of its own, so that two libraries
// can hold pictures of the same name; the handle is its place in this list + 1.
std::vector<QString>& LoadedLibraries()
{
    static std::vector<QString> libraries;
    return libraries;
}

QString MapRoot(HINSTANCE library)
{
    return QStringLiteral("/library%1").arg(library);
}

} // namespace

HINSTANCE LoadLibrary(const QString& fileName)
{
    const QString baseName = QFileInfo(fileName).completeBaseName();
    auto& libraries = LoadedLibraries();
    for (std::size_t i = 0; i < libraries.size(); ++i)
        if (libraries[i].compare(baseName, Qt::CaseInsensitive) == 0)
            return static_cast<HINSTANCE>(i + 1);

    const QString path = QDir(QCoreApplication::applicationDirPath())
                             .filePath(baseName + QStringLiteral(".rcc"));
    const auto handle = static_cast<HINSTANCE>(libraries.size() + 1);
    if (!QResource::registerResource(path, MapRoot(handle)))
        return 0;
    libraries.push_back(baseName);
    return handle;
}

QPixmap LoadBitmap(HINSTANCE library, const QString& name)
{
    if (library <= 0 || static_cast<std::size_t>(library) > LoadedLibraries().size())
        return {};
    return QPixmap(QStringLiteral(":") + MapRoot(library) + QLatin1Char('/') + name
                   + QStringLiteral(".png"));
}
