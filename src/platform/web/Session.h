// What the page's pixels are.
#pragma once

namespace platform::detail {

double PixelRatio();  // device pixels per CSS pixel
bool FollowPixelRatio();  // reads it again: whether it changed

}  // namespace platform::detail
