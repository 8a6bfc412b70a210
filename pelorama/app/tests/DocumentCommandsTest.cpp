// The screenshot commands as the document window offers them: menus, toolbar buttons, panels, the
// progress window and the alerts.
#include "app/window/DocumentCommands.h"

#include "DocumentControllerTest.h"
#include "SilentDialogs.h"
#include "app/Document.h"
#include "app/export/ProgressWindowController.h"
#include "app/feedback/FeedbackViewController.h"
#include "app/feedback/PlaceholderTextView.h"
#include "app/languages/LanguageChoice.h"
#include "app/window/DocumentActions.h"
#include "app/window/DocumentWindow.h"
#include "app/window/ShareMenu.h"
#include "appkit/widgets/DocumentController.h"
#include "appkit/widgets/DocumentDialogs.h"
#include "appkit/widgets/OpenPanel.h"
#include "appkit/widgets/Popover.h"
#include "canvas/CanvasPasteboardDataProvider.h"
#include "document/PoFile.h"
#include "document/ScreenshotArrangement.h"
#include "document/ScreenshotPasteboard.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/languages/LanguageEditing.h"
#include "model/selection/DocumentSelection.h"
#include "store/ManagedObjectContext.h"
#include "templates/TemplateCategory.h"
#include "templates/picker/SheetWindow.h"
#include "templates/picker/TemplateViewController.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

// Reads and dismisses every alert that comes up while it lives, and notes the progress window.
class AlertWatcher : public QObject
{
public:
    AlertWatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            // A new document's window may have put up the template picker meanwhile.
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* alert = qobject_cast<QMessageBox*>(widget); alert && alert->isVisible()) {
                    alerts.append({alert->text(), alert->informativeText()});
                    alert->buttons().front()->click();
                } else if (auto* progress = qobject_cast<app::ProgressWindowController*>(widget);
                           progress && progress->isVisible()) {
                    progressSeen = true;
                    progressWasModal = progress->windowModality() == Qt::ApplicationModal;
                }
            }
        });
        m_timer.start(5);
    }

    QList<QPair<QString, QString>> alerts;
    bool progressSeen = false;
    bool progressWasModal = false;

private:
    QTimer m_timer;
};

// The progress windows that exist, shown or not.
int progressWindows()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += qobject_cast<app::ProgressWindowController*>(widget) ? 1 : 0;
    return count;
}

class DocumentCommandsTest : public DocumentControllerTest
{
protected:
    void SetUp() override
    {
        DocumentControllerTest::SetUp();
        QGuiApplication::clipboard()->clear();
    }

    // A new untitled document with its window shown.
    app::Document* newDocument()
    {
        app::Document* document = DocumentControllerTest::newDocument();
        if (document)
            document->documentWindow()->show();
        return document;
    }

    // The first template of the first group, added through the picker.
    static void addFromTemplate(app::Document& document, int item = 0)
    {
        app::DocumentCommands* commands = document.documentWindow()->commands();
        commands->showTemplatePicker();
        auto* picker = qobject_cast<templates::TemplateViewController*>(
            commands->templatePickerSheet()->contentViewController());
        picker->collectionView()->selectItems({{0, item}});
        picker->addPressed();
    }

    static void addPlain(app::Document& document, const QString& name, QSize size = {60, 40})
    {
        auto* screenshot = model::Screenshot::insertInto(*document.managedObjectContext());
        screenshot->setName(name);
        screenshot->setOrder(double(document.arrangement().screenshots().size()));
        screenshot->setSize({double(size.width()), double(size.height())});
        document.managedObjectContext()->processPendingChanges();
    }

    static QStringList names(app::Document& document)
    {
        QStringList names;
        for (model::Screenshot* screenshot : document.arrangement().screenshots())
            names.append(screenshot->name());
        return names;
    }

    static void select(app::Document& document, std::optional<int> row)
    {
        document.selection().setScreenshot(row ? document.arrangement().screenshotAt(*row) : nullptr);
    }

    static QString selectedName(app::Document& document)
    {
        model::Screenshot* selected = document.selection().screenshot();
        return selected ? selected->name() : QString();
    }

    static app::DocumentActions& actions(app::Document& document)
    {
        return *document.documentWindow()->documentActions();
    }

    // Triggers an action as the user does, when it is enabled.
    static bool trigger(QAction* action)
    {
        if (!action->isEnabled())
            return false;
        action->trigger();
        return true;
    }

    static appkit::OpenPanel* openPanel(app::Document& document)
    {
        return document.documentWindow()->findChild<appkit::OpenPanel*>();
    }
};

} // namespace

