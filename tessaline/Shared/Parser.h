#pragma once

#include "graphics/AttributedString.h"
#include "graphics/TextAttributes.h"
#include "tessaline/Shared/TessalineExport.h"

#include <QString>
#include <QStringList>

namespace tessaline {

class MarkupParser;

// One rule of the inline markup: a pattern whose matches are spans, the capture group whose text stays in
// the result, and the attributes that text gets.
class TESSALINE_EXPORT Parser
{
public:
    virtual ~Parser() = default;

    // The text that opens a span of the rule as typed, the first capture group of every match ("**",
    // "{#"): where it stands in parsed text, the rule found no span to close.
    virtual QString opening() const = 0;
    // The rule's regular expression. "." matches no line terminator, so no span crosses a line break.
    virtual QString regex() const = 0;
    // 0-based index into the pattern's capture groups of the group whose text stays: capture group number
    // principalCaptureGroup() + 1.
    virtual int principalCaptureGroup() const = 0;
    // The attributes for the kept text, given the texts of all capture groups of one match, first first.
    virtual graphics::TextAttributes provideAttributes(const QStringList& groups,
                                                       const MarkupParser& parser) const = 0;

    // Applies the rule in place: every span is replaced by its kept text, which keeps the attributes earlier
    // rules gave it and gains this rule's. Offsets count UTF-16 code units.
    void process(graphics::AttributedString& attributedString, const MarkupParser& parser) const;
};

} // namespace tessaline
