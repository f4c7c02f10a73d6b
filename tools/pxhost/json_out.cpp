#include "tools/pxhost/json_out.h"

std::string Utf8(const WCHAR *text, size_t chars)
{
    size_t length = 0;
    while (length < chars && text[length])
        length++;
    if (length == 0)
        return std::string();
    int wide = length > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(length);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text, wide, NULL, 0, NULL, NULL);
    std::string utf8(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, wide, &utf8[0], bytes, NULL, NULL);
    return utf8;
}

void PrintJson(FILE *out, const Json &document)
{
    // Anything that is not UTF-8 after all is replaced, never a failure.
    std::string text = document.dump(2, ' ', false, Json::error_handler_t::replace);
    fwrite(text.data(), 1, text.size(), out);
    fputc('\n', out);
    fflush(out);
}
