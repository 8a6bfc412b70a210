#include "model/entities/Language.h"

#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/context/ContextOperations.h"
#include "store/FetchRequest.h"

namespace pelorama::model {

const AttributeTable& Language::attributes()
{
    static const AttributeTable table({
        attributeRow(codeAttribute),
        attributeRow(orderAttribute),
        attributeRow(roleAttribute, {.insertion = LanguageRole::translation}),
    });
    return table;
}

Language::Language()
    : Entity(attributes())
{}

} // namespace pelorama::model
