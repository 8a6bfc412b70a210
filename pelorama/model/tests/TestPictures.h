#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

// The PNG file of picture; a failure when it cannot be written.
inline QByteArray pngData(const QImage& picture)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(picture.save(&buffer, "PNG"));
    return data;
}

// The PNG file of a picture of width x height pixels in one colour.
inline QByteArray solidPng(int width, int height, const QColor& colour,
                           QImage::Format format = QImage::Format_RGBA8888)
{
    QImage picture(width, height, format);
    picture.fill(colour);
    return pngData(picture);
}
