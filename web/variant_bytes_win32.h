// The bytes of a response body as the request object hands it over: a VARIANT that holds a
// SAFEARRAY of one-byte elements, directly or by reference.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <string>

// Every element in storage order, for VT_ARRAY of VT_UI1 or VT_I1, with or without
// VT_BYREF; empty for any other variant and for an array without elements.
std::string bytes_of_variant(const VARIANT& body);
