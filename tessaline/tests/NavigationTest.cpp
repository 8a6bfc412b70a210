#include "tessaline/Tessaline/ModalSegue.h"
#include "tessaline/Tessaline/NavigationController.h"
#include "tessaline/Tessaline/NavigationItemViewController.h"
#include "tessaline/Tessaline/PushSegue.h"
#include "tessaline/Tessaline/ReplaceSegue.h"

#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

using appkit::ViewController;
using tessaline::NavigationController;
using tessaline::NavigationItemViewController;

namespace {

std::unique_ptr<QObject> newItem()
{
    return std::make_unique<NavigationItemViewController>();
}

// A navigation controller shown with a root controller embedded in its content view.
struct Stage
{
    NavigationController navigation;
    QPointer<ViewController> root;

    Stage()
    {
        auto* content = new QWidget(navigation.view());
        content->resize(200, 100);
        navigation.setContentView(content);
        root = new NavigationItemViewController(&navigation);
        root->view()->setParent(content);
        navigation.view()->resize(200, 100);
        navigation.view()->show();
    }
};

QList<QWidget*> subviews(QWidget* view)
{
    return view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

} // namespace

TEST(TessalineTest, NavigationAdoptsTheEmbeddedRootWhenItAppears)
{
    Stage stage;
    ASSERT_EQ(stage.navigation.navigationStack().size(), 1);
    EXPECT_EQ(stage.navigation.navigationStack().first(), stage.root);
}

TEST(TessalineTest, NavigationWithoutContentViewAdoptsItsOwnViewAndLeavesTheStack)
{
    NavigationController navigation;
    navigation.view()->show();
    EXPECT_EQ(navigation.contentView(), navigation.view());
    EXPECT_TRUE(navigation.navigationStack().isEmpty());
}

TEST(TessalineTest, PushesFromNestedControllersStackUpOverTheRoot)
{
    Stage stage;
    auto* nested = new ViewController(stage.root);
    tessaline::PushSegue(QStringLiteral("first"), nested, newItem()).perform();
    const QList<ViewController*> afterOne = stage.navigation.navigationStack();
    ASSERT_EQ(afterOne.size(), 2);
    tessaline::PushSegue(QStringLiteral("second"), afterOne.last(), newItem()).perform();

    const QList<ViewController*> stack = stage.navigation.navigationStack();
    ASSERT_EQ(stack.size(), 3);
    QWidget* content = stage.navigation.contentView();
    EXPECT_EQ(subviews(content), (QList<QWidget*>{stack[0]->view(), stack[1]->view(), stack[2]->view()}));
    EXPECT_EQ(stack[2]->parentViewController(), &stage.navigation);
    EXPECT_EQ(stack[2]->view()->geometry(), content->rect());
}

TEST(TessalineTest, ReappearingKeepsTheControllersPushedBefore)
{
    Stage stage;
    tessaline::PushSegue(QStringLiteral("push"), stage.root, newItem()).perform();
    stage.navigation.view()->hide();
    stage.navigation.view()->show();
    EXPECT_EQ(stage.navigation.navigationStack().size(), 2);
}

TEST(TessalineTest, ReplaceLeavesOnlyTheDestination)
{
    Stage stage;
    tessaline::PushSegue(QStringLiteral("push"), stage.root, newItem()).perform();
    QPointer<ViewController> pushed = stage.navigation.navigationStack().last();
    tessaline::ReplaceSegue(QStringLiteral("replace"), pushed, newItem()).perform();

    const QList<ViewController*> stack = stage.navigation.navigationStack();
    ASSERT_EQ(stack.size(), 1);
    EXPECT_TRUE(stage.root.isNull());
    EXPECT_TRUE(pushed.isNull());
    EXPECT_EQ(subviews(stage.navigation.contentView()), QList<QWidget*>{stack[0]->view()});
    EXPECT_EQ(stage.navigation.childViewControllers(), stack);
}

TEST(TessalineTest, ReplaceOnAnEmptyStackOnlyAddsTheDestination)
{
    NavigationController navigation;
    navigation.view()->show();
    tessaline::ReplaceSegue(QStringLiteral("replace"), &navigation, newItem()).perform();
    ASSERT_EQ(navigation.navigationStack().size(), 1);
    EXPECT_EQ(subviews(navigation.view()), QList<QWidget*>{navigation.navigationStack().first()->view()});
}

TEST(TessalineTest, SeguesToSomethingOtherThanAControllerOrModalChangeNothing)
{
    Stage stage;
    tessaline::PushSegue(QStringLiteral("push"), stage.root, std::make_unique<QObject>()).perform();
    tessaline::ReplaceSegue(QStringLiteral("replace"), stage.root, std::make_unique<QObject>()).perform();
    tessaline::ModalSegue(QStringLiteral("modal"), stage.root, newItem()).perform();
    EXPECT_EQ(stage.navigation.navigationStack(), QList<ViewController*>{stage.root});
    EXPECT_EQ(subviews(stage.navigation.contentView()).size(), 1);
}

TEST(TessalineTest, SegueWithoutNavigationControllerStopsTheProcess)
{
    EXPECT_DEATH(
        {
            ViewController lonely;
            tessaline::PushSegue(QStringLiteral("push"), &lonely, newItem()).perform();
        },
        "Could not find navigation controller");
}
