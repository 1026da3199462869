#pragma once
// Strict UTF-8 decoding, one character at a time, for the callers that keep
// the bytes of invalid sequences themselves (file names, re-saved extractions).

#include <cstddef>
#include <string_view>

// Decodes the character starting at `position` into `point` and moves past
// it. False, with `position` unchanged, when the bytes there are not a valid
// sequence (a stray or missing continuation byte, an overlong form, a
// surrogate, a code above U+10FFFF, or a sequence cut by the end).
bool Utf8Suivant(std::string_view octets, std::size_t& position, char32_t& point);
