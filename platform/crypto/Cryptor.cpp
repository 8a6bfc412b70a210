#include "crypto/Cryptor.h"

#include "crypto/OpenSslError.h"

#include <algorithm>
#include <limits>
#include <openssl/err.h>
#include <openssl/evp.h>

namespace crypto {
namespace {

// EVP takes int lengths; larger inputs go through in slices of whole blocks.
constexpr qsizetype maximumSlice =
    (std::numeric_limits<int>::max() / 2) / Cryptor::blockSize * Cryptor::blockSize;

// Marks a failure found by our own checks, not by OpenSSL.
constexpr Status invalidArgument = 1;

} // namespace

struct Cryptor::Context
{
    EVP_CIPHER_CTX* cipher = nullptr;
};

void Cryptor::ContextDeleter::operator()(Context* context) const
{
    EVP_CIPHER_CTX_free(context->cipher);
    delete context;
}

Cryptor::Cryptor(Operation operation, std::unique_ptr<Context, ContextDeleter> context)
    : m_operation(operation)
    , m_context(std::move(context))
{}

Cryptor::Cryptor(Cryptor&&) noexcept = default;
Cryptor& Cryptor::operator=(Cryptor&&) noexcept = default;
Cryptor::~Cryptor() = default;

Result<Cryptor> Cryptor::create(Operation operation, QByteArrayView key, QByteArrayView iv)
{
    if (key.size() != keySize || iv.size() != ivSize)
        return failure(invalidArgument);
    std::unique_ptr<Context, ContextDeleter> context(new Context);
    context->cipher = EVP_CIPHER_CTX_new();
    if (context->cipher == nullptr)
        return failure(takeOpenSslError());
    const int encrypting = operation == Operation::encrypt ? 1 : 0;
    if (EVP_CipherInit_ex(context->cipher, EVP_aes_256_cbc(), nullptr,
                          reinterpret_cast<const unsigned char*>(key.data()),
                          reinterpret_cast<const unsigned char*>(iv.data()), encrypting) != 1)
        return failure(takeOpenSslError());
    // PKCS#7 padding is EVP's default; set it anyway, it is part of the format.
    EVP_CIPHER_CTX_set_padding(context->cipher, 1);
    return Cryptor(operation, std::move(context));
}

qsizetype Cryptor::outputLength(qsizetype inputLength, bool final)
{
    // An update may release the block it held back plus every whole block of the input.
    return inputLength + blockSize + (final ? blockSize : 0);
}

Result<qsizetype> Cryptor::update(QByteArrayView input, char* output, qsizetype capacity)
{
    if (capacity < outputLength(input.size(), false))
        return failure(invalidArgument);
    qsizetype written = 0;
    qsizetype offset = 0;
    do {
        const qsizetype slice = std::min(input.size() - offset, maximumSlice);
        int sliceWritten = 0;
        if (EVP_CipherUpdate(m_context->cipher, reinterpret_cast<unsigned char*>(output + written),
                             &sliceWritten, reinterpret_cast<const unsigned char*>(input.data() + offset),
                             static_cast<int>(slice)) != 1)
            return failure(takeOpenSslError());
        written += sliceWritten;
        offset += slice;
    } while (offset < input.size());
    return written;
}

Result<qsizetype> Cryptor::finish(char* output, qsizetype capacity)
{
    if (capacity < blockSize)
        return failure(invalidArgument);
    int written = 0;
    if (EVP_CipherFinal_ex(m_context->cipher, reinterpret_cast<unsigned char*>(output), &written) != 1)
        return failure(takeOpenSslError());
    return qsizetype(written);
}

Result<QByteArray> Cryptor::update(QByteArrayView input)
{
    QByteArray output(outputLength(input.size(), false), Qt::Uninitialized);
    auto written = update(input, output.data(), output.size());
    if (!written)
        return failure(written.error());
    output.truncate(written.value());
    return output;
}

Result<QByteArray> Cryptor::finish()
{
    QByteArray output(blockSize, Qt::Uninitialized);
    auto written = finish(output.data(), output.size());
    if (!written)
        return failure(written.error());
    output.truncate(written.value());
    return output;
}

} // namespace crypto
