#pragma once

#include "document/ActionAlert.h"

class QWidget;

namespace pelorama::app {

// A modal informational alert with one button "OK", in front of parent's window: how every command of the
// window tells that an action could not be done.
void runActionAlert(const document::ActionAlert& alert, QWidget* parent = nullptr);

} // namespace pelorama::app
