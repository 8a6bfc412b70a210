#pragma once

#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QImage>
#include <QString>
#include <array>
#include <memory>

// A main-queue context over a store of the document model, as a document holds one.
struct DocumentStack
{
    std::shared_ptr<store::PersistentStoreCoordinator> coordinator;
    std::unique_ptr<store::ManagedObjectContext> context;

    static DocumentStack inMemory();
    // A SQLite store in the file at path, created when missing.
    static DocumentStack sqlite(const QString& path);
};

// A pixel in the y-up space the graphics context draws in: row 0 is the bitmap's bottom row.
inline QColor pixelAt(const QImage& bitmap, int x, int y)
{
    return bitmap.pixelColor(x, bitmap.height() - 1 - y);
}

// The premultiplied bytes of the pixel at (x, row) counted from the top, as they lie in memory.
inline std::array<int, 4> bytesAt(const QImage& bitmap, int x, int row)
{
    const uchar* pixel = bitmap.constScanLine(row) + 4 * x;
    return {pixel[0], pixel[1], pixel[2], pixel[3]};
}
