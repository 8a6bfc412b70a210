// A number a document holds stays as it is on every road a copy takes: key-value coding, the inspector,
// copy and paste, duplicate. Only drawing bounds what it does with one.
#include "TestDocument.h"
#include "document/EditActions.h"
#include "document/PasteboardArchive.h"
#include "document/PasteboardSerialization.h"
#include "ledgerline/core/PropertyCollection.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Entity.h"
#include "store/EntityDescription.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <limits>

using namespace pelorama;

namespace {

// Values far from what the inspector and the templates make, none within the ranges the document once
// read numbers into: each is what a program following the document's rules may have stored.
struct StoredNumber
{
    const char* entity;
    const char* key;
    double value;
    const char* row; // the inspector row that shows it
};

const StoredNumber storedNumbers[] = {
    {"TextRect", "shadowDepth", 12, "Depth"},
    {"Image", "shadowDepth", -3, "Depth"},
    {"DeviceImage", "shadowDepth", 1e300, "Depth"},
    {"DeviceImage", "scaleFactor", 25, "Scale factor"},
    {"DeviceImage", "scaleFactor", -0.5, "Scale factor"},
    {"Image", "shadowBlurRadius", 150, "Blur radius"},
    {"TextRect", "shadowBlurRadius", -4, "Blur radius"},
    {"TextRect", "shadowDistance", 1e15, "Distance"},
    {"Image", "shadowAngle", -30, "Angle"},
    {"DeviceImage", "shadowAngle", 725, "Angle"},
    {"Image", "shadowDistance", std::numeric_limits<double>::infinity(), "Distance"},
};

model::Entity* drawableOf(model::Screenshot& screenshot, const QString& entity)
{
    for (model::DrawableMapping* mapping : screenshot.drawableMappings()) {
        auto* drawable = dynamic_cast<model::Entity*>(mapping->drawable());
        if (drawable && drawable->entity().name() == entity)
            return drawable;
    }
    return nullptr;
}

// The dictionary of the first drawable of entity in a screenshot's pasteboard dictionary.
QVariantMap drawableDictionaryOf(const QVariantMap& screenshot, const QString& entity)
{
    for (const QVariant& mapping : screenshot.value("drawableMappings").toList()) {
        const QVariantMap fields = mapping.toMap();
        if (fields.value("drawableType") == entity)
            return fields.value(document::pasteboardExtrasKey).toMap().value("drawable").toMap();
    }
    return {};
}

QVariant shownIn(model::Entity& entity, const QString& rowName)
{
    const auto collection = entity.makePropertyCollection();
    for (const auto& group : collection->groups()) {
        for (const auto& property : group->properties()) {
            if (property->name() == rowName)
                return property->value();
        }
    }
    return {};
}

std::string describe(const StoredNumber& test)
{
    return std::string(test.entity) + "." + test.key + " = " + std::to_string(test.value);
}

} // namespace

TEST(StoredValues, ANumberStaysAsStoredThroughKeyValueCodingTheInspectorCopyPasteAndDuplicate)
{
    for (const StoredNumber& test : storedNumbers) {
        SCOPED_TRACE(describe(test));
        QGuiApplication::clipboard()->clear();
        TestDocument document;
        document::EditActions actions{document.context(), document};
        model::Screenshot& source = document.addFilledScreenshot("Stored", 0);
        model::Entity* drawable = drawableOf(source, test.entity);
        ASSERT_NE(drawable, nullptr);
        const QVariant value(test.value);

        // As a store written elsewhere holds it, and as key-value coding (the inspector's binding) writes it.
        drawable->storeValue(value, test.key);
        EXPECT_EQ(drawable->valueForKey(test.key), value);
        EXPECT_EQ(shownIn(*drawable, test.row), value);
        drawable->setValueForKey(QVariant(0.5), test.key);
        drawable->setValueForKey(value, test.key);
        EXPECT_EQ(drawable->primitiveValue(test.key), value);

        // The copy carries the value as the store holds it; a paste and a duplicate store it so.
        const QVariantMap copied = document::pasteboardDictionary(source);
        const QVariantMap copiedDrawable = drawableDictionaryOf(copied, test.entity);
        EXPECT_EQ(copiedDrawable.value(test.key), value);
        EXPECT_EQ(actions.paste({*document::PasteboardArchive::archivedData(copied)}), std::nullopt);
        document.selectScreenshot(source);
        EXPECT_EQ(actions.duplicateSelection(), std::nullopt);

        const QList<model::Screenshot*> screenshots = document.arrangedScreenshots();
        ASSERT_EQ(screenshots.size(), 3);
        for (model::Screenshot* copy : screenshots) {
            model::Entity* copiedEntity = drawableOf(*copy, test.entity);
            ASSERT_NE(copiedEntity, nullptr);
            EXPECT_EQ(copiedEntity->primitiveValue(test.key), value) << copy->name().toStdString();
            EXPECT_EQ(copiedEntity->valueForKey(test.key), value) << copy->name().toStdString();
        }
    }
}
