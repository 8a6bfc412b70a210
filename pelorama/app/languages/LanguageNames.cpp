#include "app/languages/LanguageNames.h"

#include <QHash>
#include <QLocale>
#include <QMap>
#include <algorithm>
#include <functional>

namespace pelorama::app::LanguageNames {

namespace {

// What a code names, as far as the locale data knows its subtags.
struct Subtags
{
    QLocale::Language language = QLocale::AnyLanguage;
    QLocale::Script script = QLocale::AnyScript;
    QLocale::Territory territory = QLocale::AnyTerritory;

    bool isKnown() const { return language != QLocale::AnyLanguage && language != QLocale::C; }
};

Subtags subtagsOf(const QString& code)
{
    const QStringList parts = code.split(QLatin1Char('-'));
    Subtags subtags;
    subtags.language = QLocale::codeToLanguage(parts.front());
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString& part = parts[i];
        const bool digits = std::all_of(part.begin(), part.end(), [](QChar c) { return c.isDigit(); });
        if (part.size() == 4 && !digits)
            subtags.script = QLocale::codeToScript(part);
        else if ((part.size() == 2 && !digits) || (part.size() == 3 && digits))
            subtags.territory = QLocale::codeToTerritory(part);
    }
    return subtags;
}

// Names stand alone in a menu or a list, so they begin as a title does in their own language.
QString titled(const QString& name, const QLocale& locale)
{
    return name.isEmpty() ? name : locale.toUpper(name.left(1)) + name.mid(1);
}

QLocale::Script defaultScript(QLocale::Language language)
{
    return QLocale(language).script();
}

// The language's name in itself that most of its regions in script share: the data names some regional
// forms on their own ("Schweizer Hochdeutsch", "American English"), which is not what the language is
// called. Empty where the data has none.
QString commonNativeName(QLocale::Language language, QLocale::Script script)
{
    if (script == QLocale::AnyScript)
        script = defaultScript(language);
    QHash<QString, int> counts;
    QString common;
    int most = 0;
    QLocale first;
    for (const QLocale& locale : QLocale::matchingLocales(language, script, QLocale::AnyTerritory)) {
        const QString name = locale.nativeLanguageName();
        if (name.isEmpty())
            continue;
        if (const int count = ++counts[name]; count > most) {
            common = name;
            most = count;
            first = locale;
        }
    }
    return titled(common, first);
}

QString nativeTerritoryName(const Subtags& subtags)
{
    const QLocale locale(subtags.language, subtags.script, subtags.territory);
    const QString name = locale.territory() == subtags.territory ? locale.nativeTerritoryName() : QString();
    return name.isEmpty() ? QLocale::territoryToString(subtags.territory) : name;
}

// The offers of one language, whose locales are locales: for each script it is written in, the language
// in that script, then its regions by English name.
QList<Offer> offersOf(QLocale::Language language, const QList<QLocale>& locales)
{
    QList<QLocale::Script> scripts;
    QHash<QLocale::Script, int> regionCounts;
    for (const QLocale& locale : locales) {
        if (!scripts.contains(locale.script()))
            scripts.append(locale.script());
        ++regionCounts[locale.script()];
    }
    const QLocale::Script usual = defaultScript(language);
    std::stable_partition(scripts.begin(), scripts.end(), [usual](QLocale::Script s) { return s == usual; });
    // A language written in more than one script across several regions names its script everywhere
    // ("zh-Hans", "zh-Hant-TW", "sr-Latn"); a script only one region writes it in names itself alone.
    const bool scriptsInUse = std::any_of(scripts.begin() + 1, scripts.end(),
                                          [&](QLocale::Script s) { return regionCounts.value(s) > 1; });
    const QString englishLanguage = QLocale::languageToString(language);
    QList<Offer> offered;
    for (QLocale::Script script : scripts) {
        const bool byScript = script != usual || scriptsInUse;
        const QString scriptName = QLocale::scriptToString(script);
        const QString code = byScript ? QStringLiteral("%1-%2").arg(QLocale::languageToCode(language),
                                                                    QLocale::scriptToCode(script))
                                      : QLocale::languageToCode(language);
        const QString english =
            byScript ? QStringLiteral("%1 (%2)").arg(englishLanguage, scriptName) : englishLanguage;
        QString native = commonNativeName(language, script);
        if (native.isEmpty())
            native = english;
        offered.append({code, native, english});
        QList<Offer> regions;
        for (const QLocale& locale : locales) {
            if (locale.script() != script || locale.territory() == QLocale::AnyTerritory)
                continue;
            const QString territory = QLocale::territoryToString(locale.territory());
            const QString nativeTerritory = locale.nativeTerritoryName();
            regions.append(
                {QStringLiteral("%1-%2").arg(code, QLocale::territoryToCode(locale.territory())),
                 QStringLiteral("%1 (%2)").arg(native,
                                               nativeTerritory.isEmpty() ? territory : nativeTerritory),
                 byScript ? QStringLiteral("%1 (%2, %3)").arg(englishLanguage, scriptName, territory)
                          : QStringLiteral("%1 (%2)").arg(englishLanguage, territory)});
        }
        std::sort(regions.begin(), regions.end(), [](const Offer& a, const Offer& b) {
            return QString::localeAwareCompare(a.englishName, b.englishName) < 0;
        });
        for (const Offer& region : regions) {
            if (std::none_of(offered.begin(), offered.end(),
                             [&](const Offer& made) { return made.code == region.code; }))
                offered.append(region);
        }
    }
    return offered;
}

} // namespace

