#include "tests/common/profiles.h"

#include <icm.h>
#include <string.h>

#include "core/scope.h"
#include "services/colorprofile.h"

std::vector<BYTE> MakeProfile(uint32_t profileClass, const char *description)
{
    std::vector<BYTE> b(144, 0);
    auto put = [&b](size_t at, uint32_t v) {
        if (b.size() < at + 4)
            b.resize(at + 4);
        for (int i = 0; i < 4; i++)
            b[at + i] = BYTE(v >> (24 - 8 * i));
    };
    // Version, class, RGB to XYZ, 'acsp', the D50 illuminant; one tag at 144:
    // 'desc' with the description, or only a 'cprt' text.
    const uint32_t fields[][2] = {
        {8, 0x02100000}, {12, profileClass}, {16, PX_SPACE_RGB}, {20, 0x58595A20},
        {36, 0x61637370}, {68, 0x0000F6D6}, {72, 0x00010000}, {76, 0x0000D32D}, {128, 1},
        {132, description ? 0x64657363u : 0x63707274u}, {136, 144},
    };
    for (const auto &f : fields)
        put(f[0], f[1]);
    if (description) {
        uint32_t count = static_cast<uint32_t>(strlen(description)) + 1;
        put(144, 0x64657363);  // 'desc'
        put(152, count);
        b.insert(b.end(), description, description + count);
        b.resize(b.size() + 8 + 3 + 67, 0);  // empty Unicode and ScriptCode parts
    } else {
        const char text[] = "no description";
        put(144, 0x74657874);  // 'text'
        b.insert(b.end(), text, text + sizeof text);
    }
    while (b.size() % 4)
        b.push_back(0);
    put(140, static_cast<uint32_t>(b.size() - 144));
    put(0, static_cast<uint32_t>(b.size()));
    return b;
}

std::wstring ColorPath(const WCHAR *file)
{
    WCHAR dir[MAX_PATH];
    DWORD size = sizeof dir;
    if (!GetColorDirectoryW(NULL, dir, &size))
        return std::wstring();
    std::wstring path(dir);
    path += L'\\';
    return path + file;
}

bool InstallProfile(const WCHAR *file, uint32_t profileClass, const char *description)
{
    std::vector<BYTE> bytes = MakeProfile(profileClass, description);
    UniqueFile h(CreateFileW(ColorPath(file).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    DWORD written = 0;
    return h && WriteFile(h.get(), bytes.data(), (DWORD)bytes.size(), &written, NULL) &&
           written == bytes.size();
}

void RemoveProfile(const WCHAR *file) { DeleteFileW(ColorPath(file).c_str()); }
