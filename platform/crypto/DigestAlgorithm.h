#pragma once

namespace crypto {

enum class DigestAlgorithm
{
    md5,
    sha1,
    sha224,
    sha256,
    sha384,
    sha512,
};

} // namespace crypto
