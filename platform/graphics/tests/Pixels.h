#pragma once

#include <QImage>

// Pixel access in the y-up space the graphics context draws in: row 0 is the bitmap's bottom row.
inline QColor pixelAt(const QImage& bitmap, int x, int y)
{
    return bitmap.pixelColor(x, bitmap.height() - 1 - y);
}

inline int alphaAt(const QImage& bitmap, int x, int y)
{
    return pixelAt(bitmap, x, y).alpha();
}

// The y-up rows that hold any pixel darker than threshold (in the alpha-weighted sense) or opaque ink.
inline int inkInRows(const QImage& bitmap, int fromY, int toY)
{
    int ink = 0;
    for (int y = fromY; y < toY; ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            ink += alphaAt(bitmap, x, y);
        }
    }
    return ink;
}
