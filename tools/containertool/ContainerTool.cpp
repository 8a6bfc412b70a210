#include "ContainerTool.h"

#include "tessaline/Shared/CryptorError.h"
#include "tessaline/Shared/Decryptor.h"
#include "tessaline/Shared/Encryptor.h"

#include <QFile>
#include <QSaveFile>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr qint64 chunkSize = 1 << 20;

const char* const usageText =
    "Usage: containertool seal INPUT OUTPUT [--passphrase-file FILE]\n"
    "       containertool open INPUT OUTPUT [--passphrase-file FILE]\n"
    "\n"
    "seal writes INPUT, encrypted and authenticated under the passphrase, to the\n"
    "container OUTPUT; open checks the container INPUT and writes its contents to\n"
    "OUTPUT. OUTPUT is written only when the whole operation succeeds; it must not\n"
    "be INPUT itself, and an existing OUTPUT must be a regular file.\n"
    "\n"
    "The passphrase is the first line of FILE, or else the value of the environment\n"
    "variable PELORAMA_CONTAINER_PASSPHRASE.\n"
    "\n"
    "Exit codes: 0 done, 2 bad arguments or no passphrase, 3 a file could not be read\n"
    "or written or OUTPUT was refused, 4 INPUT is no container or a malformed one,\n"
    "5 wrong passphrase or damaged container.\n";

// The first line of the file, without its line end.
std::optional<QString> readPassphraseFile(const QString& path, QString& problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("cannot read the passphrase file '%1': %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

// Why the output must not be written, or nothing when it may. The output replaces what is at its path,
// so it must not be the input under another name (a link, a path through a symlink: the same device and
// inode) and must not be a FIFO, a device or anything else that is no regular file.
std::optional<QString> outputRefusal(const QFile& input, const QString& outputPath)
{
    struct stat output;
    if (::stat(QFile::encodeName(outputPath).constData(), &output) != 0)
        return std::nullopt; // nothing there yet, or writing will say what is wrong
    struct stat source;
    if (::fstat(input.handle(), &source) == 0 && source.st_dev == output.st_dev &&
        source.st_ino == output.st_ino)
        return QStringLiteral("it is the input file");
    if (!S_ISREG(output.st_mode))
        return QStringLiteral("it exists and is not a regular file");
    return std::nullopt;
}

} // namespace

ContainerTool::ContainerTool(std::FILE* errors)
    : m_errors(errors)
{}

int ContainerTool::run(const QStringList& arguments)
{
    QStringList positional;
    std::optional<QString> passphraseFile;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            std::fputs(usageText, stdout);
            return success;
        }
        if (argument == QLatin1String("--passphrase-file")) {
            if (i + 1 == arguments.size())
                return usage(QStringLiteral("--passphrase-file needs a file name"));
            passphraseFile = arguments[++i];
        } else if (argument.startsWith(QLatin1String("--passphrase-file="))) {
            passphraseFile = argument.section(QLatin1Char('='), 1);
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return usage(QStringLiteral("unknown option '%1'").arg(argument));
        } else {
            positional.append(argument);
        }
    }
    if (positional.size() != 3)
        return usage(positional.isEmpty() ? QStringLiteral("no command given")
                                          : QStringLiteral("expected a command, an input and an output"));
    Mode mode;
    if (positional[0] == QLatin1String("seal"))
        mode = Mode::seal;
    else if (positional[0] == QLatin1String("open"))
        mode = Mode::open;
    else
        return usage(QStringLiteral("unknown command '%1'; use seal or open").arg(positional[0]));

    QString passphrase;
    if (passphraseFile) {
        QString problem;
        const auto read = readPassphraseFile(*passphraseFile, problem);
        if (!read)
            return fail(usageError, problem);
        passphrase = *read;
    } else if (qEnvironmentVariableIsSet(passphraseVariable)) {
        passphrase = qEnvironmentVariable(passphraseVariable);
    } else {
        return usage(QStringLiteral("no passphrase: give --passphrase-file FILE or set %1")
                         .arg(QLatin1String(passphraseVariable)));
    }
    if (passphrase.isEmpty())
        return fail(usageError, QStringLiteral("the passphrase is empty"));

    return mode == Mode::seal ? seal(positional[1], positional[2], passphrase)
                              : open(positional[1], positional[2], passphrase);
}

