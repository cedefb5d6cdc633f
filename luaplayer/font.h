#pragma once

#include <array>
#include <cstdint>

// The screen font: 8 x 8 pixel cells, one byte per row, the leftmost column in the high bit.
// Characters are the script's bytes read as Windows-1252, the code page of the project's files.
namespace font {

constexpr int cell = 8;
using Glyph = std::array<std::uint8_t, cell>;

const Glyph &glyph(unsigned char c);

} // namespace font
