#include "document/EditActions.h"

#include "TestDocument.h"
#include "document/PasteboardArchive.h"
#include "document/PasteboardSerialization.h"
#include "document/ScreenshotPasteboard.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/TextRect.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "store/ScopedUndoGroup.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;
using document::ActionAlert;
using document::EditActions;

namespace {

QList<double> orders(const TestDocument& document)
{
    QList<double> orders;
    for (model::Screenshot* screenshot : document.arrangedScreenshots())
        orders.append(screenshot->order());
    return orders;
}

QByteArray archived(model::Screenshot& screenshot)
{
    return *document::PasteboardArchive::archivedData(document::pasteboardDictionary(screenshot));
}

// The archive of screenshot with value under key in its first drawable of entity, as a crafted clipboard
// may hold it.
QByteArray archivedWith(model::Screenshot& screenshot, const QString& entity, const QString& key,
                        const QVariant& value)
{
    QVariantMap dictionary = document::pasteboardDictionary(screenshot);
    QVariantList mappings = dictionary.value("drawableMappings").toList();
    for (QVariant& mapping : mappings) {
        QVariantMap fields = mapping.toMap();
        if (fields.value("drawableType") != entity)
            continue;
        QVariantMap extras = fields.value(document::pasteboardExtrasKey).toMap();
        QVariantMap drawable = extras.value("drawable").toMap();
        drawable.insert(key, value);
        extras.insert("drawable", drawable);
        fields.insert(document::pasteboardExtrasKey, extras);
        mapping = fields;
        break;
    }
    dictionary.insert("drawableMappings", mappings);
    return *document::PasteboardArchive::archivedData(dictionary);
}

class EditActionsTest : public testing::Test
{
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }

    // Screenshots "S0", "S1", "S2" at orders 0, 1, 2.
    void addThree()
    {
        for (int i = 0; i < 3; ++i)
            m_document.addScreenshot("S" + QString::number(i), i);
    }

    model::Screenshot& at(int index) { return *m_document.arrangedScreenshots().at(index); }

    TestDocument m_document;
    EditActions m_actions{m_document.context(), m_document};
};

} // namespace

TEST_F(EditActionsTest, ATemplateScreenshotGoesAfterTheSelectionAndTheListIsNumberedAgain)
{
    addThree();
    m_document.selectScreenshot(at(1));
    model::Screenshot& added = *model::Screenshot::insertInto(m_document.context());
    added.setName("New");

    EXPECT_EQ(m_actions.insertScreenshot(added), std::nullopt);

    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "New", "S2"}));
    EXPECT_EQ(orders(m_document), (QList<double>{0, 1, 2, 3}));
    EXPECT_EQ(m_document.selectedScreenshot(), &added);
}

// Only screenshots whose number changes are written, so that an insertion near the end of a long list
// touches few objects.
TEST_F(EditActionsTest, RenumberingWritesOnlyTheScreenshotsWhoseNumberChanges)
{
    addThree();
    ASSERT_TRUE(m_document.context().save().hasValue());
    m_document.selectScreenshot(at(1));
    EXPECT_EQ(m_actions.duplicateSelection(), std::nullopt);
    EXPECT_EQ(orders(m_document), (QList<double>{0, 1, 2, 3}));
    EXPECT_EQ(m_document.context().updatedObjects(), QList<store::ManagedObject*>{&at(3)});
}

