// A small streaming JSON writer: objects, arrays, numbers and UTF-16 texts
// written as UTF-8, two-space indentation.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <windows.h>

#define JSON_MAX_DEPTH 16

struct JsonWriter {
    FILE *out;
    int depth;
    BOOL hasItems[JSON_MAX_DEPTH];  // per open level: an item was written
};

void JsonInit(JsonWriter *w, FILE *out);

// key is NULL inside arrays and for the outermost value.
void JsonBeginObject(JsonWriter *w, const char *key);
void JsonEndObject(JsonWriter *w);
void JsonBeginArray(JsonWriter *w, const char *key);
void JsonEndArray(JsonWriter *w);

void JsonInt(JsonWriter *w, const char *key, int64_t value);
// chars: at most this many characters; the text ends earlier at a NUL.
void JsonText(JsonWriter *w, const char *key, const WCHAR *text, size_t chars);
void JsonAsciiText(JsonWriter *w, const char *key, const char *text);
// Ends the outermost value with a newline.
void JsonFinish(JsonWriter *w);

// UTF-8 of a UTF-16 text of at most `chars` characters (stops at a NUL);
// unpaired surrogates become U+FFFD. Returns the bytes written, without the
// terminator that is always added.
size_t Utf16ToUtf8(const WCHAR *text, size_t chars, char *out, size_t outBytes);
