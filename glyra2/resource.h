// Glyra2's resources besides the shared settings dialog.
#pragma once

#define IDI_GLYRA2 101
