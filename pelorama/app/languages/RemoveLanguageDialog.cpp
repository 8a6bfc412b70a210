#include "app/languages/RemoveLanguageDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelorama::app {

RemoveLanguageDialog::RemoveLanguageDialog(const QStringList& codes, const QStringList& names,
                                           const QString& chosen, QWidget* parent)
    : QDialog(parent)
    , m_languages(new QComboBox(this))
{
    setWindowTitle(tr("Remove Language"));
    for (qsizetype i = 0; i < codes.size(); ++i)
        m_languages->addItem(QStringLiteral("%1 (%2)").arg(names.value(i), codes[i]), codes[i]);
    m_languages->setCurrentIndex(std::max(0, m_languages->findData(chosen)));

    auto* explanation = new QLabel(
        tr("The captions’ texts in the language are removed with it. Their base texts stay."), this);
    explanation->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    m_remove = buttons->addButton(tr("Remove"), QDialogButtonBox::DestructiveRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    m_remove->setDefault(true);
    connect(m_remove, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Which language do you want to remove?"), this));
    layout->addWidget(m_languages);
    layout->addWidget(explanation);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

QString RemoveLanguageDialog::chosenCode() const
{
    return m_languages->currentData().toString();
}

} // namespace pelorama::app
