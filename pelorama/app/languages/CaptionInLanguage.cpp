#include "app/languages/CaptionInLanguage.h"

#include "app/languages/LanguageNames.h"
#include "ledgerline/core/PropertyCollection.h"
#include "model/attributes/PropertyCollectionBuilder.h"
#include "model/attributes/WarningProperty.h"
#include "model/entities/TextRect.h"
#include "model/languages/LanguageEditing.h"
#include "tessaline/Shared/Observer.h"

#include <algorithm>

namespace pelorama::app {

namespace {

const QString textKey = QStringLiteral("text");

} // namespace

CaptionInLanguage::CaptionInLanguage(model::TextRect& caption, const QString& language,
                                     model::DocumentLanguages languages, QObject* parent)
    : QObject(parent)
    , m_caption(&caption)
    , m_language(language)
    , m_languages(std::move(languages))
    , m_baseText(&caption, textKey, foundation::KeyValueObservation::InitialValue::skip,
                 [this](const QVariant&) { emit textChanged(); })
    , m_translations(&caption, model::TextRect::translationsAttribute.key(),
                     foundation::KeyValueObservation::InitialValue::skip,
                     [this](const QVariant&) { emit textChanged(); })
{}

CaptionInLanguage::~CaptionInLanguage() = default;

QString CaptionInLanguage::text() const
{
    return m_caption ? m_caption->text(m_language) : QString();
}

void CaptionInLanguage::setText(const QString& text)
{
    if (!m_caption || m_caption->isDeleted() || text == this->text())
        return;
    m_caption->setText(text, m_language);
    // An emptied translation shows the base text, which the row, still storing what was typed, hears of
    // only once that store is over.
    if (this->text() != text)
        QMetaObject::invokeMethod(this, &CaptionInLanguage::textChanged, Qt::QueuedConnection);
}

QString CaptionInLanguage::note() const
{
    const QString shown =
        m_caption ? model::LanguageEditing::baseTextLanguage(*m_caption, m_languages) : m_languages.base;
    return QStringLiteral("Not translated: showing %1")
        .arg(LanguageNames::noteName(shown, m_languages.codes));
}

std::unique_ptr<ledgerline::PropertyCollection> CaptionInLanguage::makePropertyCollection()
{
    if (!m_caption)
        return std::make_unique<ledgerline::PropertyCollection>();
    std::unique_ptr<ledgerline::PropertyCollection> collection =
        model::PropertyCollectionBuilder(*m_caption).bindingKey(textKey, *this, textKey).build();
    for (const std::unique_ptr<ledgerline::PropertyGroup>& group : collection->groups()) {
        const auto& rows = group->properties();
        if (std::none_of(rows.begin(), rows.end(), [](const std::unique_ptr<ledgerline::Property>& row) {
                return row->valueKeyPath() == textKey;
            }))
            continue;
        // Under the text row, the last of its group.
        auto note = std::make_unique<model::WarningProperty>();
        note->setIdentifier(QStringLiteral("untranslated"));
        note->setMessage(this->note());
        model::WarningProperty& shown = group->addProperty(std::move(note));
        // Both texts tell which language the base text is in.
        for (const QString& key : {textKey, model::TextRect::translationsAttribute.key()}) {
            collection->keepObserver(std::make_unique<tessaline::Observer>(
                m_caption.data(), key, [self = QPointer<CaptionInLanguage>(this), &shown](const QVariant&) {
                    model::TextRect* caption = self ? self->caption() : nullptr;
                    shown.setHidden(!caption || caption->translations().contains(self->language()));
                    if (caption)
                        shown.setMessage(self->note());
                }));
        }
        break;
    }
    return collection;
}

} // namespace pelorama::app
