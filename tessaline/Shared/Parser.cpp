#include "tessaline/Shared/Parser.h"

#include "foundation/Fatal.h"

#include <QRegularExpression>

namespace tessaline {
namespace {

// The matcher finds nothing at all in text holding an unpaired surrogate, so it searches a copy in which
// each one stands as U+FFFD; the copy has the same length, so its offsets are the text's.
QString matchableText(const QString& text)
{
    QString matchable = text;
    for (qsizetype i = 0; i < matchable.size(); ++i) {
        if (matchable[i].isHighSurrogate() && i + 1 < matchable.size() && matchable[i + 1].isLowSurrogate())
            ++i;
        else if (matchable[i].isSurrogate())
            matchable[i] = QChar::ReplacementCharacter;
    }
    return matchable;
}

} // namespace

void Parser::process(graphics::AttributedString& attributedString, const MarkupParser& parser) const
{
    // "(*ANY)" makes every Unicode line terminator (CR, LF, CRLF, VT, FF, NEL, LS, PS) one that "." does
    // not match.
    const QRegularExpression expression(QStringLiteral("(*ANY)") + regex());
    if (!expression.isValid())
        foundation::fatal(
            QStringLiteral("Invalid markup pattern \"%1\": %2").arg(regex(), expression.errorString()));

    // Every match, range and group text refers to the text as it was before this pass. The result is built
    // anew, a piece at a time, rather than by replacing each span in place: replacing moves all the text
    // after it, so a text of many spans took time growing with the square of its length.
    const QString text = matchableText(attributedString.string());
    const int keptGroup = principalCaptureGroup() + 1;
    graphics::AttributedString result;
    bool matched = false;
    int done = 0;
    QRegularExpressionMatchIterator matches = expression.globalMatch(text);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const int matchStart = int(match.capturedStart(0));
        const int keptStart = int(match.capturedStart(keptGroup));
        const int keptLength = int(match.capturedLength(keptGroup));

        QStringList groups;
        for (int group = 1; group <= expression.captureCount(); ++group)
            groups.append(match.captured(group));
        graphics::AttributedString kept = attributedString.substring(keptStart, keptLength);
        kept.addAttributes(provideAttributes(groups, parser), 0, keptLength);

        result.append(attributedString.substring(done, matchStart - done));
        result.append(kept);
        done = int(match.capturedEnd(0));
        matched = true;
    }
    if (!matched)
        return;
    result.append(attributedString.substring(done, attributedString.length() - done));
    attributedString = std::move(result);
}

} // namespace tessaline
