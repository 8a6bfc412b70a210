#pragma once

#include "SilentDialogs.h"
#include "app/Document.h"
#include "appkit/widgets/DocumentController.h"
#include "templates/picker/TemplateViewController.h"

#include <QCoreApplication>
#include <QSettings>
#include <gtest/gtest.h>
#include <memory>

// A document controller for the application's documents, with silent dialogs and the picker's first
// category; after each test every document it made is closed without asking.
class DocumentControllerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QSettings().remove(pelorama::templates::TemplateViewController::categorySettingKey);
        controller.addDocumentType(pelorama::app::Document::documentType());
        controller.setDialogs(dialogs);
    }

    void TearDown() override
    {
        for (appkit::Document* document : controller.documents())
            document->closeWithoutAsking();
        QCoreApplication::processEvents();
    }

    // A new untitled document; nullptr, with a failure, when none is made.
    pelorama::app::Document* newDocument()
    {
        auto made = controller.makeUntitledDocument(pelorama::app::Document::typeName());
        EXPECT_TRUE(made.hasValue());
        return made ? static_cast<pelorama::app::Document*>(*made) : nullptr;
    }

    std::shared_ptr<SilentDialogs> dialogs = std::make_shared<SilentDialogs>();
    appkit::DocumentController controller;
};
