// The one modal message the component shows.
#pragma once

#include "automation/text.h"

namespace orbek {

class MessageBox {
  public:
    virtual ~MessageBox() = default;
    // Information icon and a single OK button; returns when the user closes it.
    virtual void show_information(TextView message, TextView title) = 0;
};

} // namespace orbek
