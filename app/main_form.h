#pragma once

#include "app/form.h"

namespace app {

// The program's only window.
extern const Form kMainForm;

}  // namespace app
