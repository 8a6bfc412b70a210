#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

namespace appkit {

// A transition from a source controller to a destination object. The segue owns the destination until
// perform() hands it on (takeDestination()).
class StoryboardSegue
{
public:
    StoryboardSegue(QString identifier, QObject* source, std::unique_ptr<QObject> destination);
    virtual ~StoryboardSegue();

    StoryboardSegue(const StoryboardSegue&) = delete;
    StoryboardSegue& operator=(const StoryboardSegue&) = delete;

    const QString& identifier() const { return m_identifier; }
    QObject* sourceController() const { return m_source; }
    QObject* destinationController() const { return m_destination.get(); }
    std::unique_ptr<QObject> takeDestination() { return std::move(m_destination); }

    virtual void perform() {}

private:
    QString m_identifier;
    QPointer<QObject> m_source;
    std::unique_ptr<QObject> m_destination;
};

} // namespace appkit
