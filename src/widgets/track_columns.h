// The scroll tracks of both list boxes are drawn straight into an image, a column of one colour each.
#pragma once

#include <cstdint>

class CImage;

// Writes colours[i] down column x + i from row top to row bottom (excluded), cut to the image on every
// side; a key of 0 or more is a colour left undrawn. Only 16-bit images are drawn into.
void DrawTrackColumns(
    CImage* image, int x, int top, int bottom, const std::uint16_t* colours, int count, int key);
