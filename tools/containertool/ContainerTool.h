#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

class QFileDevice;

// The command line of containertool: reads its arguments and environment, seals or opens one file and
// reports on standard error. Exit codes are those of ContainerTool::ExitCode.
class ContainerTool
{
public:
    enum ExitCode
    {
        success = 0,
        usageError = 2,           // bad arguments or no usable passphrase
        fileError = 3,            // the input cannot be read or the output cannot or must not be written
        notAContainer = 4,        // the input is no container, ends before its header does, or is malformed
        authenticationFailed = 5, // wrong passphrase, or a damaged or truncated container
    };

    static constexpr const char* passphraseVariable = "PELORAMA_CONTAINER_PASSPHRASE";

    explicit ContainerTool(std::FILE* errors = stderr);

    int run(const QStringList& arguments);

private:
    enum class Mode
    {
        seal,
        open,
    };

    int seal(const QString& inputPath, const QString& outputPath, const QString& passphrase);
    int open(const QString& inputPath, const QString& outputPath, const QString& passphrase);
    int usage(const QString& problem);
    int fail(int code, const QString& message);
    int cannotRead(const QString& path, const QFileDevice& file);
    int cannotWrite(const QString& path, const QFileDevice& file);
    int refuseOutput(const QString& path, const QString& reason);

    std::FILE* m_errors;
};
