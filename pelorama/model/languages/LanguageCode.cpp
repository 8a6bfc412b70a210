#include "model/languages/LanguageCode.h"

#include <QLocale>
#include <QStringList>

namespace pelorama::model::LanguageCode {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool allOf(const QString& text, bool (*test)(QChar))
{
    return std::all_of(text.begin(), text.end(), test);
}

bool isAlphanumeric(QChar c)
{
    return isAsciiLetter(c) || isAsciiDigit(c);
}

} // namespace

std::optional<QString> canonical(const QString& code)
{
    if (code.isEmpty() || code.size() > maximumLength)
        return std::nullopt;
    QStringList subtags = QString(code).replace(u'_', u'-').split(u'-');
    const QString& language = subtags.front();
    if (language.size() < 2 || language.size() > 8 || !allOf(language, isAsciiLetter))
        return std::nullopt;
    for (qsizetype i = 0; i < subtags.size(); ++i) {
        QString& subtag = subtags[i];
        if (subtag.isEmpty() || subtag.size() > 8 || !allOf(subtag, isAlphanumeric))
            return std::nullopt;
        subtag = subtag.toLower();
        if (i == 0)
            continue;
        if (subtag.size() == 4 && allOf(subtag, isAsciiLetter))
            subtag[0] = subtag[0].toUpper();
        else if (subtag.size() == 2 && allOf(subtag, isAsciiLetter))
            subtag = subtag.toUpper();
    }
    return subtags.join(u'-');
}

QString systemDefault()
{
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return QStringLiteral("en-US");
    // Qt's own tag leaves out the region where it is the language's usual one; documents name it.
    QString code = QLocale::languageToCode(locale.language());
    const QStringList tag = locale.bcp47Name().split(u'-');
    if (tag.size() > 1 && tag[1].size() == 4)
        code += u'-' + tag[1];
    if (locale.territory() != QLocale::AnyTerritory)
        code += u'-' + QLocale::territoryToCode(locale.territory());
    return canonical(code).value_or(QStringLiteral("en-US"));
}

} // namespace pelorama::model::LanguageCode
