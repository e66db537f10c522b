// Glyra's resources besides the shared settings dialog.
#pragma once

#define IDI_GLYRA 101
