#include "model/entities/CaptionText.h"

#include "model/entities/TextRect.h"
#include "tessaline/Shared/MarkupParser.h"

#include <QList>

namespace pelorama::model::CaptionText {

namespace {

// How often each markup delimiter stands as typed in what text shows: the spans its markup leaves open.
QList<qsizetype> openDelimiters(const QString& text)
{
    const tessaline::MarkupParser parser;
    const QString shown = parser.parse(text).string();
    QList<qsizetype> counts;
    for (const QString& opening : parser.openings())
        counts.append(shown.count(opening));
    return counts;
}

// A control character other than tab and line break.
bool isControl(QChar character)
{
    return character.unicode() < 0x20 && character != u'\n' && character != u'\t';
}

// Whether a surrogate pair begins at index.
bool isPair(const QString& text, qsizetype index)
{
    return text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
}

} // namespace

std::optional<QString> problem(const QString& text)
{
    if (text.size() > TextRect::maximumTextLength)
        return QStringLiteral("it is longer than %1 characters").arg(TextRect::maximumTextLength);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text[i];
        if (isControl(character))
            return QStringLiteral("it holds the control character U+%1")
                .arg(QString::number(character.unicode(), 16).toUpper().rightJustified(4, u'0'));
        if (isPair(text, i))
            ++i;
        else if (character.isSurrogate())
            return QStringLiteral("it holds half of a character");
    }
    return std::nullopt;
}

QString withCaptionCharacters(const QString& text)
{
    QString kept = text;
    kept.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QString result;
    result.reserve(kept.size());
    for (qsizetype i = 0; i < kept.size(); ++i) {
        if (isPair(kept, i)) {
            result.append(kept[i]).append(kept[i + 1]);
            ++i;
        } else if (!isControl(kept[i]) && !kept[i].isSurrogate()) {
            result.append(kept[i]);
        }
    }
    return result;
}

std::optional<QString> translationProblem(const QString& translation, const QString& base)
{
    if (std::optional<QString> found = problem(translation))
        return found;
    const QList<qsizetype> open = openDelimiters(translation);
    const QList<qsizetype> openInBase = openDelimiters(base);
    for (qsizetype i = 0; i < open.size(); ++i) {
        if (open[i] > openInBase[i])
            return QStringLiteral("its markup does not parse");
    }
    return std::nullopt;
}

} // namespace pelorama::model::CaptionText
