// What the page's pixels are.
#pragma once

namespace platform::detail {

double PixelRatio();  // device pixels per CSS pixel, read once per session

}  // namespace platform::detail
