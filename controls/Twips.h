#pragma once

/// Screen measures given in twips, as the screens were drawn: 1440 to the inch at 96 dots per
/// inch, 15 to a pixel.
namespace Twips {

inline constexpr int PorPixel = 15;

/// `twips` in pixels.
constexpr int Pixels(int twips) {
  return twips / PorPixel;
}

}  // namespace Twips
