#pragma once

namespace tarvex_test {

// Keeps the OpenGL driver libraries loaded until the process ends. The GL
// driver keeps some allocations until then, and it is unloaded when the
// last display closes: the leak checker would then see allocations of a
// library no longer there, which no suppression can name. Pinned, they are
// reported under the driver's name, which tests/lsan.supp suppresses.
// Call it while a GL context exists (the driver is loaded).
void pin_gl_driver();

}  // namespace tarvex_test
