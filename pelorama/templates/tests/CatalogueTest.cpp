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

const QStringList themeNames{"Ocean", "Industrial", "White", "Professional", "Summer", "Vivid"};

} // namespace

TEST(Catalogue, ListsThreeCategoriesOfSixThemeGroups)
{
    const std::vector<TemplateCategory>& categories = TemplateCategory::all();
    ASSERT_EQ(categories.size(), 3u);
    EXPECT_EQ(&categories[0], &TemplateCategory::iPhone());
    EXPECT_EQ(&categories[1], &TemplateCategory::iPad());
    EXPECT_EQ(&categories[2], &TemplateCategory::mac());
    const QStringList categoryNames{"iPhone", "iPad", "Mac"};
    const size_t layoutCounts[] = {7, 5, 10};
    size_t total = 0;
    for (size_t index = 0; index < categories.size(); ++index) {
        const TemplateCategory& category = categories[index];
        EXPECT_EQ(category.name(), categoryNames[index]);
        EXPECT_EQ(category.description(), category.name());
        QStringList groupNames;
        for (const TemplateGroup& group : category.templateGroups()) {
            groupNames.append(group.name());
            EXPECT_EQ(group.templates().size(), layoutCounts[index]);
        }
        EXPECT_EQ(groupNames, themeNames);
        EXPECT_EQ(category.templates().size(), 6 * layoutCounts[index]);
        total += category.templates().size();
    }
    EXPECT_EQ(total, 132u);
}

TEST(Catalogue, EachCategoryHasItsLayoutsInOrderAtItsSizes)
{
    const QStringList iPhone{"Text Above",
                             "Text Below",
                             "Text Above, full device",
                             "Staggered",
                             "Side By Side",
                             "Plain Screenshot Text Above",
                             "Plain Screenshot Text Below"};
    const QStringList iPad{"Landscape Text Above", "Landscape Text Below", "Portrait Text Above",
                           "Portrait Text Below", "Two Screenshots"};
    const QStringList mac{"Text Above Window",   "Text Below Window", "Text Right Of Window",
                          "Text Left Of Window", "iMac Left",         "iMac Right",
                          "Text Above iMac",     "MacBook Left",      "MacBook Right",
                          "Text Above MacBook"};
    for (const TemplateGroup& group : TemplateCategory::iPhone().templateGroups()) {
        EXPECT_EQ(names(group.templates()), iPhone);
        for (const std::unique_ptr<Template>& item : group.templates())
            EXPECT_EQ(item->size(), DisplaySizes::iPhone);
    }
    const graphics::Size iPadSizes[] = {DisplaySizes::iPadLandscape, DisplaySizes::iPadLandscape,
                                        DisplaySizes::iPadPortrait, DisplaySizes::iPadPortrait,
                                        DisplaySizes::iPadLandscape};
    for (const TemplateGroup& group : TemplateCategory::iPad().templateGroups()) {
        EXPECT_EQ(names(group.templates()), iPad);
        for (size_t index = 0; index < group.templates().size(); ++index)
            EXPECT_EQ(group.templates()[index]->size(), iPadSizes[index]);
    }
    for (const TemplateGroup& group : TemplateCategory::mac().templateGroups()) {
        EXPECT_EQ(names(group.templates()), mac);
        for (const std::unique_ptr<Template>& item : group.templates())
            EXPECT_EQ(item->size(), DisplaySizes::mac);
    }
    EXPECT_EQ(DisplaySizes::iPhone, (graphics::Size{1242, 2208}));
    EXPECT_EQ(DisplaySizes::iPadPortrait, (graphics::Size{2048, 2732}));
    EXPECT_EQ(DisplaySizes::iPadLandscape, (graphics::Size{2732, 2048}));
    EXPECT_EQ(DisplaySizes::mac, (graphics::Size{2880, 1800}));
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
