// A document's languages and its captions' texts in them: what each language shows, the edits of the
// languages as undo steps, and canvases drawn in a language.
#include "model/entities/Language.h"

#include "CaptionFixture.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/LanguageCode.h"
#include "model/languages/LanguageEditing.h"
#include "model/rendering/DetachedCanvas.h"

#include <QCoreApplication>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

class LanguageTest : public CaptionFixture
{
protected:
    void SetUp() override
    {
        stack.context->setUndoStack(&undo);
        // The base language is the system's until a language is added; the tests name it.
        ASSERT_TRUE(LanguageEditing::renameLanguage(*stack.context, LanguageCode::systemDefault(), "en-US"));
        settle();
        undo.clear();
    }

    void settle() { QCoreApplication::processEvents(); }

    // The languages, then each caption's texts, one line each.
    std::string state(const std::vector<TextRect*>& captions)
    {
        const DocumentLanguages languages = DocumentLanguages::of(*stack.context);
        QStringList lines{languages.codes.join(' ') + " base " + languages.base};
        for (const TextRect* caption : captions) {
            const Translations texts = caption->translations();
            QStringList translations;
            for (auto entry = texts.begin(); entry != texts.end(); ++entry)
                translations.append(entry.key() + ": " + entry.value());
            lines.append(caption->text() + " | " + translations.join(", "));
        }
        return lines.join('\n').toStdString();
    }

    QUndoStack undo;
};

TEST_F(LanguageTest, ACaptionShowsItsTextInEachLanguageAndItsBaseTextWhereItHasNone)
{
    // Naming the base language alone stores it, and nothing else is stored until a language is added.
    EXPECT_EQ(DocumentLanguages::of(*stack.context), (DocumentLanguages{{"en-US"}, "en-US"}));
    ASSERT_TRUE(LanguageEditing::addLanguage(*stack.context, "de_de"));
    ASSERT_TRUE(LanguageEditing::addLanguage(*stack.context, "ja"));
    EXPECT_EQ(DocumentLanguages::of(*stack.context), (DocumentLanguages{{"en-US", "de-DE", "ja"}, "en-US"}));

    TextRect* caption = makeCaption("Hello", {0, 0, 300, 100});
    EXPECT_EQ(caption->text("de-DE"), "Hello");
    EXPECT_FALSE(caption->isTranslated("de-DE"));
    EXPECT_TRUE(caption->isTranslated("en-US"));

    ASSERT_TRUE(caption->setText("Hallo", "de-DE"));
    ASSERT_TRUE(caption->setText("Hi", "en-US"));
    EXPECT_EQ(caption->text("de-DE"), "Hallo");
    EXPECT_EQ(caption->text("ja"), "Hi");
    EXPECT_EQ(caption->text(""), "Hi");
    EXPECT_EQ(caption->text(), "Hi");
    EXPECT_TRUE(caption->isTranslated("de-DE"));

    // A language the document lacks takes nothing; an empty text gives the base text back.
    EXPECT_FALSE(caption->setText("Bonjour", "fr"));
    EXPECT_EQ(caption->text("fr"), "Hi");
    ASSERT_TRUE(caption->setText("", "de-DE"));
    EXPECT_EQ(caption->text("de-DE"), "Hi");
    EXPECT_FALSE(caption->primitiveValue("translations").isValid());
}

TEST_F(LanguageTest, EachLanguageEditIsOneUndoStepThatKeepsTheCaptionsTextsInStep)
{
    ASSERT_TRUE(LanguageEditing::addLanguage(*stack.context, "de-DE"));
    ASSERT_TRUE(LanguageEditing::addLanguage(*stack.context, "ja"));
    TextRect* greeting = makeCaption("Hello", {0, 0, 300, 100});
    greeting->setTranslations({{"de-DE", "Hallo"}, {"ja", "こんにちは"}});
    TextRect* farewell = makeCaption("Bye", {0, 0, 300, 100});
    farewell->setTranslations({{"ja", "さようなら"}});
    settle();
    undo.clear();
    const std::vector<TextRect*> captions{greeting, farewell};
    const std::string start = state(captions);

    using Edit = std::function<LanguageEditing::Outcome()>;
    auto& context = *stack.context;
    struct Case
    {
        const char* name;
        Edit edit;
        std::string after;
    };
    const std::vector<Case> edits{
        {"remove", [&] { return LanguageEditing::removeLanguage(context, "ja"); },
         "en-US de-DE base en-US\nHello | de-DE: Hallo\nBye | "},
        {"rename", [&] { return LanguageEditing::renameLanguage(context, "de-DE", "de"); },
         "en-US de ja base en-US\nHello | de: Hallo, ja: こんにちは\nBye | ja: さようなら"},
        {"rename the base", [&] { return LanguageEditing::renameLanguage(context, "en-US", "en-GB"); },
         "en-GB de-DE ja base en-GB\nHello | de-DE: Hallo, ja: こんにちは\nBye | ja: さようなら"},
        // A caption without a German text keeps showing its English one, which stays its English text.
        {"set the base", [&] { return LanguageEditing::setBaseLanguage(context, "de-DE"); },
         "en-US de-DE ja base de-DE\nHallo | en-US: Hello, ja: こんにちは\nBye | en-US: Bye, ja: さようなら"},
        {"add", [&] { return LanguageEditing::addLanguage(context, "ar"); },
         "en-US de-DE ja ar base en-US" + start.substr(start.find('\n'))},
    };
    for (const Case& test : edits) {
        ASSERT_TRUE(test.edit()) << test.name;
        settle();
        EXPECT_EQ(undo.count(), 1) << test.name;
        EXPECT_EQ(state(captions), test.after) << test.name;
        undo.undo();
        settle();
        EXPECT_EQ(state(captions), start) << test.name << " undone";
        undo.redo();
        settle();
        EXPECT_EQ(state(captions), test.after) << test.name << " redone";
        undo.undo();
        settle();
        undo.clear();
    }

    const std::vector<std::pair<const char*, Edit>> refused{
        {"a code that is none",
         [&] {
             return LanguageEditing::addLanguage(context, "de/../x");
         }},
        {"a language twice",
         [&] {
             return LanguageEditing::addLanguage(context, "DE_de");
         }},
        {"the base removed",
         [&] {
             return LanguageEditing::removeLanguage(context, "en-US");
         }},
        {"an absent one removed",
         [&] {
             return LanguageEditing::removeLanguage(context, "fr");
         }},
        {"a rename onto another",
         [&] {
             return LanguageEditing::renameLanguage(context, "ja", "de-de");
         }},
        {"an absent base",
         [&] {
             return LanguageEditing::setBaseLanguage(context, "fr");
         }},
    };
    for (const auto& [name, edit] : refused) {
        const std::string before = state(captions);
        const LanguageEditing::Outcome outcome = edit();
        ASSERT_FALSE(outcome) << name;
        EXPECT_FALSE(outcome.error().isEmpty()) << name;
        settle();
        EXPECT_EQ(state(captions), before) << name;
    }
}

