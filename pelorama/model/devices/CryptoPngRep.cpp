#include "model/devices/CryptoPngRep.h"

#include "foundation/Fatal.h"
#include "graphics/ImageDecoderRegistry.h"
#include "tessaline/Shared/CryptorError.h"
#include "tessaline/Shared/Decryptor.h"

#include <QImage>
#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <mutex>

namespace pelorama::model {
namespace {

// The passphrase's UTF-8 bytes in Base64, written backwards. Changing it changes the passphrase the build
// seals the frames with, so the frames follow on the next build.
const char* storedText()
{
    static const char* const text = "qAiLkVGI1IDMyACLzVWbhJnZgU2YpZXZkBib39GIzRXagM3dhJHZgEWbhJ3bsVGU";
    return text;
}

} // namespace

bool CryptoPngRep::canInitWithData(const QByteArray& data)
{
    return data.size() >= 4 && qFromLittleEndian<quint32>(data.constData()) == magic();
}

QStringList CryptoPngRep::imageUnfilteredTypes()
{
    return {QStringLiteral("public.ccc")};
}

QStringList CryptoPngRep::imageUnfilteredFileTypes()
{
    return {QStringLiteral("ccc")};
}

std::optional<graphics::BitmapImageRep> CryptoPngRep::fromData(const QByteArray& data)
{
    if (!canInitWithData(data))
        return std::nullopt;
    return fromData(data, passphrase());
}

std::optional<graphics::BitmapImageRep> CryptoPngRep::fromData(const QByteArray& data,
                                                               const QString& passphrase)
{
    if (!canInitWithData(data))
        return std::nullopt;
    QByteArray plaintext;
    try {
        plaintext = tessaline::Decryptor::decrypt(data, passphrase);
    } catch (const tessaline::CryptorError&) {
        // A frame that does not open is a frame that is not there; the caller sees no picture.
        return std::nullopt;
    }
    const QImage pixels = QImage::fromData(plaintext);
    if (pixels.isNull())
        return std::nullopt;
    return graphics::BitmapImageRep(pixels);
}

QString CryptoPngRep::passphrase()
{
    QByteArray reversed(storedText());
    std::reverse(reversed.begin(), reversed.end());
    const QByteArray::FromBase64Result bytes =
        QByteArray::fromBase64Encoding(reversed, QByteArray::AbortOnBase64DecodingErrors);
    if (!bytes)
        foundation::fatal(QStringLiteral("The stored frame passphrase is not Base64"));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(*bytes);
    if (utf8.hasError())
        foundation::fatal(QStringLiteral("The stored frame passphrase is not UTF-8 text"));
    return text;
}

graphics::ImageDecoder CryptoPngRep::decoder()
{
    return {QStringLiteral("ccc"), imageUnfilteredFileTypes(), &canInitWithData, [](const QByteArray& data) {
                return fromData(data);
            }};
}

void CryptoPngRep::registerDecoder()
{
    static std::once_flag registered;
    std::call_once(registered, [] { graphics::ImageDecoderRegistry::registerDecoder(decoder()); });
}

} // namespace pelorama::model
