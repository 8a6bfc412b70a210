#pragma once

#include "model/entities/Entity.h"
#include "model/entities/EntityClass.h"
#include "model/entities/LanguageRole.h"
#include "store/StoreForward.h"

namespace pelorama::model {

// One language of a document: its BCP 47 code (LanguageCode), its place in the document's list of
// languages and whether it is the base language. A document without any has one language, its base
// (DocumentLanguages); the first language added writes the base too. Edit them only through the
// operations of LanguageEditing, which keep the captions' texts in step.
//
// Keys: "code", "order", "role" (the LanguageRole raw value).
class Language : public Entity, public EntityClass<Language>
{
    Q_OBJECT

public:
    Language();

    static const AttributeTable& attributes();

    static constexpr Attribute<QString> codeAttribute{u"code"};
    static constexpr Attribute<double> orderAttribute{u"order"};
    static constexpr Attribute<LanguageRole> roleAttribute{u"role"};

    QString code() const { return value(codeAttribute); }
    void setCode(const QString& code) { setValue(codeAttribute, code); }
    double order() const { return value(orderAttribute); }
    void setOrder(double order) { setValue(orderAttribute, order); }
    LanguageRole role() const { return value(roleAttribute); }
    void setRole(LanguageRole role) { setValue(roleAttribute, role); }
};

} // namespace pelorama::model
