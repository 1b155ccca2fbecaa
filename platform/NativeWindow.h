// A window handle as the portable layers pass it through without looking at it.
#pragma once

namespace tollward {

// An HWND on Windows; the core only stores it and hands it back to the platform.
using NativeWindow = void*;

}  // namespace tollward
