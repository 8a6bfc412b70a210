#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Writes bytes to the file name in directory and answers its path.
inline QString writeTestFile(const QTemporaryDir& directory, const QString& name, const QByteArray& bytes)
{
    QString path = directory.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}
