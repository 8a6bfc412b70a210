#pragma once

#include "crypto/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <memory>

namespace crypto {

// HMAC-SHA256 computed incrementally: create with a key of any length, update any number of times,
// finish once.
class Hmac
{
public:
    static constexpr qsizetype size = 32;

    static Result<Hmac> create(QByteArrayView key);

    Hmac(Hmac&&) noexcept;
    Hmac& operator=(Hmac&&) noexcept;
    ~Hmac();

    Status update(QByteArrayView data);
    // The size-byte tag of everything given to update().
    Result<QByteArray> finish();

private:
    struct Context;
    struct ContextDeleter
    {
        void operator()(Context* context) const;
    };

    explicit Hmac(std::unique_ptr<Context, ContextDeleter> context);

    std::unique_ptr<Context, ContextDeleter> m_context;
};

} // namespace crypto
