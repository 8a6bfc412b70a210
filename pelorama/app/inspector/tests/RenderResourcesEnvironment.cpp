// The render resources a program makes at start-up, for the tables whose rows show pictures, in the
// application object the inspector's editors run in.
#include "RenderResourcesEnvironment.h"

#include "tessaline/Tessaline/Application.h"

#include <cerrno>

namespace {

testing::Environment* const environment = testing::AddGlobalTestEnvironment(
    new pelorama::model::RenderResourcesEnvironment<tessaline::Application>(program_invocation_short_name));

} // namespace
