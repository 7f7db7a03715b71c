#pragma once

#include "core/profile.h"
#include "tasks/option_values.h"

namespace quexa::tasks {

// The "Export Rule" page of the Options sheet: which items the seemly exports take, which fields
// they carry and the texts written before the fields.
class ExportOptions {
  public:
    ExportOptions();

    OptionValues& values() { return values_; }
    const OptionValues& values() const { return values_; }

    void Load(const core::Profile& profile) { values_.Load(profile); }
    void SetDefaults() { values_.SetDefaults(); }
    void Apply(core::Profile& profile) const { values_.Store(profile); }

  private:
    OptionValues values_;
};

}  // namespace quexa::tasks
