// What the bar and the dial share: reference counting, a small IDispatch over a table of
// properties, and a child window that paints through an off-screen bitmap so that it never
// flickers.
#pragma once

#include "automation/variant.h"

#include <oaidl.h>
#include <span>
#include <windows.h>

namespace orbek::controls {

class DisplayControl : public IDispatch {
  public:
    struct Member {
        DISPID id;
        const wchar_t* name;
    };

    // The control that owns a window of one of these classes.
    static DisplayControl* of_window(HWND window);

    // Each kind of control has a window class of its own, all with the same procedure.
    bool create_window(const wchar_t* class_name, HWND parent, const RECT& place,
                       HINSTANCE instance);
    HWND window() const { return window_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument_error) override;

  protected:
    DisplayControl() = default;
    virtual ~DisplayControl();

    virtual std::span<const Member> members() const = 0;
    virtual Variant get(DISPID member) const = 0;
    // Stores the value, converted to the property's type (a VbError when it cannot be).
    virtual void put(DISPID member, const Variant& value) = 0;
    virtual void paint(HDC device, const RECT& client) const = 0;
    // The value as text, which is also the window's text (see show_value_text).
    virtual Text value_text() const = 0;

    // Asks for a repaint of the whole control, when it has a window.
    void repaint() const;
    // Puts the value's text into the window's text after the value changed.
    void show_value_text() const;
    RECT client_rect() const;

  private:
    static LRESULT CALLBACK window_procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    void paint_buffered() const;

    ULONG references_ = 1;
    HWND window_ = nullptr;
};

} // namespace orbek::controls