// Every insertion (a template's screenshot, a paste, a duplicate) stands right after the selection, or
// last without one, is selected, and leaves the orders 0, 1, 2, ... in list order: also in a document
// whose stored orders are not whole numbers (as an earlier version wrote them), where a new screenshot
// must not land behind a neighbour half a step away.
TEST_F(EditActionsTest, EveryInsertionLeavesTheOrdersConsecutiveWholeNumbers)
{
    enum class Insertion
    {
        fromTemplate,
        paste,
        duplicate
    };
    struct Case
    {
        Insertion insertion;
        QList<double> stored;
        int selected; // -1: none
        QStringList names;
    };
    const QList<Case> cases{
        {Insertion::fromTemplate, {0, 1, 2}, 1, {"S0", "S1", "New", "S2"}},
        {Insertion::fromTemplate, {0, 1, 2}, -1, {"S0", "S1", "S2", "New"}},
        {Insertion::fromTemplate, {0, 0.5, 1}, 0, {"S0", "New", "S1", "S2"}},
        {Insertion::paste, {0, 1, 2}, 2, {"S0", "S1", "S2", "P"}},
        {Insertion::paste, {0, 1, 2}, -1, {"S0", "S1", "S2", "P"}},
        {Insertion::paste, {-3, 0.5, 0.75}, 1, {"S0", "S1", "P", "S2"}},
        {Insertion::duplicate, {0, 1, 2}, 0, {"S0", "S0 2", "S1", "S2"}},
        {Insertion::duplicate, {0, 0.5, 1}, 1, {"S0", "S1", "S1 2", "S2"}},
        {Insertion::duplicate, {10, 20, 30}, 2, {"S0", "S1", "S2", "S2 2"}},
    };
    TestDocument source;
    const QByteArray pasted = archived(source.addScreenshot("P", 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names.join(' ').toStdString());
        TestDocument document;
        EditActions actions(document.context(), document);
        for (qsizetype i = 0; i < c.stored.size(); ++i)
            document.addScreenshot("S" + QString::number(i), c.stored[i]);
        if (c.selected >= 0)
            document.selectScreenshot(*document.arrangedScreenshots().at(c.selected));

        switch (c.insertion) {
        case Insertion::fromTemplate: {
            model::Screenshot& added = *model::Screenshot::insertInto(document.context());
            added.setName("New");
            ASSERT_EQ(actions.insertScreenshot(added), std::nullopt);
            break;
        }
        case Insertion::paste:
            ASSERT_EQ(actions.paste({pasted}), std::nullopt);
            break;
        case Insertion::duplicate:
            ASSERT_EQ(actions.duplicateSelection(), std::nullopt);
            break;
        }

        EXPECT_EQ(document.names(), c.names);
        EXPECT_EQ(orders(document), (QList<double>{0, 1, 2, 3}));
        const qsizetype added = c.selected >= 0 ? c.selected + 1 : 3;
        EXPECT_EQ(document.selectedScreenshot(), document.arrangedScreenshots().at(added));
    }
}

TEST_F(EditActionsTest, WithoutASelectionANewScreenshotGoesLast)
{
    addThree();
    model::Screenshot& added = *model::Screenshot::insertInto(m_document.context());
    EXPECT_EQ(added.order(), 0);
    EXPECT_EQ(m_actions.insertScreenshot(added), std::nullopt);
    EXPECT_EQ(added.order(), 3);
    EXPECT_EQ(m_document.names().last(), "New Screenshot");
}

TEST_F(EditActionsTest, UndoTakesBackAPlacedScreenshotWithItsDrawablesAndRedoBringsItBackAsItWas)
{
    addThree();
    QUndoStack undo;
    m_document.context().setUndoStack(&undo);
    m_document.selectScreenshot(at(1));
    const auto pictures = [&] {
        QList<QImage> rendered;
        for (model::Screenshot* screenshot : m_document.arrangedScreenshots()) {
            rendered.append(model::DetachedCanvas(screenshot->makeCanvas())
                                .render(model::CanvasRenderingMode::exportImage, screenshot->size(), 1)
                                .representations()
                                .front()
                                .bitmap());
        }
        return rendered;
    };
    const auto drawables = [&] {
        return QList<int>{m_document.count<model::DrawableMapping>(), m_document.count<model::TextRect>(),
                          m_document.count<model::Image>(), m_document.count<model::DeviceImage>(),
                          m_document.count<model::Asset>()};
    };
    const QList<QImage> before = pictures();

    // As a template's screenshot is placed: built in the document's context, then ordered, in one step.
    {
        store::ScopedUndoGroup step(m_document.context());
        model::Screenshot& added = m_document.addFilledScreenshot("New", 0);
        EXPECT_EQ(m_actions.insertScreenshot(added), std::nullopt);
    }
    ASSERT_EQ(undo.count(), 1);
    ASSERT_EQ(m_document.names(), (QStringList{"S0", "S1", "New", "S2"}));
    const QList<QImage> after = pictures();
    EXPECT_EQ(drawables(), (QList<int>{3, 1, 1, 1, 1}));

    undo.undo();
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S2"}));
    EXPECT_EQ(orders(m_document), (QList<double>{0, 1, 2}));
    EXPECT_EQ(drawables(), (QList<int>{0, 0, 0, 0, 0}));
    EXPECT_EQ(pictures(), before);

    undo.redo();
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "New", "S2"}));
    EXPECT_EQ(orders(m_document), (QList<double>{0, 1, 2, 3}));
    EXPECT_EQ(drawables(), (QList<int>{3, 1, 1, 1, 1}));
    EXPECT_EQ(pictures(), after);
}

