// The inspector's groups of each entity, as the user finds them: their names, their order and their
// rows, and for a screenshot which of them its background type shows.
#include "DocumentStack.h"
#include "ledgerline/core/PropertyCollection.h"
#include "model/entities/Gradient.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"
#include "model/entities/TextRect.h"

#include <functional>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

struct Group
{
    QString name;
    QStringList rows;
    bool shown;

    friend bool operator==(const Group&, const Group&) = default;
    friend void PrintTo(const Group& group, std::ostream* stream)
    {
        *stream << group.name.toStdString() << " (" << group.rows.join(", ").toStdString() << ") "
                << (group.shown ? "shown" : "hidden");
    }
};

// A group counts as shown when its first row is: the shadow group hides only rows its type does not use.
std::vector<Group> groupsOf(store::ManagedObject& entity)
{
    const auto collection = dynamic_cast<Entity&>(entity).makePropertyCollection();
    std::vector<Group> groups;
    for (const auto& group : collection->groups()) {
        QStringList rows;
        for (const auto& property : group->properties())
            rows.append(property->name());
        groups.push_back(
            {group->name(), rows, !group->properties().empty() && !group->properties()[0]->isHidden()});
    }
    return groups;
}

} // namespace

TEST(InspectorGroups, EachEntityOffersItsGroupsInOrder)
{
    auto stack = DocumentStack::inMemory();
    store::ManagedObjectContext& context = *stack.context;
    const QStringList shadowRows{"Type", "Angle", "Depth", "Distance", "Blur radius", "Color"};
    const StockGradient& first = *StockGradient::all()[0];

    const struct
    {
        const char* entity;
        std::function<store::ManagedObject*()> make;
        std::vector<Group> groups;
    } cases[] = {
        {"gradient screenshot",
         [&] { return Screenshot::insertInto(context); },
         {{"Design", {"Name", "Background"}, true},
          {"Gradients", {""}, true},
          {"Colors", {"Top", "Bottom"}, true},
          {"Background Color", {"Background"}, false}}},
        {"solid screenshot",
         [&] {
             Screenshot* screenshot = Screenshot::insertInto(context);
             screenshot->setBackgroundType(BackgroundType::solid);
             return screenshot;
         },
         {{"Design", {"Name", "Background"}, true},
          {"Gradients", {""}, false},
          {"Colors", {"Top", "Bottom"}, false},
          {"Background Color", {"Background"}, true}}},
        {"image",
         [&] { return Image::insertInto(context); },
         {{"Image", {"Resizing mode", "Image"}, true}, {"Shadow", shadowRows, true}}},
        {"caption",
         [&] { return TextRect::insertInto(context); },
         {{"Text", {"Font", "Color", "Horizontal Alignment", "Vertical Alignment", "Text"}, true},
          {"Shadow", shadowRows, true}}},
        {"gradient",
         [&] { return Gradient::insertInto(context, first.startColor(), first.endColor()); },
         {{"Gradients", {""}, true}, {"Colors", {"Top", "Bottom"}, true}}},
    };
    for (const auto& expected : cases)
        EXPECT_EQ(groupsOf(*expected.make()), expected.groups) << expected.entity;
}

// The background type shows its groups as it changes, in a collection made before.
TEST(InspectorGroups, TheBackgroundTypeShowsItsGroupsAsItChanges)
{
    auto stack = DocumentStack::inMemory();
    Screenshot* screenshot = Screenshot::insertInto(*stack.context);
    const auto collection = screenshot->makePropertyCollection();
    const auto shown = [&] {
        QStringList names;
        for (const auto& group : collection->groups()) {
            if (!group->properties()[0]->isHidden())
                names.append(group->name());
        }
        return names;
    };
    EXPECT_EQ(shown(), (QStringList{"Design", "Gradients", "Colors"}));
    screenshot->setBackgroundType(BackgroundType::solid);
    EXPECT_EQ(shown(), (QStringList{"Design", "Background Color"}));
    screenshot->setBackgroundType(BackgroundType::gradient);
    EXPECT_EQ(shown(), (QStringList{"Design", "Gradients", "Colors"}));
}
