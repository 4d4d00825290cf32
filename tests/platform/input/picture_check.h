// A look at a PNG picture that a test saved: its size and whether something was drawn in it.
#pragma once

#include <string>

namespace input_test {

// True when the picture loads and holds more than a plain background (over 100 sampled pixels differ
// from its first one); its size goes to *width and *height.
bool PictureShowsSomething(const std::string& png, int* width, int* height);

// True when every pixel within `band` pixels of the picture's four edges has the colour of its first
// pixel: nothing drawn runs to the edge, where a window would cut it off.
bool PictureHasPlainMargin(const std::string& png, int band);

} // namespace input_test
