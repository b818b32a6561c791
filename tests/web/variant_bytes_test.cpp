// How a response body is taken out of the VARIANT that the request object returns.
#include "web/variant_bytes_win32.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <vector>

namespace {

// A SAFEARRAY of `type` holding `bytes`, with the given bounds per dimension.
SAFEARRAY* byte_array(VARTYPE type, const std::string& bytes, std::vector<SAFEARRAYBOUND> bounds) {
    SAFEARRAY* array = SafeArrayCreate(type, static_cast<UINT>(bounds.size()), bounds.data());
    void* data = nullptr;
    if (array && !bytes.empty() && SUCCEEDED(SafeArrayAccessData(array, &data))) {
        memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    return array;
}

class owned_variant {
  public:
    owned_variant() { VariantInit(&value); }
    ~owned_variant() { VariantClear(&value); }
    VARIANT value;
};

const std::string GBK_BODY = std::string("\xC7\xE7\xCC\xEC\0tail\xFF", 10);

TEST(variant_bytes, takes_every_byte_of_an_unsigned_or_signed_byte_array) {
    for (const VARTYPE element : {VARTYPE(VT_UI1), VARTYPE(VT_I1)}) {
        owned_variant body;
        body.value.vt = VT_ARRAY | element;
        body.value.parray = byte_array(element, GBK_BODY, {{10, 0}});
        EXPECT_EQ(bytes_of_variant(body.value), GBK_BODY) << "element type " << element;
    }
}

TEST(variant_bytes, follows_a_reference_to_the_array) {
    owned_variant owner;
    owner.value.vt = VT_ARRAY | VT_UI1;
    owner.value.parray = byte_array(VT_UI1, GBK_BODY, {{10, 0}});
    VARIANT by_reference;
    VariantInit(&by_reference);
    by_reference.vt = VT_ARRAY | VT_UI1 | VT_BYREF;
    by_reference.pparray = &owner.value.parray;
    EXPECT_EQ(bytes_of_variant(by_reference), GBK_BODY);
}

TEST(variant_bytes, reads_a_many_dimensional_array_in_storage_order) {
    owned_variant body;
    body.value.vt = VT_ARRAY | VT_UI1;
    body.value.parray = byte_array(VT_UI1, "abcdef", {{3, 1}, {2, 5}});
    EXPECT_EQ(bytes_of_variant(body.value), "abcdef");
}

TEST(variant_bytes, yields_nothing_for_other_variants_and_empty_arrays) {
    owned_variant empty_array;
    empty_array.value.vt = VT_ARRAY | VT_UI1;
    empty_array.value.parray = byte_array(VT_UI1, "", {{0, 0}});
    EXPECT_EQ(bytes_of_variant(empty_array.value), "");

    owned_variant text;
    text.value.vt = VT_BSTR;
    text.value.bstrVal = SysAllocString(L"body");
    EXPECT_EQ(bytes_of_variant(text.value), "");

    owned_variant words;
    words.value.vt = VT_ARRAY | VT_I2;
    words.value.parray = byte_array(VT_I2, "abcd", {{2, 0}});
    EXPECT_EQ(bytes_of_variant(words.value), "");

    owned_variant nothing;
    EXPECT_EQ(bytes_of_variant(nothing.value), "");

    VARIANT null_reference;
    VariantInit(&null_reference);
    null_reference.vt = VT_ARRAY | VT_UI1 | VT_BYREF;
    null_reference.pparray = nullptr;
    EXPECT_EQ(bytes_of_variant(null_reference), "");
}

} // namespace
