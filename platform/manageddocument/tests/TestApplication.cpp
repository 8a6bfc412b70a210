// Documents use timers and the event loop; a QCoreApplication is made before the first test.
#include "HeadlessTests.h"

namespace {

testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new testsupport::CoreApplicationEnvironment("ManagedDocumentTest"));

} // namespace