TEST_F(DocumentCommandsTest, ACopyPastesIntoAnotherDocumentAfterItsSelectionUnderAFreeName)
{
    app::Document* source = newDocument();
    app::Document* target = newDocument();
    ASSERT_TRUE(source && target);
    addFromTemplate(*source);
    const QString name = selectedName(*source);
    ASSERT_FALSE(name.isEmpty());

    EXPECT_FALSE(actions(*target).paste()->isEnabled());
    ASSERT_TRUE(trigger(actions(*source).copy()));
    EXPECT_TRUE(document::ScreenshotPasteboard::hasScreenshots());
    QCoreApplication::processEvents();
    EXPECT_TRUE(actions(*target).paste()->isEnabled());

    addPlain(*target, "First");
    addPlain(*target, "Last");
    select(*target, 0);
    ASSERT_TRUE(trigger(actions(*target).paste()));
    EXPECT_EQ(names(*target), (QStringList{"First", name, "Last"}));
    EXPECT_EQ(selectedName(*target), name);
    ASSERT_TRUE(trigger(actions(*target).paste()));
    EXPECT_EQ(names(*target), (QStringList{"First", name, name + " 2", "Last"}));
    EXPECT_EQ(selectedName(*target), name + " 2");
    // The source is as it was.
    EXPECT_EQ(names(*source), QStringList{name});

    QGuiApplication::clipboard()->setText("just text");
    EXPECT_FALSE(actions(*target).paste()->isEnabled());
}

TEST_F(DocumentCommandsTest, APasteOfDamagedDataSaysWhyAndChangesNothing)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home");
    auto* data = new QMimeData;
    data->setData(document::ScreenshotPasteboard::pasteboardType(), "bplist00 not really");
    QGuiApplication::clipboard()->setMimeData(data);

    AlertWatcher watcher;
    ASSERT_TRUE(trigger(actions(*document).paste()));
    ASSERT_EQ(watcher.alerts.size(), 1);
    EXPECT_EQ(watcher.alerts[0].first, "Error");
    EXPECT_TRUE(watcher.alerts[0].second.startsWith("Could not paste objects. ("))
        << watcher.alerts[0].second.toStdString();
    EXPECT_EQ(names(*document), QStringList{"Home"});
}

TEST_F(DocumentCommandsTest, DuplicateCutAndDeleteWorkOnTheSelection)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(actions(*document).exportAll()->isEnabled());
    addPlain(*document, "Home");
    addPlain(*document, "Detail");
    select(*document, std::nullopt);
    for (QAction* action :
         {actions(*document).cut(), actions(*document).copy(), actions(*document).remove(),
          actions(*document).duplicate(), actions(*document).exportCurrent(), actions(*document).share()})
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_TRUE(actions(*document).exportAll()->isEnabled());

    select(*document, 0);
    QGuiApplication::clipboard()->setText("kept");
    ASSERT_TRUE(trigger(actions(*document).duplicate()));
    EXPECT_EQ(names(*document), (QStringList{"Home", "Home 2", "Detail"}));
    EXPECT_EQ(selectedName(*document), "Home 2");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");

    ASSERT_TRUE(trigger(actions(*document).remove()));
    EXPECT_EQ(names(*document), (QStringList{"Home", "Detail"}));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");

    select(*document, 1);
    ASSERT_TRUE(trigger(actions(*document).cut()));
    EXPECT_EQ(names(*document), QStringList{"Home"});
    select(*document, std::nullopt);
    ASSERT_TRUE(trigger(actions(*document).paste()));
    EXPECT_EQ(names(*document), (QStringList{"Home", "Detail"}));
    EXPECT_EQ(selectedName(*document), "Detail");
}

TEST_F(DocumentCommandsTest, ExportAllWritesEveryScreenshotWhileTheProgressWindowIsUp)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home", {60, 40});
    addPlain(*document, "Detail", {30, 20});
    addPlain(*document, "Settings/Night", {20, 10});
    const QTemporaryDir directory;

    ASSERT_TRUE(trigger(actions(*document).exportAll()));
    appkit::OpenPanel* panel = openPanel(*document);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->fileMode(), QFileDialog::Directory);
    EXPECT_EQ(panel->windowTitle(), "Export");
    EXPECT_EQ(panel->labelText(QFileDialog::Accept), "Export Here");
    AlertWatcher watcher;
    panel->selectFile(directory.path());
    static_cast<QDialog*>(panel)->done(QDialog::Accepted);
    // The export runs on while the event loop goes on; the progress window is there until it ends.
    EXPECT_GT(progressWindows(), 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return progressWindows() == 0; }, 20'000));

    EXPECT_TRUE(watcher.alerts.isEmpty());
    EXPECT_TRUE(watcher.progressSeen);
    EXPECT_TRUE(watcher.progressWasModal);
    EXPECT_EQ(QImage(QDir(directory.path()).filePath("Home.png")).size(), QSize(60, 40));
    EXPECT_EQ(QImage(QDir(directory.path()).filePath("Detail.png")).size(), QSize(30, 20));
    EXPECT_EQ(QImage(QDir(directory.path()).filePath("Settings-Night.png")).size(), QSize(20, 10));
    EXPECT_EQ(QDir(directory.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 3);
}