TEST_F(EditActionsTest, APastedCopyIsRenamedAndStandsSelectedAfterTheSelection)
{
    addThree();
    m_document.selectScreenshot(at(0));
    m_actions.copy();
    m_document.selectScreenshot(at(1));

    EXPECT_EQ(m_actions.paste(), std::nullopt);

    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S0 2", "S2"}));
    EXPECT_EQ(m_document.selectedScreenshot()->name(), "S0 2");
    EXPECT_EQ(orders(m_document), (QList<double>{0, 1, 2, 3}));
    // The clipboard is read, not consumed: a second paste raises the number.
    EXPECT_EQ(m_actions.paste(), std::nullopt);
    EXPECT_EQ(m_document.selectedScreenshot()->name(), "S0 3");
}

TEST_F(EditActionsTest, ACutScreenshotComesBackUnderItsOldName)
{
    addThree();
    m_document.selectScreenshot(at(0));
    m_actions.cut();
    EXPECT_EQ(m_document.names(), (QStringList{"S1", "S2"}));
    m_document.clearSelection();

    EXPECT_EQ(m_actions.paste(), std::nullopt);

    EXPECT_EQ(m_document.names(), (QStringList{"S1", "S2", "S0"}));
    EXPECT_EQ(m_document.selectedScreenshot()->name(), "S0");
}

