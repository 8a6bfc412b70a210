#include "appkit/widgets/Storyboard.h"

#include "appkit/widgets/ViewController.h"

namespace appkit {

std::shared_ptr<Storyboard> Storyboard::create()
{
    return std::shared_ptr<Storyboard>(new Storyboard);
}

void Storyboard::registerController(const QString& identifier, Factory factory)
{
    m_factories.emplace(identifier, std::move(factory));
}

std::unique_ptr<ViewController> Storyboard::instantiateController(const QString& identifier) const
{
    const auto found = m_factories.constFind(identifier);
    if (found == m_factories.constEnd() || !*found) {
        return nullptr;
    }
    std::unique_ptr<ViewController> controller = (*found)();
    if (controller) {
        controller->setStoryboard(shared_from_this());
    }
    return controller;
}

} // namespace appkit
