#pragma once

// Every record and carried state of the platform layer back to its start: the
// dialog switches and what the dialogs remember (reset_tinyfd), the file
// layer's fault seam disarmed, and the registry hives' lines kept between
// lookups (forget_kept_hives). The other seams
// tests replace (the console encoding) are left to the test that set them.
// The reset of each layer above calls this one.
void reset_platform_layer();
