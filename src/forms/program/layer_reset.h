#pragma once

// Every record of the program's forms, of the driver and of the layers below
// them, and of the form kit, back to its start (tests).
void reset_forms_layer();
