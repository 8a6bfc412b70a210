#include "HeadlessTests.h"

#include <QApplication>

// Views need a widget application.
int main(int argc, char** argv)
{
    return testsupport::runHeadlessTests<QApplication>(argc, argv);
}
