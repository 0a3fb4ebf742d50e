#include "platform/posix/headless_window_toolkit.h"

#include "automation/conversions.h"
#include "automation/vb_error.h"

#include <algorithm>
#include <cstdio>

namespace orbek {

class HeadlessForm final : public Form {
  public:
    HeadlessForm(HeadlessWindowToolkit& toolkit, const FormDesign& design)
        : toolkit_(toolkit), design_(design) {
        toolkit_.live_forms_.push_back(this);
    }
    ~HeadlessForm() override { std::erase(toolkit_.live_forms_, this); }
    HeadlessForm(const HeadlessForm&) = delete;
    HeadlessForm& operator=(const HeadlessForm&) = delete;

    const std::string& name() const { return design_.name; }
    const HeadlessFormState& state() const { return state_; }

    void load() override {
        if (state_.loaded) {
            return;
        }
        toolkit_.record("Load " + name()); // unloaded, the state is as new
        state_.loaded = true;
        state_.handle = toolkit_.next_handle();
    }

    void unload() override {
        if (!state_.loaded) {
            return;
        }
        toolkit_.record("Unload " + name());
        state_ = HeadlessFormState{};
    }

    bool is_loaded() const override { return state_.loaded; }

    bool visible() override {
        load();
        toolkit_.record(name() + ".Visible -> " + (state_.visible ? "True" : "False"));
        return state_.visible;
    }

    void show_modeless() override {
        load();
        toolkit_.record(name() + ".Show");
        state_.visible = true;
    }

    void hide() override {
        load();
        toolkit_.record(name() + ".Hide");
        state_.visible = false;
    }

    void set_height_twips(std::int32_t height) override {
        load();
        toolkit_.record(name() + ".Height = " + std::to_string(height));
    }

    void set_caption(TextView caption) override {
        load();
        toolkit_.record(name() + ".Caption = " + quoted(caption));
    }

    void set_control_text(std::string_view control, TextView text) override {
        const ControlDesign& design = control_named(control);
        if (design.kind != ControlKind::Label) {
            throw VbError(vb::MemberNotFound);
        }
        load();
        toolkit_.record(name() + "." + design.name + ".Caption = " + quoted(text));
    }

    void put_control_property(std::string_view control, std::int32_t member,
                              const Variant& value) override {
        const ControlDesign& design = control_named(control);
        if (design.kind != ControlKind::External) {
            throw VbError(vb::MemberNotFound);
        }
        load();
        char id[16];
        std::snprintf(id, sizeof id, "0x%08X", static_cast<unsigned>(member));
        toolkit_.record(name() + "." + design.name + ".[" + id + "] = " + describe_value(value));
    }

    std::int32_t window_handle() override {
        load();
        return state_.handle;
    }

  private:
    static std::string quoted(TextView text) { return "\"" + to_utf8(text) + "\""; }

    const ControlDesign& control_named(std::string_view control) const {
        for (const ControlDesign& design : design_.controls) {
            if (design.name == control) {
                return design;
            }
        }
        throw VbError(vb::MemberNotFound);
    }

    HeadlessWindowToolkit& toolkit_;
    FormDesign design_;
    HeadlessFormState state_;
};

std::unique_ptr<Form> HeadlessWindowToolkit::create_form(const FormDesign& design) {
    return std::make_unique<HeadlessForm>(*this, design);
}

void HeadlessWindowToolkit::process_pending_events() {
    record("DoEvents");
}

std::vector<std::string> HeadlessWindowToolkit::take_operations() {
    std::vector<std::string> taken;
    taken.swap(operations_);
    return taken;
}

void HeadlessWindowToolkit::record(std::string line) {
    operations_.push_back(std::move(line));
}

const HeadlessFormState* HeadlessWindowToolkit::form(std::string_view name) const {
    for (const HeadlessForm* live : live_forms_) {
        if (live->name() == name) {
            return &live->state();
        }
    }
    return nullptr;
}

std::string HeadlessWindowToolkit::form_name_of(std::int32_t handle) const {
    for (const HeadlessForm* live : live_forms_) {
        if (live->state().loaded && live->state().handle == handle) {
            return live->name();
        }
    }
    return {};
}

std::string describe_value(const Variant& value) {
    const char* type_name = "Variant";
    switch (value.type()) {
    case VarType::Empty:
        return "Empty";
    case VarType::Null:
        return "Null";
    case VarType::Integer:
        type_name = "Integer";
        break;
    case VarType::Long:
        type_name = "Long";
        break;
    case VarType::Single:
        type_name = "Single";
        break;
    case VarType::Double:
        type_name = "Double";
        break;
    case VarType::Currency:
        type_name = "Currency";
        break;
    case VarType::Date:
        type_name = "Date";
        break;
    case VarType::String:
        return "String \"" + to_utf8(value.as<Text>()) + "\"";
    case VarType::Object:
        return "Object";
    case VarType::Error:
        return "Error";
    case VarType::Boolean:
        type_name = "Boolean";
        break;
    case VarType::Byte:
        type_name = "Byte";
        break;
    }
    return std::string(type_name) + " " + to_utf8(to_text(value));
}

} // namespace orbek
