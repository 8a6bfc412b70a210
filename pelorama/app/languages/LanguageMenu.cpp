#include "app/languages/LanguageMenu.h"

#include "app/languages/LanguageChoice.h"
#include "app/languages/LanguageNames.h"
#include "appkit/widgets/Mnemonics.h"

#include <QActionGroup>
#include <QSet>
#include <algorithm>

namespace pelorama::app {

LanguageMenu::LanguageMenu(LanguageChoice& choice, QList<QAction*> commands, QWidget* parent)
    : QMenu(tr("&Language"), parent)
    , m_choice(choice)
    , m_commands(std::move(commands))
    , m_items(new QActionGroup(this))
{
    setObjectName(QStringLiteral("languageMenu"));
    menuAction()->setObjectName(QStringLiteral("language"));
    connect(&choice, &LanguageChoice::languagesChanged, this, &LanguageMenu::rebuild);
    connect(&choice, &LanguageChoice::currentChanged, this, &LanguageMenu::showCurrent);
    rebuild();
}

QAction* LanguageMenu::languageItem(const QString& code) const
{
    const QList<QAction*> items = m_items->actions();
    const auto found = std::find_if(items.begin(), items.end(),
                                    [&](const QAction* item) { return item->data().toString() == code; });
    return found == items.end() ? nullptr : *found;
}

void LanguageMenu::rebuild()
{
    clear();
    // A rebuild may follow from an item's own trigger.
    for (QAction* item : m_items->actions()) {
        m_items->removeAction(item);
        item->deleteLater();
    }
    const QStringList codes = m_choice.languages().codes;
    m_names = LanguageNames::menuNames(codes);
    if (m_choice.languages().hasTranslations()) {
        // The languages take the letters the commands leave; the base says so beside its name.
        QSet<QChar> taken;
        for (const QAction* command : m_commands)
            taken.insert(appkit::Mnemonics::of(command->text()));
        for (qsizetype i = 0; i < codes.size(); ++i) {
            QString text = appkit::Mnemonics::marked(m_names[i], taken);
            if (codes[i] == m_choice.languages().base)
                text += tr("\tBase");
            QAction* item = m_items->addAction(text);
            item->setData(codes[i]);
            item->setCheckable(true);
            connect(item, &QAction::triggered, this, [this, code = codes[i]] { m_choice.choose(code); });
            addAction(item);
        }
        addSeparator();
        addActions(m_commands);
    } else if (!m_commands.isEmpty()) {
        addAction(m_commands.front());
    }
    showCurrent();
}

void LanguageMenu::showCurrent()
{
    const QStringList codes = m_choice.languages().codes;
    const QString current = m_choice.current();
    for (QAction* item : m_items->actions())
        item->setChecked(item->data().toString() == current);
    menuAction()->setIconText(m_names.value(codes.indexOf(current), current));
    menuAction()->setToolTip(tr("Captions shown in %1").arg(menuAction()->iconText()));
}

} // namespace pelorama::app
