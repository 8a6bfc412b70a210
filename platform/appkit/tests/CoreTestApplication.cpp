// Documents use timers and the event loop, and need nothing more: the program links no widgets. The
// application object is made before the first test.
#include "HeadlessTests.h"

namespace {

testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new testsupport::CoreApplicationEnvironment("AppkitCoreTest"));

} // namespace
