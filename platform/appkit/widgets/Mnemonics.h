#pragma once

#include <QSet>
#include <QString>

// Mnemonics of menu items whose texts are not the program's own (file names, language names): each is
// given a letter or digit that no other item of its menu takes, where one is left.
namespace appkit::Mnemonics {

// The mnemonic of a menu item's text ("&Open…" has "o"), lower-cased; none without one.
QChar of(const QString& text);

// name as a menu item's text: its "&" kept as text, and the first of its ASCII letters and digits (keys
// any keyboard types) that taken lacks, else the first of its other letters that taken lacks, marked as
// its mnemonic and added to taken. Without such a letter the name has no mnemonic.
QString marked(const QString& name, QSet<QChar>& taken);

} // namespace appkit::Mnemonics