int ContainerTool::seal(const QString& inputPath, const QString& outputPath, const QString& passphrase)
{
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return cannotRead(inputPath, input);
    if (const auto refusal = outputRefusal(input, outputPath))
        return refuseOutput(outputPath, *refusal);
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly))
        return cannotWrite(outputPath, output);

    tessaline::Encryptor encryptor(passphrase);
    do {
        const QByteArray chunk = input.read(chunkSize);
        if (input.error() != QFileDevice::NoError)
            return cannotRead(inputPath, input);
        const QByteArray out = encryptor.feed(chunk);
        if (output.write(out) != out.size())
            return cannotWrite(outputPath, output);
    } while (!input.atEnd());
    const QByteArray out = encryptor.finalize();
    if (output.write(out) != out.size() || !output.commit())
        return cannotWrite(outputPath, output);
    return success;
}

int ContainerTool::open(const QString& inputPath, const QString& outputPath, const QString& passphrase)
{
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return cannotRead(inputPath, input);
    if (const auto refusal = outputRefusal(input, outputPath))
        return refuseOutput(outputPath, *refusal);
    // Nothing reaches outputPath unless the whole container is authenticated: the plaintext goes to a
    // temporary file that is renamed into place only after the tag has matched.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly))
        return cannotWrite(outputPath, output);

    tessaline::Decryptor decryptor(passphrase);
    bool finalizing = false;
    try {
        while (!input.atEnd()) {
            const QByteArray chunk = input.read(chunkSize);
            if (input.error() != QFileDevice::NoError)
                return cannotRead(inputPath, input);
            const QByteArray plaintext = decryptor.feed(chunk);
            if (output.write(plaintext) != plaintext.size())
                return cannotWrite(outputPath, output);
        }
        finalizing = true;
        const QByteArray last = decryptor.finalize();
        if (output.write(last) != last.size() || !output.commit())
            return cannotWrite(outputPath, output);
    } catch (const tessaline::CryptorError& error) {
        output.cancelWriting();
        switch (error.code()) {
        case tessaline::CryptorError::Code::invalidFileFormat:
            // From finalize() the tag matched but the ciphertext cannot be deciphered: a broken writer.
            return fail(notAContainer,
                        finalizing ? QStringLiteral("'%1' is a damaged container: its contents "
                                                    "cannot be deciphered")
                                         .arg(inputPath)
                                   : QStringLiteral("'%1' is not an encrypted container").arg(inputPath));
        case tessaline::CryptorError::Code::truncatedFile:
            return fail(notAContainer,
                        QStringLiteral("'%1' is not an encrypted container: it is too short").arg(inputPath));
        case tessaline::CryptorError::Code::invalidHMAC:
            break;
        }
        return fail(
            authenticationFailed,
            QStringLiteral("cannot open '%1': wrong passphrase, or the container is damaged or truncated")
                .arg(inputPath));
    }
    return success;
}

int ContainerTool::usage(const QString& problem)
{
    std::fprintf(m_errors, "containertool: %s\n\n%s", problem.toLocal8Bit().constData(), usageText);
    return usageError;
}

int ContainerTool::fail(int code, const QString& message)
{
    std::fprintf(m_errors, "containertool: %s\n", message.toLocal8Bit().constData());
    return code;
}

int ContainerTool::cannotRead(const QString& path, const QFileDevice& file)
{
    return fail(fileError, QStringLiteral("cannot read '%1': %2").arg(path, file.errorString()));
}

int ContainerTool::cannotWrite(const QString& path, const QFileDevice& file)
{
    return fail(fileError, QStringLiteral("cannot write '%1': %2").arg(path, file.errorString()));
}

int ContainerTool::refuseOutput(const QString& path, const QString& reason)
{
    return fail(fileError, QStringLiteral("will not write '%1': %2").arg(path, reason));
}