TEST_F(DocumentCommandsTest, ExportAllStopsAtDuplicateNamesAndAtWhatIsNoDirectory)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home");
    addPlain(*document, "Home");
    {
        AlertWatcher watcher;
        ASSERT_TRUE(trigger(actions(*document).exportAll()));
        ASSERT_EQ(watcher.alerts.size(), 1);
        EXPECT_EQ(watcher.alerts[0].first, "Duplicate names");
        EXPECT_EQ(openPanel(*document), nullptr);
    }

    document->arrangement().screenshotAt(1)->setName("Detail");
    document->managedObjectContext()->processPendingChanges();
    const QTemporaryDir directory;
    ASSERT_TRUE(trigger(actions(*document).exportAll()));
    appkit::OpenPanel* panel = openPanel(*document);
    ASSERT_NE(panel, nullptr);
    AlertWatcher watcher;
    panel->selectFile(QDir(directory.path()).filePath("gone"));
    static_cast<QDialog*>(panel)->done(QDialog::Accepted);
    ASSERT_EQ(watcher.alerts.size(), 1);
    EXPECT_EQ(watcher.alerts[0], qMakePair(QString("Export failed"), QString("Please select a directory")));
    EXPECT_FALSE(watcher.progressSeen);
}

// Set PELORAMA_CASE_INSENSITIVE_DIRECTORY to a directory on a file system that does not tell names apart
// by letter case (a vfat stick, say) to see names that coincide only there stop the export.
TEST_F(DocumentCommandsTest, NamesThatCoincideOnlyInTheChosenDirectoryStopTheExportBeforeTheProgressWindow)
{
    const QString volume = qEnvironmentVariable("PELORAMA_CASE_INSENSITIVE_DIRECTORY");
    if (volume.isEmpty())
        GTEST_SKIP() << "no case-insensitive file system given";
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home");
    addPlain(*document, "home");
    const QTemporaryDir directory(QDir(volume).filePath("export-XXXXXX"));
    ASSERT_TRUE(directory.isValid());

    ASSERT_TRUE(trigger(actions(*document).exportAll()));
    appkit::OpenPanel* panel = openPanel(*document);
    ASSERT_NE(panel, nullptr);
    AlertWatcher watcher;
    panel->selectFile(directory.path());
    static_cast<QDialog*>(panel)->done(QDialog::Accepted);

    ASSERT_EQ(watcher.alerts.size(), 1);
    EXPECT_EQ(watcher.alerts[0].first, "Duplicate names");
    EXPECT_FALSE(watcher.progressSeen);
    EXPECT_TRUE(QDir(directory.path()).isEmpty());
}

TEST_F(DocumentCommandsTest, ExportCurrentWritesTheSelectedScreenshotToTheNamedFile)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home", {60, 40});
    addPlain(*document, "Detail", {30, 20});
    select(*document, 1);
    const QTemporaryDir directory;

    ASSERT_TRUE(trigger(actions(*document).exportCurrent()));
    appkit::OpenPanel* panel = openPanel(*document);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->acceptMode(), QFileDialog::AcceptSave);
    // The screenshot chosen when the panel opened is the one written.
    select(*document, 0);
    panel->selectFile(QDir(directory.path()).filePath("Chosen"));
    static_cast<QDialog*>(panel)->done(QDialog::Accepted);
    // Written off the main thread, as Export All writes.
    const QString chosen = QDir(directory.path()).filePath("Chosen.png");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(chosen); }, 20'000));
    EXPECT_EQ(QImage(chosen).size(), QSize(30, 20));
}