TEST_F(LanguageTest, ANewBaseTellsWhichCaptionsLackItsTextAndWhatTheirBaseTextIsIn)
{
    ASSERT_TRUE(LanguageEditing::addLanguage(*stack.context, "de-AT"));
    ASSERT_TRUE(LanguageEditing::addLanguage(*stack.context, "fr-FR"));
    TextRect* greeting = makeCaption("Better photos", {0, 0, 300, 100});
    TextRect* farewell = makeCaption("Bye", {0, 0, 300, 100});
    farewell->setTranslations({{"de-AT", "Servus"}});
    // A pasted text in a language the document lacks waits for it, and gives way to a rename onto it.
    greeting->setTranslations({{"it", "Foto migliori"}});
    settle();
    undo.clear();
    const std::vector<TextRect*> captions{greeting, farewell};
    const auto languages = [&] {
        return DocumentLanguages::of(*stack.context);
    };

    EXPECT_EQ(*LanguageEditing::captionsWithoutText(*stack.context, "de-AT"), 1);
    EXPECT_EQ(*LanguageEditing::captionsWithoutText(*stack.context, "en-US"), 0);
    EXPECT_FALSE(LanguageEditing::captionsWithoutText(*stack.context, "it"));

    // The untranslated caption keeps its English text, which stays English: another base change does
    // not make it the Austrian text too.
    ASSERT_TRUE(LanguageEditing::setBaseLanguage(*stack.context, "de-AT"));
    settle();
    EXPECT_EQ(undo.undoText(), "Set Base Language");
    EXPECT_EQ(LanguageEditing::baseTextLanguage(*greeting, languages()), "en-US");
    EXPECT_EQ(LanguageEditing::baseTextLanguage(*farewell, languages()), "de-AT");
    ASSERT_TRUE(LanguageEditing::setBaseLanguage(*stack.context, "fr-FR"));
    settle();
    EXPECT_EQ(state(captions), "en-US de-AT fr-FR base fr-FR\n"
                               "Better photos | en-US: Better photos, it: Foto migliori\n"
                               "Servus | de-AT: Servus, en-US: Bye");
    EXPECT_EQ(LanguageEditing::baseTextLanguage(*greeting, languages()), "en-US");
    ASSERT_TRUE(LanguageEditing::setBaseLanguage(*stack.context, "en-US"));
    settle();
    EXPECT_EQ(state(captions), "en-US de-AT fr-FR base en-US\n"
                               "Better photos | it: Foto migliori\n"
                               "Bye | de-AT: Servus");

    ASSERT_TRUE(LanguageEditing::renameLanguage(*stack.context, "fr-FR", "it"));
    settle();
    EXPECT_EQ(greeting->text("it"), "Better photos");
    EXPECT_EQ(undo.undoText(), "Change Language");
}

TEST_F(LanguageTest, ACanvasDrawsItsCaptionsInTheLanguageAskedFor)
{
    ASSERT_TRUE(LanguageEditing::addLanguage(*stack.context, "he"));
    Screenshot* screenshot = Screenshot::insertInto(*stack.context);
    screenshot->setSize({320, 120});
    TextRect* caption = makeCaption("Hello", {10, 10, 300, 100});
    ASSERT_TRUE(caption->setText("שלום", "he"));
    DrawableMapping::insert(*caption, *screenshot, *stack.context);
    // The same screenshot with the Hebrew text as its own.
    Screenshot* hebrew = Screenshot::insertInto(*stack.context);
    hebrew->setSize({320, 120});
    DrawableMapping::insert(*makeCaption("שלום", {10, 10, 300, 100}), *hebrew, *stack.context);

    const auto render = [](Screenshot& shown, const QString& language) {
        const graphics::Image image = DetachedCanvas(shown.makeCanvas(), language)
                                          .render(CanvasRenderingMode::exportImage, {320, 120}, 1);
        return image.representations().front().bitmap();
    };
    EXPECT_EQ(render(*screenshot, "he"), render(*hebrew, ""));
    EXPECT_NE(render(*screenshot, "he"), render(*screenshot, ""));
    EXPECT_EQ(render(*screenshot, ""), render(*screenshot, "en-US"));
    EXPECT_EQ(render(*screenshot, "ja"), render(*screenshot, ""));
}

} // namespace
