#pragma once

#include <QByteArray>

// The layout of the encrypted container, shared by its writer and its reader:
//   magic (4) | encryption salt (8) | authentication salt (8) | IV (16) | ciphertext (n) | tag (32)
// The tag is HMAC-SHA256 over everything before it. No length fields: the tag is always the last 32 bytes.
namespace tessaline::containerformat {

constexpr qsizetype magicSize = 4;
constexpr qsizetype saltSize = 8;
constexpr qsizetype ivSize = 16;
constexpr qsizetype headerSize = magicSize + 2 * saltSize + ivSize;
constexpr qsizetype tagSize = 32;

constexpr qsizetype encryptionSaltOffset = magicSize;
constexpr qsizetype authenticationSaltOffset = encryptionSaltOffset + saltSize;
constexpr qsizetype ivOffset = authenticationSaltOffset + saltSize;

// The bytes 3A 2D 29 00.
const QByteArray& magic();

// Compares the computed tag (trusted, never empty) with the stored one (untrusted). Visits every byte of
// the untrusted value with no early exit, so its work depends only on the untrusted length.
bool isEqualComparingAllBytes(const QByteArray& trusted, const QByteArray& untrusted);

} // namespace tessaline::containerformat
