#include "appkit/widgets/StoryboardSegue.h"

namespace appkit {

StoryboardSegue::StoryboardSegue(QString identifier, QObject* source, std::unique_ptr<QObject> destination)
    : m_identifier(std::move(identifier))
    , m_source(source)
    , m_destination(std::move(destination))
{}

StoryboardSegue::~StoryboardSegue() = default;

} // namespace appkit
