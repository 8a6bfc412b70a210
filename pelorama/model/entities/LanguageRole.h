#pragma once

#include <QtGlobal>

namespace pelorama::model {

// What a language is to its document: one of the languages its captions are translated into, or the
// base language, whose texts are the captions' own "text" and show wherever a translation is missing.
// Stored as the raw value; a missing or unknown one reads as a translation.
enum class LanguageRole : qint64
{
    translation = 0,
    base = 1,
};

constexpr qint64 caseCount(LanguageRole)
{
    return 2;
}

} // namespace pelorama::model
