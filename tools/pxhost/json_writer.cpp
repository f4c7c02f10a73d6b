#include "tools/pxhost/json_writer.h"

#include <inttypes.h>

void JsonInit(JsonWriter *w, FILE *out)
{
    ZeroMemory(w, sizeof *w);
    w->out = out;
}

static void Indent(JsonWriter *w)
{
    for (int i = 0; i < w->depth; i++)
        fputs("  ", w->out);
}

static void WriteEscapedUtf8(JsonWriter *w, const char *text)
{
    fputc('"', w->out);
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; p++) {
        if (*p == '"' || *p == '\\')
            fprintf(w->out, "\\%c", *p);
        else if (*p < 0x20)
            fprintf(w->out, "\\u%04x", *p);
        else
            fputc(*p, w->out);
    }
    fputc('"', w->out);
}

// Separator, line break and key before a new item at the current level.
static void BeginItem(JsonWriter *w, const char *key)
{
    if (w->depth > 0) {
        if (w->hasItems[w->depth])
            fputc(',', w->out);
        fputc('\n', w->out);
        w->hasItems[w->depth] = TRUE;
        Indent(w);
    }
    if (key) {
        WriteEscapedUtf8(w, key);
        fputs(": ", w->out);
    }
}

static void Open(JsonWriter *w, const char *key, char bracket)
{
    BeginItem(w, key);
    fputc(bracket, w->out);
    if (w->depth + 1 < JSON_MAX_DEPTH) {
        w->depth++;
        w->hasItems[w->depth] = FALSE;
    }
}

static void Close(JsonWriter *w, char bracket)
{
    BOOL hadItems = w->hasItems[w->depth];
    if (w->depth > 0)
        w->depth--;
    if (hadItems) {
        fputc('\n', w->out);
        Indent(w);
    }
    fputc(bracket, w->out);
}

void JsonBeginObject(JsonWriter *w, const char *key) { Open(w, key, '{'); }
void JsonEndObject(JsonWriter *w) { Close(w, '}'); }
void JsonBeginArray(JsonWriter *w, const char *key) { Open(w, key, '['); }
void JsonEndArray(JsonWriter *w) { Close(w, ']'); }

void JsonInt(JsonWriter *w, const char *key, int64_t value)
{
    BeginItem(w, key);
    fprintf(w->out, "%" PRId64, value);
}

void JsonText(JsonWriter *w, const char *key, const WCHAR *text, size_t chars)
{
    char utf8[4 * 1024 + 4];
    Utf16ToUtf8(text, chars < 1024 ? chars : 1024, utf8, sizeof utf8);
    BeginItem(w, key);
    WriteEscapedUtf8(w, utf8);
}

void JsonAsciiText(JsonWriter *w, const char *key, const char *text)
{
    BeginItem(w, key);
    WriteEscapedUtf8(w, text);
}

void JsonFinish(JsonWriter *w)
{
    fputc('\n', w->out);
    fflush(w->out);
}

static size_t EncodeUtf8(uint32_t code, char *out)
{
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | (code >> 6));
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (code >> 12));
        out[1] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (code >> 18));
    out[1] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

size_t Utf16ToUtf8(const WCHAR *text, size_t chars, char *out, size_t outBytes)
{
    size_t used = 0;
    for (size_t i = 0; i < chars && text[i]; i++) {
        uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < chars && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            i++;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        char encoded[4];
        size_t n = EncodeUtf8(code, encoded);
        if (used + n + 1 > outBytes)
            break;
        CopyMemory(out + used, encoded, n);
        used += n;
    }
    if (outBytes)
        out[used] = 0;
    return used;
}
