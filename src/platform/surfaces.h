// Pixel surfaces and windows for the progress and splash windows.
#pragma once

#include "automation/text.h"

#include <cstdint>

namespace orbek {

// Colour values: red in bits 0-7, green 8-15, blue 16-23.
using ColourValue = std::int32_t;

class Surface {
  public:
    virtual ~Surface() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    virtual ColourValue get_pixel(int x, int y) const = 0;
    virtual void set_pixel(int x, int y, ColourValue colour) = 0;
};

class Window {
  public:
    virtual ~Window() = default;
    virtual void set_height_twips(int height) = 0;
    virtual void set_caption(TextView caption) = 0;
    virtual void show_modeless() = 0;
    virtual void hide() = 0;
    virtual bool visible() const = 0;
    virtual void unload() = 0;
    virtual void process_pending_events() = 0;
};

} // namespace orbek
