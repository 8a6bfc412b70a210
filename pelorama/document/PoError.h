#pragma once

#include <QString>

namespace pelorama::document {

// Why a PO file could not be read or written: the file (its name, when known), the line (from 1; 0 when
// the problem belongs to no line) and what, in words for the user.
struct PoError
{
    QString fileName;
    int line = 0;
    QString message;

    // "“broken.po”, line 3: end-of-line within string", leaving out the name and the line when unknown.
    QString text() const;

    friend bool operator==(const PoError&, const PoError&) = default;
};

} // namespace pelorama::document
