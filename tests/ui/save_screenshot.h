#pragma once
// Pictures of windows for a person to look at. When QUELT_SCREENSHOTS names a
// folder, a test saves what it shows there as <name>.png; otherwise nothing
// happens and the test runs as it would.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>

inline QString ScreenshotFolder()
{
    return qEnvironmentVariable("QUELT_SCREENSHOTS");
}

inline void SaveScreenshot(const QImage& picture, const QString& name)
{
    if (const QString folder = ScreenshotFolder(); !folder.isEmpty())
        picture.save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

inline void SaveScreenshot(QWidget& widget, const QString& name)
{
    if (ScreenshotFolder().isEmpty())
        return;
    QApplication::processEvents();
    SaveScreenshot(widget.grab().toImage(), name);
}
