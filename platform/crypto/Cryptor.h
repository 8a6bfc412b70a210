#pragma once

#include "crypto/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <memory>

namespace crypto {

// A streaming AES-256 cipher in CBC mode with PKCS#7 padding.
//
// update() releases whole blocks only and keeps the rest for later calls. Decrypting, it also holds back
// the last complete block, since that block may end in the padding; finish() releases it without the
// padding. Encrypting, finish() adds the padding and releases the last block (1 to 16 bytes of padding,
// so a block-aligned plaintext gains a block of padding only).
class Cryptor
{
public:
    enum class Operation
    {
        encrypt,
        decrypt,
    };

    static constexpr qsizetype blockSize = 16;
    static constexpr qsizetype keySize = 32;
    static constexpr qsizetype ivSize = 16;

    // Fails for a key that is not keySize bytes or an IV that is not ivSize bytes.
    static Result<Cryptor> create(Operation operation, QByteArrayView key, QByteArrayView iv);

    Cryptor(Cryptor&&) noexcept;
    Cryptor& operator=(Cryptor&&) noexcept;
    ~Cryptor();

    Operation operation() const { return m_operation; }

    // An upper bound of the bytes update() writes for inputLength bytes; with final, also room for what
    // finish() writes afterwards.
    static qsizetype outputLength(qsizetype inputLength, bool final);

    // Writes at most capacity bytes to output and returns how many it wrote. The capacity must be at least
    // outputLength(input.size(), false).
    Result<qsizetype> update(QByteArrayView input, char* output, qsizetype capacity);
    // Writes the last block (at most blockSize bytes). Decrypting, fails when the ciphertext was no
    // multiple of the block size or its padding is invalid. The cryptor serves no further calls.
    Result<qsizetype> finish(char* output, qsizetype capacity);

    Result<QByteArray> update(QByteArrayView input);
    Result<QByteArray> finish();

private:
    struct Context;
    struct ContextDeleter
    {
        void operator()(Context* context) const;
    };

    Cryptor(Operation operation, std::unique_ptr<Context, ContextDeleter> context);

    Operation m_operation;
    std::unique_ptr<Context, ContextDeleter> m_context;
};

} // namespace crypto
