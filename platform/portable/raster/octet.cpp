// See octet.h.
#include "raster/octet.h"

namespace zg::raster {

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))

bool cpu_has_avx2() {
    // Needed before the query when this runs early, from another library's constructor.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

#endif

}  // namespace zg::raster