TEST_F(DocumentCommandsTest, CaptionsGoToTranslatorsAsPoFilesAndComeBackAsOneStepOrNotAtAll)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home");
    store::ManagedObjectContext& context = *document->managedObjectContext();
    auto* caption = model::TextRect::insertInto(
        context, {0, 0, 60, 40}, "Hello", graphics::TextAlignment::center, model::VerticalAlignment::center);
    model::DrawableMapping::insert(*caption, *document->arrangement().screenshotAt(0), context);
    ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "de-DE"));
    document->documentWindow()->languageChoice()->refresh();
    const QTemporaryDir directory;
    const QDir folder(directory.path());
    AlertWatcher watcher;
    const auto choose = [&](QAction* action, const QString& path) {
        ASSERT_TRUE(trigger(action));
        appkit::OpenPanel* panel = openPanel(*document);
        ASSERT_NE(panel, nullptr);
        panel->selectFile(path);
        static_cast<QDialog*>(panel)->done(QDialog::Accepted);
        QCoreApplication::processEvents();
        // The panel goes, as it does once the event loop runs, so that the next one is found.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };

    // One file for the language other than the base, which a translator fills in.
    choose(actions(*document).exportForTranslation(), folder.path());
    QFile exported(folder.filePath("de-DE.po"));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    auto po = document::PoFile::read(exported.readAll());
    ASSERT_TRUE(po.hasValue());
    ASSERT_EQ(po->entries.size(), 1);
    EXPECT_EQ(po->entries[0].source, "Hello");
    const auto save = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return file.fileName();
    };
    po->entries[0].translation = "Hallo";
    const QString translated = save("de-DE.po", po->write().value());

    // Read back as one step to undo.
    const int steps = document->undoStack()->count();
    choose(actions(*document).importTranslations(), translated);
    EXPECT_EQ(caption->text("de-DE"), "Hallo");
    EXPECT_EQ(document->undoStack()->count(), steps + 1);
    document->undoStack()->undo();
    EXPECT_EQ(caption->text("de-DE"), "Hello");
    EXPECT_TRUE(watcher.alerts.isEmpty());

    // A broken file changes nothing and is named with its line; entries of captions that are gone are
    // named in one alert, and the rest is taken.
    choose(actions(*document).importTranslations(), save("broken.po", "msgid \"Hello\"\nmsgstr \"Hal\n"));
    ASSERT_EQ(watcher.alerts.size(), 1);
    EXPECT_TRUE(watcher.alerts[0].second.startsWith("“broken.po”, line "))
        << watcher.alerts[0].second.toStdString();
    EXPECT_EQ(caption->text("de-DE"), "Hello");
    po->entries.append(po->entries[0]);
    po->entries[1].context = "Gone/0000";
    choose(actions(*document).importTranslations(), save("de-DE.po", po->write().value()));
    ASSERT_EQ(watcher.alerts.size(), 2);
    EXPECT_TRUE(watcher.alerts[1].second.contains("Gone: “Hello”")) << watcher.alerts[1].second.toStdString();
    EXPECT_EQ(caption->text("de-DE"), "Hallo");
}

// Each panel starts where files of its kind were last written or read, else at home for a document
// never saved.
TEST_F(DocumentCommandsTest, FilePanelsStartWhereTheirKindOfFileWasLastUsed)
{
    QSettings().remove("StartingFolders");
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home");
    ASSERT_TRUE(model::LanguageEditing::addLanguage(*document->managedObjectContext(), "de-DE"));
    document->documentWindow()->languageChoice()->refresh();
    const QTemporaryDir directory;
    const QDir root(directory.path());
    ASSERT_TRUE(root.mkpath("pictures") && root.mkpath("translations"));
    AlertWatcher watcher;
    // Opens the action's panel, answers where it starts, and ends it with path chosen (none cancels).
    const auto startOf = [&](QAction* action, const QString& path = {}) {
        if (!trigger(action))
            return QString("disabled");
        appkit::OpenPanel* panel = openPanel(*document);
        if (!panel)
            return QString("no panel");
        QString start = panel->directory().absolutePath();
        if (!path.isEmpty())
            panel->selectFile(path);
        static_cast<QDialog*>(panel)->done(path.isEmpty() ? QDialog::Rejected : QDialog::Accepted);
        EXPECT_TRUE(QTest::qWaitFor([] { return progressWindows() == 0; }, 20'000));
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return start;
    };

    EXPECT_EQ(startOf(actions(*document).exportAll(), root.filePath("pictures")), QDir::homePath());
    EXPECT_EQ(startOf(actions(*document).exportCurrent()), root.filePath("pictures"));
    EXPECT_EQ(startOf(actions(*document).exportForTranslation(), root.filePath("translations")),
              QDir::homePath());
    EXPECT_EQ(startOf(actions(*document).importTranslations()), root.filePath("translations"));
    EXPECT_EQ(startOf(actions(*document).exportAll()), root.filePath("pictures"));
    EXPECT_TRUE(watcher.alerts.isEmpty());
    QSettings().remove("StartingFolders");
}

TEST_F(DocumentCommandsTest, TheShareButtonOpensItsMenuBelowItself)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home");
    select(*document, 0);
    QCoreApplication::processEvents();

    auto* button = document->documentWindow()->toolbar()->findChild<QAbstractButton*>("share");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    auto* menu = document->documentWindow()->findChild<app::ShareMenu*>();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* action : menu->actions())
        texts.append(action->text());
    EXPECT_EQ(texts, (QStringList{"&Copy Image", "&Open in Image Viewer"}));
    EXPECT_GE(menu->geometry().top(), button->mapToGlobal(QPoint(0, button->height())).y() - 1);
    menu->close();
}

