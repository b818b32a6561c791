#include "web/variant_bytes_win32.h"

#include <oleauto.h>

namespace {

// Every element of a one-byte SAFEARRAY, in storage order.
std::string bytes_of_array(SAFEARRAY* array) {
    if (!array || SafeArrayGetElemsize(array) != 1 || SafeArrayGetDim(array) == 0) {
        return {};
    }
    std::size_t count = 1;
    for (UINT dimension = 1; dimension <= SafeArrayGetDim(array); ++dimension) {
        LONG lower = 0, upper = -1;
        SafeArrayGetLBound(array, dimension, &lower);
        SafeArrayGetUBound(array, dimension, &upper);
        count *= upper >= lower ? static_cast<std::size_t>(upper - lower + 1) : 0;
    }
    void* data = nullptr;
    if (count == 0 || FAILED(SafeArrayAccessData(array, &data))) {
        return {};
    }
    std::string bytes(static_cast<const char*>(data), count);
    SafeArrayUnaccessData(array);
    return bytes;
}

} // namespace

std::string bytes_of_variant(const VARIANT& body) {
    const VARTYPE type = body.vt;
    const VARTYPE element = type & VT_TYPEMASK;
    if ((type & VT_ARRAY) == 0 || (element != VT_UI1 && element != VT_I1)) {
        return {};
    }
    if (type & VT_BYREF) {
        return body.pparray ? bytes_of_array(*body.pparray) : std::string();
    }
    return bytes_of_array(body.parray);
}
