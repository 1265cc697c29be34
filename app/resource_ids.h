// Ids of the program's resources, shared by the resource script and the code.
#pragma once

#define IDI_APP_ICON 1