// Share gives what the canvas shows, as Export Current writes it: the captions in the language shown.
TEST_F(DocumentCommandsTest, ShareGivesTheCaptionsInTheLanguageShown)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    addPlain(*document, "Home", {300, 80});
    store::ManagedObjectContext& context = *document->managedObjectContext();
    model::Screenshot& screenshot = *document->arrangement().screenshotAt(0);
    auto* caption = model::TextRect::insertInto(context, {0, 0, 300, 80}, "Hello",
                                                graphics::TextAlignment::left, model::VerticalAlignment::top);
    model::DrawableMapping::insert(*caption, screenshot, context);
    ASSERT_TRUE(model::LanguageEditing::addLanguage(context, "de-DE"));
    ASSERT_TRUE(caption->setText("Guten Tag", "de-DE"));
    document->documentWindow()->languageChoice()->refresh();
    document->documentWindow()->languageChoice()->choose("de-DE");
    ASSERT_EQ(document->selection().language(), "de-DE");
    select(*document, 0);
    QCoreApplication::processEvents();

    auto* button = document->documentWindow()->toolbar()->findChild<QAbstractButton*>("share");
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    auto* menu = document->documentWindow()->findChild<app::ShareMenu*>();
    ASSERT_NE(menu, nullptr);
    menu->actions().front()->trigger();
    menu->close();
    const QByteArray shared = QGuiApplication::clipboard()->mimeData()->data("image/png");
    const QByteArray german =
        canvas::CanvasPasteboardDataProvider(screenshot.makeCanvas(), "de-DE").data("image/png");
    const QByteArray base = canvas::CanvasPasteboardDataProvider(screenshot.makeCanvas()).data("image/png");
    ASSERT_FALSE(shared.isEmpty());
    EXPECT_EQ(shared, german);
    EXPECT_NE(shared, base);
    QGuiApplication::clipboard()->clear();
}

TEST_F(DocumentCommandsTest, FeedbackFromTheMenuOpensAtTheToolbarButton)
{
    app::Document* document = newDocument();
    ASSERT_NE(document, nullptr);
    // Within the screen, so that the popover stands where it points.
    document->documentWindow()->setGeometry(0, 0, 780, 500);
    QCoreApplication::processEvents();
    ASSERT_TRUE(trigger(actions(*document).feedback()));
    const auto shownPopover = [] {
        appkit::Popover* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* popover = qobject_cast<appkit::Popover*>(widget); popover && popover->isVisible())
                shown = popover;
        }
        return shown;
    };
    appkit::Popover* shown = shownPopover();
    ASSERT_NE(shown, nullptr);
    auto* form = qobject_cast<app::FeedbackViewController*>(shown->contentViewController());
    ASSERT_NE(form, nullptr);
    // Shown again, the form still holds what was typed.
    form->setMessage("Half a thought");
    shown->close();
    ASSERT_TRUE(trigger(actions(*document).feedback()));
    shown = shownPopover();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->contentViewController(), form);
    EXPECT_EQ(form->messageTextView()->toPlainText(), "Half a thought");
    QWidget* button = document->documentWindow()->toolbar()->findChild<QAbstractButton*>("feedback");
    const QRect buttonRect(button->mapToGlobal(QPoint()), button->size());
    EXPECT_EQ(shown->shownEdge(), appkit::RectEdge::bottom);
    EXPECT_GE(shown->geometry().top(), buttonRect.bottom() - appkit::Popover::arrowSize);
    EXPECT_LE(shown->geometry().left(), buttonRect.center().x());
    EXPECT_GE(shown->geometry().right(), buttonRect.center().x());
    shown->close();
}
