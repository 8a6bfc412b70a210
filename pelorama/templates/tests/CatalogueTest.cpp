#include "TestStore.h"
#include "templates/DisplaySizes.h"
#include "templates/TemplateCategory.h"

#include <gtest/gtest.h>
#include <set>

using namespace pelorama::templates;

namespace {

QStringList names(const std::vector<std::unique_ptr<Template>>& templates)
{
    QStringList result;
    for (const std::unique_ptr<Template>& item : templates)
        result.append(item->name());
    return result;
}

// The layouts of a category, as its first group shows them.
std::vector<TemplateLayout> layoutsOf(const TemplateCategory& category)
{
    std::vector<TemplateLayout> result;
    for (const std::unique_ptr<Template>& item : category.templateGroups()[0].templates())
        result.push_back(item->layout());
    return result;
}

} // namespace

// The picker lists these categories, a group per theme in each, and these layouts in each group; a
// layout's size is the canvas size of the screenshots it builds.
TEST(Catalogue, HoldsTheBuiltInLayoutsOfEachCategoryInOrder)
{
    const graphics::Size iPhone{1242, 2208}, iPadPortrait{2048, 2732}, iPadLandscape{2732, 2048},
        mac{2880, 1800};
    const struct
    {
        const char* category;
        std::vector<std::pair<const char*, graphics::Size>> layouts;
    } categories[] = {
        {"iPhone",
         {{"Text Above", iPhone},
          {"Text Below", iPhone},
          {"Text Above, full device", iPhone},
          {"Staggered", iPhone},
          {"Side By Side", iPhone},
          {"Plain Screenshot Text Above", iPhone},
          {"Plain Screenshot Text Below", iPhone}}},
        {"iPad",
         {{"Landscape Text Above", iPadLandscape},
          {"Landscape Text Below", iPadLandscape},
          {"Portrait Text Above", iPadPortrait},
          {"Portrait Text Below", iPadPortrait},
          {"Two Screenshots", iPadLandscape}}},
        {"Mac",
         {{"Text Above Window", mac},
          {"Text Below Window", mac},
          {"Text Right Of Window", mac},
          {"Text Left Of Window", mac},
          {"iMac Left", mac},
          {"iMac Right", mac},
          {"Text Above iMac", mac},
          {"MacBook Left", mac},
          {"MacBook Right", mac},
          {"Text Above MacBook", mac}}},
    };
    const QStringList themes{"Ocean", "Industrial", "White", "Professional", "Summer", "Vivid"};

    EXPECT_EQ(&TemplateCategory::iPhone(), &TemplateCategory::all()[0]);
    EXPECT_EQ(&TemplateCategory::iPad(), &TemplateCategory::all()[1]);
    EXPECT_EQ(&TemplateCategory::mac(), &TemplateCategory::all()[2]);
    ASSERT_EQ(TemplateCategory::all().size(), std::size(categories));
    for (std::size_t index = 0; index < std::size(categories); ++index) {
        const TemplateCategory& category = TemplateCategory::all()[index];
        const auto& expected = categories[index];
        SCOPED_TRACE(expected.category);
        EXPECT_EQ(category.name(), QLatin1String(expected.category));
        QStringList groups;
        for (const TemplateGroup& group : category.templateGroups()) {
            groups.append(group.name());
            const auto& templates = group.templates();
            ASSERT_EQ(templates.size(), expected.layouts.size()) << group.name().toStdString();
            for (std::size_t row = 0; row < templates.size(); ++row) {
                EXPECT_EQ(templates[row]->name(), QLatin1String(expected.layouts[row].first));
                EXPECT_EQ(templates[row]->size(), expected.layouts[row].second)
                    << expected.layouts[row].first;
            }
        }
        EXPECT_EQ(groups, themes);
    }
}

TEST(Catalogue, TemplatesAreDistinctObjectsBoundToTheirGroupsThemeWithoutPreviews)
{
    std::set<const Template*> seen;
    for (const TemplateCategory& category : TemplateCategory::all()) {
        for (const TemplateGroup& group : category.templateGroups()) {
            for (const std::unique_ptr<Template>& item : group.templates()) {
                EXPECT_TRUE(seen.insert(item.get()).second);
                EXPECT_EQ(item->theme().name, group.name());
                EXPECT_EQ(item->layout().category, category.name());
            }
        }
    }
    EXPECT_EQ(seen.size(), 132u);
    // Freshly made groups have no previews, whatever a run of the renderer did to the catalogue's.
    const std::vector<TemplateGroup> groups =
        TemplateCategory::makeThemeGroups(layoutsOf(TemplateCategory::iPhone()), Theme::all());
    for (const TemplateGroup& group : groups) {
        for (const std::unique_ptr<Template>& item : group.templates())
            EXPECT_FALSE(item->previewImage().has_value());
    }
}

TEST(Catalogue, ACatalogueOfGivenThemesHasTheBuiltInLayoutsInAGroupPerTheme)
{
    Theme first;
    first.name = "First";
    Theme second;
    second.name = "Second";
    second.fontFamily = "AvenirNext-Regular";
    const std::vector<TemplateCategory> catalogue = TemplateCategory::makeCatalogue({first, second});
    ASSERT_EQ(catalogue.size(), TemplateCategory::all().size());
    for (size_t index = 0; index < catalogue.size(); ++index) {
        const TemplateCategory& builtIn = TemplateCategory::all()[index];
        EXPECT_EQ(catalogue[index].name(), builtIn.name());
        const std::vector<TemplateGroup>& groups = catalogue[index].templateGroups();
        ASSERT_EQ(groups.size(), 2u);
        EXPECT_EQ(groups[0].name(), "First");
        EXPECT_EQ(groups[1].name(), "Second");
        const auto& layouts = builtIn.templateGroups()[0].templates();
        for (const TemplateGroup& group : groups) {
            EXPECT_EQ(names(group.templates()), names(layouts));
            for (const std::unique_ptr<Template>& item : group.templates())
                EXPECT_EQ(item->theme().name, group.name());
        }
    }
    EXPECT_TRUE(TemplateCategory::makeThemeGroups(layoutsOf(TemplateCategory::mac()), {}).empty());
}

TEST(CatalogueDeathTest, ACatalogueWithoutThemesStopsTheProcess)
{
    EXPECT_DEATH(TemplateCategory::makeCatalogue({}), "needs at least one theme");
}

TEST(Catalogue, APreviewImageIsAnnouncedAndReadAsAValue)
{
    Template item({.name = "Plain", .size = DisplaySizes::mac}, Theme());
    int announcements = 0;
    QObject::connect(&item, &Template::previewImageChanged, [&] { ++announcements; });
    EXPECT_FALSE(item.property("previewImage").isValid());
    const graphics::Image picture(QImage(4, 2, QImage::Format_ARGB32_Premultiplied));
    item.setPreviewImage(picture);
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(item.previewImage(), picture);
    EXPECT_EQ(item.property("previewImage").value<graphics::Image>(), picture);
}
