#pragma once

#include "DocumentControllerTest.h"
#include "app/Document.h"
#include "app/window/DocumentCommands.h"
#include "app/window/DocumentWindow.h"
#include "templates/picker/TemplateViewController.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

// A new document in its active window, the template picker it opens with dismissed as the user does.
class DocumentWindowFixture : public DocumentControllerTest
{
protected:
    void SetUp() override
    {
        DocumentControllerTest::SetUp();
        document = newDocument();
        ASSERT_NE(document, nullptr);
        window = document->documentWindow();
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitFor([&] { return picker() != nullptr; }));
        QTest::mouseClick(picker()->cancelButton(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return picker() == nullptr; }));
        QApplication::setActiveWindow(window);
    }

    // The template picker the window shows, if any.
    pelorama::templates::TemplateViewController* picker() const
    {
        pelorama::templates::SheetWindow* sheet = window->commands()->templatePickerSheet();
        return sheet ? qobject_cast<pelorama::templates::TemplateViewController*>(
                           sheet->contentViewController())
                     : nullptr;
    }

    pelorama::app::Document* document = nullptr;
    pelorama::app::DocumentWindow* window = nullptr;
};
