#pragma once
// Upper limits of the gain entry fields per axis, limit field and mode set, as the window
// holds them. The limits themselves are data of the parameter set's field table; the window
// fills its table once at construction and never changes it. Every lower limit is 0.
#include "params/ParameterSet.h"

namespace vireo
{

class MaxTable
{
public:
    MaxTable() { fill(); }

    void fill() { values_ = makeMaxTable(); }

    // axis 0..2 (A, E, R), mode set 0..2; an index outside throws std::out_of_range.
    std::int16_t limit(int axis, LimitField field, ModeSet modeSet) const
    {
        return values_.at(static_cast<std::size_t>(axis))
            .at(static_cast<std::size_t>(field))
            .at(static_cast<std::size_t>(modeSet));
    }

    const MaxTableType &values() const { return values_; }

private:
    MaxTableType values_{};
};

} // namespace vireo
