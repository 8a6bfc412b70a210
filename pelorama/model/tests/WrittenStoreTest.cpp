// Stores written by earlier builds open with the data model the attribute tables make, and keep what
// they hold through saves.
#include "DocumentStack.h"
#include "DocumentState.h"
#include "graphics/Font.h"
#include "model/entities/Asset.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "store/EntityDescription.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectModel.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace pelorama::model;

namespace {

// Makes the SQLite file at path from the SQL of the resource.
void makeStore(const QString& path, const QString& resource)
{
    QFile sql(resource);
    ASSERT_TRUE(sql.open(QIODevice::ReadOnly));
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &database), SQLITE_OK);
    char* error = nullptr;
    const int result = sqlite3_exec(database, sql.readAll().constData(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(database);
    ASSERT_EQ(result, SQLITE_OK) << message;
}

QList<store::ManagedObject*> fetchAll(store::ManagedObjectContext& context, const QString& entity)
{
    const store::Result<QList<store::ManagedObject*>> found = context.execute(store::FetchRequest(entity));
    EXPECT_TRUE(found.hasValue()) << entity.toStdString();
    return found ? *found : QList<store::ManagedObject*>();
}

template <typename T> QList<T*> fetchAll(store::ManagedObjectContext& context)
{
    QList<T*> objects;
    for (store::ManagedObject* object : fetchAll(context, entityName<T>()))
        objects.append(dynamic_cast<T*>(object));
    return objects;
}

} // namespace

TEST(WrittenStores, AStoreOfEveryEntityOpensAndSavesUnchangedInMeaning)
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("persistentStore"));
    makeStore(path, QStringLiteral(":/stores/EveryEntity.sql"));

    DocumentState opened;
    DocumentLanguages languages;
    {
        DocumentStack stack = DocumentStack::sqlite(path);
        store::ManagedObjectContext& context = *stack.context;
        opened = DocumentState::of(context);
        languages = DocumentLanguages::of(context);
        EXPECT_EQ(languages, (DocumentLanguages{{"en-US", "de-DE"}, "en-US"}));
        const QList<TextRect*> captions = fetchAll<TextRect>(context);
        ASSERT_EQ(captions.size(), 1);
        EXPECT_EQ(captions[0]->text(), "Plan **every** trip");
        EXPECT_EQ(captions[0]->text("de-DE"), "Plane **jede** Reise");
        EXPECT_EQ(captions[0]->font(), graphics::Font("HelveticaNeue-Thin", 96));
        EXPECT_EQ(captions[0]->shadowType(), ShadowType::drop);
        EXPECT_EQ(fetchAll<Asset>(context).size(), 2);
        EXPECT_EQ(opened.pictures.size(), 2);

        // Every stored value of every object is saved away and back, so each row is written anew.
        QList<std::tuple<store::ManagedObject*, QString, QVariant>> stored;
        for (const store::EntityDescription* entity : documentModel()->entities()) {
            for (store::ManagedObject* object : fetchAll(context, entity->name())) {
                for (const store::AttributeDescription& attribute : entity->attributes()) {
                    if (!attribute.isTransient)
                        stored.append({object, attribute.name, object->primitiveValue(attribute.name)});
                }
            }
        }
        for (const auto& [object, key, value] : stored)
            object->store::ManagedObject::setValueForKey(QVariant(), key);
        ASSERT_TRUE(context.save());
        for (const auto& [object, key, value] : stored)
            object->store::ManagedObject::setValueForKey(value, key);
        ASSERT_TRUE(context.save());
    }
    DocumentStack reopened = DocumentStack::sqlite(path);
    EXPECT_TRUE(sameState(opened, DocumentState::of(*reopened.context)));
    EXPECT_EQ(DocumentLanguages::of(*reopened.context), languages);
}
