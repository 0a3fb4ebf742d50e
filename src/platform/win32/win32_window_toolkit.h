// The component's forms as real windows on the calling thread (Win32 and GDI), with twips
// converted at the screen's own pixels per inch.
#pragma once

#include "platform/window_toolkit.h"

#include <windows.h>

namespace orbek {

// Registers its window classes (and the display controls') under `module` when a form first
// needs them, and unregisters them when it goes. It keeps no other state: one for the
// process serves every thread, each thread's forms living on that thread.
class Win32WindowToolkit final : public WindowToolkit {
  public:
    explicit Win32WindowToolkit(HINSTANCE module) : module_(module) {}
    ~Win32WindowToolkit() override;
    Win32WindowToolkit(const Win32WindowToolkit&) = delete;
    Win32WindowToolkit& operator=(const Win32WindowToolkit&) = delete;

    std::unique_ptr<Form> create_form(const FormDesign& design) override;
    // Every message waiting for the calling thread is dispatched, as the host's own
    // DoEvents does; a quit message is put back for the host's loop.
    void process_pending_events() override;
    // The screen's size in twips at whole twips per pixel, as the host's Screen object has it.
    ScreenMeasure screen() override;

  private:
    HINSTANCE module_;
};

} // namespace orbek
