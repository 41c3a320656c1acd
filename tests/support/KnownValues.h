#pragma once
// The window as after a complete read: every record known, the unit copy and the standard
// values too. For tests that put values into the window directly.
#include "app/gui/TForm1.h"

namespace vireo::test
{

inline void markAllKnown(TForm1 &form)
{
    form.WorkValues.origins.setAll(Origin::Unit);
    for (auto *known : {&form.CurKnown, &form.DefKnown})
        for (auto &axis : *known)
            axis.fill(true);
}

} // namespace vireo::test