QString nativeName(const QString& code)
{
    const Subtags subtags = subtagsOf(code);
    if (!subtags.isKnown())
        return code;
    const QString name = commonNativeName(subtags.language, subtags.script);
    return name.isEmpty() ? englishName(code) : name;
}

QString englishName(const QString& code)
{
    const Subtags subtags = subtagsOf(code);
    if (!subtags.isKnown())
        return code;
    QString language = QLocale::languageToString(subtags.language);
    if (subtags.script == QLocale::AnyScript)
        return language;
    return QStringLiteral("%1 (%2)").arg(language, QLocale::scriptToString(subtags.script));
}

QStringList menuNames(const QStringList& codes)
{
    // Many codes share a language and script, whose name is looked up once.
    QHash<QPair<int, int>, QString> commonNames;
    QStringList names;
    for (const QString& code : codes) {
        const Subtags subtags = subtagsOf(code);
        if (!subtags.isKnown()) {
            names.append(code);
            continue;
        }
        const QPair<int, int> key{int(subtags.language), int(subtags.script)};
        auto common = commonNames.constFind(key);
        if (common == commonNames.constEnd())
            common = commonNames.insert(key, commonNativeName(subtags.language, subtags.script));
        names.append(common->isEmpty() ? englishName(code) : *common);
    }
    const auto qualify = [&](const std::function<QString(const QString& code)>& qualifier) {
        QHash<QString, int> counts;
        for (const QString& name : names)
            ++counts[name];
        QStringList qualified = names;
        for (qsizetype i = 0; i < codes.size(); ++i) {
            if (counts.value(names[i]) < 2)
                continue;
            if (const QString detail = qualifier(codes[i]); !detail.isEmpty())
                qualified[i] = QStringLiteral("%1 (%2)").arg(names[i], detail);
        }
        names = qualified;
    };
    qualify([](const QString& code) {
        const Subtags subtags = subtagsOf(code);
        if (subtags.territory != QLocale::AnyTerritory)
            return nativeTerritoryName(subtags);
        if (subtags.script != QLocale::AnyScript)
            return QLocale::scriptToString(subtags.script);
        return QString();
    });
    qualify([](const QString& code) { return code; });
    return names;
}

QString noteName(const QString& code, const QStringList& codes)
{
    QString name = englishName(code);
    if (std::none_of(codes.begin(), codes.end(),
                     [&](const QString& other) { return other != code && englishName(other) == name; }))
        return name;
    const Subtags subtags = subtagsOf(code);
    const QString detail =
        subtags.territory != QLocale::AnyTerritory ? QLocale::territoryToString(subtags.territory) : code;
    if (name.endsWith(u')'))
        return QStringLiteral("%1, %2)").arg(name.chopped(1), detail);
    return QStringLiteral("%1 (%2)").arg(name, detail);
}

QList<Offer> offers()
{
    QMap<QLocale::Language, QList<QLocale>> byLanguage;
    for (const QLocale& locale :
         QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        if (locale.language() != QLocale::C)
            byLanguage[locale.language()].append(locale);
    }
    QList<QList<Offer>> languages;
    for (auto language = byLanguage.cbegin(); language != byLanguage.cend(); ++language)
        languages.append(offersOf(language.key(), *language));
    std::stable_sort(languages.begin(), languages.end(), [](const QList<Offer>& a, const QList<Offer>& b) {
        return QString::localeAwareCompare(a.front().englishName, b.front().englishName) < 0;
    });
    QList<Offer> all;
    for (const QList<Offer>& offered : languages)
        all.append(offered);
    return all;
}

} // namespace pelorama::app::LanguageNames
