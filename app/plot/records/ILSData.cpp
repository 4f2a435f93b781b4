#include "plot/records/ILSData.h"

namespace plot {

CategoryTolerances TolerancesOf(std::int16_t toleranceCategory) {
    if (toleranceCategory == 1)
        return {30.0F, 30.0F, 1000.0F};
    return {30.0F, 20.0F, 0.0F};
}

} // namespace plot
