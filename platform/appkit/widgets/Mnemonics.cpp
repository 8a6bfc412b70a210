#include "appkit/widgets/Mnemonics.h"

namespace appkit::Mnemonics {

QChar of(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i; // "&&" is the character itself
    }
    return {};
}

QString marked(const QString& name, QSet<QChar>& taken)
{
    // Keys every keyboard types first, then the name's own letters.
    const auto free = [&](QChar c, bool ascii) {
        return c.isLetterOrNumber() && (!ascii || c.unicode() < 0x80) && !taken.contains(c.toLower());
    };
    qsizetype at = -1;
    for (const bool ascii : {true, false}) {
        for (qsizetype i = 0; at < 0 && i < name.size(); ++i) {
            if (free(name[i], ascii))
                at = i;
        }
    }
    QString text;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (i == at) {
            taken.insert(name[i].toLower());
            text.append(u'&');
        }
        text.append(name[i]);
        if (name[i] == u'&')
            text.append(u'&');
    }
    return text;
}

} // namespace appkit::Mnemonics