TEST_F(EditActionsTest, SeveralItemsStandAfterTheBaseInReverseOrderAndTheLastIsSelected)
{
    for (int i = 0; i < 6; ++i)
        m_document.addScreenshot(QString::number(i), i);
    TestDocument other;
    QList<QByteArray> items;
    for (const char* name : {"A", "B", "C"})
        items.append(archived(other.addScreenshot(name, 0)));
    m_document.selectScreenshot(at(4));

    // The orders before numbering again are 4.5, 4.25 and 4.125.
    EXPECT_EQ(m_actions.paste(items), std::nullopt);

    EXPECT_EQ(m_document.names(), (QStringList{"0", "1", "2", "3", "4", "C", "B", "A", "5"}));
    EXPECT_EQ(m_document.selectedScreenshot()->name(), "C");
    EXPECT_EQ(orders(m_document), (QList<double>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(EditActionsTest, ADuplicateStandsRightAfterItsSourceAndSharesItsAssets)
{
    addThree();
    model::Screenshot& filled = m_document.addFilledScreenshot("Filled", 2.5);
    m_document.selectScreenshot(filled);
    auto* marker = new QMimeData;
    marker->setText("keep me");
    QGuiApplication::clipboard()->setMimeData(marker);

    EXPECT_EQ(m_actions.duplicateSelection(), std::nullopt);

    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S2", "Filled", "Filled 2"}));
    EXPECT_EQ(m_document.selectedScreenshot()->name(), "Filled 2");
    EXPECT_EQ(m_document.selectedScreenshot()->order(), 4);
    EXPECT_EQ(m_document.selectedScreenshot()->drawableMappings().size(), 3);
    EXPECT_EQ(m_document.count<model::Asset>(), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "keep me");
}

TEST_F(EditActionsTest, DuplicatingTheScreenshotAtOrderTwoGivesTwoAndAHalfThenThree)
{
    addThree();
    m_document.addScreenshot("S3", 3);
    m_document.selectScreenshot(at(2));
    auto* marker = new QMimeData;
    marker->setText("keep me");
    QGuiApplication::clipboard()->setMimeData(marker);
    EXPECT_EQ(m_actions.duplicateSelection(), std::nullopt);
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S2", "S2 2", "S3"}));
    EXPECT_EQ(m_document.selectedScreenshot()->order(), 3);
    EXPECT_EQ(orders(m_document), (QList<double>{0, 1, 2, 3, 4}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "keep me");
}

TEST_F(EditActionsTest, DeleteRemovesTheSelectionAndLeavesTheClipboard)
{
    addThree();
    m_document.selectScreenshot(at(1));
    m_actions.remove();
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S2"}));
    EXPECT_FALSE(document::ScreenshotPasteboard::hasScreenshots());
    // Without a selection the commands do nothing.
    m_document.clearSelection();
    m_actions.remove();
    m_actions.cut();
    m_actions.copy();
    EXPECT_EQ(m_actions.duplicateSelection(), std::nullopt);
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S2"}));
}

TEST_F(EditActionsTest, APasteThatFailsChangesNothingAndSaysWhy)
{
    addThree();
    m_document.selectScreenshot(at(1));
    ASSERT_TRUE(m_document.context().save().hasValue());

    const std::optional<ActionAlert> alert = m_actions.paste({QByteArray("not an archive")});

    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->messageText, "Error");
    EXPECT_TRUE(alert->informativeText.startsWith("Could not paste objects. ("));
    EXPECT_TRUE(alert->informativeText.endsWith(")"));
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S2"}));
    EXPECT_FALSE(m_document.context().hasChanges());
    EXPECT_EQ(m_document.selectedScreenshot(), &at(1));
}

// A caption's text far longer than any caption (such as text pasted into it by mistake) is refused with
// the whole screenshot, saying why; a caption as long as a paste takes arrives whole.
TEST_F(EditActionsTest, APastedCaptionLongerThanACaptionTakesIsRefusedAndSaysSo)
{
    addThree();
    m_document.selectScreenshot(at(1));
    ASSERT_TRUE(m_document.context().save().hasValue());
    TestDocument other;
    model::Screenshot& source = other.addFilledScreenshot("Long", 0);
    model::TextRect* caption = nullptr;
    for (model::DrawableMapping* mapping : source.drawableMappings()) {
        if (auto* found = dynamic_cast<model::TextRect*>(mapping->drawable()))
            caption = found;
    }
    ASSERT_NE(caption, nullptr);

    caption->setText(QString(50'000, u'x'));
    const std::optional<ActionAlert> alert = m_actions.paste({archived(source)});
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->informativeText,
              "Could not paste objects. (A Screenshot is not valid: The text of a caption "
              "is 50000 characters long; a caption takes at most 5000.)");
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S2"}));
    EXPECT_FALSE(m_document.context().hasChanges());

    const QString longest = QString(model::TextRect::maximumTextLength - 5, u'y') + QStringLiteral("**!**");
    caption->setText(longest);
    EXPECT_EQ(m_actions.paste({archived(source)}), std::nullopt);
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "Long", "S2"}));
    QStringList texts;
    for (model::DrawableMapping* mapping : at(2).drawableMappings()) {
        if (auto* pasted = dynamic_cast<model::TextRect*>(mapping->drawable()))
            texts.append(pasted->text());
    }
    EXPECT_EQ(texts, QStringList{longest});
}

// A crafted clipboard whose screenshot repeats one picture's mapping: as many as a paste takes arrive,
// all sharing the one asset, and more are refused whole, saying why.
TEST_F(EditActionsTest, AScreenshotBringingMoreDrawablesThanAPasteTakesIsRefused)
{
    addThree();
    TestDocument other;
    QVariantMap crafted = document::pasteboardDictionary(other.addFilledScreenshot("Many", 0));
    const QVariant picture = crafted.value("drawableMappings").toList().at(1);
    const auto archivedWith = [&](qsizetype mappings) {
        crafted.insert("drawableMappings", QVariantList(mappings, picture));
        return *document::PasteboardArchive::archivedData(crafted);
    };

    const std::optional<ActionAlert> alert = m_actions.paste({archivedWith(2000)});
    ASSERT_TRUE(alert.has_value());
    EXPECT_EQ(alert->informativeText,
              "Could not paste objects. (A Screenshot is not valid: “drawableMappings” "
              "holds 2000 objects; a paste takes at most 1000.)");
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S2"}));

    EXPECT_EQ(m_actions.paste({archivedWith(document::maximumPastedMembers)}), std::nullopt);
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S2", "Many"}));
    EXPECT_EQ(at(3).drawableMappings().size(), document::maximumPastedMembers);
    EXPECT_EQ(m_document.count<model::Asset>(), 1);
}

// A crafted clipboard may hold numbers far beyond what the inspector makes: they paste as they are, as a
// store holds them, and the pasted screenshot draws them within the renderer's bounds.
TEST_F(EditActionsTest, AShadowFarBeyondWhatTheInspectorMakesPastesAsItIsAndDraws)
{
    addThree();
    ASSERT_TRUE(m_document.context().save().hasValue());
    TestDocument other;
    model::Screenshot& source = other.addFilledScreenshot("Shadowed", 0);
    source.setSize({300, 200});
    struct Case
    {
        const char* entity;
        const char* key;
        double value;
        qint64 shadowType;
    };
    const Case cases[] = {
        {"TextRect", "shadowBlurRadius", 1e15, 1}, {"Image", "shadowBlurRadius", 1e9, 1},
        {"TextRect", "shadowDistance", 1e300, 1},  {"DeviceImage", "shadowDistance", -1e300, 1},
        {"DeviceImage", "shadowDepth", 1e8, 2},    {"Image", "shadowDepth", -1e10, 2},
        {"DeviceImage", "scaleFactor", 1e300, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.key);
        for (model::DrawableMapping* mapping : source.drawableMappings()) {
            if (auto* drawable = dynamic_cast<model::Entity*>(mapping->drawable()))
                drawable->storeValue(test.shadowType, "shadowType");
        }
        const qsizetype before = m_document.arrangedScreenshots().size();
        EXPECT_EQ(m_actions.paste({archivedWith(source, test.entity, test.key, test.value)}), std::nullopt);
        ASSERT_EQ(m_document.arrangedScreenshots().size(), before + 1);
        model::Screenshot* pasted = nullptr;
        for (model::Screenshot* screenshot : m_document.arrangedScreenshots()) {
            if (screenshot->name().startsWith("Shadowed"))
                pasted = screenshot;
        }
        ASSERT_NE(pasted, nullptr);
        for (model::DrawableMapping* mapping : pasted->drawableMappings()) {
            auto* drawable = dynamic_cast<model::Entity*>(mapping->drawable());
            if (drawable && mapping->drawableType() == test.entity) {
                EXPECT_EQ(drawable->primitiveValue(test.key), QVariant(test.value));
            }
        }
        const graphics::Image rendered = model::DetachedCanvas(pasted->makeCanvas())
                                             .render(model::CanvasRenderingMode::exportImage, {300, 200}, 1);
        EXPECT_FALSE(rendered.representations().empty());
        pasted->setName("Done " + QString::number(before));
    }
}

TEST_F(EditActionsTest, ABadItemBesideGoodOnesIsSkippedWhole)
{
    addThree();
    TestDocument other;
    QVariantMap bad = document::pasteboardDictionary(other.addFilledScreenshot("Bad", 0));
    bad.insert("backgroundType", 99);
    const QList<QByteArray> items{*document::PasteboardArchive::archivedData(bad),
                                  archived(other.addScreenshot("Good", 1))};

    EXPECT_EQ(m_actions.paste(items), std::nullopt);

    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S1", "S2", "Good"}));
    EXPECT_EQ(m_document.count<model::DrawableMapping>(), 0);
}
