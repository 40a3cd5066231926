#include "bar/bar_app.h"

namespace {
// The one application object: it exists before WinMain runs and goes after it returns.
BarApp theApp;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return theApp.Run(); }
