// pxhost's JSON: documents built with nlohmann-json (insertion order kept,
// so keys come out in the records' field order) and texts converted from
// UTF-16.
#pragma once

#include <stdio.h>
#include <windows.h>

#include <string>

#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;

// UTF-8 of a UTF-16 text of at most `chars` characters, ending earlier at a
// NUL; an unpaired surrogate becomes U+FFFD.
std::string Utf8(const WCHAR *text, size_t chars);

// The document, two-space indented, and a line break.
void PrintJson(FILE *out, const Json &document);
