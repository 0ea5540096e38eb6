#pragma once

// Qt describes its own widget classes to assistive technology; the program's own controls get
// their roles here, and the buttons and links among them a press action.
namespace windows {

// Installs the description of the program's own controls; safe to call any number of times.
void installAccessibleRoles();

} // namespace windows
