#include "tests/common/moduletext.h"

#include "core/module.h"

std::wstring ModuleText(UINT id)
{
    WCHAR text[260] = L"";
    LoadStringW(ModuleInstance(), id, text, 260);
    return text;
}
