// Each edit command is one step to undo: undo brings back the document as it was before, attributes,
// drawing order, assets with their bytes and pixels alike, and redo the document as the command left it.
#include "DocumentState.h"
#include "TestDocument.h"
#include "document/EditActions.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

using namespace pelorama;
using document::EditActions;

namespace {

// A filled screenshot (a caption, an image and a device image sharing one asset) laid out so that each
// drawable shows on its own: losing either picture changes the pixels.
model::Screenshot& addPictures(TestDocument& document, const QString& name, double order)
{
    model::Screenshot& screenshot = document.addFilledScreenshot(name, order);
    screenshot.setSize({120, 80});
    for (model::DrawableMapping* mapping : screenshot.drawableMappings()) {
        if (auto* device = dynamic_cast<model::DeviceImage*>(mapping->drawable())) {
            device->setPosition({90, 40});
            device->setScaleFactor(0.04);
        }
    }
    document.context().processPendingChanges();
    return screenshot;
}

class EditActionsUndoTest : public testing::Test
{
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }

    // From here on the document records undo steps; what was made before is no step.
    void startRecording()
    {
        QCoreApplication::processEvents();
        m_document.context().setUndoStack(&m_undo);
    }

    // Gives the command as the application does, on its own pass of the event loop; it must be one step.
    // Undo, redo and undo again then each bring back the state before or after it. Answers the state
    // after the command.
    DocumentState expectUndoRoundTrip(const std::function<void()>& command)
    {
        const DocumentState before = DocumentState::of(m_document.context());
        const int steps = m_undo.index();
        command();
        QCoreApplication::processEvents();
        DocumentState after = DocumentState::of(m_document.context());
        EXPECT_FALSE(sameState(before, after)) << "the command changed nothing";
        EXPECT_EQ(m_undo.index(), steps + 1) << "one command, one step";

        m_undo.undo();
        EXPECT_TRUE(sameState(before, DocumentState::of(m_document.context()))) << "after undo";
        m_undo.redo();
        EXPECT_TRUE(sameState(after, DocumentState::of(m_document.context()))) << "after redo";
        m_undo.undo();
        EXPECT_TRUE(sameState(before, DocumentState::of(m_document.context()))) << "after the second undo";
        m_undo.redo();
        return after;
    }

    model::Screenshot& at(int index) { return *m_document.arrangedScreenshots().at(index); }

    TestDocument m_document;
    QUndoStack m_undo;
    EditActions m_actions{m_document.context(), m_document};
};

} // namespace

TEST_F(EditActionsUndoTest, APasteBringingItsPictureAndAPasteSharingOneAreEachOneStep)
{
    TestDocument other;
    EditActions otherActions(other.context(), other);
    other.selectScreenshot(addPictures(other, "Filled", 0));
    otherActions.copy();
    m_document.addScreenshot("S0", 0);
    m_document.addScreenshot("S1", 1);
    m_document.selectScreenshot(at(0));
    startRecording();

    // The picture's asset comes with the pasted screenshot, and undo takes it away again.
    expectUndoRoundTrip([&] { EXPECT_EQ(m_actions.paste(), std::nullopt); });
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "Filled", "S1"}));
    EXPECT_EQ(m_document.count<model::Asset>(), 1);

    // Pasted where the asset is already, the copy shares it.
    m_document.selectScreenshot(at(1));
    m_actions.copy();
    expectUndoRoundTrip([&] { EXPECT_EQ(m_actions.paste(), std::nullopt); });
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "Filled", "Filled 2", "S1"}));
    EXPECT_EQ(m_document.count<model::Asset>(), 1);
}

TEST_F(EditActionsUndoTest, UndoingACutBringsBackTheScreenshotWithItsPictures)
{
    m_document.addScreenshot("S0", 0);
    addPictures(m_document, "Filled", 1);
    m_document.addScreenshot("S2", 2);
    m_document.selectScreenshot(at(1));
    startRecording();

    expectUndoRoundTrip([&] { m_actions.cut(); });
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "S2"}));
    EXPECT_EQ(m_document.count<model::Asset>(), 0) << "nothing shows the picture any more";

    m_undo.undo();
    EXPECT_EQ(m_document.count<model::Asset>(), 1);
    // What was cut can still be pasted, beside the screenshot that came back.
    m_document.selectScreenshot(at(1));
    expectUndoRoundTrip([&] { EXPECT_EQ(m_actions.paste(), std::nullopt); });
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "Filled", "Filled 2", "S2"}));
}

TEST_F(EditActionsUndoTest, ADuplicateAndTheDeletionsAfterItAreEachOneStepAndKeepTheSharedAsset)
{
    m_document.addScreenshot("S0", 0);
    addPictures(m_document, "Filled", 1);
    m_document.selectScreenshot(at(1));
    startRecording();

    const DocumentState duplicated =
        expectUndoRoundTrip([&] { EXPECT_EQ(m_actions.duplicateSelection(), std::nullopt); });
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "Filled", "Filled 2"}));
    EXPECT_EQ(m_document.count<model::Asset>(), 1);

    // The source goes; the copy still shows the shared picture.
    m_document.selectScreenshot(at(1));
    expectUndoRoundTrip([&] { m_actions.remove(); });
    EXPECT_EQ(m_document.names(), (QStringList{"S0", "Filled 2"}));
    EXPECT_EQ(m_document.count<model::Asset>(), 1);

    // The copy goes too: nothing shows the picture any more.
    m_document.selectScreenshot(at(1));
    expectUndoRoundTrip([&] { m_actions.remove(); });
    EXPECT_EQ(m_document.names(), (QStringList{"S0"}));
    EXPECT_EQ(m_document.count<model::Asset>(), 0);

    m_undo.undo();
    m_undo.undo();
    EXPECT_TRUE(sameState(duplicated, DocumentState::of(m_document.context())));
}
