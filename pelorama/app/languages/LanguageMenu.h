#pragma once

#include <QList>
#include <QMenu>
#include <QStringList>

class QAction;
class QActionGroup;

namespace pelorama::app {

class LanguageChoice;

// The window's language menu, on its toolbar and under View: while the document has several languages,
// each by name (LanguageNames::menuNames) with the one shown checked and the base marked "Base" beside
// its name, where choosing one shows it, then
// the commands on languages; with one language, only the first command (adding one). The menu's own
// action carries the name of the language shown, which the toolbar button shows.
class LanguageMenu : public QMenu
{
    Q_OBJECT

public:
    // commands: Add Language…, then those that need several languages.
    LanguageMenu(LanguageChoice& choice, QList<QAction*> commands, QWidget* parent);

    // The item of code; none while the menu does not show it.
    QAction* languageItem(const QString& code) const;

private:
    void rebuild();
    void showCurrent();

    LanguageChoice& m_choice;
    QList<QAction*> m_commands;
    QActionGroup* m_items;
    QStringList m_names; // of the document's languages, in order
};

} // namespace pelorama::app
