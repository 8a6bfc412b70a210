#include "HeadlessTests.h"

#include <QGuiApplication>

// Text drawing needs a GUI application.
int main(int argc, char** argv)
{
    return testsupport::runHeadlessTests<QGuiApplication>(argc, argv);
}
