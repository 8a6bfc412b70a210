#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <memory>

namespace appkit {

class ViewController;

// A table of view controllers made by identifier, standing in for a storyboard file. Controllers it
// makes remember it, so that they can make their siblings.
class Storyboard : public std::enable_shared_from_this<Storyboard>
{
public:
    using Factory = std::function<std::unique_ptr<ViewController>()>;

    static std::shared_ptr<Storyboard> create();

    void registerController(const QString& identifier, Factory factory);
    // A new controller for identifier, or null when the identifier is unknown or the factory made none.
    std::unique_ptr<ViewController> instantiateController(const QString& identifier) const;

private:
    Storyboard() = default;

    QHash<QString, Factory> m_factories;
};

} // namespace appkit
