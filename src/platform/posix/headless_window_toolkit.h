// The native build's windows: no display, but a model that records every operation in order
// as a line in the host's own words ("FrmX.Caption = ..."), for the command line to print and
// for tests to compare, and keeps of each form what the calls ask back (shown or not).
#pragma once

#include "automation/text.h"
#include "automation/variant.h"
#include "platform/window_toolkit.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orbek {

// What the model knows of a form: everything else it was told is in the record.
struct HeadlessFormState {
    bool loaded = false;
    bool visible = false;
    std::int32_t handle = 0; // a new number on every load
};

class HeadlessWindowToolkit final : public WindowToolkit {
  public:
    std::unique_ptr<Form> create_form(const FormDesign& design) override;
    void process_pending_events() override;

    const std::vector<std::string>& operations() const { return operations_; }
    // The lines recorded since the last take, which starts a new record.
    std::vector<std::string> take_operations();
    // Adds a line of another party (a companion double, say) so that it stands in order.
    void record(std::string line);

    // The state of a live form, by its design name; null when no such form lives.
    const HeadlessFormState* form(std::string_view name) const;
    // The design name of the live form that has this handle; empty when none has it.
    std::string form_name_of(std::int32_t handle) const;

  private:
    friend class HeadlessForm;
    std::int32_t next_handle() { return ++last_handle_; }

    std::vector<std::string> operations_;
    std::vector<const class HeadlessForm*> live_forms_;
    std::int32_t last_handle_ = 0x10000;
};

// The text form of a value in a recorded line: its type and its value ("Currency 25.5",
// "Integer 100", "String \"Fin\"").
std::string describe_value(const Variant& value);

} // namespace orbek
